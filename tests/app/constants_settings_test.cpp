// The user constants in the window, and the settings file read at start and written at exit.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "windowfixture.h"

using tessaly::app::FrmFunctions;
using tessaly::app::testing::Window;

namespace {

const QByteArray kDefaults =
    "\"pi/"
    "3*x*sin(x)*tanh(x)\"\r\n-8\r\n8\r\n256\r\n.01\r\n20\r\n-20\r\n20\r\n-"
    "15\r\n15\r\n1\r\n0\r\n0\r\n1\r\n1\r\n0\r\n0\r\n";

QStringList statementsOf(const FrmFunctions& w)
{
    QStringList s;
    for (const auto& statement : w.session().constants().statements())
        s << QString::fromStdString(statement);
    return s;
}

TEST(Constants, ACommaTypedKeyByKeyIsStoredAsAPoint)
{
    Window win;
    win.add(QStringLiteral("a=2,37"));
    EXPECT_EQ(win.listed(), QStringList{"a=2.37"});
    EXPECT_EQ(statementsOf(*win.w), QStringList{"a=2.37"});
    EXPECT_EQ(win.constants()->currentText(), "") << "Add empties the box";
}

TEST(Constants, TwoNamesDifferingInCaseAreOneVariable)
{
    Window win;
    win.add(QStringLiteral("A=1"));
    win.add(QStringLiteral("a=2"));
    EXPECT_EQ(win.listed(), (QStringList{"A=1", "a=2"}));
    win.find<QLineEdit>("txtEquation")->setText(QStringLiteral("x-a"));
    win.press("cmdRoots");
    EXPECT_EQ(win.rows("lstRoots"), QStringList{"2"});
}

TEST(Constants, InvalidNamesAreIgnoredWithoutAMessage)
{
    Window win;
    for (const char* t : {"2a=5", "=5", "a_b=1", "a"})
        win.add(QString::fromLatin1(t));
    EXPECT_TRUE(win.listed().isEmpty());
    EXPECT_TRUE(win.prompter.asked.isEmpty());
}

TEST(Constants, TypedTextIsNotCompletedFromTheList)
{
    Window win;
    win.add(QStringLiteral("a=2.37"));
    win.add(QStringLiteral("a=2"));
    EXPECT_EQ(win.listed(), QStringList{"a=2"});
}

TEST(Constants, AHundredAndSecondIsRefusedAndStaysInTheBox)
{
    Window win;
    for (int i = 0; i < 101; ++i) {
        win.constants()->setEditText(QStringLiteral("c%1=%1").arg(i));
        win.press("cmdAddCons");
    }
    ASSERT_EQ(win.listed().size(), 101);
    EXPECT_TRUE(win.prompter.asked.isEmpty());
    win.constants()->setEditText(QStringLiteral("extra=1"));
    win.press("cmdAddCons");
    EXPECT_EQ(win.prompter.texts(), QStringList{"At most 101 user constants can be added."});
    EXPECT_EQ(win.constants()->currentText(), "extra=1");
    EXPECT_EQ(win.listed().size(), 101);
}

TEST(Constants, AddingDiscardsResultsRemovingKeepsThem)
{
    Window win;
    win.add(QStringLiteral("k=1"));
    win.press("cmdRoots");
    ASSERT_EQ(win.rows("lstRoots").size(), 5);
    win.select(0);
    win.press("cmdRemCons");
    EXPECT_TRUE(win.listed().isEmpty());
    EXPECT_EQ(win.rows("lstRoots").size(), 5);
    EXPECT_EQ(win.find<QLabel>("lblRoots")->text(), "5 roots");

    win.add(QStringLiteral("k=2"));
    EXPECT_TRUE(win.rows("lstRoots").isEmpty());
    EXPECT_EQ(win.find<QLabel>("lblRoots")->text(), "");
    EXPECT_EQ(win.w->session().results().roots.size(), 0);
}

TEST(Constants, RemovingPutsTheNameBack)
{
    Window win;
    const double pi = std::atan(1.0) * 4;
    win.add(QStringLiteral("pi=3"));
    win.add(QStringLiteral("a=5"));
    win.press("cmdRoots");  // runs the constants
    EXPECT_EQ(win.w->session().extension().pi, 3);
    win.select(0);
    win.press("cmdRemCons");
    EXPECT_EQ(win.w->session().extension().pi, pi) << "pi comes back, not 0";
    win.select(0);
    win.press("cmdRemCons");
    win.find<QLineEdit>("txtEquation")->setText(QStringLiteral("x-a"));
    win.press("cmdRoots");
    EXPECT_EQ(win.rows("lstRoots"), QStringList{"0"}) << "a is 0 after its removal";
}

TEST(Constants, RemovingANameTheEngineRefusesIsTrapped)
{
    Window win;
    win.add(QStringLiteral("sin=3"));
    win.select(0);
    win.press("cmdRemCons");
    EXPECT_TRUE(win.listed().isEmpty());
    EXPECT_EQ(win.prompter.texts(), QStringList{"Illegal assignment"});
}

TEST(Constants, NothingSelectedRemovesNothing)
{
    Window win;
    win.add(QStringLiteral("a=1"));
    win.constants()->setEditText(QStringLiteral("a=1x"));
    win.press("cmdRemCons");
    EXPECT_EQ(win.listed(), QStringList{"a=1"});
}

TEST(Constants, AStatementTheEngineCannotReadIsRefusedWithItsPlace)
{
    Window win;
    win.constants()->setEditText(QStringLiteral("a=2.3.4"));
    win.press("cmdAddCons");
    EXPECT_TRUE(win.listed().isEmpty());
    EXPECT_TRUE(statementsOf(*win.w).isEmpty()) << "nothing is stored";
    EXPECT_EQ(
        win.prompter.texts(),
        QStringList{"Expression compilation error 1025\nExpected end of statement\n\nAt line 1, col 6: [a=2.3.4]"});
    EXPECT_EQ(win.constants()->currentText(), "a=2.3.4") << "left to be corrected";
}

TEST(Constants, AConstantThatFailsIsNamedByEveryCommand)
{
    Window win;
    win.add(QStringLiteral("z=1/0"));
    EXPECT_EQ(statementsOf(*win.w), QStringList{"z=1/0"}) << "it reads well; it fails only when it runs";
    const QString named = QStringLiteral("The user constant \"z=1/0\" could not be run: Division by zero (error 11).");
    struct Row {
        const char* button;
        QString told;
    };
    const Row rows[] = {
        {"cmdRoots", named},
        {"cmdExtrema", named},
        {"cmdDerVal", named},
        {"cmdPlot", named},
        {"cmdIntegrate", QStringLiteral("division by zero\n") + named},
    };
    for (const Row& row : rows) {
        win.prompter.asked.clear();
        win.press(row.button);
        EXPECT_EQ(win.prompter.texts(), QStringList{row.told}) << row.button;
        EXPECT_EQ(win.w->session().lastError(), 11) << row.button;
    }
    EXPECT_TRUE(win.rows("lstRoots").isEmpty());
    EXPECT_FALSE(win.w->graphCurrent());
}

TEST(Settings, FirstRunShowsTheDefaultsAndExitWritesThem)
{
    Window win;
    EXPECT_EQ(win.text("txtError"), ".01");
    win.w->close();
    EXPECT_EQ(win.file(), kDefaults);
}

TEST(Settings, AStudyComesBackAsItWasLeft)
{
    Window win;
    win.find<QLineEdit>("txtEquation")->setText(QStringLiteral("x^2 - \"2\""));
    win.find<QLineEdit>("txtError")->setText(QStringLiteral("0.5"));
    win.find<QLineEdit>("txtWindowlx")->setText(QStringLiteral("-20.123456789"));
    win.find<QCheckBox>("chkPersist")->setChecked(true);
    win.add(QStringLiteral("a=1"));
    win.add(QStringLiteral("b=2"));
    win.add(QStringLiteral("c=3"));
    win.press("cmdRoots");
    win.w->close();
    const QByteArray written = win.file();
    EXPECT_FALSE(written.contains("roots"));

    win.start();
    EXPECT_EQ(win.text("txtEquation"), "x^2 - \"2\"");
    EXPECT_EQ(win.text("txtError"), ".5");
    EXPECT_EQ(win.text("txtWindowlx"), "-20.12346");
    EXPECT_TRUE(win.find<QCheckBox>("chkPersist")->isChecked());
    EXPECT_EQ(win.listed(), (QStringList{"a=1", "b=2", "c=3"}));
    EXPECT_EQ(statementsOf(*win.w), (QStringList{"a=1", "b=2", "c=3"}));
    EXPECT_TRUE(win.rows("lstRoots").isEmpty()) << "results are never kept";
    EXPECT_EQ(win.find<QLabel>("lblRoots")->text(), "");
}

TEST(Settings, ADamagedFileKeepsTheDefaultsAndIsKeptAsBad)
{
    const QByteArray damaged = "\"x\"\r\n-1\r\neight\r\n";
    Window win(&damaged);
    EXPECT_EQ(win.text("txtEquation"), "pi/3*x*sin(x)*tanh(x)");
    EXPECT_EQ(win.text("txtXlower"), "-8");
    QFile bad(win.path() + ".bad");
    ASSERT_TRUE(bad.open(QIODevice::ReadOnly));
    EXPECT_EQ(bad.readAll(), damaged);
    win.w->close();
    EXPECT_EQ(win.file(), kDefaults) << "the next exit writes a good file";
}

TEST(Settings, APlotStepOfZeroTakesItsDefault)
{
    QByteArray file = kDefaults;
    file.replace("\r\n15\r\n1\r\n0\r\n", "\r\n15\r\n0\r\n0\r\n");
    Window win(&file);
    EXPECT_EQ(win.text("txtPlotStep"), "1");
    EXPECT_EQ(win.text("txtWindowgy"), "15");
}

TEST(Settings, AStudyThatCannotBeOpenedLeavesTheSettings)
{
    QByteArray file = kDefaults;
    file.replace("\"pi/3*x*sin(x)*tanh(x)\"", "\"x^3\"");
    Window notOpened(&file, [] { return false; });
    EXPECT_EQ(notOpened.text("txtEquation"), "x^3");
    Window opened(&file, [] { return true; });
    EXPECT_EQ(opened.text("txtEquation"), "pi/3*x*sin(x)*tanh(x)") << "an opened study takes the place of the settings";
}

TEST(Settings, AFailedWriteAtExitIsToldAndExitGoesOn)
{
    Window win;
    QDir(win.folder.path()).mkdir(QStringLiteral("tessaly.ini"));  // a folder in the file's place
    win.w->close();
    ASSERT_EQ(win.prompter.asked.size(), 1);
    EXPECT_TRUE(win.prompter.asked[0].text.startsWith("Could not save the settings file " + win.path() + ": "))
        << win.prompter.asked[0].text.toStdString();
    EXPECT_EQ(win.prompter.asked[0].caption, "Tessaly");
    EXPECT_FALSE(win.w->isVisible());
}

TEST(Settings, AFailedWriteAfterASignalGoesToStandardError)
{
    Window win;
    QDir(win.folder.path()).mkdir(QStringLiteral("tessaly.ini"));
    ::testing::internal::CaptureStderr();
    win.w->closeBySignal();
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(win.prompter.asked.isEmpty());
    EXPECT_EQ(printed.rfind("Could not save the settings file " + win.path().toStdString() + ": ", 0), 0u) << printed;
    EXPECT_FALSE(win.w->isVisible());
}

TEST(Settings, ValuesAtTheLimitsOfTheirTypeComeBackWithNothingLost)
{
    Window win;
    win.set("txtEquation", QStringLiteral("x^2-2"));
    win.add(QStringLiteral("a=2"));
    win.set("txtWindowgx", QStringLiteral("3.4028234663852886E38"));
    win.set("txtXupper", QStringLiteral("1.7976931348623157E308"));
    win.w->close();
    win.start();
    EXPECT_TRUE(win.prompter.asked.isEmpty()) << win.prompter.texts().join('|').toStdString();
    EXPECT_EQ(win.text("txtEquation"), "x^2-2");
    EXPECT_EQ(win.listed(), QStringList{"a=2"});
    EXPECT_EQ(win.text("txtWindowgx"), "3.402823E+38");
    EXPECT_EQ(win.text("txtXupper"), "1.79769313486232E+308");
}

TEST(Settings, AValueBeyondItsTypeTakesItsDefaultAloneAndIsTold)
{
    const QByteArray file =
        "\"x^3\"\r\n-8\r\n8\r\n1E10\r\n.01\r\n20\r\n-20\r\n20\r\n-15\r\n15\r\n0\r\n0\r\n0\r\n"
        "1\r\n1\r\n1\r\n\"a=2.37\"\r\n0\r\n";
    Window win(&file);
    EXPECT_EQ(win.text("txtEquation"), "x^3");
    EXPECT_EQ(win.listed(), QStringList{"a=2.37"});
    EXPECT_EQ(win.text("txtSubintervals"), "256");
    EXPECT_EQ(win.text("txtPlotStep"), "1");
    EXPECT_EQ(win.prompter.texts(), QStringList{"These values could not be used and were replaced by their defaults: "
                                                "# of subintervals, Plot step."});
}

TEST(Settings, FieldsBeyondTheirTypeAreWrittenAsDefaults)
{
    Window win;
    win.find<QLineEdit>("txtSubintervals")->setText(QStringLiteral("3000000000"));
    win.find<QLineEdit>("txtXlower")->setText(QStringLiteral("1E400"));
    win.w->close();
    EXPECT_EQ(win.file(), kDefaults);
}

}  // namespace
