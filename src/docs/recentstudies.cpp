#include "docs/recentstudies.h"

#include <QDir>
#include <QFileInfo>

#include <string>

#include "docs/filename.h"
#include "docs/statefile.h"

namespace tessaly::docs {

namespace {

std::string keyOf(int i) { return "recent" + std::to_string(i + 1); }

// Absolute and without "." or ".." steps, so one file is one entry however it
// was named; links are not followed (the name the user chose stays).
QString normalPath(const QString& path)
{
    return path.isEmpty() ? path : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace

void RecentStudies::load(const StateFile& state)
{
    m_paths.clear();
    for (int i = 0; i < kMax; ++i) {
        const auto value = state.value(keyOf(i));
        if (!value || value->empty())
            continue;
        const QString path = decodeFileName(QByteArray::fromPercentEncoding(QByteArray::fromStdString(*value)));
        if (!m_paths.contains(path))
            m_paths.append(path);
    }
}

void RecentStudies::store(StateFile& state) const
{
    for (int i = 0; i < kMax; ++i)
        state.set(keyOf(i),
                  i < m_paths.size() ? encodeFileName(m_paths[i]).toPercentEncoding("/").toStdString() : std::string());
}

void RecentStudies::add(const QString& path)
{
    const QString normal = normalPath(path);
    if (normal.isEmpty())
        return;
    m_paths.removeAll(normal);
    m_paths.prepend(normal);
    while (m_paths.size() > kMax)
        m_paths.removeLast();
}

void RecentStudies::remove(const QString& path) { m_paths.removeAll(normalPath(path)); }

}  // namespace tessaly::docs
