#include "docs/settingsfile.h"

#include <QFile>
#include <QStandardPaths>

#include <cstdio>
#include <limits>

#include "common/leadingnumber.h"
#include "common/numbertext.h"
#include "docs/filename.h"
#include "docs/itemreader.h"
#include "docs/textfile.h"
#include "docs/typeditemreader.h"
#include "docs/valuerules.h"
#include "engine/userconstants.h"

namespace tessaly::docs {
namespace {

constexpr const char* kLineEnd = "\r\n";

}  // namespace

SettingsItems itemsOf(const StudyRecord& record)
{
    SettingsItems items;
    items.equation = record.equation;
    for (int i = 0; i < 14; ++i)
        items.numbers[static_cast<std::size_t>(i)] = numberItem(record, i);
    items.constants = record.constants;
    items.persist = record.persist;
    return items;
}

SettingsItems itemsOfTexts(const numeric::StudyTexts& t, const plot::PlotTexts& p, std::vector<std::string> constants)
{
    SettingsItems items;
    items.equation = t.equation;
    const std::string* texts[14] = {&t.lower,    &t.upper,    &t.subintervals, &t.errorBound, &t.maxIterations,
                                    &p.windowLx, &p.windowGx, &p.windowLy,     &p.windowGy,   &p.plotStep,
                                    &p.originX,  &p.originY,  &p.divisionX,    &p.divisionY};
    for (std::size_t i = 0; i < 14; ++i)
        items.numbers[i] = common::readLeadingNumber(*texts[i]).value_or(std::numeric_limits<double>::infinity());
    items.constants = std::move(constants);
    return items;
}

std::string formatSettings(const SettingsItems& items)
{
    const StudyRecord defaults;
    std::string out = quotedItem(items.equation) + kLineEnd;
    for (int i = 0; i < 14; ++i) {
        double v = items.numbers[static_cast<std::size_t>(i)];
        if (!fitsItem(kNumberItems[i].type, v))
            v = numberItem(defaults, i);
        out += common::shortNumberText(v) + kLineEnd;
    }
    out += std::to_string(items.constants.size()) + kLineEnd;
    for (const auto& c : items.constants)
        out += quotedItem(c) + kLineEnd;
    out += common::shortNumberText(persistAccepted(items.persist) ? items.persist : defaults.persist) + kLineEnd;
    return out;
}

ParsedSettings parseSettings(std::string_view text)
{
    TypedItemReader items(text);
    ParsedSettings out;
    StudyRecord r;
    const auto equation = items.text("the function");
    if (!equation || !readNumberItems(items, r, 0, 14, out.replaced))
        return {std::nullopt, items.problem(), {}};
    r.equation = *equation;
    const auto count = items.count(0, engine::UserConstants::kCapacity, "a number of constants");
    for (std::int32_t k = 0; count && k < *count; ++k) {
        const auto statement = items.text("a constant");
        if (!statement)
            break;
        r.constants.push_back(*statement);
    }
    const auto persist = items.number();
    if (!persist)
        return {std::nullopt, items.problem(), {}};
    if (persistAccepted(*persist))
        r.persist = static_cast<std::int32_t>(*persist);
    else
        out.replaced.push_back(kPersistName);

    for (auto& name : applyFieldRules(r))
        out.replaced.push_back(std::move(name));
    out.record = std::move(r);
    return out;
}

QString settingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/tessaly.ini");
}

SettingsRead readSettingsFile(const QString& path, bool keepBadCopy)
{
    SettingsRead out;
    const TextFileRead file = readTextFile(path);
    out.exists = file.exists;
    if (file.text) {
        ParsedSettings parsed = parseSettings(*file.text);
        if (parsed.record) {
            out.record = std::move(parsed.record);
            out.replaced = std::move(parsed.replaced);
            return out;
        }
        out.problem = QString::fromStdString(parsed.problem);
    } else {
        out.problem = file.problem;
    }
    // A regular file that could not be used is moved aside (never copied: it
    // may be huge), so the next write does not lose it.
    if (keepBadCopy && file.regularFile) {
        const QByteArray bad = encodeFileName(path + QStringLiteral(".bad"));
        std::rename(encodeFileName(path).constData(), bad.constData());
    }
    return out;
}

bool writeSettingsFile(const QString& path, const SettingsItems& items, QString* reason)
{
    return writeFileAtomically(path, formatSettings(items), reason, FolderPolicy::Create);
}

}  // namespace tessaly::docs
