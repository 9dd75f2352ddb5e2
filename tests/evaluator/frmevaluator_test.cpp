// The evaluator window: opened from the main window, its keypad, memory,
// execution and error messages.

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "evaluator/frmevaluator.h"
#include "windowfixture.h"

using tessaly::app::testing::Window;
using tessaly::evaluator::FrmEvaluator;

namespace {

// A main window with its evaluator open and active.
struct Evaluator {
    Window win;
    FrmEvaluator* ev = nullptr;

    Evaluator() { open(); }
    void open()
    {
        win.press("cmdShowEvaluator");
        ev = win.w->findChild<FrmEvaluator*>(QStringLiteral("frmEvaluator"));
        EXPECT_TRUE(ev);
        ev->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(ev));
    }
    template <typename T>
    T* find(const char* name) const
    {
        return ev->findChild<T*>(QString::fromLatin1(name));
    }
    QLineEdit* field() const { return find<QLineEdit>("txtEquation"); }
    QString result() const { return find<QLabel>("lblResult")->text(); }
    QString memory() const { return find<QLabel>("lblMemory")->text(); }
    QStringList rows() const
    {
        QStringList r;
        auto* list = find<QListWidget>("lstResults");
        for (int i = 0; i < list->count(); ++i)
            r << list->item(i)->text();
        return r;
    }
    void press(const char* button) const { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    void execute(const QString& text) const
    {
        field()->setText(text);
        press("cmdExecute");
    }
};

TEST(EvaluatorWindow, OpensOnceBesideTheMainWindow)
{
    Evaluator e;
    EXPECT_EQ(e.ev->windowTitle(), QStringLiteral("Evaluator"));
    EXPECT_TRUE(e.ev->isWindow());
    EXPECT_FALSE(e.ev->isModal());
    e.win.press("cmdShowEvaluator");
    EXPECT_EQ(e.win.w->findChildren<FrmEvaluator*>().size(), 1);
    EXPECT_EQ(e.memory(), QStringLiteral("0."));
    e.ev->close();
    QApplication::processEvents();
    EXPECT_TRUE(e.win.w->isVisible()) << "closing the evaluator ends nothing else";
}

TEST(EvaluatorWindow, ControlsKeepTheirCaptionsAndTips)
{
    Evaluator e;
    struct Row {
        const char* name;
        QString caption;
        QString tip;
    };
    const Row rows[] = {
        {"cmdExecute", QStringLiteral("EXE"), QStringLiteral("Execute")},
        {"cmdClearEntry", QStringLiteral("CE"), QStringLiteral("Clear Entry")},
        {"cmdClearAll", QStringLiteral("CLR"), QStringLiteral("Clear All")},
        {"cmdMemPlus", QStringLiteral("M+"), QStringLiteral("Add to Memory")},
        {"cmdMemMinus", QStringLiteral("M-"), QStringLiteral("Subtract from Memory")},
        {"cmdMemRecall", QStringLiteral("MR"), QStringLiteral("Recall Memory")},
        {"cmdMemClear", QStringLiteral("MCLR"), QStringLiteral("Clear Memory")},
        {"cmdChangeSign", QStringLiteral("\u00B1"), QStringLiteral("Change sign")},
        {"cmd0", QStringLiteral("0"), QString()},
        {"cmdExponent", QStringLiteral("E"), QString()},
        {"cdmSubtract", QStringLiteral("-"), QStringLiteral("Subtract")},
        {"cmdIntegerDivision", QStringLiteral("\\"), QStringLiteral("Integer division")},
        {"cmdPi", QStringLiteral("\u03C0"), QStringLiteral("pi")},
        {"cmdEqv", QStringLiteral("Eqv"), QStringLiteral("Equivalence ")},
        {"cmdArcTangent", QStringLiteral("Atan"), QStringLiteral("Inverse Trigonometric Tangent")},
        {"cmdFix", QStringLiteral("Fix"), QStringLiteral("Integer Value Rounded")},
        {"cmdCInt", QStringLiteral("CInt"), QStringLiteral("Integer Value Rounded")},
        {"cmdExp", QStringLiteral("Exp"), QStringLiteral("Exponential (e)")},
    };
    for (const auto& r : rows) {
        auto* b = e.find<QPushButton>(r.name);
        ASSERT_TRUE(b) << r.name;
        EXPECT_EQ(b->text(), r.caption) << r.name;
        EXPECT_EQ(b->toolTip(), r.tip) << r.name;
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << r.name;
    }
    EXPECT_EQ(e.ev->findChildren<QPushButton*>().size(), 51 + 8);
    EXPECT_EQ(e.field()->toolTip(), QStringLiteral("Enter expression to be evaluated"));
    EXPECT_EQ(e.find<QListWidget>("lstResults")->toolTip(), QStringLiteral("Results"));
    EXPECT_EQ(e.find<QLabel>("lblResult")->toolTip(), QStringLiteral("Result"));
    EXPECT_EQ(e.find<QLabel>("lblMemory")->toolTip(), QStringLiteral("Memory"));
}

TEST(EvaluatorWindow, KeysInsertAtTheCaretAndKeepASelection)
{
    struct Row {
        QString text;
        int caret;
        int selectFrom, selectLength;  // a selection instead of a caret when selectLength > 0
        std::vector<const char*> keys;
        QString after;
        int caretAfter;
    };
    const Row rows[] = {
        {QStringLiteral("2+3"), 1, 0, 0, {"cmdMultiply"}, QStringLiteral("2*+3"), 2},
        {QStringLiteral("Sin(1)"), 0, 0, 6, {"cmdAbs"}, QStringLiteral("Abs(Sin(1)"), 4},
        {QStringLiteral("x"), 1, 0, 0, {"cmdAnd", "cmd1"}, QStringLiteral("x And 1"), 7},
        {QString(), 0, 0, 0, {"cmdArcTangent", "cmdPi", "cmdClose"}, QStringLiteral("Atn(pi)"), 7},
        {QStringLiteral("12"), 1, 0, 0, {"cmdPoint", "cmd5", "cmdExponent"}, QStringLiteral("1.5E2"), 4},
        {QStringLiteral("a"), 0, 0, 0, {"cmdNot", "cmdE"}, QStringLiteral(" Not ea"), 6},
        {QStringLiteral("17"), 2, 0, 0, {"cmdIntegerDivision", "cmd4"}, QStringLiteral("17\\4"), 4},
        {QStringLiteral("abcd"), 0, 1, 2, {"cmdSqr"}, QStringLiteral("aSqr(bcd"), 5},
    };
    Evaluator e;
    for (const auto& r : rows) {
        QLineEdit* f = e.field();
        f->setText(r.text);
        if (r.selectLength > 0)
            f->setSelection(r.selectFrom, r.selectLength);
        else
            f->setCursorPosition(r.caret);
        for (const char* k : r.keys)
            e.press(k);
        EXPECT_EQ(f->text(), r.after) << r.text.toStdString();
        EXPECT_EQ(f->cursorPosition(), r.caretAfter) << r.text.toStdString();
        EXPECT_TRUE(f->hasFocus());
    }
}

TEST(EvaluatorWindow, ExecuteListsTheExpressionAboveItsResult)
{
    Evaluator e;
    e.execute(QStringLiteral("1+1"));
    EXPECT_EQ(e.result(), QStringLiteral("2"));
    EXPECT_EQ(e.rows(), (QStringList{QStringLiteral("1+1"), QStringLiteral("     2")}));
    EXPECT_EQ(e.field()->text(), QStringLiteral("1+1")) << "the expression stays";

    e.execute(QStringLiteral("  2*3  "));
    EXPECT_EQ(e.rows().mid(0, 2), (QStringList{QStringLiteral("2*3"), QStringLiteral("     6")}));
    EXPECT_EQ(e.rows().size(), 4);

    struct Row {
        const char* expression;
        const char* result;
    };
    for (const Row& r : {Row{"1<2", "-1"}, Row{"1>2", "0"}, Row{"0*-1", "0"}, Row{"pi", "3.14159265358979"},
                         Row{"1/3", "0.333333333333333"}, Row{"Atanh(0.5)", "0.549306144334055"}}) {
        e.execute(QString::fromLatin1(r.expression));
        EXPECT_EQ(e.result(), QString::fromLatin1(r.result)) << r.expression;
    }
    EXPECT_TRUE(e.win.prompter.asked.isEmpty());
}

TEST(EvaluatorWindow, XIsTheMainWindowsAbscissaAndItsConstantsAreNotKnown)
{
    Evaluator e;
    e.win.set("txtXeval", QStringLiteral("2.5"));
    e.win.press("cmdDerVal");  // Value= leaves its point as the current abscissa
    ASSERT_EQ(e.win.w->session().currentX(), 2.5);
    e.execute(QStringLiteral("x*2"));
    EXPECT_EQ(e.result(), QStringLiteral("5"));
    EXPECT_EQ(e.win.w->session().currentX(), 2.5) << "the evaluator never changes it";

    e.win.add(QStringLiteral("q=3"));
    e.ev->activateWindow();
    e.execute(QStringLiteral("q+1"));
    EXPECT_EQ(e.result(), QStringLiteral("1")) << "an unknown name is empty here";
}

TEST(EvaluatorWindow, ErrorsAreToldWithTheirPlaceExceptTheToleratedOnes)
{
    Evaluator e;
    e.execute(QStringLiteral("2.5"));
    const QStringList before = e.rows();
    for (const char* silent : {"1/0", "Sqr(-1)", "Asin(2)", "1E300*1E300"}) {
        e.execute(QString::fromLatin1(silent));
        EXPECT_EQ(e.result(), QStringLiteral("2.5")) << silent;
        EXPECT_EQ(e.rows(), before) << silent;
    }
    EXPECT_TRUE(e.win.prompter.asked.isEmpty());
    EXPECT_EQ(e.ev->ierr, 6) << "the last failure, the overflow";

    e.execute(QStringLiteral("2+"));
    ASSERT_EQ(e.win.prompter.asked.size(), 1);
    EXPECT_EQ(e.win.prompter.asked[0].caption, QStringLiteral("Error in Script Control"));
    EXPECT_EQ(e.win.prompter.asked[0].icon, tessaly::app::Prompter::Icon::Critical);
    EXPECT_EQ(e.win.prompter.asked[0].text.toStdString(),
              "Expression compilation error 1002\nSyntax error\n\nAt line 1, col 3: [2+]");

    e.execute(QStringLiteral("\"a\"+1"));
    EXPECT_EQ(e.win.prompter.asked.last().text.toStdString(),
              "Expression runtime error 13\nType mismatch\n\nAt line 1, col 0: []");
    e.execute(QStringLiteral("1 2"));
    EXPECT_TRUE(e.win.prompter.asked.last().text.startsWith(QStringLiteral("Expression compilation error 1025\n")));
    EXPECT_EQ(e.result(), QStringLiteral("2.5"));
    EXPECT_EQ(e.rows(), before);

    // Nested deeper than the compiler goes: a compile error with its place.
    const QString deep = QString(3000, QLatin1Char('(')) + QStringLiteral("1") + QString(3000, QLatin1Char(')'));
    e.execute(deep);
    EXPECT_TRUE(e.win.prompter.asked.last().text.startsWith(
        QStringLiteral("Expression compilation error 28\nOut of stack space\n\nAt line 1, col ")));
}

TEST(EvaluatorWindow, MemoryKeysAndTheirLabel)
{
    Evaluator e;
    e.press("cmdMemPlus");
    EXPECT_EQ(e.memory(), QStringLiteral("0")) << "an empty result adds 0";
    e.execute(QStringLiteral("2.5"));
    e.press("cmdMemPlus");
    EXPECT_EQ(e.memory(), QStringLiteral("2.5"));
    e.field()->setText(QStringLiteral("1+"));
    e.field()->setCursorPosition(0);
    e.press("cmdMemRecall");
    EXPECT_EQ(e.field()->text(), QStringLiteral("1+2.5")) << "appended whatever the caret";
    e.execute(QStringLiteral("2"));
    e.press("cmdMemMinus");
    EXPECT_EQ(e.memory(), QStringLiteral("0.5"));
    e.field()->clear();
    e.press("cmdMemRecall");
    EXPECT_EQ(e.field()->text(), QStringLiteral(".5"));

    e.execute(QStringLiteral("1E308"));
    e.press("cmdMemPlus");
    e.press("cmdMemPlus");
    EXPECT_EQ(e.memory(), QStringLiteral("1E+308")) << "an overflow leaves the memory as it was";

    // Reopened: a fresh window, the memory kept.
    e.ev->close();
    QApplication::processEvents();
    e.open();
    EXPECT_EQ(e.memory(), QStringLiteral("1E+308")) << "the label shows the memory it kept";
    EXPECT_TRUE(e.rows().isEmpty());
    EXPECT_TRUE(e.result().isEmpty());
    e.press("cmdMemRecall");
    EXPECT_EQ(e.field()->text(), QStringLiteral("1E+308"));
    e.press("cmdMemClear");
    EXPECT_EQ(e.memory(), QStringLiteral("0"));
    e.ev->close();
    QApplication::processEvents();
    e.open();
    EXPECT_EQ(e.memory(), QStringLiteral("0.")) << "an empty memory shows as at the first opening";
}

TEST(EvaluatorWindow, ChangeSignRowsClearKeysAndRowClicks)
{
    Evaluator e;
    e.press("cmdChangeSign");
    EXPECT_TRUE(e.result().isEmpty()) << "nothing to negate";
    EXPECT_TRUE(e.rows().isEmpty());

    e.execute(QStringLiteral("1+1"));
    e.press("cmdChangeSign");
    EXPECT_EQ(e.result(), QStringLiteral("-2"));
    EXPECT_EQ(e.rows(), (QStringList{QStringLiteral("     -2"), QStringLiteral("1+1"), QStringLiteral("     2")}));

    auto* list = e.find<QListWidget>("lstResults");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
    EXPECT_EQ(e.field()->text(), QStringLiteral("2"));
    EXPECT_EQ(e.field()->cursorPosition(), 1);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("2"));

