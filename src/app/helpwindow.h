#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace tessaly::app {

// The help pages shipped inside the program, starting at their contents page.
inline const QUrl kHelpContents = QUrl(QStringLiteral("qrc:/help/index.html"));

// Whether a help page can be loaded.
bool helpPageExists(const QUrl& page);

// The help window's title for a page: "Tessaly Help - PAGE", or the page's own
// title when it already names the help ("Tessaly Help: Contents").
QString helpTitle(const QString& pageTitle);

// The help window: the program's own help pages in a browser, with Back and the
// pages' links. Not modal; Esc and Ctrl+W close it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QUrl& page, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

}  // namespace tessaly::app
