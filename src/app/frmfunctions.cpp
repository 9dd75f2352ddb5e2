#include "app/frmfunctions.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSessionManager>

#include "app/busycursor.h"
#include "app/decimalguard.h"
#include "app/pictureview.h"
#include "app/prompter.h"
#include "app/resultsview.h"
#include "app/windowparts.h"
#include "app/windowtools.h"
#include "fields/fieldrules.h"
#include "record/valuerules.h"

namespace tessaly::app {
FrmFunctions::FrmFunctions(Prompter& prompter, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      m_prompter(prompter),
      m_dialogs(dialogs),
      m_session(*this),
      m_graph(m_ui.setupUi(this)),
      m_runner(*this, m_session, *m_ui.prgCommand, *m_ui.cmdCancel),
      m_state(prompter),
      m_files(*this, *m_ui.mnuRecent, *this, prompter, dialogs, m_state),
      m_windows(*this, m_session, prompter)
{
    // The constants box keeps only what Add stores, and completes nothing by itself.
    m_ui.cboConstants->setCompleter(nullptr);
    m_rules = new fields::FieldRules(
        {.window = this,
         .menuBar = menuBar(),
         .txtEquation = m_ui.txtEquation,
         .number = m_ui.number,
         .txtXeval = m_ui.txtXeval,
         .txtDerNum = m_ui.txtDerNum,
         .cboDerivative = m_ui.cboDerivative,
         .cboConstants = m_ui.cboConstants},
        {.markStudyStale = [this] { MarkStudyStale(); },
         .markPlotStale = [this] { MarkPlotStale(); },
         .setErrorBound = [this](double v) { m_session.study().errorBound = v; },
         .plotDerivativeOrder = [this]() -> std::int32_t& { return m_session.study().derivativeOrder; }},
        this);
    connectControls();
    setAcceptDrops(true);
    auto* noAltTyping = new NoAltTyping(this);
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->installEventFilter(noAltTyping);
    UpdateTitle();
}

FrmFunctions::~FrmFunctions() = default;

void FrmFunctions::message(const std::string& text)
{
    // From the command thread while a command runs: shown when it ends.
    if (!m_runner.keep(text))
        m_prompter.message(QString::fromStdString(text));
}

void FrmFunctions::connectControls()
{
    // A change of a field's text marks stale what depends on it: the studied
    // interval, count and limit the results; the plot fields the graph; the
    // function both. The error bound has its own rule when it loses the focus.
    using namespace record;
    for (Item i : {Lower, Upper, Subintervals, MaxIterations})
        connect(m_ui.number[i], &QLineEdit::textChanged, this, &FrmFunctions::MarkStudyStale);
    for (Item i : {WindowLx, WindowGx, WindowLy, WindowGy, PlotStep, OriginX, OriginY, DivisionX, DivisionY})
        connect(m_ui.number[i], &QLineEdit::textChanged, this, &FrmFunctions::MarkPlotStale);
    connect(m_ui.txtEquation, &QLineEdit::textChanged, this, [this] {
        MarkStudyStale();
        MarkPlotStale();
    });
    connect(m_ui.cboConstants->lineEdit(), &QLineEdit::textEdited, this, &FrmFunctions::cboConstants_Change);
    // Every field a study file keeps changes the title's mark.
    for (QLineEdit* field : m_ui.number)
        connect(field, &QLineEdit::textChanged, this, &FrmFunctions::UpdateTitle);
    connect(m_ui.txtEquation, &QLineEdit::textChanged, this, &FrmFunctions::UpdateTitle);
    connect(m_ui.mnuRecent, &QMenu::aboutToShow, this, &FrmFunctions::mnuRecent_AboutToShow);
#ifndef QT_NO_SESSIONMANAGER
    // A logout never waits on a question: the settings are written as at any exit.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
        m_sessionEnding = true;
        m_runner.stop();  // the study is read whole, not under a running command
        m_state.writeSettings(fieldItems(), false);
        m_state.save();
    });
#endif

