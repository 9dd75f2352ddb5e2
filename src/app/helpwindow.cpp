#include "app/helpwindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tessaly::app {

bool helpPageExists(const QUrl& page)
{
    const QString path = page.scheme() == QLatin1String("qrc") ? QLatin1Char(':') + page.path() : page.toLocalFile();
    return !path.isEmpty() && QFile::exists(path);
}

QString helpTitle(const QString& pageTitle)
{
    const QString name = QStringLiteral("Tessaly Help");
    if (pageTitle.isEmpty() || pageTitle.startsWith(name))
        return pageTitle.isEmpty() ? name : pageTitle;
    return name + QStringLiteral(" - ") + pageTitle;
}

HelpWindow::HelpWindow(const QUrl& page, QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Tessaly Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setOpenExternalLinks(true);

    auto* contents = new QPushButton(QStringLiteral("Contents"));
    auto* back = new QPushButton(QStringLiteral("Back"));
    back->setEnabled(false);
    connect(contents, &QPushButton::clicked, m_browser, &QTextBrowser::home);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(helpTitle(m_browser->documentTitle())); });
    // Esc and Ctrl+W close the window, as in other help viewers.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    resize(640, 560);
    m_browser->setSource(page);
}

}  // namespace tessaly::app
