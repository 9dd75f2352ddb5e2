// The main window as a desktop program: keys and mnemonics, the recent studies,
// the title, changed studies on close or open, the window's place, the status line.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include "app/decimalguard.h"
#include "app/dialogs.h"
#include "app/startup.h"
#include "docs/settingsfile.h"
#include "docs/statefile.h"
#include "windowfixture.h"

using tessaly::app::FrmFunctions;
using tessaly::app::Prompter;
using tessaly::app::testing::Window;

namespace {

QAction* action(const Window& win, const char* name) { return win.w->findChild<QAction*>(QString::fromLatin1(name)); }
void menu(const Window& win, const char* entry) { action(win, entry)->trigger(); }
QString status(const Window& win) { return win.find<QLabel>("lblStatus")->text(); }
QString title(const Window& win) { return win.w->windowTitle(); }

void activate(const Window& win)
{
    win.w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(win.w.get()));
}

bool visibleWindow(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return true;
    return false;
}

TEST(Keys, EachShortcutTriggersItsEntryFromAField)
{
    struct Row {
        const char* action;
        QKeyCombination keys;
        QString dialog;  // what the entry asked of the dialogs, if anything
    };
    const Row rows[] = {
        {"mnuOpen", Qt::CTRL | Qt::Key_O, QStringLiteral("Open")},
        {"mnuSave", Qt::CTRL | Qt::Key_S, QStringLiteral("Save As")},  // no file yet: Save asks for one
        {"mnuSaveAs", Qt::CTRL | Qt::SHIFT | Qt::Key_S, QStringLiteral("Save As")},
        {"mnuPrint", Qt::CTRL | Qt::Key_P, QStringLiteral("Print")},
        {"mnuHelp", QKeyCombination(Qt::Key_F1), QString()},
        {"actShowEvaluator", Qt::CTRL | Qt::Key_E, QString()},
        {"mnuQuit", Qt::CTRL | Qt::Key_Q, QString()},
    };
    for (const Row& row : rows) {
        Window win;
        activate(win);
        auto* field = win.find<QLineEdit>("txtEquation");
        field->setFocus();
        const QString typed = field->text();
        QSignalSpy triggered(action(win, row.action), &QAction::triggered);
        QTest::keyClick(field, row.keys.key(), row.keys.keyboardModifiers());
        EXPECT_EQ(triggered.count(), 1) << row.action;
        EXPECT_EQ(field->text(), typed) << row.action << ": nothing typed into the field";
        if (row.dialog.isEmpty()) {
            EXPECT_TRUE(win.dialogs.asked.isEmpty()) << row.action;
        } else {
            EXPECT_TRUE(win.dialogs.asked.value(0).startsWith(row.dialog)) << row.action;
        }
        if (row.action == std::string_view("mnuHelp")) {
            EXPECT_TRUE(visibleWindow("frmHelp"));
        }
        if (row.action == std::string_view("actShowEvaluator")) {
            EXPECT_TRUE(visibleWindow("frmEvaluator"));
        }
        if (row.action == std::string_view("mnuQuit")) {
            EXPECT_FALSE(win.w->isVisible()) << "Quit closes the window";
            EXPECT_FALSE(win.file().isEmpty()) << "and the settings are written as at any close";
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != win.w.get())
                w->close();
    }
}

TEST(Keys, AltWithALetterNeverTypesIntoAField)
{
    struct Row {
        Qt::Key key;
        bool opensFile;
    };
    for (const Row row : {Row{Qt::Key_F, true}, Row{Qt::Key_G, false}, Row{Qt::Key_X, false}}) {
        Window win;
        win.press("cmdRoots");
        activate(win);
        auto* field = win.find<QLineEdit>("txtXlower");
        field->setFocus();
        QTest::keyClick(field, row.key, Qt::AltModifier);
        EXPECT_EQ(field->text(), QStringLiteral("-8")) << row.key;
        EXPECT_EQ(win.rows("lstRoots").size(), 5) << "the results stay";
        auto* file = win.w->findChild<QMenu*>(QStringLiteral("mnuFile"));
        EXPECT_EQ(file->isVisible(), row.opensFile) << "Alt+F opens File";
        file->hide();
    }
}

