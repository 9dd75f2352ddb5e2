#include "app/frmfunctions.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "common/numbertext.h"
#include "windowfixture.h"

using tessaly::app::testing::Window;

namespace {

struct ControlRow {
    const char* name;
    const char* text;  // caption or default text
    const char* tip;
};

class Controls : public ::testing::TestWithParam<ControlRow> {};

QString textOf(QWidget* w)
{
    if (auto* b = qobject_cast<QPushButton*>(w))
        return b->text();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* c = qobject_cast<QCheckBox*>(w))
        return c->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    return {};
}

TEST_P(Controls, HaveTheirCaptionDefaultAndTip)
{
    Window win;
    const ControlRow& row = GetParam();
    auto* w = win.find<QWidget>(row.name);
    ASSERT_NE(w, nullptr) << row.name;
    EXPECT_EQ(textOf(w), QString::fromUtf8(row.text)) << row.name;
    EXPECT_EQ(w->toolTip(), QString::fromUtf8(row.tip)) << row.name;
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, Controls,
    ::testing::Values(
        ControlRow{"cmdShowEvaluator", "&Show Evaluator", ""},
        ControlRow{"fraConstants", "User constants", "Add or remove user-defined constants"},
        ControlRow{"cmdRemCons", "Remove", "Remove selected constant"},
        ControlRow{"cmdAddCons", "Add", "Add (register) constant"}, ControlRow{"cboConstants", "", "Example: a=2.37"},
        ControlRow{"fraEvalDer", "Evaluation of function or derivatives", ""},
        ControlRow{"cmdDerVal", "&Value=", "Compute function or derivative"},
        ControlRow{"txtXeval", "0", "Point of evaluation"},
        ControlRow{"txtDerNum", "0", "Enter 0 for the function itself"},
        ControlRow{"lblDerVal", "", "Value of function or derivative"}, ControlRow{"lblXeval", "At x=", ""},
        ControlRow{"lblDerNum", "Which derivative?", ""}, ControlRow{"fraZoomPan", "Graph", ""},
        ControlRow{"FraWindow", "Window", ""}, ControlRow{"cmdIncWindY", "y+", "Wider y-window"},
        ControlRow{"cmdDecWindY", "y-", "Narrower y-window"}, ControlRow{"cmdIncWindX", "x+", "Wider x-window"},
        ControlRow{"cmdDecWindX", "x-", "Narrower x-window"}, ControlRow{"fraZoom", "Zoom", ""},
        ControlRow{"cmdZoomOut", "Out", "Zoom out"}, ControlRow{"cmdZoomIn", "In", "Zoom in"},
        ControlRow{"fraZoomQuad", "Quadrant", ""}, ControlRow{"cmdZoomQ1", "1", "Zoom quadrant 1"},
        ControlRow{"cmdZoomQ2", "2", "Zoom quadrant 2"}, ControlRow{"cmdZoomQ3", "3", "Zoom quadrant 3"},
        ControlRow{"cmdZoomQ4", "4", "Zoom quadrant 4"}, ControlRow{"fraPan", "Pan", ""},
        ControlRow{"cmdPanLeft", "L", "Pan left"}, ControlRow{"cmdPanRight", "R", "Pan right"},
        ControlRow{"cmdPanDown", "D", "Pan down"}, ControlRow{"cmdPanUp", "U", "Pan up"},
        ControlRow{"lstExtrema", "", "Maxima and Minima"},
        ControlRow{"cmdExtrema", "&Extrema", "Find maxima and minima"}, ControlRow{"lstRoots", "", "Roots"},
        ControlRow{"cmdRoots", "&Roots", "Find roots"}, ControlRow{"cmdIntegrate", "&Integral", "Compute integral"},
        ControlRow{"cboDerivative", "Function", "Select what to plot from list"},
        ControlRow{"fraStudySpecs", "Study specifications", ""},
        ControlRow{"txtXlower", "-8", "Lower limit of interval to be studied"},
        ControlRow{"txtXupper", "8", "Upper limit of interval to be studied"},
        ControlRow{"txtMaxcy", "20", "Limits number of main loop iterations"},
        ControlRow{"txtError", ".01", "Error MUST be >0"},
        ControlRow{"txtSubintervals", "256",
                   "Should be enough to detect all roots & extrema, and to find an accurate integral."},
        ControlRow{"lblXinterval", "<=x<=", "Defines interval to be studied"},
        ControlRow{"lblMaxcy", "Max. # of iterations:", ""}, ControlRow{"lblError", "Approx. error bound:", ""},
        ControlRow{"lblSubintervals", " # of subintervals:", ""}, ControlRow{"fraPlotSpecs", "Plot setup", ""},
        ControlRow{"chkWindow", "Label window", "Check to label the window edges"},
        ControlRow{"chkDivisions", "Label divisons", "Check to label the divisions"},
        ControlRow{"chkShade", "Shade", "Check if you want the area shaded"},
        ControlRow{"chkPersist", "Persist", "Check if you want persistent graphics"},
        ControlRow{"chkGrid", "Grid", "Check if you want a grid on graph"},
        ControlRow{"txtDivy", "1", "Size of divisions on y-axis"}, ControlRow{"txtYorigin", "0", "Position of x-axis"},
        ControlRow{"txtDivx", "1", "Size of divisions on x-axis"}, ControlRow{"txtXorigin", "0", "Position of y-axis"},
        ControlRow{"txtPlotStep", "1", "Enter integer between 1 and 80"},
        ControlRow{"txtWindowlx", "-20", "Lower limit for x (plotting)"},
        ControlRow{"txtWindowgx", "20", "Upper limit for x (plotting)"},
        ControlRow{"txtWindowly", "-15", "Lower limit for y (plotting)"},
        ControlRow{"txtWindowgy", "15", "Upper limit for y (plotting)"}, ControlRow{"lblDivy", "y-divisions:", ""},
        ControlRow{"lblYorigin", "y-origin:", ""}, ControlRow{"lblDivx", "x-divisions:", ""},
        ControlRow{"lblXorigin", "x-origin:", ""}, ControlRow{"lblPlotStep", "Plot step:", ""},
        ControlRow{"lblWindowx", "<=x<=", ""}, ControlRow{"lblWindowy", "<=y<=", ""},
        ControlRow{"txtEquation", "pi/3*x*sin(x)*tanh(x)", "Function must be entered in terms of \"x\""},
        ControlRow{"cmdPlot", "&Plot", "Plot the selected option"}, ControlRow{"lblIntegral", "", "Integral"},
        ControlRow{"lblExtrema", "", "How many extrema were found"},
        ControlRow{"lblRoots", "", "How many roots were found"}, ControlRow{"lblEquation", "f(x)=", ""}));

