// The main window's study files (Open, Save, Save As, dropped files), its exported graph and printed report.

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPrinter>

#include "app/busycursor.h"
#include "app/dialogs.h"
#include "app/frmfunctions.h"
#include "app/prompter.h"
#include "app/resultsview.h"
#include "app/windowparts.h"
#include "app/windowtools.h"
#include "docs/report.h"

namespace tessaly::app {

void FrmFunctions::mnuOpen_Click() { m_files.openChosen(); }
void FrmFunctions::mnuRecent_Click(const QString& path) { m_files.openReplacing(path); }
void FrmFunctions::mnuRecent_AboutToShow() { m_files.fillRecentMenu(); }
void FrmFunctions::mnuSave_Click() { m_files.saveToFile(); }
void FrmFunctions::mnuSaveAs_Click() { m_files.saveAs(); }

record::SettingsItems FrmFunctions::studyItems() const
{
    return record::itemsOfTexts(fieldTexts(), m_session.constants().statements());
}

std::optional<QImage> FrmFunctions::studyGraph() { return m_graph.image(m_session, fieldTexts(), graphChecks()); }

void FrmFunctions::showStudy(const docs::StudyFile& study)
{
    {
        const FlagScope loading(m_loadingStudy);
        record::StudyRecord record = study.record;
        record.persist = m_ui.chkPersist->isChecked() ? 1 : 0;  // the file does not keep it
        ShowStudyRecord(record);
        m_holdsStudy = true;
        m_session.runEachConstant();
        showRestoredResults(m_ui, m_session.restoreResults(study.results, textOf(m_ui.txtEquation)));
        ShowTrust();
    }
    cmdPlot_Click();
}

void FrmFunctions::Form_DragDrop(const QMimeData* data)
{
    const QString path = firstLocalFile(data);
    if (!path.isEmpty() && !m_runner.running())
        m_files.openReplacing(path);
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

void FrmFunctions::mnuExport_Click()
{
    const auto chosen = m_dialogs.exportGraphFile(this, m_files.folder(), m_graph.drawnSize());
    if (!chosen)
        return;
    BusyCursor busy;
    if (const auto problem = m_graph.exportTo(m_session, fieldTexts(), graphChecks(), chosen->path, chosen->size))
        m_prompter.message(*problem);
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
    docs::ReportInput in = docs::sessionReport(m_session, fieldTexts(), std::move(listed));
    m_graph.addToReport(in, m_session);
    QString reason;
    if (!printReport(printer, in, &reason))
        m_prompter.message(QStringLiteral("Could not print: %1").arg(reason));
}

}  // namespace tessaly::app