TEST(Keys, TheButtonsKeepTheirMnemonics)
{
    Window win;
    activate(win);
    win.find<QLineEdit>("txtEquation")->setFocus();
    QTest::keyClick(win.find<QLineEdit>("txtEquation"), Qt::Key_R, Qt::AltModifier);
    // A button's mnemonic clicks it after a short press animation.
    for (int i = 0; i < 100 && win.rows("lstRoots").isEmpty(); ++i)
        QTest::qWait(10);
    EXPECT_EQ(win.rows("lstRoots").size(), 5) << "Alt+R is Roots";
}

class RecentAndTitle : public ::testing::Test {
protected:
    Window win;
    QString path(const char* name) const { return win.folder.filePath(QString::fromLatin1(name)); }
    void saveAs(const char* name)
    {
        win.dialogs.fileAnswer = path(name);
        menu(win, "mnuSaveAs");
    }
    QStringList recentEntries() const
    {
        win.w->mnuRecent_AboutToShow();
        QStringList entries;
        for (QAction* a : win.w->findChild<QMenu*>(QStringLiteral("mnuRecent"))->actions())
            entries << (a->isSeparator() ? QStringLiteral("-") : (a->isEnabled() ? "" : "(off) ") + a->text());
        return entries;
    }
};

TEST_F(RecentAndTitle, TheLastEightOpenedOrSavedLatestFirst)
{
    EXPECT_EQ(recentEntries(),
              (QStringList{"(off) No recent studies", "-", "(off) Remove missing studies", "(off) Clear list"}));
    for (const char* name : {"s1.tsy", "s2.tsy", "s3.tsy", "s4.tsy", "s5.tsy", "s6.tsy", "s7.tsy", "s8.tsy", "s9.tsy"})
        saveAs(name);
    ASSERT_TRUE(win.w->OpenStudy(path("s3.tsy")));
    QStringList expected;
    int k = 0;
    for (const char* name : {"s3.tsy", "s9.tsy", "s8.tsy", "s7.tsy", "s6.tsy", "s5.tsy", "s4.tsy", "s2.tsy"})
        expected << QStringLiteral("&%1 %2").arg(++k).arg(path(name));
    EXPECT_EQ(recentEntries(), (expected + QStringList{"-", "(off) Remove missing studies", "Clear list"}))
        << "s1 fell off; an opened study moves to the top";

    QFile::remove(path("s9.tsy"));
    win.start();  // a later run reads the list from the state file
    expected[1] = QStringLiteral("(off) ") + expected[1];
    EXPECT_EQ(recentEntries(), (expected + QStringList{"-", "Remove missing studies", "Clear list"}))
        << "a missing study is greyed";
    menu(win, "mnuRecentRemoveMissing");
    expected.removeAt(1);
    for (int i = 1; i < expected.size(); ++i)
        expected[i].replace(1, 1, QString::number(i + 1));
    EXPECT_EQ(recentEntries(), (expected + QStringList{"-", "(off) Remove missing studies", "Clear list"}));

    win.w->findChild<QMenu*>(QStringLiteral("mnuRecent"))->actions().value(1)->trigger();
    EXPECT_EQ(win.w->studyFileName(), path("s8.tsy")) << "an entry opens its study";
    menu(win, "mnuRecentClear");
    EXPECT_EQ(recentEntries().value(0), QStringLiteral("(off) No recent studies"));
}

TEST_F(RecentAndTitle, TheTitleNamesTheStudyAndMarksChanges)
{
    EXPECT_EQ(title(win), QStringLiteral("Tessaly"));
    saveAs("cubic.tsy");
    EXPECT_EQ(title(win), QStringLiteral("cubic.tsy \u2014 Tessaly"));
    win.set("txtXlower", QStringLiteral("-7"));
    EXPECT_EQ(title(win), QStringLiteral("cubic.tsy* \u2014 Tessaly"));
    win.set("txtXlower", QStringLiteral("-8"));
    EXPECT_EQ(title(win), QStringLiteral("cubic.tsy \u2014 Tessaly")) << "back as the file holds it";
    win.press("cmdRoots");
    EXPECT_EQ(title(win), QStringLiteral("cubic.tsy* \u2014 Tessaly")) << "the file keeps the roots";
    menu(win, "mnuSave");
    EXPECT_EQ(title(win), QStringLiteral("cubic.tsy \u2014 Tessaly"));
    win.press("cmdDerVal");
    win.press("cmdPlot");
    EXPECT_EQ(title(win), QStringLiteral("cubic.tsy \u2014 Tessaly")) << "neither Value= nor the graph is kept";
    win.add(QStringLiteral("a=2"));
    EXPECT_EQ(title(win), QStringLiteral("cubic.tsy* \u2014 Tessaly")) << "a constant is";
    win.dialogs.fileAnswer.clear();
    menu(win, "mnuSaveAs");
    EXPECT_EQ(title(win), QStringLiteral("Tessaly")) << "a cancelled Save As leaves no file";
}

