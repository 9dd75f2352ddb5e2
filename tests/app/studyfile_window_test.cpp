// Study files in the window: Save, Save As, Open, dropped files and the study
// named on the command line.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "app/pictureview.h"
#include "app/startup.h"
#include "docs/filename.h"
#include "windowfixture.h"

using tessaly::app::PictureView;
using tessaly::app::Prompter;
using tessaly::app::testing::Window;

namespace {

void menu(const Window& win, const char* entry) { win.w->findChild<QAction*>(QString::fromLatin1(entry))->trigger(); }
QString label(const Window& win, const char* name) { return win.find<QLabel>(name)->text(); }

constexpr const char* kFields[] = {"txtEquation", "txtXlower",   "txtXupper",   "txtSubintervals", "txtError",
                                   "txtMaxcy",    "txtWindowlx", "txtWindowgx", "txtWindowly",     "txtWindowgy",
                                   "txtPlotStep", "txtXorigin",  "txtYorigin",  "txtDivx",         "txtDivy"};

// What the user sees of a study: the fields, the constants, the lists and labels.
QStringList shown(const Window& win)
{
    QStringList s;
    for (const char* f : kFields)
        s << win.text(f);
    s << win.listed() << QStringLiteral("|") << win.rows("lstRoots") << QStringLiteral("|") << win.rows("lstExtrema");
    for (const char* l : {"lblRoots", "lblExtrema", "lblIntegral"})
        s << label(win, l);
    return s;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class StudyWindow : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(StudyWindow, ASavedStudyOpensAsItWasSaved)
{
    Window win;
    win.set("txtEquation", QStringLiteral("x*(x-a)*(x+3)"));
    win.add(QStringLiteral("a=2"));
    win.set("txtXlower", QStringLiteral("-5"));
    win.set("txtXupper", QStringLiteral("5"));
    win.set("txtWindowlx", QStringLiteral("-6.5"));
    for (const char* command : {"cmdRoots", "cmdExtrema", "cmdIntegrate", "cmdPlot"})
        win.press(command);
    ASSERT_EQ(win.rows("lstRoots").size(), 3);
    ASSERT_EQ(win.rows("lstExtrema").size(), 2);
    ASSERT_TRUE(win.w->graphCurrent());

    win.dialogs.fileAnswer = path(QStringLiteral("cubic.txt"));
    menu(win, "mnuSaveAs");
    EXPECT_EQ(win.w->studyFileName(), path(QStringLiteral("cubic.txt")));
    EXPECT_TRUE(win.prompter.asked.isEmpty()) << win.prompter.texts().join(QLatin1Char('\n')).toStdString();
    const QImage bitmap(path(QStringLiteral("cubic.txt.bmp")));
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_EQ(bitmap.convertToFormat(QImage::Format_RGB32), win.find<PictureView>("Picture1")->image());

    Window other;
    other.dialogs.fileAnswer = path(QStringLiteral("cubic.txt"));
    menu(other, "mnuOpen");
    EXPECT_EQ(other.w->studyFileName(), path(QStringLiteral("cubic.txt")));
    // After an open, the minima come first; this cubic has one of each.
    QStringList extrema = win.rows("lstExtrema");
    std::sort(extrema.begin(), extrema.end(),
              [](const QString& a, const QString& b) { return a.startsWith("MIN") > b.startsWith("MIN"); });
    QStringList expected = shown(win);
    const int from = static_cast<int>(expected.lastIndexOf(QStringLiteral("|"))) + 1;
    for (int k = 0; k < extrema.size(); ++k)
        expected[from + k] = extrema[k];
    EXPECT_EQ(shown(other), expected);
    EXPECT_TRUE(other.w->graphCurrent()) << "Open plots";
    EXPECT_EQ(other.find<PictureView>("Picture1")->image(), win.find<PictureView>("Picture1")->image());
    EXPECT_EQ(other.w->session().results().roots.size(), 3);
    EXPECT_TRUE(other.w->session().results().integralValid);
    EXPECT_TRUE(other.prompter.asked.isEmpty());
}

TEST_F(StudyWindow, SaveAsksOnlyTheFirstTimeAndSaveAsAlways)
{
    Window win;
    win.dialogs.fileAnswer = path(QStringLiteral("a.txt"));
    menu(win, "mnuSave");
    EXPECT_EQ(win.dialogs.asked, QStringList{QStringLiteral("Save As ") + QDir::homePath()});

    win.dialogs.fileAnswer = path(QStringLiteral("b.txt"));
    win.set("txtXupper", QStringLiteral("7"));
    menu(win, "mnuSave");
    EXPECT_EQ(win.dialogs.asked.size(), 1) << "saved to a.txt without asking";
    EXPECT_TRUE(readFile(path(QStringLiteral("a.txt"))).contains(",-8,7,256,"));

    menu(win, "mnuSaveAs");
    EXPECT_EQ(win.dialogs.asked.last(), QStringLiteral("Save As ") + dir.path()) << "starts in the study's folder";
    EXPECT_EQ(win.w->studyFileName(), path(QStringLiteral("b.txt")));

    // A cancelled Save As leaves no name: the next Save asks again.
    win.dialogs.fileAnswer.clear();
    menu(win, "mnuSaveAs");
    EXPECT_TRUE(win.w->studyFileName().isEmpty());
    menu(win, "mnuSave");
    EXPECT_EQ(win.dialogs.asked.size(), 4);
    EXPECT_TRUE(win.prompter.asked.isEmpty());
}

TEST_F(StudyWindow, TheBitmapBesideAStudyAlwaysShowsThatStudy)
{
    Window win;
    auto picture = [&] { return win.find<PictureView>("Picture1")->image(); };
    auto bitmap = [&] { return QImage(path(QStringLiteral("s.txt.bmp"))).convertToFormat(QImage::Format_RGB32); };
    win.press("cmdPlot");
    win.dialogs.fileAnswer = path(QStringLiteral("s.txt"));
    menu(win, "mnuSaveAs");
    EXPECT_EQ(bitmap(), picture());

    // The graph is no longer current: the saved study's graph is drawn off
    // screen for the bitmap, and the window stays as it is.
    win.set("txtWindowgy", QStringLiteral("30"));
    const QImage blank = picture();
    menu(win, "mnuSave");
    EXPECT_EQ(picture(), blank);
    EXPECT_FALSE(win.w->graphCurrent());
    win.press("cmdPlot");
    EXPECT_EQ(bitmap(), picture()) << "the bitmap is the graph Plot then draws";

    // A study whose graph cannot be drawn is saved without one; the old goes.
    win.set("txtPlotStep", QStringLiteral("81"));
    menu(win, "mnuSave");
    EXPECT_TRUE(readFile(path(QStringLiteral("s.txt"))).contains("\r\n-20,20,-15,30,81,"));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("s.txt.bmp"))));
    EXPECT_TRUE(win.prompter.asked.isEmpty());
}

