#pragma once

#include <QImage>
#include <QString>

#include <optional>

#include "docs/studyfile.h"
#include "record/studyformat.h"

class QMenu;
class QWidget;

namespace tessaly::app {

class Dialogs;
class Prompter;
class WindowState;

// The main window's study file: its name, the study as that file holds it
// since it was last opened or saved, the commands that open and save it, and
// the question before a changed study is replaced. An opened or saved study
// heads the recent studies.
class StudyFiles {
public:
    // What the window gives: the study it holds, and how it shows one read from a file.
    class Host {
    public:
        // The study the fields and the session hold now, as a file keeps it.
        virtual record::SettingsItems studyItems() const = 0;
        virtual record::StudyResults studyResults() const = 0;
        // That study's graph for the bitmap beside its file; nothing when it cannot be drawn.
        virtual std::optional<QImage> studyGraph() = 0;
        // Shows a study read from a file: fields, constants (each run), results, graph.
        virtual void showStudy(const docs::StudyFile& study) = 0;
        // The file's name or the study's changed mark may have changed.
        virtual void studyFileChanged() = 0;

    protected:
        ~Host() = default;
    };

    // recentMenu is the recent studies' menu, filled again when the list changes.
    StudyFiles(QWidget& window, QMenu& recentMenu, Host& host, Prompter& prompter, Dialogs& dialogs,
               WindowState& state);

    // The file Save writes to; empty until a study is opened or saved.
    const QString& path() const { return m_path; }
    // Where the file dialogs start: the study's folder, else the home folder.
    QString folder() const;
    // Whether the study differs from its file: the fields' values, the constants
    // or the results a study file keeps.
    bool modified() const;
    // "NAME — Tessaly" ("NAME* — Tessaly" when changed), or "Tessaly" without a file.
    QString title() const;

    // Opens a study file: shown by the host, then it is the study's file. A file
    // that cannot be read or is not a study is told and changes nothing, the
    // study's file name included. Returns whether the study was opened.
    bool open(const QString& path);
    // Saves the study (and beside it the graph of that study as a bitmap); on
    // success the file becomes the study's file. A failure is told and changes
    // nothing.
    bool save(const QString& path);

    // Open asks for a file; Save writes to the study's file (asking for one the
    // first time); Save As always asks. A cancelled Open or Save As leaves no
    // study file name, so the next Save asks.
    void openChosen();
    void saveToFile();
    void saveAs();
    // Opens a file named otherwise (a recent study, a dropped file) once a changed
    // study is saved or discarded.
    void openReplacing(const QString& path);
    // A changed study with a file asks "Save changes to NAME?": true to go on
    // (saved, or discarded), false when the user cancels or the save fails.
    bool maybeSaveChanges();

    // The recent studies' menu: an entry each (a missing file greyed), then
    // "Remove missing studies" and "Clear list".
    void fillRecentMenu();

private:
    void forget();
    void markSaved();
    void remember(const QString& path);

    QWidget& m_window;
    QMenu& m_recentMenu;
    Host& m_host;
    Prompter& m_prompter;
    Dialogs& m_dialogs;
    WindowState& m_state;
    QString m_path;
    // The study as its file holds it, since the last open or save.
    record::SettingsItems m_savedItems;
    record::StudyResults m_savedResults;
};

}  // namespace tessaly::app
