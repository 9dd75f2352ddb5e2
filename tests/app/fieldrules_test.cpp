// The entry fields' rules: what a typed text becomes when the field is left,
// which values keep the focus, and what is blocked meanwhile.

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "app/pictureview.h"
#include "windowfixture.h"

using tessaly::app::PictureView;
using tessaly::app::testing::Window;

namespace {

// The window active, a field focused with its text selected, as after a click.
QLineEdit* focusField(Window& win, const char* name)
{
    win.w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(win.w.get()));
    auto* field = win.find<QLineEdit>(name);
    field->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();  // the deferred select-all
    return field;
}

// Types into a field (replacing its selected text) and presses Tab.
void typeAndTab(Window& win, const char* name, const QString& typed)
{
    QLineEdit* field = focusField(win, name);
    if (typed.isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    else
        QTest::keyClicks(field, typed);
    QTest::keyClick(field, Qt::Key_Tab);
    QApplication::processEvents();  // queued focus moves
}

struct FieldRow {
    const char* field;
    const char* typed;
    bool focusStays;
    const char* after;
};

void PrintTo(const FieldRow& r, std::ostream* os) { *os << r.field << " <- \"" << r.typed << "\""; }

class FieldLeft : public ::testing::TestWithParam<FieldRow> {};

TEST_P(FieldLeft, TextAndFocusAfterTab)
{
    Window win;
    const FieldRow& row = GetParam();
    typeAndTab(win, row.field, QString::fromLatin1(row.typed));
    EXPECT_EQ(win.find<QLineEdit>(row.field)->hasFocus(), row.focusStays);
    EXPECT_EQ(win.text(row.field), QString::fromLatin1(row.after));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FieldLeft,
    ::testing::Values(FieldRow{"txtPlotStep", "0", true, "0"}, FieldRow{"txtPlotStep", "81", true, "81"},
                      FieldRow{"txtPlotStep", "2.5", true, "2.5"}, FieldRow{"txtPlotStep", "1", false, "1"},
                      FieldRow{"txtPlotStep", "80", false, "80"}, FieldRow{"txtError", "0", true, "0"},
                      FieldRow{"txtError", "-0.01", true, "-0.01"}, FieldRow{"txtError", ".001", false, ".001"},
                      FieldRow{"txtDivx", "0", true, "0"}, FieldRow{"txtDivx", "-1", false, "-1"},
                      FieldRow{"txtDivy", "0", true, "0"}, FieldRow{"txtEquation", "", true, ""},
                      FieldRow{"txtEquation", "   ", true, "   "}, FieldRow{"txtSubintervals", "300", false, "512"},
                      FieldRow{"txtSubintervals", "1", false, "2"}, FieldRow{"txtSubintervals", "abc", false, "2"},
                      FieldRow{"txtSubintervals", "256.5", false, "256"},
                      FieldRow{"txtSubintervals", "2,5", false, "2"},
                      FieldRow{"txtSubintervals", "536870912", false, "536870912"},
                      FieldRow{"txtSubintervals", "3000000000", false, "1073741824"},
                      FieldRow{"txtMaxcy", "12.5", false, "12"},
                      FieldRow{"txtMaxcy", "abc", false, "7"},  // letters are 0, then raised to log2(256) - 1
                      FieldRow{"txtXupper", "2,5", false, "2.5"}, FieldRow{"txtWindowgx", "1,5", false, "1.5"},
                      FieldRow{"txtDerNum", "2,5", false, "2,5"}));

TEST(FieldRules, TheIterationLimitFollowsTheSubintervals)
{
    Window win;
    typeAndTab(win, "txtSubintervals", QStringLiteral("33554432"));
    EXPECT_EQ(win.text("txtMaxcy"), "24");
    typeAndTab(win, "txtSubintervals", QStringLiteral("1024"));
    typeAndTab(win, "txtMaxcy", QStringLiteral("5"));
    EXPECT_EQ(win.text("txtMaxcy"), "9");
    typeAndTab(win, "txtSubintervals", QStringLiteral("2"));
    typeAndTab(win, "txtMaxcy", QStringLiteral("0"));
    EXPECT_EQ(win.text("txtMaxcy"), "1");
}

TEST(FieldRules, AnIntervalOutOfOrderSendsTheFocusToItsPartner)
{
    Window win;
    typeAndTab(win, "txtXlower", QStringLiteral("8"));
    EXPECT_TRUE(win.find<QLineEdit>("txtXupper")->hasFocus());
    EXPECT_EQ(win.find<QLineEdit>("txtXupper")->selectedText(), "8") << "its whole text selected";
    EXPECT_EQ(win.text("txtXlower"), "8") << "nothing is changed";
}

TEST(FieldRules, WhileRefusedClicksAndMnemonicsAreSwallowedButCloseWorks)
{
    Window win;
    QSignalSpy roots(win.find<QPushButton>("cmdRoots"), &QPushButton::clicked);
    QLineEdit* step = focusField(win, "txtPlotStep");
    QTest::keyClicks(step, QStringLiteral("0"));

    auto* button = win.find<QPushButton>("cmdRoots");
    QTest::mouseClick(win.w->windowHandle(), Qt::LeftButton, {}, button->mapTo(win.w.get(), button->rect().center()));
    EXPECT_EQ(roots.count(), 0);
    EXPECT_TRUE(step->hasFocus());

    QTest::keyClick(win.w.get(), Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(roots.count(), 0);
    EXPECT_TRUE(step->hasFocus());

    // the field itself still takes clicks and keys
    QTest::mouseClick(win.w->windowHandle(), Qt::LeftButton, {}, step->mapTo(win.w.get(), step->rect().center()));
    QTest::keyClick(step, Qt::Key_Backspace);
    QTest::keyClicks(step, QStringLiteral("5"));
    QTest::mouseClick(win.w->windowHandle(), Qt::LeftButton, {}, button->mapTo(win.w.get(), button->rect().center()));
    EXPECT_EQ(roots.count(), 1) << "accepted now";

    QLineEdit* error = focusField(win, "txtError");
    QTest::keyClicks(error, QStringLiteral("0"));
    win.w->close();
    EXPECT_FALSE(win.w->isVisible()) << "closing is not blocked";
}

// Clicks a button through the window, as the pointer does.
void clickThroughWindow(Window& win, const char* name)
{
    auto* button = win.find<QPushButton>(name);
    QTest::mouseClick(win.w->windowHandle(), Qt::LeftButton, {}, button->mapTo(win.w.get(), button->rect().center()));
}

TEST(FieldRules, AFieldThatGetsTheFocusWithTheWindowsActivationIsChecked)
{
    Window win;
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    // The field that had the focus gets it back when the window is activated:
    // the only focus event it sees has the activation as its reason.
    QLineEdit* equation = win.find<QLineEdit>("txtEquation");
    equation->setFocus(Qt::MouseFocusReason);
    win.w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(win.w.get()));
    ASSERT_TRUE(equation->hasFocus());
    equation->selectAll();
    QTest::keyClick(equation, Qt::Key_Delete);
    QTest::keyClick(equation, Qt::Key_Tab);
    clickThroughWindow(win, "cmdRoots");
    EXPECT_TRUE(equation->hasFocus()) << "the empty function keeps the focus";
    EXPECT_TRUE(win.rows("lstRoots").isEmpty());
    EXPECT_TRUE(win.prompter.asked.isEmpty()) << "no table-full message";
}

TEST(FieldRules, ARefusedFieldStaysCurrentWhileAnotherWindowHasTheActivation)
{
    Window win;
    QSignalSpy roots(win.find<QPushButton>("cmdRoots"), &QPushButton::clicked);
    QLineEdit* step = focusField(win, "txtPlotStep");
    QTest::keyClicks(step, QStringLiteral("0"));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    win.w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(win.w.get()));
    clickThroughWindow(win, "cmdRoots");
    EXPECT_EQ(roots.count(), 0);
    EXPECT_TRUE(step->hasFocus());
}

