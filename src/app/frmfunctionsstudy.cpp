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

#include "app/busycursor.h"
#include "app/dialogs.h"
#include "app/frmfunctions.h"
#include "app/pictureview.h"
#include "app/prompter.h"
#include "app/windowparts.h"
#include "app/windowtools.h"
#include "docs/filename.h"
#include "docs/graphfile.h"
#include "docs/report.h"
#include "docs/textfile.h"

namespace tessaly::app {

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
    if (!MaybeSaveChanges())
        return;
    const QString chosen = m_dialogs.openFileName(this, dialogFolder());
    if (chosen.isEmpty()) {
        m_studyFileName.clear();
        UpdateTitle();
    } else {
        OpenStudy(chosen);
    }
}

void FrmFunctions::mnuRecent_Click(const QString& path)
{
    if (MaybeSaveChanges())
        OpenStudy(path);
}

void FrmFunctions::mnuRecent_AboutToShow()
{
    fillRecentMenu(
        *m_ui.mnuRecent, m_recent, [this](const QString& path) { mnuRecent_Click(path); }, [this] { SaveState(); });
}

void FrmFunctions::RememberStudy(const QString& path)
{
    m_recent.add(path);
    SaveState();
    mnuRecent_AboutToShow();
}

bool FrmFunctions::studyModified() const
{
    return record::itemsOfTexts(fieldTexts(), m_session.constants().statements()) != m_savedItems
           || m_session.results() != m_savedResults;
}

void FrmFunctions::MarkStudySaved()
{
    m_savedItems = record::itemsOfTexts(fieldTexts(), m_session.constants().statements());
    m_savedResults = m_session.results();
    UpdateTitle();
}

void FrmFunctions::UpdateTitle() { setWindowTitle(studyWindowTitle(m_studyFileName, studyModified())); }

bool FrmFunctions::MaybeSaveChanges()
{
    if (m_studyFileName.isEmpty() || !studyModified())
        return true;
    const QString name = studyDisplayName(m_studyFileName);
    switch (m_prompter.ask(kProgramTitle, QStringLiteral("Save changes to %1?").arg(name), Prompter::Icon::Question,
                           Prompter::Buttons::SaveDiscardCancel)) {
    case Prompter::Answer::Save: return SaveStudy(m_studyFileName);
    case Prompter::Answer::Discard: return true;
    default: return false;
    }
}

void FrmFunctions::ShowStatus(std::string_view text)
{
    m_ui.lblStatus->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void FrmFunctions::ClearStatus() { m_ui.lblStatus->clear(); }

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
    if (chosen.isEmpty()) {
        m_studyFileName.clear();
        UpdateTitle();
    } else {
        SaveStudy(chosen);
    }
}

void FrmFunctions::Form_DragDrop(const QMimeData* data)
{
    const QString path = firstLocalFile(data);
    if (!path.isEmpty() && !m_runner.running() && MaybeSaveChanges())
        OpenStudy(path);
}

void FrmFunctions::dragEnterEvent(QDragEnterEvent* event)
{
    if (!m_runner.running() && !firstLocalFile(event->mimeData()).isEmpty())
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
    MarkStudySaved();
    RememberStudy(path);
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
    MarkStudySaved();
    RememberStudy(path);
    if (!read.replaced.empty())
        message(record::replacedMessage(read.replaced));
    return true;
}

void FrmFunctions::mnuExport_Click()
{
    const auto chosen = m_dialogs.exportGraphFile(this, dialogFolder(), m_graph.drawnSize());
    if (!chosen)
        return;
    BusyCursor busy;
    if (const auto problem = m_graph.exportTo(m_session, fieldTexts(), graphChecks(), chosen->path, chosen->size))
        m_prompter.message(*problem);
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
    ShowTrust();
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
    docs::addTrust(in, m_session.trust());
    if (const auto paint = m_graph.currentDrawing(m_session)) {
        in.graph = *paint;
        in.graphOrder = m_graph.order();
    }

    QString reason;
    if (!printReport(printer, in, &reason))
        m_prompter.message(QStringLiteral("Could not print: %1").arg(reason));
}

}  // namespace tessaly::app
