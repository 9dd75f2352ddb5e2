#include "app/windowparts.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QUrl>
#include <QWidget>

#include "app/prompter.h"
#include "docs/filename.h"
#include "docs/recentstudies.h"
#include "docs/report.h"
#include "docs/textfile.h"

namespace tessaly::app {

void showRaised(QWidget* w)
{
    w->show();
    w->raise();
    w->activateWindow();
}

void showRows(QListWidget* list, const std::vector<std::string>& rows, QLabel* label,
              const std::optional<std::string>& text)
{
    for (const auto& row : rows)
        list->addItem(QString::fromStdString(row));
    if (text)
        label->setText(QString::fromStdString(*text));
}

bool NoAltTyping::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers m = key->modifiers();
        if ((m & Qt::AltModifier) && !(m & Qt::ControlModifier) && !key->text().isEmpty())
            return true;
    }
    return QObject::eventFilter(watched, event);
}

QString shownPath(const QString& path)
{
    const QString home = QDir::homePath();
    const QString shown = docs::displayFileName(path);
    if (!home.isEmpty() && home != QLatin1String("/") && shown.startsWith(home + QLatin1Char('/')))
        return QLatin1Char('~') + shown.mid(home.size());
    return shown;
}

QString firstLocalFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty() || !urls.constFirst().isLocalFile())
        return {};
    // The URL's escapes are the name's bytes, which need not be UTF-8.
    return docs::localFileOfUrl(urls.constFirst().toEncoded());
}

QString studyDisplayName(const QString& studyFile) { return docs::displayFileName(QFileInfo(studyFile).fileName()); }

QString studyWindowTitle(const QString& studyFile, bool modified)
{
    if (studyFile.isEmpty())
        return kProgramTitle;
    return studyDisplayName(studyFile) + (modified ? QStringLiteral("*") : QString()) + QStringLiteral(" \u2014 ")
           + kProgramTitle;
}

void fillRecentMenu(QMenu& menu, docs::RecentStudies& recent, std::function<void(const QString&)> open,
                    std::function<void()> changed)
{
    menu.clear();
    bool missing = false;
    int k = 0;
    for (const QString& path : recent.paths()) {
        ++k;
        QString shown = shownPath(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = menu.addAction(QStringLiteral("&%1 %2").arg(k).arg(shown));
        const bool there = docs::isRegularFile(path);
        entry->setEnabled(there);
        missing = missing || !there;
        QObject::connect(entry, &QAction::triggered, &menu, [open, path] { open(path); });
    }
    if (recent.paths().isEmpty())
        menu.addAction(QStringLiteral("No recent studies"))->setEnabled(false);
    menu.addSeparator();
    // The list changed: kept, and the menu filled again.
    auto refill = [&menu, &recent, open, changed] {
        changed();
        fillRecentMenu(menu, recent, open, changed);
    };
    QAction* removeMissing = menu.addAction(QStringLiteral("Remove missing studies"));
    removeMissing->setObjectName(QStringLiteral("mnuRecentRemoveMissing"));
    removeMissing->setEnabled(missing);
    QObject::connect(removeMissing, &QAction::triggered, &menu, [&recent, refill] {
        for (const QString& path : recent.paths())
            if (!docs::isRegularFile(path))
                recent.remove(path);
        refill();
    });
    QAction* clearList = menu.addAction(QStringLiteral("Clear list"));
    clearList->setObjectName(QStringLiteral("mnuRecentClear"));
    clearList->setEnabled(!recent.paths().isEmpty());
    QObject::connect(clearList, &QAction::triggered, &menu, [&recent, refill] {
        recent.clear();
        refill();
    });
}

bool printReport(QPrinter& printer, const docs::ReportInput& in, QString* reason)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return docs::writeReportPdf(printer.outputFileName(), printer.pageLayout(), in, reason);
    if (!docs::paintReport(printer, in, reason)) {
        printer.abort();
        return false;
    }
    if (printer.printerState() == QPrinter::Error) {
        if (reason)
            *reason = QStringLiteral("the printer reported an error");
        return false;
    }
    return true;
}

}  // namespace tessaly::app