TEST_F(StudyWindow, ARefusedOpenChangesNothing)
{
    Window win;
    win.press("cmdRoots");
    win.dialogs.fileAnswer = path(QStringLiteral("mine.txt"));
    menu(win, "mnuSaveAs");  // saved: opening another asks nothing
    const QStringList before = shown(win);

    writeFile(path(QStringLiteral("notes.txt")), "\"tessaly\"\r\nsome notes\r\n");
    writeFile(path(QStringLiteral("cut.txt")), "\"Tessaly\"\r\n\"x\",-1,1,256,0.01,20,#FALSE#,0,0,0,0\r\n-20,20\r\n");
    struct Row {
        QString file;
        QString message;
    };
    const Row rows[] = {
        {path(QStringLiteral("notes.txt")),
         QStringLiteral("Incompatible file\nline 1: \"tessaly\" is not \"Tessaly\"")},
        {path(QStringLiteral("cut.txt")),
         QStringLiteral("Incompatible file\nline 3: the file ends where a number was expected")},
        {path(QStringLiteral("gone.txt")),
         QStringLiteral("Cannot open %1: No such file or directory").arg(path(QStringLiteral("gone.txt")))},
        {dir.path(), QStringLiteral("Cannot open %1: not a regular file").arg(dir.path())},
    };
    for (const auto& row : rows) {
        win.prompter.asked.clear();
        win.dialogs.fileAnswer = row.file;
        menu(win, "mnuOpen");
        EXPECT_EQ(win.prompter.texts(), QStringList{row.message});
        EXPECT_EQ(win.prompter.asked.value(0).caption, QStringLiteral("Tessaly"));
        EXPECT_EQ(shown(win), before) << row.file.toStdString();
        EXPECT_EQ(win.w->studyFileName(), path(QStringLiteral("mine.txt")))
            << "the next Save does not overwrite the refused file";
    }
    EXPECT_EQ(readFile(path(QStringLiteral("notes.txt"))), "\"tessaly\"\r\nsome notes\r\n");
}

