#include "app/dialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace tessaly::app {
namespace {

QString chosenFile(QWidget* parent, const QString& title, const QString& startFolder, QFileDialog::AcceptMode mode)
{
    const bool open = mode == QFileDialog::AcceptOpen;
    QFileDialog dialog(parent, title, startFolder, open ? kOpenStudyFilter : kSaveStudyFilter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!open) {
        dialog.setDefaultSuffix(defaultSuffixOf(kSaveStudyFilter.section(QStringLiteral(";;"), 0, 0)));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString& filter) { dialog.setDefaultSuffix(defaultSuffixOf(filter)); });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString defaultSuffixOf(const QString& filter)
{
    const qsizetype star = filter.indexOf(QStringLiteral("(*."));
    if (star < 0)
        return {};
    const qsizetype from = star + 3;
    qsizetype end = from;
    while (end < filter.size() && filter[end].isLetterOrNumber())
        ++end;
    return filter.mid(from, end - from);
}

QString QtDialogs::openFileName(QWidget* parent, const QString& startFolder)
{
    return chosenFile(parent, QStringLiteral("Open"), startFolder, QFileDialog::AcceptOpen);
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& startFolder)
{
    return chosenFile(parent, QStringLiteral("Save As"), startFolder, QFileDialog::AcceptSave);
}

bool QtDialogs::setUpPrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tessaly::app