TEST(MainWindow, TitleCheckBoxesPictureAndMenus)
{
    Window win;
    EXPECT_EQ(win.w->objectName(), "frmFunctions");
    EXPECT_EQ(win.w->windowTitle(), "Tessaly");
    EXPECT_TRUE(win.find<QCheckBox>("chkWindow")->isChecked());
    EXPECT_TRUE(win.find<QCheckBox>("chkDivisions")->isChecked());
    EXPECT_TRUE(win.find<QCheckBox>("chkShade")->isChecked());
    EXPECT_FALSE(win.find<QCheckBox>("chkPersist")->isChecked());
    EXPECT_TRUE(win.find<QCheckBox>("chkGrid")->isChecked());
    auto* picture = win.find<QWidget>("Picture1");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->size(), QSize(400, 300));

    QStringList bar;
    for (QAction* a : win.w->menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, (QStringList{"&File", "Vie&w", "Prin&t", "&Help", "&About"}))
        << "mnemonics apart from the buttons' S, V, E, R, I and P";
    auto* file = win.w->findChild<QMenu*>("mnuFile");
    ASSERT_NE(file, nullptr);
    QStringList entries;
    for (QAction* a : file->actions())
        entries << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + ":" + a->text());
    EXPECT_EQ(entries,
              (QStringList{"mnuOpen:&Open", "mnuRecent:&Recent studies", "-", "mnuSave:&Save", "mnuSaveAs:Save &As",
                           "-", "mnuCopy:&Copy graph to clipboard", "mnuExport:E&xport graph…", "-", "mnuQuit:&Quit"}));
    for (const char* name : {"mnuPrint", "mnuHelp", "mnuAbout"})
        EXPECT_NE(win.w->findChild<QAction*>(name), nullptr) << name;
}

