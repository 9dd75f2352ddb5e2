// The program under a German locale (run with LANG=de_DE.UTF-8): after the
// user agrees, every number shown and written uses ".", and the command-line
// tool never depends on the locale.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLocale>

#include <gtest/gtest.h>

#include <clocale>
#include <sstream>

#include "app/decimalguard.h"
#include "cli/cli.h"
#include "windowfixture.h"

using tessaly::app::DecimalGuard;
using tessaly::app::Prompter;
using tessaly::app::testing::RecordingPrompter;
using tessaly::app::testing::Window;

namespace {

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(GermanLocale, TheLocaleReallyUsesAComma)
{
    EXPECT_EQ(QLocale::system().decimalPoint(), QStringLiteral(","));
    EXPECT_STREQ(std::localeconv()->decimal_point, ",") << "the C library's numbers follow the locale";
}

TEST(GermanLocale, AfterYesEveryNumberShownAndWrittenUsesAPoint)
{
    RecordingPrompter asker;
    asker.answer = Prompter::Answer::Yes;
    DecimalGuard guard;
    bool askAgain = true;
    ASSERT_TRUE(guard.CheckDecimalSeparator(tessaly::app::userDecimalSeparator(), asker, askAgain));
    EXPECT_EQ(asker.checkedAsked.size(), 1);
    EXPECT_STREQ(std::localeconv()->decimal_point, ".");

    {
        Window win;
        win.w->setDecimalGuard(&guard);
        win.press("cmdRoots");
        win.press("cmdIntegrate");
        win.press("cmdExtrema");
        const QStringList roots = win.rows("lstRoots");
        ASSERT_EQ(roots.size(), 5);
        EXPECT_EQ(roots[0], QStringLiteral("-6.28318590611842"));
        EXPECT_FALSE(win.find<QLabel>("lblIntegral")->text().contains(QLatin1Char(',')));
        EXPECT_TRUE(win.find<QLabel>("lblIntegral")->text().contains(QLatin1Char('.')));
        for (const QString& row : win.rows("lstExtrema"))
            EXPECT_FALSE(row.contains(QStringLiteral(",")) && !row.contains(QStringLiteral(" , ")))
                << row.toStdString();

        win.dialogs.fileAnswer = win.folder.filePath(QStringLiteral("study.txt"));
        win.w->findChild<QAction*>(QStringLiteral("mnuSaveAs"))->trigger();
        EXPECT_TRUE(readFile(win.dialogs.fileAnswer).contains(",-8,8,256,0.01,20,#TRUE#,5,"));
        win.w->close();  // writes the settings file and puts the separator back
        EXPECT_TRUE(readFile(win.path()).contains("\r\n.01\r\n"));
    }
    EXPECT_STREQ(std::localeconv()->decimal_point, ",") << "restored at exit";
}

TEST(GermanLocale, TheCommandLineToolReadsAndWritesPoints)
{
    std::ostringstream out, err;
    EXPECT_EQ(tessaly::cli::runCli({"eval", "--x", "2.5", "x/4"}, out, err), 0);
    EXPECT_EQ(out.str(), "0.625\n");
    std::ostringstream roots, rootsErr;
    EXPECT_EQ(tessaly::cli::runCli({"roots", "--lower", "-6.5", "--upper", "0.5"}, roots, rootsErr), 0);
    EXPECT_EQ(roots.str(), "-6.28318530725184\n-3.14161749411057\n-0.00390622954426365\n3 roots\n");
}

}  // namespace