TEST_F(StudyWindow, AFailedOrRefusedSaveKeepsTheStudysFileName)
{
    Window win;
    win.dialogs.fileAnswer = path(QStringLiteral("mine.txt"));
    menu(win, "mnuSave");
    ASSERT_EQ(win.w->studyFileName(), path(QStringLiteral("mine.txt")));

    writeFile(path(QStringLiteral("plain")), "a file");
    win.dialogs.fileAnswer = path(QStringLiteral("plain/study.txt"));
    menu(win, "mnuSaveAs");
    ASSERT_EQ(win.prompter.asked.size(), 1);
    EXPECT_TRUE(win.prompter.asked[0].text.startsWith(
        QStringLiteral("Could not save %1: ").arg(path(QStringLiteral("plain/study.txt")))));
    EXPECT_EQ(win.w->studyFileName(), path(QStringLiteral("mine.txt")));

    const QByteArray saved = readFile(path(QStringLiteral("mine.txt")));
    win.setQuietly("txtSubintervals", QStringLiteral("3000000000"));
    menu(win, "mnuSave");
    EXPECT_EQ(win.prompter.asked.last().text,
              QStringLiteral("The value of # of subintervals is out of range; the study was not saved."));
    EXPECT_EQ(readFile(path(QStringLiteral("mine.txt"))), saved) << "nothing written";
}

TEST_F(StudyWindow, OpeningGoesOnPastAFailingConstantAndAFailingHeight)
{
    writeFile(path(QStringLiteral("log.txt")),
              "\"Tessaly\"\r\n\"Log(x)+a\",-2,2,256,0.01,20,#TRUE#,1,1,1,1\r\n-20,20,-15,15,1,0,0,1,1\r\n"
              "2\r\n\"z=1/0\"\r\n\"a=2\"\r\n0.5\r\n1\r\n1.5\r\n-1\r\n");
    Window win;
    win.dialogs.fileAnswer = path(QStringLiteral("log.txt"));
    menu(win, "mnuOpen");
    EXPECT_EQ(win.listed(), (QStringList{QStringLiteral("z=1/0"), QStringLiteral("a=2")}));
    EXPECT_EQ(win.rows("lstRoots"), QStringList{QStringLiteral("1")});
    EXPECT_EQ(win.rows("lstExtrema"),
              (QStringList{QStringLiteral("MIN: [-1 , error 5]"), QStringLiteral("MAX: [1.5 , 2.40546510810816]")}));
    EXPECT_EQ(label(win, "lblExtrema"), QStringLiteral("1 max. 1 min. 1 possible root(s)."));
    EXPECT_EQ(label(win, "lblIntegral"), QStringLiteral("0.5"));
    EXPECT_EQ(label(win, "lblRoots"), QStringLiteral("1 roots"));
    EXPECT_EQ(win.w->studyFileName(), path(QStringLiteral("log.txt")));
}