TEST(FieldRules, TheActivationReasonAloneMakesAFieldCurrent)
{
    Window win;
    win.w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(win.w.get()));
    QLineEdit* step = win.find<QLineEdit>("txtPlotStep");
    QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(step, &in);
    step->setText(QStringLiteral("81"));
    QSignalSpy plot(win.find<QPushButton>("cmdPlot"), &QPushButton::clicked);
    clickThroughWindow(win, "cmdPlot");
    EXPECT_EQ(plot.count(), 0);
}

TEST(FieldRules, EnterPlotsOnlyAnAcceptedValue)
{
    Window win;
    QSignalSpy plot(win.find<QPushButton>("cmdPlot"), &QPushButton::clicked);
    QLineEdit* step = focusField(win, "txtPlotStep");
    QTest::keyClicks(step, QStringLiteral("0"));
    QTest::keyClick(step, Qt::Key_Return);
    EXPECT_EQ(plot.count(), 0);
    EXPECT_TRUE(step->hasFocus());

    QTest::keyClick(step, Qt::Key_Backspace);
    QTest::keyClicks(step, QStringLiteral("2"));
    QTest::keyClick(step, Qt::Key_Return);
    EXPECT_EQ(plot.count(), 1);
    EXPECT_TRUE(win.w->graphCurrent());
}

