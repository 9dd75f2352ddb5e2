// The graph in the window: Plot, the stale marks, the guard, the same picture
// from the command-line tool, and the picture growing with the window.

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sstream>

#include "app/pictureview.h"
#include "cli/cli.h"
#include "windowfixture.h"

using tessaly::app::PictureView;
using tessaly::app::testing::Window;

namespace {

const QImage& picture(const Window& win) { return win.find<PictureView>("Picture1")->image(); }

bool blank(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white))
                return false;
    return true;
}

TEST(GraphWindow, PlotDrawsTheGraphAndMarksItCurrent)
{
    Window win;
    EXPECT_TRUE(blank(picture(win)));
    EXPECT_FALSE(win.w->graphCurrent());
    win.press("cmdPlot");
    EXPECT_FALSE(blank(picture(win)));
    EXPECT_TRUE(win.w->graphCurrent());
    EXPECT_EQ(win.w->plotSettings().windowLx, -20);
    EXPECT_EQ(win.w->session().lastError(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(GraphWindow, TheCommandLinePictureIsTheWindowsPicture)
{
    Window win;
    win.press("cmdPlot");
    QTemporaryDir dir;
    for (const char* name : {"graph.png", "graph.bmp"}) {
        const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
        std::ostringstream out, err;
        ASSERT_EQ(tessaly::cli::runCli({"plot", "-o", path}, out, err), 0) << err.str();
        const QImage written(QString::fromStdString(path));
        ASSERT_FALSE(written.isNull()) << name;
        EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), picture(win)) << name;
    }
}

TEST(GraphWindow, SettingsThatCannotBeDrawnLeaveThePictureCleared)
{
    Window win;
    win.press("cmdPlot");
    for (const auto& [field, text] : {std::pair{"txtPlotStep", "0"}, std::pair{"txtPlotStep", "81"},
                                      std::pair{"txtWindowgx", "-30"}, std::pair{"txtWindowly", "1E400"}}) {
        Window fresh;
        fresh.set(field, QString::fromLatin1(text));
        fresh.press("cmdPlot");
        EXPECT_TRUE(blank(picture(fresh))) << field << " " << text;
        EXPECT_FALSE(fresh.w->graphCurrent()) << field << " " << text;
        EXPECT_TRUE(fresh.prompter.asked.isEmpty());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST(GraphWindow, StudyEditsClearResultsPlotEditsEraseTheGraph)
{
    Window win;
    win.press("cmdPlot");
    win.press("cmdRoots");
    ASSERT_EQ(win.rows("lstRoots").size(), 5);

    win.set("txtXlower", "-7");
    EXPECT_TRUE(win.rows("lstRoots").isEmpty());
    EXPECT_FALSE(blank(picture(win))) << "the graph stays";
    EXPECT_TRUE(win.w->graphCurrent());

    win.press("cmdRoots");
    win.set("txtDivx", "2");
    EXPECT_TRUE(blank(picture(win)));
    EXPECT_FALSE(win.w->graphCurrent());
    EXPECT_FALSE(win.rows("lstRoots").isEmpty()) << "the results stay";

    win.press("cmdPlot");
    win.find<QCheckBox>("chkGrid")->setChecked(false);
    EXPECT_TRUE(win.w->graphCurrent()) << "a check box changes nothing until Plot";

    win.set("txtEquation", "x");
    EXPECT_TRUE(blank(picture(win)));
    EXPECT_TRUE(win.rows("lstRoots").isEmpty());
}

TEST(GraphWindow, AFailureBeforeTheCurveLeavesNoCurrentGraph)
{
    Window win;
    win.add(QStringLiteral("z=1/0"));
    win.press("cmdPlot");
    EXPECT_FALSE(win.w->graphCurrent());
    EXPECT_EQ(win.w->session().lastError(), 11);
}

PictureView* pictureView(const Window& win) { return win.find<PictureView>("Picture1"); }

// Resizes the window and waits until the picture has been drawn at its new size.
void resizeAndSettle(const Window& win, QSize size)
{
    win.w->resize(size);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const PictureView* p = pictureView(win);
        return p->size() != QSize(400, 300) && p->image().size() == p->size();
    }));
}

QString tipAt(const Window& win, QPoint pixel)
{
    QTest::mouseMove(win.w->windowHandle(), pictureView(win)->mapTo(win.w.get(), pixel));
    return pictureView(win)->toolTip();
}

