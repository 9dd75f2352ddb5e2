#pragma once

#include <QSize>
#include <QString>

#include <optional>

class QPrinter;
class QWidget;

namespace tessaly::app {

// The file and printer dialogs of the main window. Windows ask through this
// interface, so tests can answer instead of a user.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The study file to open or to save to, starting in the given folder; empty
    // when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& startFolder) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& startFolder) = 0;
    // Lets the user choose and set up the printer; false when the user cancels.
    virtual bool setUpPrinter(QWidget* parent, QPrinter& printer) = 0;

    // The file to export the graph to (its suffix names the format: .png, .svg
    // or .pdf) and, for a PNG image, its size in pixels, offered as the
    // picture's size; nothing when the user cancels.
    struct GraphExport {
        QString path;
        QSize size;
    };
    virtual std::optional<GraphExport> exportGraphFile(QWidget* parent, const QString& startFolder,
                                                       QSize pictureSize) = 0;
};

// The dialogs' file filters: a study is saved as a Tessaly study (.tsy, which a
// file manager opens with Tessaly) or, second, as a text study (.txt); both open.
inline const QString kSaveStudyFilter = QStringLiteral("Tessaly study (*.tsy);;Text study (*.txt)");
inline const QString kOpenStudyFilter =
    QStringLiteral("Studies (*.tsy *.txt);;Tessaly study (*.tsy);;Text study (*.txt);;All files (*)");

// The export dialog's file filter: one entry for each format, PNG first.
inline const QString kGraphFilter = QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)");

// The suffix a name without one gets under a filter: "tsy" for "Tessaly study
// (*.tsy)", and the like; the first pattern of the filter.
QString defaultSuffixOf(const QString& filter);

// The real dialogs: "Open" and "Save As" for study files (Save As adds the
// chosen filter's suffix to a name without one and asks before replacing a
// file), the platform's print dialog, and "Export graph" (the suffix of the
// type chosen added to a name without one; for a PNG image a second dialog
// asks for its width and height).
class QtDialogs final : public Dialogs {
public:
    QString openFileName(QWidget* parent, const QString& startFolder) override;
    QString saveFileName(QWidget* parent, const QString& startFolder) override;
    bool setUpPrinter(QWidget* parent, QPrinter& printer) override;
    std::optional<GraphExport> exportGraphFile(QWidget* parent, const QString& startFolder, QSize pictureSize) override;
};

}  // namespace tessaly::app
