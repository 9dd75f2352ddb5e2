#include "app/frmfunctions.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "app/busycursor.h"
#include "app/prompter.h"
#include "engine/class1.h"
#include "engine/errors.h"
#include "engine/evaluation.h"
#include "numeric/rootfinder.h"
#include "numeric/studyfunction.h"

namespace tessaly::app {
namespace {

std::string textOf(const QLineEdit* field) { return field->text().toStdString(); }

}  // namespace

FrmFunctions::FrmFunctions(engine::Class1& shared, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), m_shared(shared), m_prompter(prompter)
{
    m_ui.setupUi(this);
    m_shared.attachErrorField(&ierr);
    ScriptControl1.setErrorObserver([this](const engine::ScriptError& e) { ScriptControl1_Error(e); });
    connect(m_ui.cmdRoots, &QPushButton::clicked, this, &FrmFunctions::cmdRoots_Click);
}

FrmFunctions::~FrmFunctions() { m_shared.detachErrorField(&ierr); }

void FrmFunctions::Form_Load()
{
    engine::prepareWindowEngine(ScriptControl1, m_shared);
    m_ui.txtSubintervals->setToolTip(
        QStringLiteral("Should be enough to detect all roots & extrema, and to find an accurate integral."));

    Factorials[0] = 1;
    for (std::size_t k = 1; k < Factorials.size(); ++k)
        Factorials[k] = static_cast<double>(k) * Factorials[k - 1];
    RootCount = 0;
    study.equation.clear();

    m_ui.cboDerivative->clear();
    m_ui.cboDerivative->addItems({QStringLiteral("Function"), QStringLiteral("1st.derivative"),
                                  QStringLiteral("2nd.derivative"), QStringLiteral("3rd.derivative"),
                                  QStringLiteral("4th.derivative"), QStringLiteral("5th.derivative"),
                                  QStringLiteral("6th.derivative"), QStringLiteral("7th.derivative"),
                                  QStringLiteral("8th.derivative"), QStringLiteral("9th.derivative")});
    m_ui.cboDerivative->setCurrentIndex(0);
    m_ui.cboDerivative->setEditText(QStringLiteral("Function"));
}

std::int32_t FrmFunctions::ReadStudyInputs()
{
    numeric::StudyTexts texts;
    texts.equation = textOf(m_ui.txtEquation);
    texts.lower = textOf(m_ui.txtXlower);
    texts.upper = textOf(m_ui.txtXupper);
    texts.subintervals = textOf(m_ui.txtSubintervals);
    texts.errorBound = textOf(m_ui.txtError);
    texts.maxIterations = textOf(m_ui.txtMaxcy);
    texts.derivative = m_ui.cboDerivative->currentText().toStdString();
    return numeric::readStudyInputs(texts, study);
}

void FrmFunctions::ScriptControl1_Error(const engine::ScriptError& error)
{
    ierr = error.number;
    if (engine::mainWindowShowsError(error.number))
        m_prompter.message(QString::fromStdString(error.description));
}

void FrmFunctions::cmdRoots_Click()
{
    m_shared.ierr = 0;
    BusyCursor busy;
    m_ui.lstRoots->clear();
    RootCount = 0;  // the table follows the list it mirrors
    if (const auto e = ReadStudyInputs()) {
        ierr = engine::trappedError(e, m_shared);  // no grid yet: the command ends here
        return;
    }
    numeric::EngineFunction f(ScriptControl1, m_shared, study.equation);
    const numeric::RootsOutcome r = numeric::findRoots(f, study);

    for (const auto& row : r.rows)
        m_ui.lstRoots->addItem(QString::fromStdString(row));
    RootCount = static_cast<std::int32_t>(r.roots.size());
    for (std::size_t k = 0; k < r.roots.size(); ++k)
        RootTable[k + 1] = r.roots[k];
    CurrentX = r.currentX;
    GridStep = r.gridStep;
    LastGridX = r.lastGridX;
    if (r.error)
        ierr = r.error;
    if (r.label)
        m_ui.lblRoots->setText(QString::fromStdString(*r.label));
    if (r.tableFull)
        m_prompter.message(QString::fromLatin1(numeric::kRootTableFullMessage));
}

void FrmFunctions::keyPressEvent(QKeyEvent* event)
{
    // A main window has no default button: Enter presses the focused button, Add
    // in the constants box, and Plot anywhere else.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QWidget* focus = focusWidget();
        if (auto* button = qobject_cast<QPushButton*>(focus))
            button->click();
        else if (focus && (focus == m_ui.cboConstants || m_ui.cboConstants->isAncestorOf(focus)))
            m_ui.cmdAddCons->click();
        else
            m_ui.cmdPlot->click();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void FrmFunctions::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void FrmFunctions::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    // Closing the main window ends the program: every other window closes with it.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
}

}  // namespace tessaly::app
