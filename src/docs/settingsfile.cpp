#include "docs/settingsfile.h"

#include <QFile>
#include <QStandardPaths>

#include "common/numbertext.h"
#include "docs/itemreader.h"
#include "docs/textfile.h"
#include "docs/valuerules.h"
#include "engine/userconstants.h"

namespace tessaly::docs {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::string lineProblem(int line, const char* what) { return "line " + std::to_string(line) + ": " + what; }

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
    ParsedSettings out;
    ItemReader reader(text);
    auto missing = [&] { return reader.failed() ? "a quote that never closes" : "the file ends here"; };

    StudyRecord r;
    const auto equation = reader.next();
    if (!equation) {
        out.problem = lineProblem(reader.line(), missing());
        return out;
    }
    r.equation = *equation;

    auto number = [&](ItemType type, double& v) -> bool {
        const auto item = reader.next();
        if (!item) {
            out.problem = lineProblem(reader.line(), missing());
            return false;
        }
        const auto parsed = parseNumberItem(*item);
        if (!parsed) {
            out.problem = lineProblem(reader.line(), "not a number");
            return false;
        }
        if (!fitsItem(type, *parsed)) {
            out.problem = lineProblem(reader.line(), "out of range");
            return false;
        }
        v = toItemType(type, *parsed);
        return true;
    };

    for (int i = 0; i < 14; ++i) {
        double v = 0;
        if (!number(kNumberItems[i].type, v))
            return out;
        setNumberItem(r, i, v);
    }
    double count = 0;
    if (!number(ItemType::Whole, count))
        return out;
    if (count < 0 || count > engine::UserConstants::kCapacity) {
        out.problem = lineProblem(reader.line(), "the number of constants is not 0 to 101");
        return out;
    }
    for (int k = 0; k < static_cast<int>(count); ++k) {
        const auto statement = reader.next();
        if (!statement) {
            out.problem = lineProblem(reader.line(), missing());
            return out;
        }
        r.constants.push_back(*statement);
    }
    double persist = 0;
    if (!number(ItemType::Whole, persist))
        return out;
    r.persist = static_cast<std::int32_t>(persist);

    applyFieldRules(r);
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
            return out;
        }
        out.problem = QString::fromStdString(parsed.problem);
    } else {
        out.problem = file.problem;
    }
    if (out.exists && keepBadCopy) {
        const QString bad = path + QStringLiteral(".bad");
        QFile::remove(bad);
        QFile::copy(path, bad);
    }
    return out;
}

bool writeSettingsFile(const QString& path, const SettingsItems& items, QString* reason)
{
    return writeFileAtomically(path, formatSettings(items), reason);
}

}  // namespace tessaly::docs