    const std::pair<QPushButton*, void (FrmFunctions::*)()> buttons[] = {
        {m_ui.cmdShowEvaluator, &FrmFunctions::cmdShowEvaluator_Click},
        {m_ui.cmdPlot, &FrmFunctions::cmdPlot_Click},
        {m_ui.cmdRoots, &FrmFunctions::cmdRoots_Click},
        {m_ui.cmdExtrema, &FrmFunctions::cmdExtrema_Click},
        {m_ui.cmdIntegrate, &FrmFunctions::cmdIntegrate_Click},
        {m_ui.cmdDerVal, &FrmFunctions::cmdDerVal_Click},
        {m_ui.cmdAddCons, &FrmFunctions::cmdAddCons_Click},
        {m_ui.cmdRemCons, &FrmFunctions::cmdRemCons_Click},
        {m_ui.cmdCancel, &FrmFunctions::cmdCancel_Click}};
    for (const auto& [button, handler] : buttons)
        connect(button, &QPushButton::clicked, this, handler);
    for (const auto& [button, command] : m_ui.windowButtons())
        connect(button, &QPushButton::clicked, this, [this, command = command] { ChangeWindow(command); });
    connect(m_ui.Picture1, &PictureView::mouseMoved, this, &FrmFunctions::Picture1_MouseMove);
    connect(m_ui.Picture1, &PictureView::mousePressed, this, &FrmFunctions::Picture1_MouseDown);
    connect(m_ui.Picture1, &PictureView::sizeSettled, this, &FrmFunctions::Picture1_Resize);
    const std::pair<QAction*, void (FrmFunctions::*)()> menus[] = {
        {m_ui.mnuCopy, &FrmFunctions::mnuCopy_Click},
        {m_ui.mnuExport, &FrmFunctions::mnuExport_Click},
        {m_ui.mnuOpen, &FrmFunctions::mnuOpen_Click},
        {m_ui.mnuTrustedDigits, &FrmFunctions::mnuTrustedDigits_Click},
        {m_ui.mnuSave, &FrmFunctions::mnuSave_Click},
        {m_ui.mnuSaveAs, &FrmFunctions::mnuSaveAs_Click},
        {m_ui.mnuPrint, &FrmFunctions::mnuPrint_Click},
        {m_ui.mnuHelp, &FrmFunctions::mnuHelp_Click},
        {m_ui.mnuAbout, &FrmFunctions::mnuAbout_Click},
        {m_ui.mnuQuit, &FrmFunctions::mnuQuit_Click},
        {m_ui.actShowEvaluator, &FrmFunctions::cmdShowEvaluator_Click}};
    for (const auto& [action, handler] : menus)
        connect(action, &QAction::triggered, this, handler);
}

void FrmFunctions::cmdShowEvaluator_Click() { m_windows.showEvaluator(); }
void FrmFunctions::mnuHelp_Click() { m_windows.showHelp(); }
void FrmFunctions::mnuAbout_Click() { m_windows.showAbout(); }

void FrmFunctions::cmdPlot_Click()
{
    BusyCursor busy;
    ClearStatus();
    MarkPlotStale();
    if (const auto refusal = m_graph.plot(m_session, fieldTexts(), graphChecks()))
        ShowStatus(*refusal);
    ShowRestingPointer();
}

void FrmFunctions::ShowRestingPointer()
{
    // The graph under a resting pointer has moved: show where it now points.
    if (const auto& p = m_ui.Picture1->pointer())
        Picture1_MouseMove(p->pixel, p->globalPos);
}

void FrmFunctions::Picture1_Resize()
{
    if (m_runner.running()) {
        m_resizePending = true;  // f is the command's until it ends: drawn then
        return;
    }
    m_graph.redraw(m_session);
    ShowRestingPointer();
}

GraphChecks FrmFunctions::graphChecks() const
{
    return {m_ui.chkGrid->isChecked(), m_ui.chkShade->isChecked(), m_ui.chkWindow->isChecked(),
            m_ui.chkDivisions->isChecked()};
}

void FrmFunctions::ChangeWindow(plot::WindowCommand command)
{
    if (const auto changed = plot::changeWindow(plot::windowOfTexts(fieldTexts()), command))
        PlotWindowOf(*changed);
    else
        ShowStatus(record::kZoomLimitReached);
}

