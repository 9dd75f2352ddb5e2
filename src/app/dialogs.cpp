#include "app/dialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace tessaly::app {
namespace {

QString chosenFile(QWidget* parent, const QString& title, const QString& startFolder, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, title, startFolder, kStudyFilter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

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
