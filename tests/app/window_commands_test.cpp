// The window buttons, the pointer over the graph, the copy to the clipboard and the export.

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

#include "app/pictureview.h"
#include "cli/cli.h"
#include "common/numbertext.h"
#include "windowfixture.h"

using tessaly::app::PictureView;
using tessaly::app::testing::Window;

namespace {

PictureView* picture(const Window& win) { return win.find<PictureView>("Picture1"); }

QStringList windowFields(const Window& win)
{
    return {win.text("txtWindowlx"), win.text("txtWindowgx"), win.text("txtWindowly"), win.text("txtWindowgy")};
}

QStringList plottedWindow(const Window& win)
{
    const auto& s = win.w->plotSettings();
    QStringList r;
    for (float v : {s.windowLx, s.windowGx, s.windowLy, s.windowGy})
        r << QString::fromStdString(tessaly::common::singleNumberText(v));
    return r;
}

// A point of the picture in the window's own coordinates, so that a press goes
// through everything a user's press goes through.
QPoint inWindow(const Window& win, QPoint pixel) { return picture(win)->mapTo(win.w.get(), pixel); }
void clickPicture(const Window& win, QPoint pixel, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(win.w->windowHandle(), button, {}, inWindow(win, pixel));
}
void moveOverPicture(const Window& win, QPoint pixel) { QTest::mouseMove(win.w->windowHandle(), inWindow(win, pixel)); }

TEST(WindowButtons, EachButtonChangesTheFieldsAndPlots)
{
    struct Row {
        const char* button;
        QStringList fields;
    };
    const Row rows[] = {
        {"cmdZoomIn", {"-10", "10", "-7.5", "7.5"}},     {"cmdZoomOut", {"-40", "40", "-30", "30"}},
        {"cmdZoomQ1", {"0", "20", "0", "15"}},           {"cmdZoomQ2", {"-20", "0", "0", "15"}},
        {"cmdZoomQ3", {"-20", "0", "-15", "0"}},         {"cmdZoomQ4", {"0", "20", "-15", "0"}},
        {"cmdPanRight", {"-10", "30", "-15", "15"}},     {"cmdPanLeft", {"-30", "10", "-15", "15"}},
        {"cmdPanUp", {"-20", "20", "-7.5", "22.5"}},     {"cmdPanDown", {"-20", "20", "-22.5", "7.5"}},
        {"cmdIncWindX", {"-30", "30", "-15", "15"}},     {"cmdDecWindX", {"-13.33333", "13.33333", "-15", "15"}},
        {"cmdIncWindY", {"-20", "20", "-22.5", "22.5"}}, {"cmdDecWindY", {"-20", "20", "-10", "10"}},
    };
    Window win;
    for (const auto& r : rows) {
        win.set("txtWindowlx", "-20");
        win.set("txtWindowgx", "20");
        win.set("txtWindowly", "-15");
        win.set("txtWindowgy", "15");
        win.press(r.button);
        EXPECT_EQ(windowFields(win), r.fields) << r.button;
        EXPECT_EQ(plottedWindow(win), r.fields) << r.button << ": Plot ran on the new fields";
        EXPECT_TRUE(win.w->graphCurrent()) << r.button;
    }
    EXPECT_TRUE(win.prompter.asked.isEmpty());
}

TEST(WindowButtons, StartFromTheFieldsAsTyped)
{
    Window win;
    win.press("cmdPlot");
    win.set("txtWindowgx", "30");
    win.press("cmdZoomIn");
    EXPECT_EQ(windowFields(win), (QStringList{"-7.5", "17.5", "-7.5", "7.5"}));
}

TEST(WindowButtons, ACommandThatCollapsesTheWindowChangesNothing)
{
    Window win;
    win.set("txtWindowlx", "1");
    win.set("txtWindowgx", "1.0000002");
    win.press("cmdPlot");
    ASSERT_TRUE(win.w->graphCurrent());
    const QImage before = picture(win)->image();
    win.press("cmdZoomIn");
    EXPECT_EQ(windowFields(win), (QStringList{"1", "1.0000002", "-15", "15"}));
    EXPECT_TRUE(win.w->graphCurrent()) << "the graph stays";
    EXPECT_EQ(picture(win)->image(), before);
}

TEST(GraphPointer, ToolTipShowsThePositionUnderThePointer)
{
    Window win;
    moveOverPicture(win, {250, 150});
    EXPECT_EQ(picture(win)->toolTip(), QString()) << "nothing drawn yet";

    win.press("cmdPlot");
    EXPECT_EQ(picture(win)->toolTip(), QStringLiteral("(5, 0): Click to center graph here")) << "the resting pointer";
    moveOverPicture(win, {0, 0});
    EXPECT_EQ(picture(win)->toolTip(), QStringLiteral("(-20, 15): Click to center graph here"));
    moveOverPicture(win, {3, 299});
    EXPECT_EQ(picture(win)->toolTip(), QStringLiteral("(-19.7, -14.9): Click to center graph here"));

    // Erasing the graph keeps its scale; a refused drawing has none.
    win.set("txtWindowgx", "40");
    moveOverPicture(win, {250, 150});
    EXPECT_EQ(picture(win)->toolTip(), QStringLiteral("(5, 0): Click to center graph here"));
    win.set("txtPlotStep", "0");
    win.press("cmdPlot");
    moveOverPicture(win, {100, 100});
    EXPECT_EQ(picture(win)->toolTip(), QString());
}

TEST(GraphPointer, APressCentresTheLastGraphOnThePoint)
{
    Window win;
    clickPicture(win, {250, 150});
    EXPECT_EQ(windowFields(win), (QStringList{"-20", "20", "-15", "15"})) << "nothing drawn yet";
    EXPECT_FALSE(win.w->graphCurrent());

    win.press("cmdPlot");
    clickPicture(win, {250, 150});
    EXPECT_EQ(windowFields(win), (QStringList{"-15", "25", "-15", "15"}));
    EXPECT_TRUE(win.w->graphCurrent());
    EXPECT_EQ(picture(win)->toolTip(), QStringLiteral("(10, 0): Click to center graph here"))
        << "the new graph under the pointer";

    // Any button; the size is the last graph's, not the one typed since.
    win.set("txtWindowgx", "100");
    clickPicture(win, {200, 150}, Qt::RightButton);
    EXPECT_EQ(windowFields(win), (QStringList{"-15", "25", "-15", "15"}));
    clickPicture(win, {200, 75}, Qt::MiddleButton);
    EXPECT_EQ(windowFields(win), (QStringList{"-15", "25", "-7.5", "22.5"}));
}

TEST(GraphPointer, ADoubleClickCentresOnce)
{
    Window win;
    win.press("cmdPlot");
    QTest::mouseDClick(win.w->windowHandle(), Qt::LeftButton, {}, inWindow(win, {300, 150}));
    EXPECT_EQ(windowFields(win), (QStringList{"-10", "30", "-15", "15"}));
}

TEST(GraphPointer, NoCentringAfterARefusedDrawing)
{
    Window win;
    win.press("cmdPlot");
    win.set("txtPlotStep", "81");
    win.press("cmdPlot");
    ASSERT_FALSE(win.w->graphCurrent());
    clickPicture(win, {250, 150});
    EXPECT_EQ(windowFields(win), (QStringList{"-20", "20", "-15", "15"}));
}

TEST(GraphPointer, ARefusedFieldBlocksTheCentring)
{
    Window win;
    win.press("cmdPlot");
    win.w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(win.w.get()));
    auto* field = win.find<QLineEdit>("txtDivx");
    field->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    QTest::keyClicks(field, QStringLiteral("0"));
    clickPicture(win, {250, 150});
    EXPECT_EQ(windowFields(win), (QStringList{"-20", "20", "-15", "15"}));
    EXPECT_EQ(QApplication::focusWidget(), field);
}

