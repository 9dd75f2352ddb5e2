// The printed report, printed to PDF and read back with pdftotext.

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "windowfixture.h"

using tessaly::app::testing::Window;

namespace {

void print(const Window& win) { win.w->findChild<QAction*>(QStringLiteral("mnuPrint"))->trigger(); }

// The PDF's text, its pages separated by form feeds.
QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The lines that hold something, each with its runs of blanks made one (the
// text extraction spaces words by their place on the page).
QStringList nonEmptyLines(const QString& text)
{
    QStringList out;
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (!line.simplified().isEmpty())
            out << line.simplified();
    return out;
}

class PrintedReport : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(PrintedReport, ShowsTheStudyItsResultsAndTheGraphsCaption)
{
    Window win;
    win.add(QStringLiteral("a=2"));
    win.set("txtEquation", QStringLiteral("x*x-a"));
    win.set("txtXlower", QStringLiteral("-3"));
    win.set("txtXupper", QStringLiteral("3"));
    for (const char* command : {"cmdPlot", "cmdRoots", "cmdExtrema", "cmdIntegrate"})
        win.press(command);
    win.dialogs.printTo = path(QStringLiteral("report.pdf"));
    print(win);
    EXPECT_TRUE(win.prompter.asked.isEmpty()) << win.prompter.texts().join('\n').toStdString();

    const QStringList lines = nonEmptyLines(pdfText(path(QStringLiteral("report.pdf"))));
    const QStringList expected = {
        QStringLiteral("Plot of Function"),
        QStringLiteral("FUNCTION:"),
        QStringLiteral("x*x-a"),
        QStringLiteral("CONSTANTS:"),
        QStringLiteral("a=2"),
        QStringLiteral("INTERVAL STUDIED: [-3,3]"),
        QStringLiteral("# OF SUBINTERVALS: 256"),
        QStringLiteral("MAX. # OF ITERATIONS: 20"),
        QStringLiteral("MAXIMUM ERROR: .01"),
        QStringLiteral("INTEGRAL= 6"),
        QStringLiteral("ROOTS:"),
        win.rows("lstRoots").value(0),
        win.rows("lstRoots").value(1),
        QStringLiteral("MINIMA:"),
        QStringLiteral("[ 0 ,-2 ]"),
        QStringLiteral("PLOT SETUP:"),
        QStringLiteral("AXES: [0,0]"),
        QStringLiteral("DIVISIONS: [1,1]"),
        QStringLiteral("X-WINDOW: [-20,20]"),
        QStringLiteral("Y-WINDOW: [-15,15]"),
    };
    // The graph's labels come first, as text of the picture; the report's lines
    // follow, each result with its bound on the line under it.
    const auto start = lines.indexOf(QStringLiteral("Plot of Function"));
    ASSERT_GE(start, 0) << lines.join('\n').toStdString();
    QStringList described, bounds;
    for (const QString& line : lines.mid(start))
        (line.startsWith(QStringLiteral("\u00b1 ")) ? bounds : described) << line;
    EXPECT_EQ(described, expected);
    ASSERT_EQ(bounds.size(), 4) << "the integral, two roots, the minimum";
    EXPECT_TRUE(bounds[0].endsWith(QStringLiteral("(estimated)")));
    EXPECT_TRUE(bounds[1].endsWith(QStringLiteral("(certified by a sign change)")));
    EXPECT_TRUE(bounds[3].endsWith(QStringLiteral("(certified)")));
    EXPECT_EQ(lines.indexOf(bounds[0]), lines.indexOf(QStringLiteral("INTEGRAL= 6")) + 1);
    EXPECT_TRUE(lines.mid(0, start).contains(QStringLiteral("-15"))) << "the window's label, as text";

    // The graph is drawn on the page in vectors: the file holds no image.
    QProcess images;
    images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path(QStringLiteral("report.pdf"))});
    ASSERT_TRUE(images.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(images.readAllStandardOutput()).count(QLatin1Char('\n')), 2) << "the header only";
}

TEST_F(PrintedReport, NoGraphNoCaptionAndTheCaptionNamesTheOrderDrawn)
{
    Window win;
    win.dialogs.printTo = path(QStringLiteral("plain.pdf"));
    print(win);
    const QStringList plain = nonEmptyLines(pdfText(path(QStringLiteral("plain.pdf"))));
    ASSERT_FALSE(plain.isEmpty());
    EXPECT_EQ(plain.first(), QStringLiteral("FUNCTION:"));
    EXPECT_EQ(plain.size(), 11) << plain.join('\n').toStdString();

    win.find<QComboBox>("cboDerivative")->setCurrentIndex(1);
    win.press("cmdPlot");
    win.set("txtDerNum", QStringLiteral("2"));
    win.press("cmdDerVal");  // the Value= order is not the order drawn
    win.dialogs.printTo = path(QStringLiteral("derivative.pdf"));
    print(win);
    EXPECT_TRUE(nonEmptyLines(pdfText(path(QStringLiteral("derivative.pdf"))))
                    .contains(QStringLiteral("Plot of derivative # 1")));
}

TEST_F(PrintedReport, CancelledOrFailedPrintsLeaveNothing)
{
    Window win;
    print(win);  // no printer chosen: cancelled
    EXPECT_EQ(win.dialogs.asked, QStringList{QStringLiteral("Print")});
    EXPECT_TRUE(win.prompter.asked.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    win.dialogs.printTo = path(QStringLiteral("missing/report.pdf"));
    print(win);
    ASSERT_EQ(win.prompter.asked.size(), 1);
    EXPECT_TRUE(win.prompter.asked[0].text.startsWith(QStringLiteral("Could not print: ")))
        << win.prompter.asked[0].text.toStdString();
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(PrintedReport, ManyMaximaRunOntoFurtherPages)
{
    QByteArray study =
        "\"Tessaly\"\r\n\"Sin(x)\",0,1600,256,0.01,20,#FALSE#,0,0,255,0\r\n-20,20,-15,15,1,0,0,1,1\r\n0\r\n";
    for (int k = 0; k < 255; ++k)
        study += QByteArray::number(1.5707963267949 + 6.28318530717959 * k, 'g', 15) + "\r\n";
    QFile f(path(QStringLiteral("many.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(study);
    f.close();

    Window win;
    win.dialogs.fileAnswer = path(QStringLiteral("many.txt"));
    win.w->findChild<QAction*>(QStringLiteral("mnuOpen"))->trigger();
    ASSERT_EQ(win.rows("lstExtrema").size(), 255);
    win.dialogs.printTo = path(QStringLiteral("many.pdf"));
    print(win);
    const QString text = pdfText(path(QStringLiteral("many.pdf")));
    EXPECT_GE(text.count(QLatin1Char('\f')), 5) << "255 maxima take several pages";
    const QStringList lines = nonEmptyLines(text);
    EXPECT_EQ(lines.count(QStringLiteral("[ 1.5707963267949 , 1 ]")), 1);
    EXPECT_EQ(lines.filter(QStringLiteral("[ ")).size(), 255);
    EXPECT_EQ(lines.last(), QStringLiteral("Y-WINDOW: [-15,15]"));
}

}  // namespace
