#include "app/frmfunctions.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSessionManager>

#include <iostream>

#include "app/busycursor.h"
#include "app/decimalguard.h"
#include "app/frmabout.h"
#include "app/helpwindow.h"
#include "app/pictureview.h"
#include "app/prompter.h"
#include "app/trustview.h"
#include "app/windowparts.h"
#include "app/windowtools.h"
#include "docs/filename.h"
#include "docs/graphfile.h"
#include "docs/settingsfile.h"
#include "fields/fieldrules.h"
#include "record/valuerules.h"

namespace tessaly::app {
namespace {

QString qtext(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

FrmFunctions::FrmFunctions(Prompter& prompter, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      m_prompter(prompter),
      m_dialogs(dialogs),
      m_session(*this),
      m_graph(m_ui.setupUi(this)),
      m_runner(*this, m_session, *m_ui.prgCommand, *m_ui.cmdCancel)
{
    m_settingsPath = docs::settingsFilePath();
    // The constants box keeps only what Add stores, and completes nothing by itself.
    m_ui.cboConstants->setCompleter(nullptr);
    attachFieldRules();
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
        m_prompter.message(qtext(text));
}

void FrmFunctions::attachFieldRules()
{
    fields::RuleFields f;
    f.window = this;
    f.menuBar = menuBar();
    f.txtEquation = m_ui.txtEquation;
    f.number = m_ui.number;
    f.txtXeval = m_ui.txtXeval;
    f.txtDerNum = m_ui.txtDerNum;
    f.cboDerivative = m_ui.cboDerivative;
    f.cboConstants = m_ui.cboConstants;
    fields::RuleHooks hooks;
    hooks.markStudyStale = [this] { MarkStudyStale(); };
    hooks.markPlotStale = [this] { MarkPlotStale(); };
    hooks.setErrorBound = [this](double v) { m_session.study().errorBound = v; };
    hooks.plotDerivativeOrder = [this]() -> std::int32_t& { return m_session.study().derivativeOrder; };
    m_rules = new fields::FieldRules(f, std::move(hooks), this);
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
        WriteSettingsFile();
        SaveState();
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
    const std::pair<QPushButton*, plot::WindowCommand> windowButtons[] = {
        {m_ui.cmdZoomOut, plot::WindowCommand::ZoomOut},  {m_ui.cmdZoomIn, plot::WindowCommand::ZoomIn},
        {m_ui.cmdZoomQ1, plot::WindowCommand::Quadrant1}, {m_ui.cmdZoomQ2, plot::WindowCommand::Quadrant2},
        {m_ui.cmdZoomQ3, plot::WindowCommand::Quadrant3}, {m_ui.cmdZoomQ4, plot::WindowCommand::Quadrant4},
        {m_ui.cmdPanLeft, plot::WindowCommand::PanLeft},  {m_ui.cmdPanRight, plot::WindowCommand::PanRight},
        {m_ui.cmdPanUp, plot::WindowCommand::PanUp},      {m_ui.cmdPanDown, plot::WindowCommand::PanDown},
        {m_ui.cmdIncWindX, plot::WindowCommand::WiderX},  {m_ui.cmdDecWindX, plot::WindowCommand::NarrowerX},
        {m_ui.cmdIncWindY, plot::WindowCommand::WiderY},  {m_ui.cmdDecWindY, plot::WindowCommand::NarrowerY}};
    for (const auto& [button, command] : windowButtons)
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

record::FieldTexts FrmFunctions::fieldTexts() const
{
    record::FieldTexts texts;
    texts.equation = textOf(m_ui.txtEquation);
    for (std::size_t i = 0; i < texts.numbers.size(); ++i)
        texts.numbers[i] = textOf(m_ui.number[i]);
    texts.derivative = m_ui.cboDerivative->currentText().toStdString();
    return texts;
}

void FrmFunctions::cmdShowEvaluator_Click()
{
    if (!m_evaluator) {
        m_evaluator = new evaluator::FrmEvaluator(
            m_session.extension(), m_evaluatorState, [this] { return m_session.currentX(); },
            [this](const QString& caption, const QString& text) {
                m_prompter.ask(caption, text, Prompter::Icon::Critical, Prompter::Buttons::Ok);
            },
            this);
    }
    showRaised(m_evaluator);
}

void FrmFunctions::mnuHelp_Click()
{
    if (!m_help) {
        if (!helpPageExists(kHelpContents)) {
            m_prompter.message(QStringLiteral("Help is not available."));
            return;
        }
        m_help = new HelpWindow(kHelpContents, this);
    }
    showRaised(m_help);
}

void FrmFunctions::mnuAbout_Click()
{
    if (!m_about)
        m_about = new FrmAbout(this);
    showRaised(m_about);
}

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
        m_ui.number[fields[i]]->setText(qtext(texts[static_cast<std::size_t>(i)]));
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

void FrmFunctions::mnuCopy_Click()
{
    auto* data = new QMimeData;
    data->setImageData(m_graph.picture());
    if (const auto paint = m_graph.currentDrawing(m_session)) {
        if (const auto svg = docs::graphFileBytes(docs::GraphFormat::Svg, m_graph.drawnSize(), 1, *paint, nullptr))
            data->setData(QStringLiteral("image/svg+xml"), *svg);
    }
    QGuiApplication::clipboard()->setMimeData(data);
}

void FrmFunctions::mnuTrustedDigits_Click()
{
    ShowTrust();
    m_state.set("trustedDigitsOnly", m_ui.mnuTrustedDigits->isChecked() ? "1" : "0");
    QString reason;
    if (!m_state.save(&reason))
        m_prompter.message(QStringLiteral("Could not save the view: %1").arg(reason));
}

void FrmFunctions::SaveState()
{
    m_recent.store(m_state);
    // Beside the settings file, like it; a failure costs only the recent list
    // and the window's place, so it is not worth a box.
    QString reason;
    if (!m_state.save(&reason))
        std::cerr << "tessaly: could not save "
                  << docs::displayFileName(docs::StateFile::besideSettings(m_settingsPath)).toStdString() << ": "
                  << reason.toStdString() << std::endl;
}

void FrmFunctions::ShowTrust() { showTrust(m_ui, m_session.trust(), m_ui.mnuTrustedDigits->isChecked()); }

void FrmFunctions::Form_Load(const std::function<bool()>& openCommandLineStudy)
{
    m_ui.txtSubintervals->setToolTip(
        QStringLiteral("Should be enough to detect all roots & extrema, and to find an accurate integral."));
    m_ui.cboDerivative->clear();
    m_ui.cboDerivative->addItem(QStringLiteral("Function"));
    for (const char* order : {"1st", "2nd", "3rd", "4th", "5th", "6th", "7th", "8th", "9th"})
        m_ui.cboDerivative->addItem(QString::fromLatin1(order) + QStringLiteral(".derivative"));
    m_ui.cboDerivative->setCurrentIndex(0);

    m_state.load(docs::StateFile::besideSettings(m_settingsPath));
    m_ui.mnuTrustedDigits->setChecked(m_state.flag("trustedDigitsOnly"));
    m_recent.load(m_state);
    // The window's size and place as it was closed; restoreGeometry moves it
    // onto a screen that exists now.
    if (const auto geometry = m_state.value("geometry"))
        restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(*geometry)));

    // A study that cannot be opened leaves the last study of the settings file,
    // so the next exit does not replace it with the defaults.
    if (!openCommandLineStudy || !openCommandLineStudy()) {
        const FlagScope loading(m_loadingSettings);
        ReadSettingsFile();
    }
}

void FrmFunctions::ReadSettingsFile()
{
    const docs::SettingsRead read = docs::readSettingsFile(m_settingsPath, /*keepBadCopy=*/true);
    if (read.record)
        ShowStudyRecord(*read.record);
    m_holdsStudy = true;
    if (!read.replaced.empty())
        message(record::replacedMessage(read.replaced));
}

void FrmFunctions::ShowConstants()
{
    m_ui.cboConstants->clear();
    for (const auto& statement : m_session.constants().statements())
        m_ui.cboConstants->addItem(qtext(statement));
    m_ui.cboConstants->setCurrentIndex(-1);
}

void FrmFunctions::ShowStudyRecord(const record::StudyRecord& record)
{
    m_session.setConstants(record.constants);
    ShowConstants();
    m_ui.txtEquation->setText(qtext(record.equation));
    const record::FieldTexts texts = record::fieldTexts(record);
    for (const record::Item i : record::kShownOrder)
        m_ui.number[i]->setText(qtext(texts[i]));
    m_ui.chkPersist->setChecked(record.persist == 1);
}

record::SettingsItems FrmFunctions::fieldItems() const
{
    record::SettingsItems items = record::itemsOfTexts(fieldTexts(), m_session.constants().statements());
    items.persist = m_ui.chkPersist->isChecked() ? 1 : 0;
    return items;
}

void FrmFunctions::WriteSettingsFile()
{
    QString reason;
    if (docs::writeSettingsFile(m_settingsPath, fieldItems(), &reason))
        return;
    const QString text =
        QStringLiteral("Could not save the settings file %1: %2").arg(docs::displayFileName(m_settingsPath), reason);
    if (m_closingBySignal)
        std::cerr << text.toStdString() << std::endl;
    else
        m_prompter.message(text);
}

void FrmFunctions::RunListCommand(QListWidget* list, QLabel* label,
                                  const std::function<ListRows(const record::FieldTexts&)>& command)
{
    ClearStatus();
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
    ClearStatus();
    std::optional<std::string> label;
    const bool finished =
        RunCommand([this, &label, texts = fieldTexts()] { label = m_session.integral(texts).label; });
    if (m_unloaded)
        return;
    if (finished && label)
        m_ui.lblIntegral->setText(qtext(*label));
    ShowTrust();
    UpdateTitle();
}

void FrmFunctions::cmdDerVal_Click()
{
    m_ui.lblDerVal->clear();
    ClearStatus();
    session::ValueResult r;
    const bool finished = RunCommand([this, &r, texts = fieldTexts(), order = textOf(m_ui.txtDerNum),
                                      x = textOf(m_ui.txtXeval)] { r = m_session.value(texts, order, x); });
    if (m_unloaded)
        return;
    if (finished) {
        if (r.label)
            m_ui.lblDerVal->setText(qtext(*r.label));
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
    ShowConstants();
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
    for (QLabel* label : {m_ui.lblIntegral, m_ui.lblRoots, m_ui.lblExtrema})
        label->clear();
    m_ui.lstRoots->clear();
    m_ui.lstExtrema->clear();
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
    if (!m_unloaded && !m_closingBySignal && !m_sessionEnding && !MaybeSaveChanges()) {
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
    WriteSettingsFile();
    m_state.set("geometry", saveGeometry().toBase64().toStdString());
    SaveState();
    if (m_decimalGuard)
        m_decimalGuard->RestoreDecimalSeparator();
    // Closing the main window ends the program: every other window closes with it.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
}

}  // namespace tessaly::app