TEST(CopyGraph, TheClipboardHoldsTheExportedPicture)
{
    Window win;
    win.press("cmdPlot");
    QApplication::clipboard()->clear();
    win.w->findChild<QAction*>(QStringLiteral("mnuCopy"))->trigger();
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(400, 300));

    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("graph.png")).toStdString();
    std::ostringstream out, err;
    ASSERT_EQ(tessaly::cli::runCli({"plot", "-o", path}, out, err), 0) << err.str();
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32),
              QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32));
}

TEST(CopyGraph, ACurrentGraphGoesAlsoAsAnSvgDrawing)
{
    Window win;
    auto copy = [&] {
        QApplication::clipboard()->clear();
        win.w->findChild<QAction*>(QStringLiteral("mnuCopy"))->trigger();
        return QApplication::clipboard()->mimeData();
    };
    win.press("cmdPlot");
    const QMimeData* current = copy();
    ASSERT_TRUE(current->hasFormat(QStringLiteral("image/svg+xml")));
    const QByteArray svg = current->data(QStringLiteral("image/svg+xml"));
    EXPECT_TRUE(svg.startsWith("<?xml")) << svg.left(40).toStdString();
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 400 300\"")) << "the picture's size";

    win.set("txtDivx", QStringLiteral("2"));  // the graph is erased
    const QMimeData* erased = copy();
    EXPECT_FALSE(erased->hasFormat(QStringLiteral("image/svg+xml")));
    EXPECT_EQ(erased->imageData().value<QImage>().size(), QSize(400, 300)) << "the blank picture, as shown";
}

