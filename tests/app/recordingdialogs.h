#pragma once

#include <QPrinter>
#include <QStringList>

#include <optional>

#include "app/dialogs.h"
#include "common/numbertext.h"

namespace tessaly::app::testing {

// Answers the file and printer dialogs at once and remembers what was asked.
class RecordingDialogs final : public Dialogs {
public:
    QStringList asked;                        // "Open FOLDER", "Save As FOLDER", "Print", "Export FOLDER WxH"
    QString fileAnswer;                       // the path chosen; empty cancels
    QString printTo;                          // the PDF file the printer writes; empty cancels
    std::optional<GraphExport> exportAnswer;  // nothing cancels

    QString openFileName(QWidget*, const QString& startFolder) override
    {
        asked << QStringLiteral("Open ") + startFolder;
        return fileAnswer;
    }
    QString saveFileName(QWidget*, const QString& startFolder) override
    {
        asked << QStringLiteral("Save As ") + startFolder;
        return fileAnswer;
    }
    bool setUpPrinter(QWidget*, QPrinter& printer) override
    {
        asked << QStringLiteral("Print");
        if (printTo.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        return true;
    }
    std::optional<GraphExport> exportGraphFile(QWidget*, const QString& startFolder, QSize pictureSize) override
    {
        asked << QStringLiteral("Export %1 %2x%3")
                     .arg(startFolder, QString::fromStdString(common::numberText(pictureSize.width())),
                          QString::fromStdString(common::numberText(pictureSize.height())));
        return exportAnswer;
    }
};

}  // namespace tessaly::app::testing