void FrmFunctions::PlotWindowOf(const plot::PlotWindow& window)
{
    const auto texts = plot::windowTexts(window);
    using namespace record;
    const Item fields[] = {WindowLx, WindowGx, WindowLy, WindowGy};
    for (int i = 0; i < 4; ++i)
        m_ui.number[fields[i]]->setText(QString::fromStdString(texts[static_cast<std::size_t>(i)]));
    cmdPlot_Click();
}

void FrmFunctions::Picture1_MouseMove(QPoint pixel, QPoint globalPos)
{
    m_ui.Picture1->showToolTip(m_graph.tipAt(pixel), globalPos);
}

void FrmFunctions::Picture1_MouseDown(QPoint pixel)
{
    if (m_runner.running())
        return;  // the window's fields wait for the command
    if (const auto centred = m_graph.centredAt(pixel))
        PlotWindowOf(*centred);
}

void FrmFunctions::mnuCopy_Click() { m_graph.copyToClipboard(m_session); }

void FrmFunctions::mnuTrustedDigits_Click()
{
    ShowTrust();
    m_state.setTrustedDigitsOnly(m_ui.mnuTrustedDigits->isChecked());
}

void FrmFunctions::ShowTrust() { showTrust(m_ui, m_session.trust(), m_ui.mnuTrustedDigits->isChecked()); }

void FrmFunctions::Form_Load(const std::function<bool()>& openCommandLineStudy)
{
    m_ui.txtSubintervals->setToolTip(
        QStringLiteral("Should be enough to detect all roots & extrema, and to find an accurate integral."));
    m_ui.fillDerivativeList();

    m_state.load();
    m_ui.mnuTrustedDigits->setChecked(m_state.trustedDigitsOnly());
    // The window's size and place as it was closed; restoreGeometry moves it
    // onto a screen that exists now.
    if (const auto geometry = m_state.geometry())
        restoreGeometry(*geometry);

    // A study that cannot be opened leaves the last study of the settings file,
    // so the next exit does not replace it with the defaults.
    if (!openCommandLineStudy || !openCommandLineStudy()) {
        const FlagScope loading(m_loadingSettings);
        const docs::SettingsRead read = m_state.readSettings();
        if (read.record)
            ShowStudyRecord(*read.record);
        m_holdsStudy = true;
        if (!read.replaced.empty())
            message(record::replacedMessage(read.replaced));
    }
}

void FrmFunctions::ShowStudyRecord(const record::StudyRecord& record)
{
    m_session.setConstants(record.constants);
    showConstants(m_ui, m_session.constants().statements());
    m_ui.txtEquation->setText(QString::fromStdString(record.equation));
    const record::FieldTexts texts = record::fieldTexts(record);
    for (const record::Item i : record::kShownOrder)
        m_ui.number[i]->setText(QString::fromStdString(texts[i]));
    m_ui.chkPersist->setChecked(record.persist == 1);
}

record::SettingsItems FrmFunctions::fieldItems() const
{
    record::SettingsItems items = studyItems();
    items.persist = m_ui.chkPersist->isChecked() ? 1 : 0;
    return items;
}

void FrmFunctions::RunListCommand(QListWidget* list, QLabel* label,
                                  const std::function<ListRows(const record::FieldTexts&)>& command)
{
    list->clear();
    ListRows shown;
    const bool finished = RunCommand([&shown, &command, texts = fieldTexts()] { shown = command(texts); });
    if (m_unloaded)
        return;
    if (finished)
        showRows(list, shown.rows, label, shown.label);
    ShowTrust();
    UpdateTitle();
}

void FrmFunctions::cmdRoots_Click()
{
    RunListCommand(m_ui.lstRoots, m_ui.lblRoots, [this](const record::FieldTexts& texts) {
        auto r = m_session.roots(texts);
        return ListRows{std::move(r.rows), std::move(r.label)};
    });
}

