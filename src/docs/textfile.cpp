#include "docs/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "docs/itemreader.h"

namespace tessaly::docs {

TextFileRead readTextFile(const QString& path)
{
    TextFileRead out;
    const QFileInfo info(path);
    out.exists = info.exists() || info.isSymLink();
    if (!info.exists()) {
        out.problem = QStringLiteral("No such file or directory");
        return out;
    }
    if (!info.isFile()) {
        out.problem = QStringLiteral("not a regular file");
        return out;
    }
    if (info.size() > kMaxFileBytes) {
        out.problem = QStringLiteral("larger than 16 MiB");
        out.badContent = true;
        return out;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.problem = file.errorString();
        return out;
    }
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes) {
        out.problem = QStringLiteral("larger than 16 MiB");
        out.badContent = true;
        return out;
    }
    if (bytes.contains('\0')) {
        out.problem = QStringLiteral("not a text file (it holds a NUL byte)");
        out.badContent = true;
        return out;
    }
    out.text = decodeText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return out;
}

bool writeFileAtomically(const QString& path, const std::string& bytes, QString* reason)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        if (reason)
            *reason = QStringLiteral("cannot create the folder %1").arg(QDir::toNativeSeparators(info.absolutePath()));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.commit()) {
        if (reason)
            *reason = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

}  // namespace tessaly::docs