TEST(GraphWindow, ThePictureTakesTheSpaceTheWindowGainsAtFourToThree)
{
    Window win;
    win.press("cmdPlot");
    const QSize start = win.w->size();
    resizeAndSettle(win, start + QSize(600, 450));
    const PictureView* p = pictureView(win);
    EXPECT_EQ(p->width() * 3, p->height() * 4);
    EXPECT_GE(p->height(), 300 + 450 - 1) << "all the height gained";
    const QRect area = p->parentWidget()->rect();
    EXPECT_EQ(p->geometry().center().x(), area.center().x()) << "centred";
    EXPECT_TRUE(win.w->graphCurrent());

    // Drawn at the new size: the axes where the scale map puts them.
    const QImage& image = p->image();
    EXPECT_EQ(image.pixelColor(p->width() / 2, p->height() / 4), QColor(255, 0, 0)) << "the y-axis";
    EXPECT_EQ(image.pixelColor(p->width() / 2 + p->width() / 80, p->height() / 2), QColor(255, 0, 0)) << "the x-axis";

    // The pointer maps the drawn size: the corners and the centre are the window's.
    EXPECT_EQ(tipAt(win, {0, 0}), QStringLiteral("(-20, 15): Click to center graph here"));
    EXPECT_EQ(tipAt(win, {p->width() / 2, p->height() / 2}), QStringLiteral("(0, 0): Click to center graph here"));
    EXPECT_EQ(tipAt(win, {p->width() * 3 / 4, p->height() / 2}), QStringLiteral("(10, 0): Click to center graph here"));
    QTest::mouseClick(win.w->windowHandle(), Qt::LeftButton, {},
                      p->mapTo(win.w.get(), QPoint(p->width() * 3 / 4, p->height() / 2)));
    EXPECT_EQ(win.text("txtWindowlx"), QStringLiteral("-10"));
    EXPECT_EQ(win.text("txtWindowgx"), QStringLiteral("30"));

    // Back to its own size, the window shows the reference picture again.
    win.w->resize(start);
    ASSERT_TRUE(QTest::qWaitFor([&] { return p->image().size() == QSize(400, 300); }));
    EXPECT_EQ(p->size(), QSize(400, 300));
}

TEST(GraphWindow, UntilTheSizeSettlesTheOldPictureStandsInAndPlotDrawsAtTheNewSize)
{
    Window win;
    win.press("cmdPlot");
    win.w->resize(win.w->size() + QSize(400, 300));
    QApplication::sendPostedEvents();
    const PictureView* p = pictureView(win);
    ASSERT_NE(p->size(), QSize(400, 300));
    EXPECT_EQ(p->image().size(), QSize(400, 300)) << "not drawn again yet";
    EXPECT_EQ(tipAt(win, {p->width() / 2, p->height() / 2}), QStringLiteral("(0, 0): Click to center graph here"))
        << "the pointer maps the picture as shown, stretched";
    win.press("cmdPlot");
    EXPECT_EQ(p->image().size(), p->size());
}

TEST(GraphWindow, TheStudysBitmapStaysTheReferencePicture)
{
    Window win;
    win.press("cmdPlot");
    resizeAndSettle(win, win.w->size() + QSize(600, 450));
    QTemporaryDir dir;
    win.dialogs.fileAnswer = dir.filePath(QStringLiteral("s.txt"));
    win.w->findChild<QAction*>(QStringLiteral("mnuSaveAs"))->trigger();
    const QImage bitmap(dir.filePath(QStringLiteral("s.txt.bmp")));
    ASSERT_EQ(bitmap.size(), QSize(400, 300));
    const std::string png = dir.filePath(QStringLiteral("g.png")).toStdString();
    std::ostringstream out, err;
    ASSERT_EQ(tessaly::cli::runCli({"plot", "-o", png}, out, err), 0) << err.str();
    EXPECT_EQ(bitmap.convertToFormat(QImage::Format_RGB32), QImage(QString::fromStdString(png)));
}

TEST(GraphWindow, TheSmallestWindowFitsA1366By768Screen)
{
    Window win;
    const QSize smallest = win.w->minimumSizeHint();
    // Room left for a title bar and a panel.
    EXPECT_LE(smallest.width(), 1366);
    EXPECT_LE(smallest.height(), 768 - 80);
    EXPECT_EQ(win.w->size(), smallest.expandedTo(win.w->size())) << "it opens at least that large";
    EXPECT_EQ(pictureView(win)->size(), QSize(400, 300));
}

}  // namespace