TEST_F(StudyWindow, OpeningASecondStudyKeepsOnlyItsConstantsAndThePersistChoice)
{
    Window win;
    win.add(QStringLiteral("b=5"));
    win.find<QCheckBox>("chkPersist")->setChecked(true);
    writeFile(
        path(QStringLiteral("s.txt")),
        "\"Tessaly\"\r\n\"x\",-8,8,256,0.01,20,#FALSE#,0,0,0,0\r\n0.123456789,20,-15,15,1,0,0,1,1\r\n1\r\n\"c=1\"\r\n");
    win.dialogs.fileAnswer = path(QStringLiteral("s.txt"));
    menu(win, "mnuOpen");
    EXPECT_EQ(win.listed(), QStringList{QStringLiteral("c=1")});
    EXPECT_TRUE(win.find<QCheckBox>("chkPersist")->isChecked());
    EXPECT_EQ(win.text("txtWindowlx"), QStringLiteral(".1234568"));
    EXPECT_TRUE(win.rows("lstRoots").isEmpty());
    EXPECT_TRUE(label(win, "lblRoots").isEmpty());
}

TEST_F(StudyWindow, ADroppedLocalFileOpensAndAnythingElseIsIgnored)
{
    const QString name = path(QStringLiteral("my study 100%.txt"));
    writeFile(name, "\"Tessaly\"\r\n\"x*x\",-8,8,256,0.01,20,#FALSE#,0,0,0,0\r\n-20,20,-15,15,1,0,0,1,1\r\n0\r\n");
    Window win;

    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.org/study.txt"))});
    win.w->Form_DragDrop(&web);
    QMimeData text;
    text.setText(name);
    win.w->Form_DragDrop(&text);
    EXPECT_EQ(win.text("txtEquation"), QStringLiteral("pi/3*x*sin(x)*tanh(x)"));

    QMimeData files;
    const QUrl url(QStringLiteral("file://") + QString::fromLatin1(QUrl::toPercentEncoding(name, "/")));
    ASSERT_TRUE(url.toString(QUrl::FullyEncoded).contains(QStringLiteral("%20")));
    files.setUrls({url, QUrl::fromLocalFile(path(QStringLiteral("other.txt")))});
    win.w->Form_DragDrop(&files);
    EXPECT_EQ(win.text("txtEquation"), QStringLiteral("x*x"));
    EXPECT_EQ(win.w->studyFileName(), name);
    EXPECT_TRUE(win.prompter.asked.isEmpty());
}

TEST(StudyCommandLine, TheArgumentsNameTheStudy)
{
    struct Row {
        QStringList arguments;
        QString path;
    };
    const Row rows[] = {
        {{}, QString()},
        {{QStringLiteral("/tmp/a.txt")}, QStringLiteral("/tmp/a.txt")},
        {{QStringLiteral("/tmp/my"), QStringLiteral("study.txt")}, QStringLiteral("/tmp/my study.txt")},
        {{QStringLiteral("\"/tmp/my study.txt\"")}, QStringLiteral("/tmp/my study.txt")},
        {{QStringLiteral("\"a.txt")}, QStringLiteral("\"a.txt")},
        {{QStringLiteral("a.txt\"")}, QStringLiteral("a.txt\"")},
        {{QStringLiteral("x")}, QStringLiteral("x")},
        {{QStringLiteral("file:///tmp/my%20study.txt")}, QStringLiteral("/tmp/my study.txt")},
        {{QStringLiteral("file://localhost/tmp/a.txt")}, QStringLiteral("/tmp/a.txt")},
        {{QStringLiteral("file:rel.txt")}, QStringLiteral("file:rel.txt")},  // not a URL: a file name
        {{QStringLiteral("file://otherhost/a.txt")}, QString()},
    };
    for (const auto& row : rows)
        EXPECT_EQ(tessaly::app::studyPathOf(row.arguments), row.path) << row.arguments.join(' ').toStdString();
}