TEST_F(RecentAndTitle, ClosingAChangedStudyAsksToSaveIt)
{
    struct Row {
        Prompter::Answer answer;
        bool closed;
        const char* lowerInFile;
    };
    for (const Row row : {Row{Prompter::Answer::Save, true, "-7"}, Row{Prompter::Answer::Discard, true, "-8"},
                          Row{Prompter::Answer::Cancel, false, "-8"}}) {
        win.start();
        win.set("txtXlower", QStringLiteral("-8"));
        saveAs("changed.tsy");
        win.set("txtXlower", QStringLiteral("-7"));
        win.prompter.asked.clear();
        win.prompter.answer = row.answer;
        EXPECT_EQ(win.w->close(), row.closed);
        ASSERT_EQ(win.prompter.asked.size(), 1);
        EXPECT_EQ(win.prompter.asked[0].text, QStringLiteral("Save changes to changed.tsy?"));
        EXPECT_EQ(win.prompter.asked[0].buttons, Prompter::Buttons::SaveDiscardCancel);
        EXPECT_EQ(win.prompter.asked[0].icon, Prompter::Icon::Question);
        Window reader;
        ASSERT_TRUE(reader.w->OpenStudy(path("changed.tsy")));
        EXPECT_EQ(reader.text("txtXlower"), QString::fromLatin1(row.lowerInFile));
    }
}

TEST_F(RecentAndTitle, OnlyAChangedStudyWithAFileAsksAndSignalsNeverAsk)
{
    win.set("txtXlower", QStringLiteral("-7"));
    EXPECT_TRUE(win.w->close()) << "no file: the settings file keeps the study";
    win.start();
    saveAs("kept.tsy");
    EXPECT_TRUE(win.w->close()) << "unchanged";
    win.start();
    saveAs("kept.tsy");
    win.set("txtXlower", QStringLiteral("-7"));
    win.prompter.answer = Prompter::Answer::Cancel;
    win.w->closeBySignal();
    EXPECT_FALSE(win.w->isVisible());
    EXPECT_TRUE(win.prompter.asked.isEmpty());
    EXPECT_TRUE(win.file().contains("-7")) << "the settings file holds the change";
}

TEST_F(RecentAndTitle, OpeningAnotherStudyAsksFirstAndCancelKeepsThisOne)
{
    saveAs("first.tsy");
    win.w->SaveStudy(path("second.tsy"));
    win.w->OpenStudy(path("first.tsy"));
    win.set("txtEquation", QStringLiteral("x-5"));
    win.prompter.answer = Prompter::Answer::Cancel;
    win.dialogs.fileAnswer = path("second.tsy");
    menu(win, "mnuOpen");
    EXPECT_TRUE(win.dialogs.asked.filter(QStringLiteral("Open")).isEmpty()) << "no dialog after Cancel";
    win.w->mnuRecent_Click(path("second.tsy"));
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(path("second.tsy"))});
    win.w->Form_DragDrop(&dropped);
    EXPECT_EQ(win.prompter.asked.size(), 3) << "asked by Open, the recent list and a drop";
    EXPECT_EQ(win.text("txtEquation"), QStringLiteral("x-5"));
    EXPECT_EQ(win.w->studyFileName(), path("first.tsy"));
    win.prompter.answer = Prompter::Answer::Discard;
    menu(win, "mnuOpen");
    EXPECT_EQ(win.w->studyFileName(), path("second.tsy"));
}

TEST(WindowPlace, SizeAndPlaceComeBackOnAScreenThatExists)
{
    Window win;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    win.w->move(screen.topLeft() + QPoint(37, 23));
    win.w->resize(win.w->width() + 31, win.w->height() + 17);
    const QRect before = win.w->geometry();
    win.w->close();
    win.start();
    EXPECT_EQ(win.w->geometry(), before);

    win.w->move(screen.right() + 4000, screen.bottom() + 3000);  // a screen since unplugged
    win.w->close();
    win.start();
    EXPECT_TRUE(screen.intersects(win.w->frameGeometry())) << "brought back onto the screen";
}