TEST(MainWindow, LoadFillsTheDerivativeListAndTheFactorials)
{
    Window win;
    auto* combo = win.find<QComboBox>("cboDerivative");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    EXPECT_EQ(items,
              (QStringList{"Function", "1st.derivative", "2nd.derivative", "3rd.derivative", "4th.derivative",
                           "5th.derivative", "6th.derivative", "7th.derivative", "8th.derivative", "9th.derivative"}));
    EXPECT_EQ(combo->currentText(), "Function");
    EXPECT_EQ(win.w->session().factorials()[0], 1);
    EXPECT_EQ(win.w->session().factorials()[5], 120);
    double f = 1;
    for (int k = 1; k <= 33; ++k)
        f *= k;
    EXPECT_EQ(win.w->session().factorials()[33], f);
    EXPECT_EQ(win.w->session().extension().pi, std::atan(1.0) * 4) << "the start-up statements ran";
}

TEST(MainWindow, RootsButtonListsTheDefaultStudysRoots)
{
    Window win;
    win.press("cmdRoots");
    const QStringList rows = win.rows("lstRoots");
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[2], "0");
    EXPECT_EQ(win.find<QLabel>("lblRoots")->text(), "5 roots");
    EXPECT_EQ(win.w->session().results().roots.size(), 5);
    EXPECT_NEAR(win.w->session().results().roots[3], std::atan(1.0) * 4, 1e-6);
    EXPECT_TRUE(win.prompter.asked.isEmpty());
    EXPECT_EQ(win.w->session().study().equation, "pi/3*x*sin(x)*tanh(x)");

    // A second run rebuilds the list rather than adding to it.
    win.set("txtXlower", "0");
    win.press("cmdRoots");
    EXPECT_EQ(win.rows("lstRoots").size(), 3);
    EXPECT_EQ(win.find<QLabel>("lblRoots")->text(), "3 roots");
}

TEST(MainWindow, SyntaxErrorIsShownOnceAndLeavesTheLabel)
{
    Window win;
    win.press("cmdRoots");
    win.setQuietly("txtEquation", "2+");
    win.press("cmdRoots");
    ASSERT_EQ(win.prompter.asked.size(), 1);
    EXPECT_EQ(win.prompter.asked[0].text, "Syntax error");
    EXPECT_EQ(win.prompter.asked[0].caption, "Tessaly");
    EXPECT_EQ(win.find<QLabel>("lblRoots")->text(), "5 roots");
    EXPECT_TRUE(win.rows("lstRoots").isEmpty());
    EXPECT_EQ(win.w->session().lastError(), 1002);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the pointer is restored";
}

TEST(MainWindow, ToleratedFailuresShowNoMessage)
{
    Window win;
    win.set("txtEquation", "1/x");
    win.set("txtXlower", "-1");
    win.set("txtXupper", "1");
    win.press("cmdRoots");
    EXPECT_TRUE(win.prompter.asked.isEmpty());
    EXPECT_EQ(win.find<QLabel>("lblRoots")->text(), "0 roots");
    EXPECT_EQ(win.w->session().lastError(), 11);

    win.set("txtEquation", "Asin(x*2)");
    win.press("cmdRoots");
    EXPECT_TRUE(win.prompter.asked.isEmpty());
    EXPECT_EQ(win.w->session().lastError(), 5);
    EXPECT_EQ(win.w->session().extension().ierr, 0) << "the trap clears the object's number";
}

TEST(MainWindow, AFullRootTableIsToldOnce)
{
    Window win;
    win.set("txtEquation", "Sin(x)");
    win.set("txtXlower", ".5");
    win.set("txtXupper", "1000");
    win.set("txtSubintervals", "8192");
    win.press("cmdRoots");
    EXPECT_EQ(win.prompter.texts(), QStringList{"Only the first 255 roots are listed."});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the pointer is restored";
    EXPECT_EQ(win.rows("lstRoots").size(), 255);
    EXPECT_EQ(win.find<QLabel>("lblRoots")->text(), "255 roots");
    EXPECT_EQ(win.w->session().results().roots.size(), 255);
}