TEST(FieldRules, ACommaFromAnInputMethodBecomesAPoint)
{
    Window win;
    QLineEdit* upper = focusField(win, "txtXupper");
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("2,5"));
    QApplication::sendEvent(upper, &commit);
    EXPECT_EQ(upper->text(), "2.5");
}

TEST(FieldRules, StaleMarksFollowTheFieldsThatChanged)
{
    Window win;
    win.press("cmdPlot");
    win.press("cmdRoots");
    const auto& image = win.find<PictureView>("Picture1")->image();
    auto blank = [&] {
        return image.pixelColor(200, 150) == QColor(Qt::white) && image.pixelColor(10, 10) == QColor(Qt::white);
    };

    typeAndTab(win, "txtXlower", QStringLiteral("-8"));  // the same value typed again: still an edit
    EXPECT_TRUE(win.rows("lstRoots").isEmpty());
    EXPECT_FALSE(blank());

    win.press("cmdRoots");
    focusField(win, "txtXlower");
    QTest::keyClick(win.find<QLineEdit>("txtXlower"), Qt::Key_Tab);
    EXPECT_EQ(win.rows("lstRoots").size(), 5) << "tabbing through a field changes nothing";

    // a larger error bound keeps the results, a smaller one discards them
    typeAndTab(win, "txtError", QStringLiteral(".1"));
    EXPECT_EQ(win.rows("lstRoots").size(), 5);
    typeAndTab(win, "txtError", QStringLiteral(".001"));
    EXPECT_TRUE(win.rows("lstRoots").isEmpty());
    EXPECT_EQ(win.w->session().study().errorBound, 0.001);

    typeAndTab(win, "txtWindowgy", QStringLiteral("16"));
    EXPECT_TRUE(blank());
    EXPECT_FALSE(win.w->graphCurrent());
}

TEST(FieldRules, ChoosingAnotherCurveErasesTheGraphOnLeaving)
{
    Window win;
    win.press("cmdPlot");
    auto* combo = win.find<QComboBox>("cboDerivative");
    EXPECT_FALSE(combo->isEditable());
    win.w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(win.w.get()));
    combo->setFocus(Qt::TabFocusReason);
    combo->setCurrentIndex(0);  // the same curve
    QTest::keyClick(combo, Qt::Key_Tab);
    EXPECT_TRUE(win.w->graphCurrent());

    combo->setFocus(Qt::TabFocusReason);
    combo->setCurrentIndex(2);
    QTest::keyClick(combo, Qt::Key_Tab);
    EXPECT_FALSE(win.w->graphCurrent());
}

}  // namespace
