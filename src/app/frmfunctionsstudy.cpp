// The main window's study files (Open, Save, Save As, dropped files) and its printed report.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPrinter>
#include <QUrl>

#include "app/busycursor.h"
#include "app/dialogs.h"
#include "app/frmfunctions.h"
#include "app/pictureview.h"
#include "app/prompter.h"
#include "app/windowtools.h"
#include "docs/filename.h"
#include "docs/graphfile.h"
#include "docs/report.h"

namespace tessaly::app {
namespace {

// The first local file among dropped data, or nothing.
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

}  // namespace

QString FrmFunctions::dialogFolder() const
{
    if (!m_studyFileName.isEmpty())
        return QFileInfo(m_studyFileName).absolutePath();
    return QDir::homePath();
}

// A cancelled Open or Save As leaves no study file name: the next Save asks.
// A file that then cannot be opened or saved does not become the study's file.
void FrmFunctions::mnuOpen_Click()
{
    const QString chosen = m_dialogs.openFileName(this, dialogFolder());
    if (chosen.isEmpty())
        m_studyFileName.clear();
    else
        OpenStudy(chosen);
}

void FrmFunctions::mnuSave_Click()
{
    if (!m_studyFileName.isEmpty()) {
        SaveStudy(m_studyFileName);
        return;
    }
    const QString chosen = m_dialogs.saveFileName(this, dialogFolder());
    if (!chosen.isEmpty())
        SaveStudy(chosen);
}

void FrmFunctions::mnuSaveAs_Click()
{
    const QString chosen = m_dialogs.saveFileName(this, dialogFolder());
    if (chosen.isEmpty())
        m_studyFileName.clear();
    else
        SaveStudy(chosen);
}

void FrmFunctions::Form_DragDrop(const QMimeData* data)
{
    const QString path = firstLocalFile(data);
    if (!path.isEmpty())
        OpenStudy(path);
}

void FrmFunctions::dragEnterEvent(QDragEnterEvent* event)
{
    if (!firstLocalFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FrmFunctions::dropEvent(QDropEvent* event)
{
    if (firstLocalFile(event->mimeData()).isEmpty())
        return;
    event->acceptProposedAction();
    Form_DragDrop(event->mimeData());
}

bool FrmFunctions::SaveStudy(const QString& path)
{
    // The bitmap beside a study always shows that study.
    const std::optional<QImage> graph = m_graph.image(m_session, fieldTexts(), graphChecks());
    if (const auto message = docs::saveStudy(path, fieldItems(), m_session.results(), graph ? &*graph : nullptr)) {
        m_prompter.message(*message);
        return false;
    }
    m_studyFileName = path;
    return true;
}

bool FrmFunctions::OpenStudy(const QString& path)
{
    const docs::StudyRead read = docs::readStudyFile(path);
    if (!read.study) {
        m_prompter.message(read.message);
        return false;
    }
    m_studyFileName = path;
    {
        const FlagScope loading(m_loadingStudy);
        record::StudyRecord record = read.study->record;
        record.persist = m_ui.chkPersist->isChecked() ? 1 : 0;  // the file does not keep it
        ShowStudyRecord(record);
        m_holdsStudy = true;
        m_session.runEachConstant();
        RestoreResults(read.study->results);
    }
    cmdPlot_Click();
    if (!read.replaced.empty())
        message(record::replacedMessage(read.replaced));
    return true;
}

void FrmFunctions::mnuExport_Click()
{
    const auto chosen = m_dialogs.exportGraphFile(this, dialogFolder(), m_graph.drawnSize());
    if (!chosen)
        return;
    const auto format = docs::graphFormatOf(chosen->path);
    if (!format) {
        m_prompter.message(QStringLiteral("Could not save %1: the name must end in .png, .svg or .pdf")
                               .arg(docs::displayFileName(chosen->path)));
        return;
    }
    BusyCursor busy;
    const auto paint = m_graph.drawing(m_session, fieldTexts(), graphChecks());
    if (!paint) {
        m_prompter.message(QStringLiteral("The graph cannot be drawn with these settings."));
        return;
    }
    // A bitmap has the size chosen; a drawing the picture's size, as it is shown.
    const bool bitmap = *format == docs::GraphFormat::Png || *format == docs::GraphFormat::Bmp;
    const QSize size = bitmap ? chosen->size : m_graph.drawnSize();
    QString reason;
    if (!docs::writeGraphFile(chosen->path, *format, size, 1, *paint, &reason))
        m_prompter.message(QStringLiteral("Could not save %1: %2").arg(docs::displayFileName(chosen->path), reason));
}

void FrmFunctions::RestoreResults(const record::StudyResults& results)
{
    for (QLabel* label : {m_ui.lblIntegral, m_ui.lblDerVal, m_ui.lblRoots, m_ui.lblExtrema})
        label->clear();
    m_ui.lstRoots->clear();
    m_ui.lstExtrema->clear();
    const session::RestoredResults shown = m_session.restoreResults(results, textOf(m_ui.txtEquation));
    auto show = [](QLabel* label, const std::optional<std::string>& text) {
        if (text)
            label->setText(QString::fromStdString(*text));
    };
    show(m_ui.lblIntegral, shown.integralLabel);
    show(m_ui.lblRoots, shown.rootsLabel);
    show(m_ui.lblExtrema, shown.extremaLabel);
    for (const auto& row : shown.rootRows)
        m_ui.lstRoots->addItem(QString::fromStdString(row));
    for (const auto& row : shown.extremaRows)
        m_ui.lstExtrema->addItem(QString::fromStdString(row));
}

void FrmFunctions::mnuPrint_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_dialogs.setUpPrinter(this, printer))
        return;
    BusyCursor busy;
    std::vector<std::string> listed;
    for (int k = 0; k < m_ui.cboConstants->count(); ++k)
        listed.push_back(m_ui.cboConstants->itemText(k).toStdString());
    const record::FieldTexts typed = fieldTexts();
    auto f = m_session.functionOf(typed.equation);
    m_session.extension().ierr = 0;
    docs::ReportInput in =
        docs::reportInputOf(typed, std::move(listed), m_session.results(), f, m_session.study().errorBound);
    if (const auto paint = m_graph.currentDrawing(m_session)) {
        in.graph = *paint;
        in.graphOrder = m_graph.order();
    }

    QString reason;
    bool printed = false;
    // A report printed to a file is written whole or not at all.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        printed = docs::writeReportPdf(printer.outputFileName(), printer.pageLayout(), in, &reason);
    } else {
        printed = docs::paintReport(printer, in, &reason);
        if (!printed)
            printer.abort();
        else if (printer.printerState() == QPrinter::Error) {
            printed = false;
            reason = QStringLiteral("the printer reported an error");
        }
    }
    if (!printed)
        m_prompter.message(QStringLiteral("Could not print: %1").arg(reason));
}

}  // namespace tessaly::app
