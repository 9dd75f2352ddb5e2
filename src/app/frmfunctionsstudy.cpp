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
#include "common/numbertext.h"
#include "docs/filename.h"
#include "docs/report.h"
#include "engine/evaluation.h"
#include "numeric/extremafinder.h"
#include "numeric/studyfunction.h"

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
    if (!StudyFileName.isEmpty())
        return QFileInfo(StudyFileName).absolutePath();
    return QDir::homePath();
}

// A cancelled Open or Save As leaves no study file name: the next Save asks.
// A file that then cannot be opened or saved does not become the study's file.
void FrmFunctions::mnuOpen_Click()
{
    const QString chosen = m_dialogs.openFileName(this, dialogFolder());
    if (chosen.isEmpty())
        StudyFileName.clear();
    else
        OpenStudy(chosen);
}

void FrmFunctions::mnuSave_Click()
{
    if (!StudyFileName.isEmpty()) {
        SaveStudy(StudyFileName);
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
        StudyFileName.clear();
    else
        SaveStudy(chosen);
}

void FrmFunctions::Form_OLEDragDrop(const QMimeData* data)
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
    Form_OLEDragDrop(event->mimeData());
}

bool FrmFunctions::SaveStudy(const QString& path)
{
    // The bitmap beside a study always shows that study.
    const std::optional<QImage> graph = GraphOfFields();
    if (const auto message = docs::saveStudy(path, fieldItems(), results(), graph ? &*graph : nullptr)) {
        m_prompter.message(*message);
        return false;
    }
    StudyFileName = path;
    return true;
}

docs::StudyResults FrmFunctions::results() const
{
    docs::StudyResults r;
    r.integralValid = IntegralValid;
    r.integralValue = IntegralValue;
    r.roots.assign(RootTable.begin() + 1, RootTable.begin() + 1 + RootCount);
    r.possibleRootCount = PossibleRootCount;
    r.maxima.assign(MaxPositions.begin() + 1, MaxPositions.begin() + 1 + MaxCount);
    r.minima.assign(MinPositions.begin() + 1, MinPositions.begin() + 1 + MinCount);
    return r;
}

bool FrmFunctions::OpenStudy(const QString& path)
{
    const docs::StudyRead read = docs::readStudyFile(path);
    if (!read.study) {
        m_prompter.message(read.message);
        return false;
    }
    StudyFileName = path;
    {
        const FlagScope loading(LoadingStudy);
        docs::StudyRecord record = read.study->record;
        record.persist = m_ui.chkPersist->isChecked() ? 1 : 0;  // the file does not keep it
        ShowStudyRecord(record);
        m_holdsStudy = true;
        ExecuteConstants();
        RestoreResults(read.study->results);
    }
    cmdPlot_Click();
    if (!read.replaced.empty())
        m_prompter.message(QString::fromStdString(docs::replacedMessage(read.replaced)));
    return true;
}

void FrmFunctions::ExecuteConstants()
{
    std::vector<engine::UserConstants::Failure> failures;
    {
        const FlagScope quiet(m_quietEngine);
        failures = m_constants.executeEach(ScriptControl1, m_shared);
    }
    QStringList told;
    for (const auto& f : failures) {
        ierr = f.error.number;
        told << QString::fromStdString(m_constants.failureMessage(f));
    }
    if (!told.isEmpty())
        m_prompter.message(told.join(QLatin1Char('\n')));
}

void FrmFunctions::RestoreResults(const docs::StudyResults& r)
{
    m_ui.lstRoots->clear();
    m_ui.lstExtrema->clear();
    m_ui.lblIntegral->clear();
    m_ui.lblDerVal->clear();
    m_ui.lblRoots->clear();
    m_ui.lblExtrema->clear();

    IntegralValid = r.integralValid;
    IntegralValue = r.integralValue;
    if (IntegralValid)
        m_ui.lblIntegral->setText(QString::fromStdString(common::numberText(IntegralValue)));

    RootCount = static_cast<std::int32_t>(r.roots.size());
    std::copy(r.roots.begin(), r.roots.end(), RootTable.begin() + 1);
    if (RootCount != 0) {
        m_ui.lblRoots->setText(QStringLiteral("%1 roots").arg(RootCount));
        for (double x : r.roots)
            m_ui.lstRoots->addItem(QString::fromStdString(common::numberText(x)));
    }

    MaxCount = static_cast<std::int32_t>(r.maxima.size());
    MinCount = static_cast<std::int32_t>(r.minima.size());
    PossibleRootCount = r.possibleRootCount;
    std::copy(r.maxima.begin(), r.maxima.end(), MaxPositions.begin() + 1);
    std::copy(r.minima.begin(), r.minima.end(), MinPositions.begin() + 1);
    if (MaxCount + MinCount + PossibleRootCount == 0)
        return;
    m_ui.lblExtrema->setText(QString::fromStdString(numeric::extremaLabel(MaxCount, MinCount, PossibleRootCount)));
    // The heights are not kept: f is evaluated again, with the opened function.
    study.equation = textOf(m_ui.txtEquation);
    numeric::EngineFunction f(ScriptControl1, m_shared, study.equation);
    m_shared.ierr = 0;
    auto rows = [&](bool maximum, const std::vector<double>& positions) {
        for (const docs::ReportExtremum& e : docs::extremaAt(f, positions)) {
            if (e.error)
                ierr = e.error;
            const std::string text = e.error ? std::string(maximum ? "MAX: [" : "MIN: [") + common::numberText(e.x) +
                                                   " , error " + std::to_string(e.error) + "]"
                                             : numeric::extremumRow(maximum, /*spaced=*/true, e.x, e.y);
            m_ui.lstExtrema->addItem(QString::fromStdString(text));
        }
    };
    rows(false, r.minima);
    rows(true, r.maxima);
}

void FrmFunctions::mnuPrint_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_dialogs.setUpPrinter(this, printer))
        return;
    BusyCursor busy;
    const numeric::StudyTexts typed = studyFieldTexts();
    std::vector<std::string> listed;
    for (int k = 0; k < m_ui.cboConstants->count(); ++k)
        listed.push_back(m_ui.cboConstants->itemText(k).toStdString());
    numeric::EngineFunction f(ScriptControl1, m_shared, typed.equation);
    m_shared.ierr = 0;
    docs::ReportInput in = docs::reportInputOf(typed, plotFieldTexts(), std::move(listed), results(), f, study.errorBound);
    if (GraphCurrent) {
        in.graph = &m_ui.Picture1->image();
        in.graphOrder = m_graphOrder;
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
