#include "engine/userconstants.h"

#include <algorithm>

#include "engine/class1.h"
#include "engine/engine.h"
#include "engine/evaluation.h"

namespace tessaly::engine {
namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

}  // namespace

std::string_view UserConstants::nameOf(std::string_view statement)
{
    return statement.substr(0, statement.find('='));
}

bool UserConstants::isStatement(std::string_view text)
{
    if (text.find('=') == std::string_view::npos)
        return false;
    const std::string_view name = nameOf(text);
    if (name.empty() || !isLetter(name[0]))
        return false;
    return std::all_of(name.begin() + 1, name.end(), [](char c) { return isLetter(c) || isDigit(c); });
}

UserConstants::AddResult UserConstants::add(std::string_view text)
{
    if (!isStatement(text))
        return AddResult::Ignored;
    const std::string_view name = nameOf(text);
    const auto same = std::find_if(m_statements.begin(), m_statements.end(),
                                   [&](const std::string& s) { return nameOf(s) == name; });
    if (same == m_statements.end() && count() >= kCapacity)
        return AddResult::Full;
    if (same != m_statements.end())
        m_statements.erase(same);
    m_statements.emplace_back(text);
    return AddResult::Added;
}

std::string UserConstants::remove(int k)
{
    if (k < 0 || k >= count())
        return {};
    const std::string statement = m_statements[static_cast<std::size_t>(k)];
    m_statements.erase(m_statements.begin() + k);
    const std::string_view name = nameOf(statement);
    // The extension object's values go back to what they were at start-up.
    for (const std::string_view startup : kStartupStatements) {
        std::string_view startupName = nameOf(startup);
        while (!startupName.empty() && startupName.back() == ' ')
            startupName.remove_suffix(1);
        if (sameIgnoringCase(name, startupName))
            return std::string(startup);
    }
    return std::string(name) + "=0";
}

std::int32_t UserConstants::execute(Engine& engine) const
{
    for (const std::string& s : m_statements)
        if (const auto e = engine.executeStatement(s))
            return e;
    return 0;
}

std::int32_t UserConstants::executeEach(Engine& engine, Class1& object) const
{
    std::int32_t last = 0;
    for (const std::string& s : m_statements) {
        object.ierr = 0;
        if (const auto e = engine.executeStatement(s))
            last = trappedError(e, object);
    }
    return last;
}

void UserConstants::assign(std::vector<std::string> statements)
{
    if (statements.size() > static_cast<std::size_t>(kCapacity))
        statements.resize(static_cast<std::size_t>(kCapacity));
    m_statements = std::move(statements);
}

}  // namespace tessaly::engine
