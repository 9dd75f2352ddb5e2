// The graph in the window: Plot, the stale marks, the guard, and the same
// picture from the command-line tool.

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>

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

}  // namespace