TEST(StudyCommandLine, WhatQtTakesIsToldAndAfterDoubleDashEverythingIsTheStudy)
{
    using Bytes = QList<QByteArray>;
    struct Row {
        Bytes given, left;
        QString study;
        QStringList taken;
    };
    const QString latin = tessaly::docs::decodeFileName("\xff\xfe.txt");
    const Row rows[] = {
        {{"a.txt"}, {"a.txt"}, QStringLiteral("a.txt"), {}},
        {{"-reverse"}, {}, QString(), {QStringLiteral("-reverse")}},
        {{"-style", "fusion", "a.txt"},
         {"a.txt"},
         QStringLiteral("a.txt"),
         {QStringLiteral("-style"), QStringLiteral("fusion")}},
        {{"--", "-reverse"}, {}, QStringLiteral("-reverse"), {}},
        {{"-reverse", "--", "my", "study.txt"}, {}, QStringLiteral("my study.txt"), {QStringLiteral("-reverse")}},
        {{"\xff\xfe.txt"}, {"\xff\xfe.txt"}, latin, {}},
    };
    for (const Row& row : rows) {
        const auto a = tessaly::app::startArguments(row.given, row.left);
        EXPECT_EQ(a.study, row.study) << row.given.join(' ').toStdString();
        EXPECT_EQ(a.takenByQt, row.taken) << row.given.join(' ').toStdString();
    }
    EXPECT_EQ(tessaly::docs::encodeFileName(latin), QByteArray("\xff\xfe.txt")) << "the bytes come back whole";
}

TEST(StudyCommandLine, HelpAndVersionAnswerBeforeTheDoubleDashOnly)
{
    using Bytes = QList<QByteArray>;
    const std::string version = "tessaly " TESSALY_VERSION "\n";
    EXPECT_EQ(tessaly::app::startInformation({"--version"}), version);
    EXPECT_EQ(tessaly::app::startInformation({"-style", "fusion", "-V"}), version);
    EXPECT_TRUE(tessaly::app::startInformation({"a.txt", "--help"})->starts_with("usage: tessaly [QT OPTION]"));
    EXPECT_TRUE(tessaly::app::startInformation({"-h"})->starts_with("usage: tessaly [QT OPTION]"));
    for (const Bytes& study : {Bytes{}, Bytes{"a.txt"}, Bytes{"--", "--help"}, Bytes{"-reverse", "--", "-V"},
                               Bytes{"--helpme"}, Bytes{"--version=1"}})
        EXPECT_FALSE(tessaly::app::startInformation(study)) << study.join(' ').toStdString();
}

TEST(StudyCommandLine, TheProgramAnswersHelpAndVersionWithoutTheWindowSystem)
{
    // A platform that does not exist: making the application would end the program.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    for (const QString& option : {QStringLiteral("--version"), QStringLiteral("--help")}) {
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(TESSALY_BINARY), {option});
        ASSERT_TRUE(program.waitForFinished(10000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_EQ(program.readAllStandardError(), QByteArray());
        EXPECT_EQ(program.readAllStandardOutput().toStdString(), *tessaly::app::startInformation({option.toUtf8()}));
    }
}

