// Help and About from the main window's menu.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include "app/frmabout.h"
#include "app/helpwindow.h"
#include "windowfixture.h"

using tessaly::app::testing::Window;

namespace {

void menu(const Window& win, const char* entry) { win.w->findChild<QAction*>(QString::fromLatin1(entry))->trigger(); }

TEST(Help, OneWindowOnTheContentsPage)
{
    Window win;
    menu(win, "mnuHelp");
    const auto windows = win.w->findChildren<tessaly::app::HelpWindow*>();
    ASSERT_EQ(windows.size(), 1);
    QTextBrowser* browser = windows[0]->browser();
    EXPECT_EQ(browser->source(), tessaly::app::kHelpContents);
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Tessaly Help: Contents"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("The command-line tool tessaly-cli")));
    EXPECT_FALSE(windows[0]->isModal());

    EXPECT_EQ(windows[0]->windowTitle(), QStringLiteral("Tessaly Help: Contents")) << "one title, not two";

    browser->setSource(QUrl(QStringLiteral("qrc:/help/graph.html")));
    EXPECT_EQ(windows[0]->windowTitle(), QStringLiteral("Tessaly Help - The graph"));
    menu(win, "mnuHelp");
    EXPECT_EQ(win.w->findChildren<tessaly::app::HelpWindow*>().size(), 1) << "a second Help raises the same window";
    EXPECT_TRUE(win.prompter.asked.isEmpty());
}

TEST(Help, EscapeAndCtrlWCloseIt)
{
    Window win;
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        menu(win, "mnuHelp");
        QPointer<tessaly::app::HelpWindow> help = win.w->findChild<tessaly::app::HelpWindow*>();
        ASSERT_TRUE(help);
        help->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(help));
        QTest::keySequence(help->browser(), keys);
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(help) << keys.toString().toStdString();
    }
}

TEST(Help, EveryPageAndLinkIsThere)
{
    const QStringList pages = QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")});
    EXPECT_GE(pages.size(), 8);
    const QRegularExpression link(QStringLiteral("href=\"([^\"]+)\""));
    for (const QString& page : pages) {
        QFile f(QStringLiteral(":/help/") + page);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << page.toStdString();
        const QString html = QString::fromUtf8(f.readAll());
        for (auto m = link.globalMatch(html); m.hasNext();) {
            const QUrl target = QUrl(QStringLiteral("qrc:/help/")).resolved(QUrl(m.next().captured(1)));
            EXPECT_TRUE(tessaly::app::helpPageExists(target))
                << page.toStdString() << " -> " << target.toString().toStdString();
        }
    }
    EXPECT_FALSE(tessaly::app::helpPageExists(QUrl(QStringLiteral("qrc:/help/missing.html"))));
}

TEST(About, OpensOnceAndPaintsItsLinesOnceFromTheTop)
{
    Window win;
    menu(win, "mnuAbout");
    auto about = win.w->findChildren<tessaly::app::FrmAbout*>();
    ASSERT_EQ(about.size(), 1);
    EXPECT_EQ(about[0]->size(), QSize(640, 480));
    const QImage first = about[0]->grab().toImage();

    menu(win, "mnuAbout");
    about[0]->repaint();
    EXPECT_EQ(win.w->findChildren<tessaly::app::FrmAbout*>().size(), 1);
    EXPECT_EQ(about[0]->grab().toImage(), first) << "the same lines in the same place";

    // Three empty lines, then the name: nothing drawn in the top rows, something below.
    const QColor background = first.pixelColor(first.width() - 1, first.height() - 1);
    auto rowBlank = [&](int y) {
        for (int x = 0; x < first.width(); ++x)
            if (first.pixelColor(x, y) != background)
                return false;
        return true;
    };
    const int lineHeight = QFontMetrics([] {
                               QFont f;
                               f.setPointSize(24);
                               f.setBold(true);
                               return f;
                           }())
                               .height();
    for (int y = 0; y < 3 * lineHeight; ++y)
        ASSERT_TRUE(rowBlank(y)) << y;
    bool drawn = false;
    for (int y = 3 * lineHeight; y < 4 * lineHeight && !drawn; ++y)
        drawn = !rowBlank(y);
    EXPECT_TRUE(drawn);
    EXPECT_EQ(tessaly::app::aboutLines().value(3), QStringLiteral("Tessaly"));
    EXPECT_TRUE(tessaly::app::aboutLines().value(5).startsWith(QStringLiteral("Version ")));
    // Every line fits the window.
    QFont bold;
    bold.setPointSize(24);
    bold.setBold(true);
    for (const QString& line : tessaly::app::aboutLines())
        EXPECT_LE(QFontMetrics(bold).horizontalAdvance(line), 640) << line.toStdString();

    QTest::mouseClick(about[0], Qt::LeftButton, {}, QPoint(300, 300));
    QApplication::processEvents();
    EXPECT_TRUE(win.w->findChildren<tessaly::app::FrmAbout*>().isEmpty()
                || !win.w->findChildren<tessaly::app::FrmAbout*>()[0]->isVisible());
}

}  // namespace
