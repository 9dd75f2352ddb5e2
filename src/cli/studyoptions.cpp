#include "cli/studyoptions.h"

#include <QString>

#include "cli/session.h"
#include "docs/settingsfile.h"
#include "docs/studyrecord.h"
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

// The study fields' texts as the window shows a record.
numeric::StudyTexts textsOf(const docs::StudyRecord& record)
{
    const docs::RecordTexts shown = docs::fieldTexts(record);
    numeric::StudyTexts t;
    t.equation = shown.equation;
    t.lower = shown.numbers[0];
    t.upper = shown.numbers[1];
    t.subintervals = shown.numbers[2];
    t.errorBound = shown.numbers[3];
    t.maxIterations = shown.numbers[4];
    return t;
}

}  // namespace

std::vector<KnownOption> studyOptions()
{
    std::vector<KnownOption> options;
    for (const auto& f : kFields)
        options.push_back({f.option, false});
    options.push_back({"--constant", true});
    options.push_back({"--settings", false});
    return options;
}

Study studyFrom(const ParsedArgs& args, Session& session, std::ostream& err)
{
    docs::StudyRecord record;
    if (const auto file = args.value("--settings")) {
        const QString path = QString::fromStdString(*file);
        const docs::SettingsRead read = docs::readSettingsFile(path, /*keepBadCopy=*/false);
        if (read.record)
            record = *read.record;
        else
            err << "warning: " << *file << ": " << read.problem.toStdString() << "; using the defaults\n";
    }
    Study study;
    study.texts = textsOf(record);
    study.constants.assign(record.constants);
    for (const auto& f : kFields)
        if (const auto v = args.value(f.option))
            study.texts.*f.field = *v;
    for (const std::string& c : args.all("--constant")) {
        switch (study.constants.add(c)) {
        case engine::UserConstants::AddResult::Added: break;
        case engine::UserConstants::AddResult::Ignored:
            err << "warning: " << c << ": not a constant (name=value, the name a letter then letters or digits); ignored\n";
            break;
        case engine::UserConstants::AddResult::Full: session.message("At most 101 user constants can be added."); break;
        }
    }
    return study;
}

std::int32_t readStudy(Study& study, Session& session, numeric::StudyInputs& in)
{
    if (const auto e = study.constants.execute(session.engine))
        return engine::trappedError(e, session.object);
    return numeric::readStudyInputs(study.texts, in);
}

}  // namespace tessaly::cli
