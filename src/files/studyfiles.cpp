#include "files/studyfiles.h"

#include <cstdio>

#include "files/textfile.h"

namespace tessaly::files {

StudyRead readStudyFile(const std::string& path)
{
    StudyRead out;
    const TextFileRead file = readTextFile(path);
    if (!file.text) {
        out.message = file.badContent ? incompatibleMessage(file.problem)
                                      : "Cannot open " + displayName(path) + ": " + file.problem;
        return out;
    }
    record::ParsedStudy parsed = record::parseStudy(*file.text);
    if (!parsed.study) {
        out.message = incompatibleMessage(parsed.problem);
        return out;
    }
    out.study = std::move(parsed.study);
    out.replaced = std::move(parsed.replaced);
    return out;
}

std::string incompatibleMessage(const std::string& problem)
{
    std::string m = record::kIncompatibleFile;
    if (!problem.empty())
        m += "\n" + problem;
    return m;
}

SettingsRead readSettingsFile(const std::string& path, bool keepBadCopy)
{
    SettingsRead out;
    const TextFileRead file = readTextFile(path);
    out.exists = file.exists;
    if (file.text) {
        record::ParsedSettings parsed = record::parseSettings(*file.text);
        if (parsed.record) {
            out.record = std::move(parsed.record);
            out.replaced = std::move(parsed.replaced);
            return out;
        }
        out.problem = parsed.problem;
    } else {
        out.problem = file.problem;
    }
    // A regular file that could not be used is moved aside (never copied: it
    // may be huge), so the next write does not lose it.
    if (keepBadCopy && file.regularFile)
        std::rename(path.c_str(), (path + ".bad").c_str());
    return out;
}

}  // namespace tessaly::files
