#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QMenu;
class QMimeData;
class QWidget;

class QPrinter;

namespace tessaly::docs {
class RecentStudies;
struct ReportInput;
}  // namespace tessaly::docs

namespace tessaly::app {

// Shows a window of the program's own, raising it when it is open already.
void showRaised(QWidget* w);

// Shows a command's rows in its list and its label, when it wrote one.
void showRows(QListWidget* list, const std::vector<std::string>& rows, QLabel* label,
              const std::optional<std::string>& text);

// Keeps an Alt+key that no mnemonic or shortcut took from typing into a field.
class NoAltTyping final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// A file name as a menu or title shows it: the home folder as "~".
QString shownPath(const QString& path);

// The first local file among dropped data, or nothing.
QString firstLocalFile(const QMimeData* data);

// A study file's name as the title and the questions about it show it.
QString studyDisplayName(const QString& studyFile);

// The main window's title: "NAME — Tessaly" ("NAME* — Tessaly" when the study
// changed since its file was opened or saved), or "Tessaly" without a file.
QString studyWindowTitle(const QString& studyFile, bool modified);

// Fills the recent studies' menu: an entry each (a missing file greyed), then
// "Remove missing studies" and "Clear list". Choosing an entry calls open with
// its path; a change of the list itself calls changed (to keep it) and fills
// the menu again.
void fillRecentMenu(QMenu& menu, docs::RecentStudies& recent, std::function<void(const QString&)> open,
                    std::function<void()> changed);

// Prints the report on a printer set up by its dialog: to its PDF file (whole
// or not at all) when it prints to one, else on the printer, the job aborted
// on a failure. False with the reason when nothing was printed.
bool printReport(QPrinter& printer, const docs::ReportInput& in, QString* reason);

}  // namespace tessaly::app
