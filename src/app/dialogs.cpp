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

// A name saved without a suffix gets the one of the filter chosen (the first at the start).
void suffixFollowsFilter(QFileDialog& dialog, const QString& filters)
{
    dialog.setDefaultSuffix(defaultSuffixOf(filters.section(QStringLiteral(";;"), 0, 0)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(defaultSuffixOf(filter)); });
}

QString chosenFile(QWidget* parent, const QString& title, const QString& startFolder, QFileDialog::AcceptMode mode)
{
    const bool open = mode == QFileDialog::AcceptOpen;
    QFileDialog dialog(parent, title, startFolder, open ? kOpenStudyFilter : kSaveStudyFilter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!open)
        suffixFollowsFilter(dialog, kSaveStudyFilter);
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

std::optional<Dialogs::GraphExport> QtDialogs::exportGraphFile(QWidget* parent, const QString& startFolder,
                                                               QSize pictureSize)
{
    QFileDialog dialog(parent, QStringLiteral("Export graph"), startFolder, kGraphFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    suffixFollowsFilter(dialog, kGraphFilter);
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