class ExportGraph : public ::testing::Test {
protected:
    void exportTo(const QString& name, QSize size = {})
    {
        win.dialogs.exportAnswer = tessaly::app::Dialogs::GraphExport{dir.filePath(name), size};
        win.w->findChild<QAction*>(QStringLiteral("mnuExport"))->trigger();
    }
    QByteArray bytes(const QString& name) const
    {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    Window win;
    QTemporaryDir dir;
};

TEST_F(ExportGraph, WritesAnImageAtTheSizeChosenOrADrawingOfThePicture)
{
    win.press("cmdPlot");
    exportTo(QStringLiteral("g.png"), {800, 600});
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("g.png"))).size(), QSize(800, 600));
    exportTo(QStringLiteral("g.svg"));
    EXPECT_TRUE(bytes(QStringLiteral("g.svg")).contains("viewBox=\"0 0 400 300\""));
    exportTo(QStringLiteral("g.pdf"));
    EXPECT_TRUE(bytes(QStringLiteral("g.pdf")).startsWith("%PDF-"));
    EXPECT_TRUE(win.prompter.asked.isEmpty()) << win.prompter.texts().join('\n').toStdString();
    EXPECT_EQ(win.dialogs.asked.value(0), QStringLiteral("Export ") + QDir::homePath() + QStringLiteral(" 400x300"))
        << "the dialog offers the picture's size";

    // The same picture the command-line tool writes.
    std::ostringstream out, err;
    const std::string path = dir.filePath(QStringLiteral("cli.png")).toStdString();
    ASSERT_EQ(tessaly::cli::runCli({"plot", "-o", path, "--size", "800x600"}, out, err), 0) << err.str();
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("g.png"))), QImage(QString::fromStdString(path)));
}

TEST_F(ExportGraph, AGraphNotCurrentIsDrawnFromTheFieldsTheWindowStaysAsItIs)
{
    win.press("cmdPlot");
    win.set("txtWindowgx", QStringLiteral("40"));  // the graph is erased
    exportTo(QStringLiteral("g.png"), {400, 300});
    EXPECT_FALSE(win.w->graphCurrent());
    std::ostringstream out, err;
    const std::string path = dir.filePath(QStringLiteral("cli.png")).toStdString();
    ASSERT_EQ(tessaly::cli::runCli({"plot", "-o", path, "--window-gx", "40"}, out, err), 0) << err.str();
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("g.png"))).convertToFormat(QImage::Format_RGB32),
              QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(picture(win)->image().pixelColor(200, 150), QColor(Qt::white)) << "the picture stays erased";
}

TEST_F(ExportGraph, ACancelWritesNothingAFailureIsTold)
{
    win.press("cmdPlot");
    win.dialogs.exportAnswer.reset();
    win.w->findChild<QAction*>(QStringLiteral("mnuExport"))->trigger();
    EXPECT_EQ(win.dialogs.asked.size(), 1);
    EXPECT_TRUE(win.prompter.asked.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    exportTo(QStringLiteral("g.gif"));
    exportTo(QStringLiteral("none/g.svg"));
    win.set("txtPlotStep", QStringLiteral("0"));
    exportTo(QStringLiteral("g.pdf"));
    EXPECT_EQ(win.prompter.texts(),
              (QStringList{QStringLiteral("Could not save %1: the name must end in .png, .svg or .pdf")
                               .arg(dir.filePath(QStringLiteral("g.gif"))),
                           QStringLiteral("Could not save %1: the folder %2 does not exist")
                               .arg(dir.filePath(QStringLiteral("none/g.svg")), dir.filePath(QStringLiteral("none"))),
                           QStringLiteral("The graph cannot be drawn with these settings.")}));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

}  // namespace
