#include "cli/studyoptions.h"

#include <QByteArray>
#include <QString>

#include "cli/cli.h"
#include "cli/session.h"
#include "docs/filename.h"
#include "docs/settingsfile.h"
#include "docs/studyfile.h"
#include "record/valuerules.h"

namespace tessaly::cli {

std::vector<KnownOption> fieldOptions(bool plot)
{
    std::vector<KnownOption> options;
    if (!plot)
        options.push_back({"--function", false});
    for (const auto& item : record::kNumberItems)
        if ((item.studyLine == 3) == plot)
            options.push_back({item.option, false});
    return options;
}

void applyFieldOptions(const ParsedArgs& args, record::FieldTexts& texts)
{
    if (const auto f = args.value("--function"))
        texts.equation = *f;
    for (int i = 0; i < record::kNumberItemCount; ++i)
        if (const auto v = args.value(record::kNumberItems[i].option))
            texts.numbers[static_cast<std::size_t>(i)] = *v;
}

std::vector<KnownOption> studyOptions()
{
    std::vector<KnownOption> options = fieldOptions(/*plot=*/false);
    options.push_back({"--constant", true});
    options.push_back({"--study", false});
    options.push_back({"--settings", false});
    return options;
}

std::optional<std::string> studyOptionsProblem(const ParsedArgs& args)
{
    if (args.value("--study") && args.value("--settings"))
        return "--study and --settings cannot be given together";
    return std::nullopt;
}

std::optional<record::FieldTexts> studyFrom(const ParsedArgs& args, Session& session, std::ostream& err)
{
    record::StudyRecord record;
    auto warnReplaced = [&err](const std::vector<std::string>& replaced) {
        if (!replaced.empty())
            err << "warning: " << record::replacedMessage(replaced) << "\n";
    };
    if (const auto file = args.value("--study")) {
        const docs::StudyRead read = docs::readStudyFile(docs::decodeFileName(QByteArray::fromStdString(*file)));
        if (!read.study) {
            session.message(read.message.toStdString());
            return std::nullopt;
        }
        record = read.study->record;
        session.study.setResults(read.study->results);
        warnReplaced(read.replaced);
    } else if (const auto file = args.value("--settings")) {
        const QString path = docs::decodeFileName(QByteArray::fromStdString(*file));
        const docs::SettingsRead read = docs::readSettingsFile(path, /*keepBadCopy=*/false);
        if (read.record)
            record = *read.record;
        else
            err << "warning: " << docs::displayFileName(path).toStdString() << ": " << read.problem.toStdString()
                << "; using the defaults\n";
        warnReplaced(read.replaced);
    }
    record::FieldTexts texts = record::fieldTexts(record);
    applyFieldOptions(args, texts);
    session.study.setConstants(record.constants);
    for (const std::string& c : args.all("--constant"))
        if (session.study.addConstant(c) == engine::UserConstants::AddResult::Ignored)
            err << "warning: " << c
                << ": not a constant (name=value, the name a letter then letters or digits); ignored\n";
    return texts;
}

bool functionAccepted(const record::FieldTexts& texts, std::ostream& err)
{
    if (record::equationAccepted(texts.equation))
        return true;
    err << "the function is empty\n" << usageText();
    return false;
}

}  // namespace tessaly::cli