    e.press("cmdClearEntry");
    EXPECT_TRUE(e.field()->text().isEmpty());
    EXPECT_EQ(e.rows().size(), 3);
    e.press("cmdClearAll");
    EXPECT_TRUE(e.rows().isEmpty());
    EXPECT_TRUE(e.result().isEmpty());
}

TEST(EvaluatorWindow, EnterExecutesOnceAndACommaBecomesAPoint)
{
    Evaluator e;
    e.field()->setFocus();
    QTest::keyClicks(e.field(), QStringLiteral("1,5*2"));
    EXPECT_EQ(e.field()->text(), QStringLiteral("1.5*2"));
    QTest::keyClick(e.field(), Qt::Key_Return);
    EXPECT_EQ(e.rows(), (QStringList{QStringLiteral("1.5*2"), QStringLiteral("     3")}));
    QTest::keyClick(e.field(), Qt::Key_Enter);
    EXPECT_EQ(e.rows().size(), 4);
}

TEST(EvaluatorWindow, RemembersWhereItStoodForTheRun)
{
    Evaluator e;
    e.ev->move(137, 91);
    const QRect where = e.ev->geometry();
    e.ev->close();
    QApplication::processEvents();
    e.open();
    EXPECT_EQ(e.ev->geometry(), where);
}

}  // namespace
