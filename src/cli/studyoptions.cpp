#include "cli/studyoptions.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/cli.h"
#include "cli/session.h"
#include "files/studyfiles.h"
#include "files/textfile.h"
#include "record/valuerules.h"

namespace tessaly::cli {

namespace {

// What --help calls an item's value.
std::string_view metaOf(int item)
{
    switch (item) {
    case record::Lower: return "A";
    case record::Upper: return "B";
    case record::Subintervals: return "N";
    case record::ErrorBound: return "E";
    case record::MaxIterations: return "M";
    default: return "T";
    }
}

// The first line of what get() gives byte by byte (EOF at the end), its line
// end removed; false when it holds more than kMaxFunctionLength characters.
template <typename GetByte>
bool readFirstLine(GetByte get, std::string& line)
{
    // A character takes four bytes at the most; one more for a CR.
    constexpr std::size_t kMaxBytes = 4 * kMaxFunctionLength + 1;
    line.clear();
    for (int c = get(); c != EOF && c != '\n'; c = get()) {
        if (line.size() == kMaxBytes)
            return false;
        line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return engine::textLength(line) <= kMaxFunctionLength;
}

std::string tooLong(const std::string& where)
{
    return "the function " + where + " is longer than " + std::to_string(kMaxFunctionLength) + " characters";
}

int cannotRead(std::ostream& err, const std::string& file, int error)
{
    err << "error: cannot read " << file << ": " << (error ? std::strerror(error) : "read error") << "\n";
    return kExitFailed;
}

}  // namespace

std::vector<KnownOption> fieldOptions(bool plot)
{
    const record::FieldTexts& defaults = record::defaultTexts();
    std::vector<KnownOption> options;
    if (!plot)
        options.push_back({"--function", false, OptionValue::Text, "F",
                           "the function f(x); - reads it from standard input", defaults.equation});
    for (int i = 0; i < record::kNumberItemCount; ++i) {
        const record::NumberItem& item = record::kNumberItems[i];
        if ((item.studyLine == 3) == plot)
            options.push_back({item.option, false, OptionValue::Number, metaOf(i), item.name,
                               defaults.numbers[static_cast<std::size_t>(i)]});
    }
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
    options.insert(options.begin() + 1, {"--function-file", false, OptionValue::Text, "FILE",
                                         "reads the function from the first line of FILE"});
    options.push_back({"--constant", true, OptionValue::Text, "a=2.37",
                       "a user constant, added as the Add button adds it (repeatable)"});
    options.push_back({"--study", false, OptionValue::Text, "FILE", "starts from a saved study"});
    options.push_back({"--settings", false, OptionValue::Text, "FILE", "starts from a settings file (tessaly.ini)"});
    return options;
}

std::optional<int> readStudyInputs(ParsedArgs& args, std::istream& in, std::ostream& err)
{
    if (args.value("--study") && args.value("--settings"))
        return usageError(err, "--study and --settings cannot be given together");
    const auto function = args.value("--function");
    const auto file = args.value("--function-file");
    if (function && file)
        return usageError(err, "--function and --function-file cannot be given together");
    std::string line;
    if (file) {
        errno = 0;
        std::FILE* f = std::fopen(file->c_str(), "rb");
        if (!f)
            return cannotRead(err, *file, errno);
        const bool fits = readFirstLine([f] { return std::getc(f); }, line);
        const int error = std::ferror(f) ? errno : 0;
        std::fclose(f);
        if (error)
            return cannotRead(err, *file, error);
        if (!fits)
            return usageError(err, tooLong("in " + *file));
    } else if (function == "-") {
        if (!readFirstLine([&in] { return in.get(); }, line))
            return usageError(err, tooLong("on standard input"));
        if (in.bad())
            return cannotRead(err, "standard input", errno);
    } else {
        return std::nullopt;
    }
    args.values.erase("--function-file");
    args.values["--function"] = {line};
    return std::nullopt;
}

std::optional<record::FieldTexts> studyFrom(const ParsedArgs& args, Session& session)
{
    for (const std::string& warning : args.warnings)
        session.warning(warning);
    record::StudyRecord record;
    auto warnReplaced = [&session](const std::vector<std::string>& replaced) {
        if (!replaced.empty())
            session.warning(record::replacedMessage(replaced));
    };
    if (const auto file = args.value("--study")) {
        const files::StudyRead read = files::readStudyFile(*file);
        if (!read.study) {
            session.message(read.message);
            return std::nullopt;
        }
        record = read.study->record;
        session.study.setResults(read.study->results);
        warnReplaced(read.replaced);
    } else if (const auto file = args.value("--settings")) {
        const files::SettingsRead read = files::readSettingsFile(*file, /*keepBadCopy=*/false);
        if (read.record)
            record = *read.record;
        else
            session.warning(files::displayName(*file) + ": " + read.problem + "; using the defaults");
        warnReplaced(read.replaced);
    }
    record::FieldTexts texts = record::fieldTexts(record);
    applyFieldOptions(args, texts);
    session.study.setConstants(record.constants);
    for (const std::string& c : args.all("--constant"))
        if (session.study.addConstant(c) == engine::UserConstants::AddResult::Ignored)
            session.warning(c + ": not a constant (name=value, the name a letter then letters or digits); ignored");
    return texts;
}

bool functionAccepted(const record::FieldTexts& texts, std::ostream& err)
{
    if (record::equationAccepted(texts.equation))
        return true;
    usageError(err, "the function is empty");
    return false;
}

}  // namespace tessaly::cli
