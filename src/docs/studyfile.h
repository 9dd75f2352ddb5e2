#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "docs/settingsfile.h"
#include "record/studyformat.h"

namespace tessaly::docs {

using record::StudyFile;
using record::StudyResults;

// Reads a study file whole. On failure, message is what the user is told:
// "Cannot open PATH: REASON" when the file cannot be read, "Incompatible file"
// and on a second line why, when what it holds is not a study. An opened study
// names the items that took their defaults (see replacedMessage).
struct StudyRead {
    std::optional<StudyFile> study;
    QString message;
    std::vector<std::string> replaced;
};
StudyRead readStudyFile(const QString& path);

// The graph's bitmap beside a study: PATH.bmp.
QString bitmapPathFor(const QString& studyPath);

// Saves a study: the old bitmap beside it is removed first, then the study is
// written, then the graph as a 24-bit bitmap when one is given; each file whole
// or not at all, so a study never lies beside another study's picture. Returns
// nothing when done, or the
// message for the user: "The value of NAME is out of range; the study was not
// saved." (nothing written), or "Could not save PATH: REASON".
std::optional<QString> saveStudy(const QString& path, const SettingsItems& items, const StudyResults& results,
                                 const QImage* graph);

// Writes an image file (BMP as 24 bits, or PNG, by the suffix given) whole or not
// at all; false with the reason on failure.
bool writeImageFile(const QString& path, const QImage& image, const char* format, QString* reason);

}  // namespace tessaly::docs
