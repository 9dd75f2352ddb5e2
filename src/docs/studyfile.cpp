#include "docs/studyfile.h"

#include "docs/filename.h"
#include "docs/graphfile.h"
#include "docs/textfile.h"
#include "files/studyfiles.h"

namespace tessaly::docs {

StudyRead readStudyFile(const QString& path)
{
    files::StudyRead read = files::readStudyFile(encodeFileName(path).toStdString());
    return {std::move(read.study), QString::fromStdString(read.message), std::move(read.replaced)};
}

QString bitmapPathFor(const QString& studyPath) { return studyPath + QStringLiteral(".bmp"); }

bool writeImageFile(const QString& path, const QImage& image, const char* format, QString* reason)
{
    const auto bytes = imageFileBytes(image, format, reason);
    return bytes && writeFileAtomically(path, bytes->toStdString(), reason);
}

std::optional<QString> saveStudy(const QString& path, const SettingsItems& items, const StudyResults& results,
                                 const QImage* graph)
{
    if (const auto i = record::unwritableItem(items))
        return QStringLiteral("The value of %1 is out of range; the study was not saved.")
            .arg(QString::fromStdString(record::itemName(*i)));
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
    if (!writeFileAtomically(path, record::formatStudy(items, results), &reason))
        return couldNotSave(path);
    if (graph && !writeImageFile(bitmap, *graph, "bmp", &reason))
        return couldNotSave(bitmap);
    return std::nullopt;
}

}  // namespace tessaly::docs
