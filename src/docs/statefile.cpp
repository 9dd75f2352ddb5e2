#include "docs/statefile.h"

#include <QFileInfo>

#include "docs/textfile.h"

namespace tessaly::docs {

QString StateFile::besideSettings(const QString& settingsPath)
{
    return QFileInfo(settingsPath).path() + QStringLiteral("/tessaly.state");
}

void StateFile::load(const QString& path)
{
    m_path = path;
    m_values.clear();
    const TextFileRead file = readTextFile(path);
    if (!file.text)
        return;
    std::string_view text = *file.text;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        if (const std::size_t eq = line.find('='); eq != std::string_view::npos && eq > 0)
            m_values[std::string(line.substr(0, eq))] = std::string(line.substr(eq + 1));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

std::optional<std::string> StateFile::value(std::string_view key) const
{
    const auto it = m_values.find(key);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

bool StateFile::save(QString* reason) const
{
    std::string text;
    for (const auto& [key, value] : m_values)
        text += key + "=" + value + "\n";
    return writeFileAtomically(m_path, text, reason, FolderPolicy::Create);
}

}  // namespace tessaly::docs
