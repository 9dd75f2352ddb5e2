// The decimal-separator guard with the separator given, whatever this machine's locale.

#include <QApplication>
#include <QFileInfo>
#include <QLocale>

#include <gtest/gtest.h>

#include <clocale>

#include "app/decimalguard.h"
#include "app/frmfunctions.h"
#include "app/startup.h"
#include "docs/settingsfile.h"
#include "recordingprompter.h"

using tessaly::app::DecimalGuard;
using tessaly::app::Prompter;
using tessaly::app::testing::RecordingPrompter;

namespace {

TEST(DecimalGuard, AsksForEveryOtherSeparatorAndSwitchesThisProcessOnYes)
{
    for (const QString& separator : {QStringLiteral(","), QStringLiteral("\u066B")}) {
        RecordingPrompter prompter;
        prompter.answer = Prompter::Answer::Yes;
        DecimalGuard guard;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        bool askAgain = true;
        EXPECT_TRUE(guard.CheckDecimalSeparator(separator, prompter, askAgain));
        EXPECT_TRUE(askAgain) << "the box was left unchecked";
        ASSERT_EQ(prompter.checkedAsked.size(), 1);
        const auto& q = prompter.checkedAsked[0];
        EXPECT_EQ(q.caption, QStringLiteral("Decimal Comma Warning!"));
        EXPECT_EQ(q.icon, Prompter::Icon::Question);
        EXPECT_EQ(q.buttons, Prompter::Buttons::YesNoCancel);
        EXPECT_EQ(q.checkBox, QStringLiteral("Don't ask again"));
        EXPECT_TRUE(q.detail.contains(QStringLiteral("Tessaly only")));
        EXPECT_EQ(q.text.toStdString(),
                  "Proper operation of this application requires the use of the DECIMAL POINT.\n"
                  "Your system is currently using the DECIMAL COMMA.\n\n"
                  "Do you wish to temporarily change this system setting to decimal point?\n"
                  "(Upon exiting, this application will restore your setting.)\n"
                  "(See HELP FILE for instructions on how to change MANUALLY)\n\n"
                  "Press YES to change.");
        EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral("."));
        EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
        guard.RestoreDecimalSeparator();
        EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral(",")) << "put back at exit";
        QLocale::setDefault(QLocale::c());
    }
}

TEST(DecimalGuard, APointAsksNothingAndNoOrCancelEnd)
{
    RecordingPrompter prompter;
    DecimalGuard guard;
    bool askAgain = true;
    EXPECT_TRUE(guard.CheckDecimalSeparator(QStringLiteral("."), prompter, askAgain));
    EXPECT_TRUE(prompter.checkedAsked.isEmpty());
    prompter.check = true;
    for (const auto answer : {Prompter::Answer::No, Prompter::Answer::Cancel}) {
        prompter.answer = answer;
        EXPECT_FALSE(guard.CheckDecimalSeparator(QStringLiteral(","), prompter, askAgain));
        EXPECT_TRUE(askAgain) << "\"Don't ask again\" with No would end every later start unasked";
    }
}

TEST(DecimalGuard, DontAskAgainSwitchesLaterStartsWithoutAQuestion)
{
    RecordingPrompter prompter;
    prompter.answer = Prompter::Answer::Yes;
    prompter.check = true;
    bool askAgain = true;
    {
        DecimalGuard guard;
        EXPECT_TRUE(guard.CheckDecimalSeparator(QStringLiteral(","), prompter, askAgain));
        EXPECT_FALSE(askAgain);
        guard.RestoreDecimalSeparator();
    }
    prompter.answer = Prompter::Answer::No;  // would end the program, were it asked
    DecimalGuard guard;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(guard.CheckDecimalSeparator(QStringLiteral(","), prompter, askAgain));
    EXPECT_EQ(prompter.checkedAsked.size(), 1) << "asked once only";
    EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral(".")) << "switched all the same";
    guard.RestoreDecimalSeparator();
    EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
    QLocale::setDefault(QLocale::c());
}

TEST(DecimalGuard, TheProgramEndsBeforeAnyWindowWhenTheUserSaysNo)
{
    for (const auto answer : {Prompter::Answer::No, Prompter::Answer::Cancel}) {
        RecordingPrompter prompter;
        prompter.answer = answer;
        tessaly::app::ProgramSeams seams;
        seams.prompter = &prompter;
        seams.decimalSeparator = QStringLiteral(",");
        char name[] = "tessaly";
        char* argv[] = {name, nullptr};
        EXPECT_EQ(tessaly::app::runProgram(1, argv, seams), 0);
        EXPECT_EQ(prompter.checkedAsked.size(), 1);
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_EQ(qobject_cast<tessaly::app::FrmFunctions*>(w), nullptr);
        EXPECT_FALSE(QFileInfo::exists(tessaly::docs::settingsFilePath())) << "no settings file written";
    }
}

}  // namespace
