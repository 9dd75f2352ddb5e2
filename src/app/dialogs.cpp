#include "app/dialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>

#include "docs/graphfile.h"
#include "plot/graphwindow.h"

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

// The width and height of an image, starting from a size; nothing when cancelled.
std::optional<QSize> imageSize(QWidget* parent, QSize start)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Image size"));
    auto* form = new QFormLayout(&dialog);
    auto spin = [&](const QString& label, int low, int high, int value) {
        auto* box = new QSpinBox(&dialog);
        box->setRange(low, high);
        box->setValue(value);
        box->setSuffix(QStringLiteral(" pixels"));
        form->addRow(label, box);
        return box;
    };
    QSpinBox* width = spin(QStringLiteral("Width:"), plot::kMinPictureWidth, plot::kMaxPictureWidth, start.width());
    QSpinBox* height =
        spin(QStringLiteral("Height:"), plot::kMinPictureHeight, plot::kMaxPictureHeight, start.height());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return QSize(width->value(), height->value());
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

std::optional<Dialogs::GraphExport> QtDialogs::exportGraphFile(QWidget* parent, const QString& startFolder,
                                                               QSize pictureSize)
{
    static const char* const suffixes[] = {"png", "svg", "pdf"};  // in the order of kGraphFilter
    QFileDialog dialog(parent, QStringLiteral("Export graph"), startFolder, kGraphFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromLatin1(suffixes[0]));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        const auto k = kGraphFilter.split(QStringLiteral(";;")).indexOf(filter);
        if (k >= 0 && k < 3)
            dialog.setDefaultSuffix(QString::fromLatin1(suffixes[k]));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    GraphExport chosen{dialog.selectedFiles().constFirst(), pictureSize};
    if (docs::graphFormatOf(chosen.path) == docs::GraphFormat::Png) {
        const auto size = imageSize(parent, pictureSize);
        if (!size)
            return std::nullopt;
        chosen.size = *size;
    }
    return chosen;
}

}  // namespace tessaly::app
