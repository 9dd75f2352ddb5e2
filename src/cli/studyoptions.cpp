#include "cli/studyoptions.h"

#include <QString>

#include "cli/cli.h"
#include "cli/session.h"
#include "docs/filename.h"
#include "docs/settingsfile.h"
#include "docs/studyrecord.h"
#include "docs/valuerules.h"
#include "engine/evaluation.h"

namespace tessaly::cli {
namespace {

struct StudyField {
    const char* option;
    std::string numeric::StudyTexts::*field;
};

constexpr StudyField kFields[] = {
    {"--function", &numeric::StudyTexts::equation},   {"--lower", &numeric::StudyTexts::lower},
    {"--upper", &numeric::StudyTexts::upper},         {"--subintervals", &numeric::StudyTexts::subintervals},
    {"--error", &numeric::StudyTexts::errorBound},    {"--iterations", &numeric::StudyTexts::maxIterations},
};

// The fields' texts as the window shows a record.
void showRecord(const docs::StudyRecord& record, Study& study)
{
    const docs::RecordTexts shown = docs::fieldTexts(record);
    numeric::StudyTexts& t = study.texts;
    t.equation = shown.equation;
    t.lower = shown.numbers[0];
    t.upper = shown.numbers[1];
    t.subintervals = shown.numbers[2];
    t.errorBound = shown.numbers[3];
    t.maxIterations = shown.numbers[4];
    plot::PlotTexts& p = study.plot;
    p.windowLx = shown.numbers[5];
    p.windowGx = shown.numbers[6];
    p.windowLy = shown.numbers[7];
    p.windowGy = shown.numbers[8];
    p.plotStep = shown.numbers[9];
    p.originX = shown.numbers[10];
    p.originY = shown.numbers[11];
    p.divisionX = shown.numbers[12];
    p.divisionY = shown.numbers[13];
    study.constants.assign(record.constants);
}

}  // namespace

std::vector<KnownOption> studyOptions()
{
    std::vector<KnownOption> options;
    for (const auto& f : kFields)
        options.push_back({f.option, false});
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

std::optional<Study> studyFrom(const ParsedArgs& args, Session& session, std::ostream& err)
{
    Study study;
    docs::StudyRecord record;
    if (const auto file = args.value("--study")) {
        const docs::StudyRead read = docs::readStudyFile(docs::decodeFileName(QByteArray::fromStdString(*file)));
        if (!read.study) {
            session.message(read.message.toStdString());
            return std::nullopt;
        }
        record = read.study->record;
        study.results = read.study->results;
        if (!read.replaced.empty())
            err << "warning: " << docs::replacedMessage(read.replaced) << "\n";
    } else if (const auto file = args.value("--settings")) {
        const QString path = docs::decodeFileName(QByteArray::fromStdString(*file));
        const docs::SettingsRead read = docs::readSettingsFile(path, /*keepBadCopy=*/false);
        if (read.record)
            record = *read.record;
        else
            err << "warning: " << docs::displayFileName(path).toStdString() << ": " << read.problem.toStdString()
                << "; using the defaults\n";
        if (!read.replaced.empty())
            err << "warning: " << docs::replacedMessage(read.replaced) << "\n";
    }
    showRecord(record, study);
    for (const auto& f : kFields)
        if (const auto v = args.value(f.option))
            study.texts.*f.field = *v;
    for (const std::string& c : args.all("--constant")) {
        engine::ScriptError refusal;
        switch (study.constants.add(c, session.engine, refusal)) {
        case engine::UserConstants::AddResult::Added: break;
        case engine::UserConstants::AddResult::Refused: session.message(engine::errorMessage(refusal)); break;
        case engine::UserConstants::AddResult::Ignored:
            err << "warning: " << c << ": not a constant (name=value, the name a letter then letters or digits); ignored\n";
            break;
        case engine::UserConstants::AddResult::Full: session.message("At most 101 user constants can be added."); break;
        }
    }
    return study;
}

bool functionAccepted(const Study& study, std::ostream& err)
{
    if (docs::equationAccepted(study.texts.equation))
        return true;
    err << "the function is empty\n" << usageText();
    return false;
}

std::int32_t readStudy(Study& study, Session& session, numeric::StudyInputs& in)
{
    if (const auto e = session.runConstants(study.constants))
        return engine::trappedError(e, session.object);
    return numeric::readStudyInputs(study.texts, in);
}

}  // namespace tessaly::cli