TEST(StatusLine, SaysWhyAPlotOrCommandDidNothingUntilTheNext)
{
    struct Row {
        const char* field;
        const char* text;
        const char* button;
        const char* status;
    };
    const Row rows[] = {
        {"txtPlotStep", "81", "cmdPlot", "Plot step must be a whole number from 1 to 80"},
        {"txtPlotStep", "0", "cmdPlot", "Plot step must be a whole number from 1 to 80"},
        {"txtWindowgx", "-20", "cmdPlot", "The lower window limit must be below the upper one"},
        {"txtWindowgy", "-16", "cmdPlot", "The lower window limit must be below the upper one"},
        {"txtDerNum", "34", "cmdDerVal", "Derivative order must be from 0 to 33"},
        {"txtDerNum", "-1", "cmdDerVal", "Derivative order must be from 0 to 33"},
    };
    for (const Row& row : rows) {
        Window win;
        win.setQuietly(row.field, QString::fromLatin1(row.text));
        win.press(row.button);
        EXPECT_EQ(status(win), QString::fromLatin1(row.status)) << row.field << " " << row.text;
        EXPECT_TRUE(win.prompter.asked.isEmpty()) << "a status line, never a box";
        win.setQuietly(row.field, QStringLiteral("1"));
        win.press("cmdRoots");
        EXPECT_EQ(status(win), QString()) << "cleared by the next command";
    }
}

TEST(StatusLine, ZoomLimitReached)
{
    Window win;
    win.set("txtWindowlx", QStringLiteral("1"));
    win.set("txtWindowgx", QStringLiteral("1.0000002"));
    win.press("cmdZoomIn");
    EXPECT_EQ(status(win), QStringLiteral("Zoom limit reached"));
    win.press("cmdZoomOut");
    EXPECT_EQ(status(win), QString());
}

TEST(StudyFileType, SavedAsTessalyStudiesFirstAndOpenedEitherWay)
{
    using tessaly::app::defaultSuffixOf;
    EXPECT_TRUE(tessaly::app::kSaveStudyFilter.startsWith(QStringLiteral("Tessaly study (*.tsy);;Text study (*.txt)")));
    EXPECT_TRUE(tessaly::app::kOpenStudyFilter.startsWith(QStringLiteral("Studies (*.tsy *.txt)")));
    EXPECT_EQ(defaultSuffixOf(QStringLiteral("Tessaly study (*.tsy)")), QStringLiteral("tsy"));
    EXPECT_EQ(defaultSuffixOf(QStringLiteral("Text study (*.txt)")), QStringLiteral("txt"));
    EXPECT_EQ(defaultSuffixOf(QStringLiteral("All files (*)")), QString());
}

TEST(DecimalChoice, DontAskAgainIsKeptBesideTheSettings)
{
    tessaly::app::testing::RecordingPrompter prompter;
    prompter.answer = Prompter::Answer::Yes;
    prompter.check = true;
    tessaly::app::ProgramSeams seams;
    seams.prompter = &prompter;
    seams.decimalSeparator = QStringLiteral(",");
    const QString statePath = tessaly::docs::StateFile::besideSettings(tessaly::docs::settingsFilePath());
    for (int run = 0; run < 2; ++run) {
        // Closes the program's window once it runs, and ends its loop.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (qobject_cast<FrmFunctions*>(w) && w->isVisible())
                    w->close();
            QApplication::quit();
        });
        closer.start(50);
        char name[] = "tessaly";
        char* argv[] = {name, nullptr};
        EXPECT_EQ(tessaly::app::runProgram(1, argv, seams), 0);
        EXPECT_EQ(prompter.checkedAsked.size(), 1) << "asked at the first start only";
        tessaly::docs::StateFile state;
        state.load(statePath);
        EXPECT_TRUE(state.flag(tessaly::app::kDecimalPointAlways));
    }
    QFile::remove(statePath);
    QFile::remove(tessaly::docs::settingsFilePath());
    QLocale::setDefault(QLocale::c());
}

}  // namespace
