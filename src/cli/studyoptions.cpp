#include "cli/studyoptions.h"

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

}  // namespace

std::vector<KnownOption> studyOptions()
{
    std::vector<KnownOption> options;
    for (const auto& f : kFields)
        options.push_back({f.option, false});
    return options;
}

numeric::StudyTexts studyTexts(const ParsedArgs& args)
{
    numeric::StudyTexts texts;
    for (const auto& f : kFields)
        if (const auto v = args.value(f.option))
            texts.*f.field = *v;
    return texts;
}

}  // namespace tessaly::cli
