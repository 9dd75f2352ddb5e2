#include "docs/studyfile.h"

#include <QBuffer>
#include <QImageWriter>

#include "common/numbertext.h"
#include "docs/filename.h"
#include "docs/itemreader.h"
#include "docs/textfile.h"
#include "docs/typeditemreader.h"
#include "engine/userconstants.h"

namespace tessaly::docs {
namespace {

constexpr const char* kLineEnd = "\r\n";

}  // namespace

std::optional<int> unwritableItem(const SettingsItems& items)
{
    for (int i = 0; i < 14; ++i)
        if (!fitsItem(kNumberItems[i].type, items.numbers[static_cast<std::size_t>(i)]))
            return i;
    return std::nullopt;
}

std::string formatStudy(const SettingsItems& items, const StudyResults& results)
{
    auto number = [](double v) { return common::numberText(v); };
    auto line = [](std::initializer_list<std::string> parts) {
        std::string s;
        for (const auto& p : parts) {
            if (!s.empty())
                s += ',';
            s += p;
        }
        return s + kLineEnd;
    };
    const auto& n = items.numbers;
    std::string out = quotedItem(kStudyTag) + kLineEnd;
    out += line({quotedItem(items.equation), number(n[0]), number(n[1]), number(n[2]), number(n[3]), number(n[4]),
                 results.integralValid ? kTrueItem : kFalseItem, std::to_string(results.roots.size()),
                 std::to_string(results.possibleRootCount), std::to_string(results.maxima.size()),
                 std::to_string(results.minima.size())});
    // The plot line keeps the record's order: window, plot step, origin, divisions.
    out += line({number(n[5]), number(n[6]), number(n[7]), number(n[8]), number(n[9]), number(n[10]), number(n[11]),
                 number(n[12]), number(n[13])});
    out += std::to_string(items.constants.size()) + kLineEnd;
    for (const auto& c : items.constants)
        out += quotedItem(c) + kLineEnd;
    if (results.integralValid)
        out += number(results.integralValue) + kLineEnd;
    for (const auto* list : {&results.roots, &results.maxima, &results.minima})
        for (double v : *list)
            out += number(v) + kLineEnd;
    return out;
}

ParsedStudy parseStudy(std::string_view text)
{
    ParsedStudy out;
    TypedItemReader items(text);
    const auto tag = items.text();
    if (!tag || *tag != kStudyTag) {
        if (tag)
            items.failItem(*tag, "is not \"Tessaly\"");
        return {std::nullopt, items.problem(), {}};
    }
    StudyFile study;
    StudyRecord& r = study.record;
    StudyResults& results = study.results;
    std::vector<std::string>& replaced = out.replaced;

    const auto equation = items.text("the function");
    if (!equation || !readNumberItems(items, r, 0, 5, replaced))
        return {std::nullopt, items.problem(), {}};
    r.equation = *equation;
    const auto integralValid = items.truth();
    const auto roots = items.count(0, kMaxPositions, "a root count");
    const auto possible = items.count(0, INT32_MAX, "a count of possible roots");
    const auto maxima = items.count(0, kMaxPositions, "a maximum count");
    const auto minima = items.count(0, kMaxPositions, "a minimum count");
    if (!items.ok() || !readNumberItems(items, r, 5, 14, replaced))
        return {std::nullopt, items.problem(), {}};
    const auto constants = items.count(0, engine::UserConstants::kCapacity, "a number of constants");
    for (std::int32_t k = 0; constants && k < *constants; ++k) {
        const auto statement = items.text("a constant");
        if (!statement)
            break;
        r.constants.push_back(*statement);
    }
    if (!items.ok())
        return {std::nullopt, items.problem(), {}};
    results.integralValid = *integralValid;
    if (results.integralValid) {
        const auto v = items.number();
        if (!v)
            return {std::nullopt, items.problem(), {}};
        results.integralValue = *v;
    }
    results.possibleRootCount = *possible;
    if (!items.numbers(*roots, results.roots) || !items.numbers(*maxima, results.maxima) ||
        !items.numbers(*minima, results.minima))
        return {std::nullopt, items.problem(), {}};

    for (auto& name : applyFieldRules(r))
        replaced.push_back(std::move(name));
    r.persist = StudyRecord{}.persist;
    out.study = std::move(study);
    return out;
}

StudyRead readStudyFile(const QString& path)
{
    StudyRead out;
    const TextFileRead file = readTextFile(path);
    if (!file.text) {
        out.message = file.badContent ? incompatibleMessage(file.problem.toStdString())
                                      : QStringLiteral("Cannot open %1: %2").arg(displayFileName(path), file.problem);
        return out;
    }
    ParsedStudy parsed = parseStudy(*file.text);
    if (!parsed.study) {
        out.message = incompatibleMessage(parsed.problem);
        return out;
    }
    out.study = std::move(parsed.study);
    out.replaced = std::move(parsed.replaced);
    return out;
}

QString incompatibleMessage(const std::string& problem)
{
    QString m = QString::fromLatin1(kIncompatibleFile);
    if (!problem.empty())
        m += QLatin1Char('\n') + QString::fromStdString(problem);
    return m;
}

QString bitmapPathFor(const QString& studyPath) { return studyPath + QStringLiteral(".bmp"); }

bool writeImageFile(const QString& path, const QImage& image, const char* format, QString* reason)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    const bool bitmap = QByteArray(format) == "bmp";
    if (!writer.write(bitmap ? image.convertToFormat(QImage::Format_RGB888) : image)) {
        if (reason)
            *reason = writer.errorString();
        return false;
    }
    return writeFileAtomically(path, bytes.toStdString(), reason);
}

std::optional<QString> saveStudy(const QString& path, const SettingsItems& items, const StudyResults& results,
                                 const QImage* graph)
{
    if (const auto i = unwritableItem(items))
        return QStringLiteral("The value of %1 is out of range; the study was not saved.")
            .arg(QString::fromStdString(itemName(*i)));
    QString reason;
    const QString bitmap = bitmapPathFor(path);
    auto couldNotSave = [&reason](const QString& file) {
        return QStringLiteral("Could not save %1: %2").arg(displayFileName(file), reason);
    };
    // The old bitmap goes first, then the study, then the new bitmap: stopped at
    // any moment, this leaves a study beside its own picture or beside none,
    // never beside another study's.
    if (!removeFile(bitmap, &reason))
        return couldNotSave(bitmap);
    if (!writeFileAtomically(path, formatStudy(items, results), &reason))
        return couldNotSave(path);
    if (graph && !writeImageFile(bitmap, *graph, "bmp", &reason))
        return couldNotSave(bitmap);
    return std::nullopt;
}

}  // namespace tessaly::docs