TEST(MainWindow, AStudyFieldBeyondRangeEndsTheCommandWithoutRows)
{
    Window win;
    win.press("cmdRoots");
    win.setQuietly("txtSubintervals", "1E400");
    win.press("cmdRoots");
    EXPECT_TRUE(win.rows("lstRoots").isEmpty());
    EXPECT_EQ(win.w->session().results().roots.size(), 0);
    EXPECT_EQ(win.w->session().lastError(), 6);
    EXPECT_EQ(win.find<QLabel>("lblRoots")->text(), "5 roots");
    EXPECT_TRUE(win.prompter.asked.isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the pointer is restored";
}

TEST(MainWindow, EnterPressesPlotInAFieldAndTheFocusedButton)
{
    Window win;
    QSignalSpy plot(win.find<QPushButton>("cmdPlot"), &QPushButton::clicked);
    QSignalSpy roots(win.find<QPushButton>("cmdRoots"), &QPushButton::clicked);
    QSignalSpy add(win.find<QPushButton>("cmdAddCons"), &QPushButton::clicked);
    win.w->activateWindow();

    auto* lower = win.find<QLineEdit>("txtXlower");
    lower->setFocus();
    QTest::keyClick(lower, Qt::Key_Return);
    EXPECT_EQ(plot.count(), 1);

    auto* equation = win.find<QLineEdit>("txtEquation");
    equation->setFocus();
    QTest::keyClick(equation, Qt::Key_Enter);
    EXPECT_EQ(plot.count(), 2);

    auto* button = win.find<QPushButton>("cmdRoots");
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(roots.count(), 1);
    EXPECT_EQ(plot.count(), 2);

    auto* constants = win.find<QComboBox>("cboConstants");
    constants->setFocus();
    QTest::keyClick(constants->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(add.count(), 1);
    EXPECT_EQ(plot.count(), 2);
    EXPECT_EQ(constants->count(), 0) << "the box adds nothing to its list by itself";
}

TEST(MainWindow, ClosingTheMainWindowClosesTheOthersOnce)
{
    Window win;
    QWidget other;
    other.show();
    EXPECT_TRUE(other.isVisible());
    win.w->close();
    EXPECT_FALSE(other.isVisible());
    EXPECT_FALSE(win.w->isVisible());
}

}  // namespace

namespace {

TEST(MainWindow, ExtremaIntegralAndValueButtons)
{
    Window win;
    win.press("cmdExtrema");
    EXPECT_EQ(win.rows("lstExtrema").size(), 6);
    EXPECT_EQ(win.find<QLabel>("lblExtrema")->text(), "3 max. 3 min. ");
    EXPECT_EQ(win.w->session().results().maxima.size(), 3);
    EXPECT_EQ(win.w->session().results().minima.size(), 3);
    EXPECT_NEAR(win.w->session().results().maxima[2], 7.9786661678668604, 0.01);

    win.press("cmdIntegrate");
    EXPECT_TRUE(win.w->session().results().integralValid);
    EXPECT_NEAR(win.w->session().results().integralValue, 0, 1e-12);
    EXPECT_EQ(win.find<QLabel>("lblIntegral")->text().toStdString(),
              tessaly::common::numberText(win.w->session().results().integralValue));

    win.set("txtXeval", "1");
    win.set("txtDerNum", "1st");
    win.press("cmdDerVal");
    EXPECT_EQ(win.find<QLabel>("lblDerVal")->text().left(6), "1.4720");
    EXPECT_EQ(win.w->session().study().derivativeOrder, 1);
    EXPECT_EQ(win.w->session().currentX(), 1);
    EXPECT_TRUE(win.prompter.asked.isEmpty());
}

TEST(MainWindow, AFailingIntegralKeepsTheStoredOneAndSaysWhy)
{
    Window win;
    win.press("cmdIntegrate");
    const QString shown = win.find<QLabel>("lblIntegral")->text();
    const double stored = win.w->session().results().integralValue;
    win.setQuietly("txtEquation", "Log(x)");
    win.press("cmdIntegrate");
    EXPECT_EQ(win.prompter.texts(), QStringList{"Invalid procedure call or argument"});
    EXPECT_EQ(win.find<QLabel>("lblIntegral")->text(), shown);
    EXPECT_EQ(win.w->session().results().integralValue, stored);
    EXPECT_TRUE(win.w->session().results().integralValid);
    EXPECT_EQ(win.w->session().lastError(), 5);
}

TEST(MainWindow, AFailingValueLeavesTheLabelEmpty)
{
    Window win;
    win.press("cmdDerVal");
    EXPECT_EQ(win.find<QLabel>("lblDerVal")->text(), "0");
    win.set("txtEquation", "Sqr(x)");
    win.set("txtDerNum", "1");
    win.press("cmdDerVal");
    EXPECT_EQ(win.find<QLabel>("lblDerVal")->text(), "");
    EXPECT_EQ(win.w->session().lastError(), 5);
    EXPECT_TRUE(win.prompter.asked.isEmpty());
}

TEST(MainWindow, AFullExtremaTableIsToldOnce)
{
    Window win;
    win.set("txtEquation", "Sin(x)");
    win.set("txtXlower", ".5");
    win.set("txtXupper", "1700");
    win.set("txtSubintervals", "32768");
    win.press("cmdExtrema");
    EXPECT_EQ(win.prompter.texts(), QStringList{"Only the first 255 maxima and minima are listed."});
    EXPECT_EQ(win.find<QLabel>("lblExtrema")->text(), "255 max. 255 min. ");
}

TEST(MainWindow, BoundsShowBesideTheResultsAndTrustedDigitsOnDemand)
{
    Window win;
    win.set("txtEquation", QStringLiteral("x^2-2"));
    win.set("txtXlower", QStringLiteral("0"));
    win.set("txtXupper", QStringLiteral("2"));
    win.press("cmdRoots");
    auto* roots = win.find<QListWidget>("lstRoots");
    ASSERT_EQ(roots->count(), 1);
    const QString full = roots->item(0)->text();
    EXPECT_TRUE(roots->item(0)->toolTip().startsWith(full + QStringLiteral(" \u00b1 ")));
    EXPECT_TRUE(roots->item(0)->toolTip().contains(QStringLiteral("certified by a sign change")));
    EXPECT_EQ(win.find<QLabel>("lblRoots")->toolTip(),
              QStringLiteral("How many roots were found\n1 of 1 certified by a sign change"));
    EXPECT_EQ(win.find<QLabel>("lblWarnings")->text(), "");

    // Only the trusted digits, remembered beside the settings file, never in it.
    auto* trusted = win.w->findChild<QAction*>(QStringLiteral("mnuTrustedDigits"));
    trusted->trigger();
    EXPECT_LT(roots->item(0)->text().size(), full.size());
    EXPECT_TRUE(full.startsWith(roots->item(0)->text().left(4)));
    trusted->trigger();
    EXPECT_EQ(roots->item(0)->text(), full);
    trusted->trigger();
    win.w->close();
    win.start();
    EXPECT_TRUE(win.w->findChild<QAction*>(QStringLiteral("mnuTrustedDigits"))->isChecked());
    EXPECT_FALSE(win.file().contains("trusted"));

    // A double root the scan cannot list is told under the lists.
    win.set("txtEquation", QStringLiteral("(x-1)^2*(x+2)"));
    win.set("txtXlower", QStringLiteral("-3"));
    win.set("txtXupper", QStringLiteral("3.1"));
    win.press("cmdRoots");
    EXPECT_TRUE(win.find<QLabel>("lblWarnings")->text().startsWith(QStringLiteral("f may touch 0 near x = ")));
    win.set("txtXupper", QStringLiteral("3"));
    EXPECT_EQ(win.find<QLabel>("lblWarnings")->text(), "") << "an edited study drops its warnings";
}

}  // namespace