void FrmFunctions::cmdExtrema_Click()
{
    RunListCommand(m_ui.lstExtrema, m_ui.lblExtrema, [this](const record::FieldTexts& texts) {
        auto r = m_session.extrema(texts);
        return ListRows{std::move(r.rows), std::move(r.label)};
    });
}

void FrmFunctions::cmdIntegrate_Click()
{
    std::optional<std::string> label;
    const bool finished = RunCommand([this, &label, texts = fieldTexts()] { label = m_session.integral(texts).label; });
    if (m_unloaded)
        return;
    if (finished && label)
        m_ui.lblIntegral->setText(QString::fromStdString(*label));
    ShowTrust();
    UpdateTitle();
}

void FrmFunctions::cmdDerVal_Click()
{
    m_ui.lblDerVal->clear();
    session::ValueResult r;
    const bool finished = RunCommand([this, &r, texts = fieldTexts(), order = textOf(m_ui.txtDerNum),
                                      x = textOf(m_ui.txtXeval)] { r = m_session.value(texts, order, x); });
    if (m_unloaded)
        return;
    if (finished) {
        if (r.label)
            m_ui.lblDerVal->setText(QString::fromStdString(*r.label));
        else if (!record::derivativeOrderAccepted(m_session.study().derivativeOrder))
            ShowStatus(record::kDerivativeOrderRefused);
    }
    ShowTrust();
}

void FrmFunctions::cmdAddCons_Click()
{
    if (m_session.addConstant(m_ui.cboConstants->currentText().toStdString())
        != engine::UserConstants::AddResult::Added)
        return;
    showConstants(m_ui, m_session.constants().statements());
    m_ui.cboConstants->setEditText(QString());
    cboConstants_Change();
    UpdateTitle();
}

void FrmFunctions::cmdRemCons_Click()
{
    const int k = m_ui.cboConstants->currentIndex();
    if (k < 0 || m_ui.cboConstants->currentText() != m_ui.cboConstants->itemText(k))
        return;  // nothing selected
    const QString text = m_ui.cboConstants->itemText(k);
    m_session.removeConstant(k);
    m_ui.cboConstants->removeItem(k);
    m_ui.cboConstants->setCurrentIndex(-1);
    m_ui.cboConstants->setEditText(text);
    UpdateTitle();
}

void FrmFunctions::cboConstants_Change()
{
    MarkStudyStale();
    MarkPlotStale();
}

void FrmFunctions::MarkStudyStale()
{
    if (m_loadingStudy)
        return;
    m_session.discardResults();
    clearResults(m_ui, false);
    ShowTrust();
    UpdateTitle();
}

void FrmFunctions::MarkPlotStale()
{
    if (!m_loadingSettings)
        m_graph.erase();
}

void FrmFunctions::keyPressEvent(QKeyEvent* event)
{
    // A main window has no default button: Enter presses the focused button, Add
    // in the constants box, and elsewhere Plot, once the field's value is accepted.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QWidget* focus = focusWidget();
        if (auto* button = qobject_cast<QPushButton*>(focus))
            button->click();
        else if (focus && (focus == m_ui.cboConstants || m_ui.cboConstants->isAncestorOf(focus)))
            m_ui.cmdAddCons->click();
        else if (m_rules->validateFocused())
            m_ui.cmdPlot->click();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void FrmFunctions::closeBySignal()
{
    m_closingBySignal = true;
    m_runner.stop();
    Form_Unload();
    close();
}

void FrmFunctions::closeEvent(QCloseEvent* event)
{
    // A signal or the end of the desktop session asks nothing: the settings
    // file keeps what it always keeps.
    m_runner.stop();
    if (!m_unloaded && !m_closingBySignal && !m_sessionEnding && !m_files.maybeSaveChanges()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void FrmFunctions::mnuQuit_Click() { close(); }

void FrmFunctions::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_state.writeSettings(fieldItems(), m_closingBySignal);
    m_state.setGeometry(saveGeometry());
    m_state.save();
    if (m_decimalGuard)
        m_decimalGuard->RestoreDecimalSeparator();
    // Closing the main window ends the program: every other window closes with it.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
}

}  // namespace tessaly::app