TEST_F(StudyWindow, AStudyWhoseNameIsNotUtf8OpensAndSavesUnderItsOwnBytes)
{
    const QByteArray bytes = QFile::encodeName(dir.path()) + "/\xff\xfe.txt";
    const QString name = tessaly::docs::decodeFileName(bytes);
    Window win;
    win.set("txtEquation", QStringLiteral("x-4"));
    win.dialogs.fileAnswer = name;
    menu(win, "mnuSaveAs");
    EXPECT_TRUE(win.prompter.asked.isEmpty()) << win.prompter.texts().join('|').toStdString();
    struct stat st {};
    EXPECT_EQ(::stat(bytes.constData(), &st), 0) << "saved under the very bytes";
    EXPECT_EQ(::stat((bytes + ".bmp").constData(), &st), 0);

    Window other;
    ASSERT_TRUE(other.w->OpenStudy(name));
    EXPECT_EQ(other.text("txtEquation"), "x-4");
    ::unlink(bytes.constData());
    other.w->OpenStudy(name);
    EXPECT_EQ(other.prompter.texts().last(),
              QStringLiteral("Cannot open %1/\uFFFD\uFFFD.txt: No such file or directory").arg(dir.path()))
        << "shown with replacement characters only in the message";
}

TEST_F(StudyWindow, AStudyNamedAtStartUpReplacesTheSettingsUnlessItCannotBeOpened)
{
    const QString good = path(QStringLiteral("good.txt"));
    writeFile(good, "\"Tessaly\"\r\n\"x-1\",-8,8,256,0.01,20,#FALSE#,0,0,0,0\r\n-20,20,-15,15,1,0,0,1,1\r\n0\r\n");
    Window win;  // writes the defaults to its settings file on close
    win.set("txtEquation", QStringLiteral("x-2"));
    win.w->close();
    win.start(nullptr, [&] { return win.w->OpenStudy(good); });
    EXPECT_EQ(win.text("txtEquation"), QStringLiteral("x-1"));
    EXPECT_EQ(win.w->studyFileName(), good);

    win.set("txtEquation", QStringLiteral("x-3"));
    win.prompter.answer = Prompter::Answer::Discard;  // "Save changes to good.txt?"
    win.w->close();
    win.start(nullptr, [&] { return win.w->OpenStudy(path(QStringLiteral("missing.txt"))); });
    EXPECT_EQ(win.text("txtEquation"), QStringLiteral("x-3")) << "the settings file, written at the last close";
    EXPECT_TRUE(win.w->studyFileName().isEmpty());
    EXPECT_EQ(win.prompter.texts().last(),
              QStringLiteral("Cannot open %1: No such file or directory").arg(path(QStringLiteral("missing.txt"))));
}

TEST_F(StudyWindow, ResultsNeverMoveTheLayout)
{
    // Long results, in the window and in a study opened before the window shows.
    const QString study = path(QStringLiteral("long.txt"));
    writeFile(study,
              "\"Tessaly\"\r\n\"x^3-2*x\",-2,2,256,0.01,20,#TRUE#,3,1,1,1\r\n-20,20,-15,15,1,0,0,1,1\r\n0\r\n"
              "-1.23456789012345E-300\r\n-1.41421358658322\r\n-8.88888888888888E-300\r\n1.41421358658322\r\n"
              "-0.816505456349196\r\n0.816505456349199\r\n");
    Window plain;
    Window opened;
    opened.start(nullptr, [&] { return opened.w->OpenStudy(study); });
    QApplication::processEvents();
    ASSERT_EQ(opened.rows("lstRoots").size(), 3);
    EXPECT_EQ(opened.w->size(), plain.w->size()) << "an opened study does not widen the window";
    auto widths = [](const Window& win) {
        return QList<int>{win.find<QListWidget>("lstRoots")->width(), win.find<QListWidget>("lstExtrema")->width(),
                          win.find<QLabel>("lblIntegral")->width(), win.w->width()};
    };
    EXPECT_EQ(widths(opened), widths(plain));

    const QList<int> before = widths(plain);
    plain.set("txtEquation", QStringLiteral("1E-300*(x^3-2*x)"));
    for (const char* command : {"cmdExtrema", "cmdRoots", "cmdIntegrate", "cmdDerVal"})
        plain.press(command);
    QApplication::processEvents();
    ASSERT_TRUE(plain.find<QLabel>("lblIntegral")->text().contains(QLatin1Char('E')));
    EXPECT_EQ(widths(plain), before);
}

}  // namespace
