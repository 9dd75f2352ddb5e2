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

// The dialogs' file filter.
inline const QString kStudyFilter = QStringLiteral("Study files (*.txt);;All files (*)");

// The real dialogs: "Open" and "Save As" for study files (default suffix txt; Save
// As asks before replacing a file), and the platform's print dialog.
class QtDialogs final : public Dialogs {
public:
    QString openFileName(QWidget* parent, const QString& startFolder) override;
    QString saveFileName(QWidget* parent, const QString& startFolder) override;
    bool setUpPrinter(QWidget* parent, QPrinter& printer) override;
};

}  // namespace tessaly::app
