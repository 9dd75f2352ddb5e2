#pragma once

#include <QString>

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
};

// The dialogs' file filters: a study is saved as a Tessaly study (.tsy, which a
// file manager opens with Tessaly) or, second, as a text study (.txt); both open.
inline const QString kSaveStudyFilter = QStringLiteral("Tessaly study (*.tsy);;Text study (*.txt)");
inline const QString kOpenStudyFilter =
    QStringLiteral("Studies (*.tsy *.txt);;Tessaly study (*.tsy);;Text study (*.txt);;All files (*)");

// The suffix a name without one gets under a filter: "tsy" for "Tessaly study
// (*.tsy)", and the like; the first pattern of the filter.
QString defaultSuffixOf(const QString& filter);

// The real dialogs: "Open" and "Save As" for study files (Save As adds the
// chosen filter's suffix to a name without one and asks before replacing a
// file), and the platform's print dialog.
class QtDialogs final : public Dialogs {
public:
    QString openFileName(QWidget* parent, const QString& startFolder) override;
    QString saveFileName(QWidget* parent, const QString& startFolder) override;
    bool setUpPrinter(QWidget* parent, QPrinter& printer) override;
};

}  // namespace tessaly::app
