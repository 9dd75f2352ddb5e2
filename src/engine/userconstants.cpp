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

std::string_view UserConstants::nameOf(std::string_view statement) { return statement.substr(0, statement.find('=')); }

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
    const auto same =
        std::find_if(m_statements.begin(), m_statements.end(), [&](const std::string& s) { return nameOf(s) == name; });
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

UserConstants::AddResult UserConstants::add(std::string_view text, Engine& engine, ScriptError& refusal)
{
    if (!isStatement(text))
        return AddResult::Ignored;
    if (ScriptError e = engine.checkStatement(text); e.number != 0) {
        refusal = std::move(e);
        return AddResult::Refused;
    }
    return add(text);
}

UserConstants::Failure UserConstants::execute(Engine& engine) const
{
    for (std::size_t k = 0; k < m_statements.size(); ++k)
        if (engine.executeStatement(m_statements[k]))
            return {static_cast<int>(k), engine.lastError()};
    return {};
}

std::vector<UserConstants::Failure> UserConstants::executeEach(Engine& engine, Class1& object) const
{
    std::vector<Failure> failures;
    for (std::size_t k = 0; k < m_statements.size(); ++k) {
        object.ierr = 0;
        if (const auto e = engine.executeStatement(m_statements[k])) {
            Failure f{static_cast<int>(k), engine.lastError()};
            if (const auto trapped = trappedError(e, object); trapped != e) {
                f.error.number = trapped;
                f.error.description = std::string(errorDescription(trapped));
            }
            failures.push_back(std::move(f));
        }
    }
    return failures;
}

std::string UserConstants::failureMessage(const Failure& f) const
{
    std::string m = "The user constant \"";
    if (f.slot >= 0 && f.slot < count())
        m += m_statements[static_cast<std::size_t>(f.slot)];
    m += "\" could not be run: ";
    m += f.error.description.empty() ? std::string("error") : f.error.description;
    m += " (error " + std::to_string(f.error.number);
    if (f.error.column > 0)
        m += " at column " + std::to_string(f.error.column);
    return m + ").";
}

void UserConstants::assign(std::vector<std::string> statements)
{
    if (statements.size() > static_cast<std::size_t>(kCapacity))
        statements.resize(static_cast<std::size_t>(kCapacity));
    m_statements = std::move(statements);
}

}  // namespace tessaly::engine
