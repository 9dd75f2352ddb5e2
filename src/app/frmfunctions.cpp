#include "app/frmfunctions.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>

#include <iostream>

#include "app/busycursor.h"
#include "app/decimalguard.h"
#include "app/frmabout.h"
#include "app/helpwindow.h"
#include "app/pictureview.h"
#include "app/prompter.h"
#include "app/windowtools.h"
#include "common/numbertext.h"
#include "docs/filename.h"
#include "engine/class1.h"
#include "engine/errors.h"
#include "engine/evaluation.h"
#include "numeric/extremafinder.h"
#include "numeric/integrator.h"
#include "numeric/rootfinder.h"
#include "numeric/studyfunction.h"
#include "fields/fieldrules.h"
#include "plot/graphdriver.h"
#include "plot/graphwindow.h"

namespace tessaly::app {
namespace {

// Shows a window of the program's own, raising it when it is open already.
void showRaised(QWidget* w)
{
    w->show();
    w->raise();
    w->activateWindow();
}

// The fields ShowStudyRecord sets, in the order it sets them.
constexpr const char* kShownFields[] = {"txtXlower",   "txtXupper",   "txtSubintervals", "txtError", "txtMaxcy",
                                        "txtWindowlx", "txtWindowgx", "txtWindowly",     "txtWindowgy", "txtXorigin",
                                        "txtYorigin",  "txtPlotStep", "txtDivx",         "txtDivy"};

}  // namespace

FrmFunctions::FrmFunctions(engine::Class1& shared, Prompter& prompter, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_shared(shared), m_prompter(prompter), m_dialogs(dialogs)
{
    m_ui.setupUi(this);
    m_settingsPath = docs::settingsFilePath();
    m_shared.attachErrorField(&ierr);
    ScriptControl1.setErrorObserver([this](const engine::ScriptError& e) { ScriptControl1_Error(e); });

    // The constants box keeps only what Add stores, and completes nothing by itself.
    m_ui.cboConstants->setCompleter(nullptr);
    attachFieldRules();

    connect(m_ui.cmdShowEvaluator, &QPushButton::clicked, this, &FrmFunctions::cmdShowEvaluator_Click);
    connect(m_ui.cmdPlot, &QPushButton::clicked, this, &FrmFunctions::cmdPlot_Click);
    connect(m_ui.cmdRoots, &QPushButton::clicked, this, &FrmFunctions::cmdRoots_Click);
    connect(m_ui.cmdExtrema, &QPushButton::clicked, this, &FrmFunctions::cmdExtrema_Click);
    connect(m_ui.cmdIntegrate, &QPushButton::clicked, this, &FrmFunctions::cmdIntegrate_Click);
    connect(m_ui.cmdDerVal, &QPushButton::clicked, this, &FrmFunctions::cmdDerVal_Click);
    connect(m_ui.cmdAddCons, &QPushButton::clicked, this, &FrmFunctions::cmdAddCons_Click);
    connect(m_ui.cmdRemCons, &QPushButton::clicked, this, &FrmFunctions::cmdRemCons_Click);
    connect(m_ui.cboConstants->lineEdit(), &QLineEdit::textEdited, this, &FrmFunctions::cboConstants_Change);
    connect(m_ui.cmdZoomOut, &QPushButton::clicked, this, &FrmFunctions::cmdZoomOut_Click);
    connect(m_ui.cmdZoomQ1, &QPushButton::clicked, this, &FrmFunctions::cmdZoomQ1_Click);
    connect(m_ui.cmdZoomQ2, &QPushButton::clicked, this, &FrmFunctions::cmdZoomQ2_Click);
    connect(m_ui.cmdZoomQ3, &QPushButton::clicked, this, &FrmFunctions::cmdZoomQ3_Click);
    connect(m_ui.cmdZoomQ4, &QPushButton::clicked, this, &FrmFunctions::cmdZoomQ4_Click);
    connect(m_ui.cmdZoomIn, &QPushButton::clicked, this, &FrmFunctions::cmdZoomIn_Click);
    connect(m_ui.cmdPanRight, &QPushButton::clicked, this, &FrmFunctions::cmdPanRight_Click);
    connect(m_ui.cmdPanUp, &QPushButton::clicked, this, &FrmFunctions::cmdPanUp_Click);
    connect(m_ui.cmdPanLeft, &QPushButton::clicked, this, &FrmFunctions::cmdPanLeft_Click);
    connect(m_ui.cmdPanDown, &QPushButton::clicked, this, &FrmFunctions::cmdPanDown_Click);
    connect(m_ui.cmdIncWindX, &QPushButton::clicked, this, &FrmFunctions::cmdIncWindX_Click);
    connect(m_ui.cmdDecWindX, &QPushButton::clicked, this, &FrmFunctions::cmdDecWindX_Click);
    connect(m_ui.cmdIncWindY, &QPushButton::clicked, this, &FrmFunctions::cmdIncWindY_Click);
    connect(m_ui.cmdDecWindY, &QPushButton::clicked, this, &FrmFunctions::cmdDecWindY_Click);
    connect(m_ui.Picture1, &PictureView::mouseMoved, this, &FrmFunctions::Picture1_MouseMove);
    connect(m_ui.Picture1, &PictureView::mousePressed, this, &FrmFunctions::Picture1_MouseDown);
    connect(m_ui.mnuCopy, &QAction::triggered, this, &FrmFunctions::mnuCopy_Click);
    connect(m_ui.mnuOpen, &QAction::triggered, this, &FrmFunctions::mnuOpen_Click);
    connect(m_ui.mnuSave, &QAction::triggered, this, &FrmFunctions::mnuSave_Click);
    connect(m_ui.mnuSaveAs, &QAction::triggered, this, &FrmFunctions::mnuSaveAs_Click);
    connect(m_ui.mnuPrint, &QAction::triggered, this, &FrmFunctions::mnuPrint_Click);
    connect(m_ui.mnuHelp, &QAction::triggered, this, &FrmFunctions::mnuHelp_Click);
    connect(m_ui.mnuAbout, &QAction::triggered, this, &FrmFunctions::mnuAbout_Click);
    setAcceptDrops(true);
    connectStaleMarks();
}

void FrmFunctions::attachFieldRules()
{
    fields::RuleFields f;
    f.window = this;
    f.menuBar = menuBar();
    f.txtEquation = m_ui.txtEquation;
    f.txtXlower = m_ui.txtXlower;
    f.txtXupper = m_ui.txtXupper;
    f.txtSubintervals = m_ui.txtSubintervals;
    f.txtMaxcy = m_ui.txtMaxcy;
    f.txtError = m_ui.txtError;
    f.txtWindowlx = m_ui.txtWindowlx;
    f.txtWindowgx = m_ui.txtWindowgx;
    f.txtWindowly = m_ui.txtWindowly;
    f.txtWindowgy = m_ui.txtWindowgy;
    f.txtXorigin = m_ui.txtXorigin;
    f.txtYorigin = m_ui.txtYorigin;
    f.txtDivx = m_ui.txtDivx;
    f.txtDivy = m_ui.txtDivy;
    f.txtPlotStep = m_ui.txtPlotStep;
    f.txtXeval = m_ui.txtXeval;
    f.txtDerNum = m_ui.txtDerNum;
    f.cboDerivative = m_ui.cboDerivative;
    f.cboConstants = m_ui.cboConstants;
    fields::RuleHooks hooks;
    hooks.markStudyStale = [this] { MarkStudyStale(); };
    hooks.markPlotStale = [this] { MarkPlotStale(); };
    hooks.setErrorBound = [this](double v) { study.errorBound = v; };
    hooks.plotDerivativeOrder = [this]() -> std::int32_t& { return study.derivativeOrder; };
    m_rules = new fields::FieldRules(f, std::move(hooks), this);
}

void FrmFunctions::connectStaleMarks()
{
    for (QLineEdit* f : {m_ui.txtWindowlx, m_ui.txtWindowgx, m_ui.txtWindowly, m_ui.txtWindowgy, m_ui.txtDivx,
                         m_ui.txtDivy, m_ui.txtPlotStep, m_ui.txtXorigin, m_ui.txtYorigin})
        connect(f, &QLineEdit::textChanged, this, &FrmFunctions::MarkPlotStale);
    for (QLineEdit* f : {m_ui.txtXlower, m_ui.txtXupper, m_ui.txtSubintervals, m_ui.txtMaxcy})
        connect(f, &QLineEdit::textChanged, this, &FrmFunctions::MarkStudyStale);
    connect(m_ui.txtEquation, &QLineEdit::textChanged, this, [this] {
        MarkStudyStale();
        MarkPlotStale();
    });
}

void FrmFunctions::cmdShowEvaluator_Click()
{
    if (!m_evaluator) {
        m_evaluator = new evaluator::FrmEvaluator(
            m_shared, m_evaluatorState, [this] { return CurrentX; },
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
    MarkPlotStale();
    GraphCurrent = true;
    ReadPlotSettings();
    DrawGraph();
    m_ui.Picture1->update();
    // The graph under a resting pointer has moved: show where it now points.
    if (const auto& p = m_ui.Picture1->pointer())
        Picture1_MouseMove(p->pixel, p->globalPos);
}

plot::PlotTexts FrmFunctions::plotFieldTexts() const
{
    plot::PlotTexts texts;
    texts.windowLx = textOf(m_ui.txtWindowlx);
    texts.windowGx = textOf(m_ui.txtWindowgx);
    texts.windowLy = textOf(m_ui.txtWindowly);
    texts.windowGy = textOf(m_ui.txtWindowgy);
    texts.originX = textOf(m_ui.txtXorigin);
    texts.originY = textOf(m_ui.txtYorigin);
    texts.plotStep = textOf(m_ui.txtPlotStep);
    texts.divisionX = textOf(m_ui.txtDivx);
    texts.divisionY = textOf(m_ui.txtDivy);
    return texts;
}

numeric::StudyTexts FrmFunctions::studyFieldTexts() const
{
    numeric::StudyTexts texts;
    texts.equation = textOf(m_ui.txtEquation);
    texts.lower = textOf(m_ui.txtXlower);
    texts.upper = textOf(m_ui.txtXupper);
    texts.subintervals = textOf(m_ui.txtSubintervals);
    texts.errorBound = textOf(m_ui.txtError);
    texts.maxIterations = textOf(m_ui.txtMaxcy);
    texts.derivative = m_ui.cboDerivative->currentText().toStdString();
    return texts;
}

void FrmFunctions::ReadPlotSettings() { plotSettings = plot::readPlotSettings(plotFieldTexts(), m_ui.chkGrid->isChecked()); }

void FrmFunctions::ChangeWindow(plot::WindowCommand command)
{
    const plot::PlotWindow typed = plot::windowOfTexts(plotFieldTexts());
    if (const auto changed = plot::changeWindow(typed, command))
        PlotWindowOf(*changed);
}

void FrmFunctions::PlotWindowOf(const plot::PlotWindow& window)
{
    const auto texts = plot::windowTexts(window);
    QLineEdit* const fields[] = {m_ui.txtWindowlx, m_ui.txtWindowgx, m_ui.txtWindowly, m_ui.txtWindowgy};
    for (int i = 0; i < 4; ++i)
        fields[i]->setText(QString::fromStdString(texts[i]));
    cmdPlot_Click();
}

void FrmFunctions::Picture1_MouseMove(QPoint pixel, QPoint globalPos)
{
    QString tip;
    if (m_drawn) {
        const float x = static_cast<float>(m_drawn->map.worldX(pixel.x()));
        const float y = static_cast<float>(m_drawn->map.worldY(pixel.y()));
        tip = QStringLiteral("(%1, %2): Click to center graph here")
                  .arg(QString::fromStdString(common::singleNumberText(x)),
                       QString::fromStdString(common::singleNumberText(y)));
    }
    m_ui.Picture1->showToolTip(tip, globalPos);
}

void FrmFunctions::Picture1_MouseDown(QPoint pixel)
{
    if (!m_drawn)
        return;
    const float x = static_cast<float>(m_drawn->map.worldX(pixel.x()));
    const float y = static_cast<float>(m_drawn->map.worldY(pixel.y()));
    if (const auto centred = plot::centredWindow(m_drawn->window, x, y))
        PlotWindowOf(*centred);
}

void FrmFunctions::mnuCopy_Click() { QGuiApplication::clipboard()->setImage(m_ui.Picture1->image()); }

void FrmFunctions::DrawGraph()
{
    m_shared.ierr = 0;
    m_drawn.reset();
    if (const auto e = ReadStudyInputs()) {
        ierr = engine::trappedError(e, m_shared);
        GraphCurrent = false;  // nothing was drawn
        TellReadFailure();
        return;
    }
    // Settings that cannot be drawn leave the picture cleared (the fields' own
    // rules tell the user); drawing them would never end.
    if (!plot::plotAccepted(plotSettings, study.derivativeOrder, plot::kPictureWidth, plot::kPictureHeight)) {
        GraphCurrent = false;
        return;
    }
    const plot::GraphRequest request = graphRequest(study, plotSettings);
    numeric::EngineFunction f(ScriptControl1, m_shared, study.equation);
    // The decorations are shown before the curve; only a repaint, so no command
    // can start inside the drawing (one asked for now runs after it).
    const plot::GraphOutcome out =
        plot::drawGraph(m_ui.Picture1->image(), f, request, Factorials, [this] { m_ui.Picture1->repaint(); });
    m_graphOrder = study.derivativeOrder;
    m_drawn = DrawnGraph{out.map, {plotSettings.windowLx, plotSettings.windowGx, plotSettings.windowLy, plotSettings.windowGy}};
    ierr = out.error;
    CurrentX = out.currentX;
    CurrentValue = out.currentValue;
    m_foreColor = out.foreColor;
}

plot::GraphRequest FrmFunctions::graphRequest(const numeric::StudyInputs& in, const plot::PlotSettings& settings) const
{
    plot::GraphRequest request;
    request.study = in;
    request.plot = settings;
    request.shade = m_ui.chkShade->isChecked();
    request.labelWindow = m_ui.chkWindow->isChecked();
    request.labelDivisions = m_ui.chkDivisions->isChecked();
    request.divisionXText = textOf(m_ui.txtDivx);
    request.divisionYText = textOf(m_ui.txtDivy);
    request.foreColor = m_foreColor;
    return request;
}

std::optional<QImage> FrmFunctions::GraphOfFields()
{
    if (GraphCurrent)
        return m_ui.Picture1->image();
    // Nothing that happens here is told: the engine's errors are Plot's to tell.
    const FlagScope quiet(m_quietEngine);
    numeric::StudyInputs in;
    if (m_constants.execute(ScriptControl1) || numeric::readStudyInputs(studyFieldTexts(), in))
        return std::nullopt;
    const plot::PlotSettings settings = plot::readPlotSettings(plotFieldTexts(), m_ui.chkGrid->isChecked());
    if (!plot::plotAccepted(settings, in.derivativeOrder, plot::kPictureWidth, plot::kPictureHeight))
        return std::nullopt;
    QImage image(plot::kPictureWidth, plot::kPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    numeric::EngineFunction f(ScriptControl1, m_shared, in.equation);
    m_shared.ierr = 0;
    plot::drawGraph(image, f, graphRequest(in, settings), Factorials, {});
    return image;
}

FrmFunctions::~FrmFunctions() { m_shared.detachErrorField(&ierr); }

void FrmFunctions::Form_Load(const std::function<bool()>& openCommandLineStudy)
{
    engine::prepareWindowEngine(ScriptControl1, m_shared);
    m_ui.txtSubintervals->setToolTip(
        QStringLiteral("Should be enough to detect all roots & extrema, and to find an accurate integral."));

    Factorials = numeric::factorialTable();
    RootCount = 0;
    MaxCount = 0;
    MinCount = 0;
    IntegralValid = false;
    m_constants.assign({});
    study.equation.clear();

    m_ui.cboDerivative->clear();
    m_ui.cboDerivative->addItems({QStringLiteral("Function"), QStringLiteral("1st.derivative"),
                                  QStringLiteral("2nd.derivative"), QStringLiteral("3rd.derivative"),
                                  QStringLiteral("4th.derivative"), QStringLiteral("5th.derivative"),
                                  QStringLiteral("6th.derivative"), QStringLiteral("7th.derivative"),
                                  QStringLiteral("8th.derivative"), QStringLiteral("9th.derivative")});
    m_ui.cboDerivative->setCurrentIndex(0);

    // A study that cannot be opened leaves the last study of the settings file,
    // so the next exit does not replace it with the defaults.
    if (!openCommandLineStudy || !openCommandLineStudy()) {
        const FlagScope loading(LoadingSettings);
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
        m_prompter.message(QString::fromStdString(docs::replacedMessage(read.replaced)));
}

void FrmFunctions::ShowStudyRecord(const docs::StudyRecord& record)
{
    m_constants.assign(record.constants);
    m_ui.cboConstants->clear();
    for (const auto& statement : m_constants.statements())
        m_ui.cboConstants->addItem(QString::fromStdString(statement));
    m_ui.cboConstants->setCurrentIndex(-1);

    m_ui.txtEquation->setText(QString::fromStdString(record.equation));
    const docs::RecordTexts texts = docs::fieldTexts(record);
    for (const char* name : kShownFields)
        for (int i = 0; i < 14; ++i)
            if (std::string_view(docs::kNumberItems[i].field) == name)
                findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromStdString(texts.numbers[i]));
    m_ui.chkPersist->setChecked(record.persist == 1);
}

docs::SettingsItems FrmFunctions::fieldItems() const
{
    docs::SettingsItems items = docs::itemsOfTexts(studyFieldTexts(), plotFieldTexts(), m_constants.statements());
    items.persist = m_ui.chkPersist->isChecked() ? 1 : 0;
    return items;
}

void FrmFunctions::WriteSettingsFile()
{
    const docs::SettingsItems items = fieldItems();
    QString reason;
    if (docs::writeSettingsFile(m_settingsPath, items, &reason))
        return;
    const QString text = QStringLiteral("Could not save the settings file %1: %2")
                             .arg(docs::displayFileName(m_settingsPath), reason);
    if (m_closingBySignal)
        std::cerr << text.toStdString() << std::endl;
    else
        m_prompter.message(text);
}

std::int32_t FrmFunctions::ReadStudyInputs()
{
    m_constantProblem.reset();
    engine::UserConstants::Failure failure;
    {
        const FlagScope quiet(m_quietEngine);
        failure = m_constants.execute(ScriptControl1);
    }
    if (failure) {
        m_constantProblem = m_constants.failureMessage(failure);
        return failure.error.number;
    }
    return numeric::readStudyInputs(studyFieldTexts(), study);
}

void FrmFunctions::TellReadFailure(const std::optional<std::string>& commandMessage)
{
    std::string text = commandMessage.value_or(std::string());
    if (m_constantProblem) {
        if (!text.empty())
            text += '\n';
        text += *m_constantProblem;
    }
    if (!text.empty())
        m_prompter.message(QString::fromStdString(text));
}

void FrmFunctions::ScriptControl1_Error(const engine::ScriptError& error)
{
    ierr = error.number;
    if (!m_quietEngine && engine::mainWindowShowsError(error.number))
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
        TellReadFailure();
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

int FrmFunctions::selectedConstant() const
{
    const int k = m_ui.cboConstants->currentIndex();
    if (k >= 0 && m_ui.cboConstants->currentText() == m_ui.cboConstants->itemText(k))
        return k;
    return -1;
}

void FrmFunctions::cmdAddCons_Click()
{
    engine::ScriptError refusal;
    switch (m_constants.add(m_ui.cboConstants->currentText().toStdString(), ScriptControl1, refusal)) {
    case engine::UserConstants::AddResult::Ignored: return;
    case engine::UserConstants::AddResult::Refused:
        m_prompter.message(QString::fromStdString(engine::errorMessage(refusal)));
        return;
    case engine::UserConstants::AddResult::Full:
        m_prompter.message(QStringLiteral("At most 101 user constants can be added."));
        return;
    case engine::UserConstants::AddResult::Added: break;
    }
    m_ui.cboConstants->clear();
    for (const auto& statement : m_constants.statements())
        m_ui.cboConstants->addItem(QString::fromStdString(statement));
    m_ui.cboConstants->setCurrentIndex(-1);
    m_ui.cboConstants->setEditText(QString());
    cboConstants_Change();
}

void FrmFunctions::cmdRemCons_Click()
{
    const int k = selectedConstant();
    if (k < 0)
        return;
    const QString text = m_ui.cboConstants->itemText(k);
    // Put the name back (a failure, such as a name the engine will not assign,
    // shows the engine's message and goes no further).
    ScriptControl1.executeStatement(m_constants.remove(k));
    m_ui.cboConstants->removeItem(k);
    m_ui.cboConstants->setCurrentIndex(-1);
    m_ui.cboConstants->setEditText(text);
}

void FrmFunctions::cboConstants_Change()
{
    MarkStudyStale();
    MarkPlotStale();
}

void FrmFunctions::MarkStudyStale()
{
    if (LoadingStudy)
        return;
    IntegralValid = false;
    RootCount = 0;
    MaxCount = 0;
    MinCount = 0;
    m_ui.lblIntegral->clear();
    m_ui.lstRoots->clear();
    m_ui.lstExtrema->clear();
    m_ui.lblRoots->clear();
    m_ui.lblExtrema->clear();
}

void FrmFunctions::MarkPlotStale()
{
    if (LoadingSettings)
        return;
    m_ui.Picture1->image().fill(Qt::white);
    m_ui.Picture1->update();
    GraphCurrent = false;
}

void FrmFunctions::closeBySignal()
{
    m_closingBySignal = true;
    Form_Unload();
    close();
}

void FrmFunctions::cmdExtrema_Click()
{
    m_shared.ierr = 0;
    BusyCursor busy;
    m_ui.lstExtrema->clear();
    MaxCount = MinCount = PossibleRootCount = 0;  // the counts follow the list they mirror
    if (const auto e = ReadStudyInputs()) {
        ierr = engine::trappedError(e, m_shared);
        TellReadFailure();
        return;
    }
    numeric::EngineFunction f(ScriptControl1, m_shared, study.equation);
    const numeric::ExtremaOutcome r = numeric::findExtrema(f, study);

    for (const auto& row : r.rows)
        m_ui.lstExtrema->addItem(QString::fromStdString(row));
    MaxCount = static_cast<std::int32_t>(r.maxPositions.size());
    MinCount = static_cast<std::int32_t>(r.minPositions.size());
    PossibleRootCount = r.possibleRoots;
    for (std::size_t k = 0; k < r.maxPositions.size(); ++k)
        MaxPositions[k + 1] = r.maxPositions[k];
    for (std::size_t k = 0; k < r.minPositions.size(); ++k)
        MinPositions[k + 1] = r.minPositions[k];
    CurrentX = r.currentX;
    GridStep = r.gridStep;
    LastGridX = r.lastGridX;
    if (r.error)
        ierr = r.error;
    if (r.label)
        m_ui.lblExtrema->setText(QString::fromStdString(*r.label));
    if (r.tableFull)
        m_prompter.message(QString::fromLatin1(numeric::kExtremaTableFullMessage));
}

void FrmFunctions::cmdIntegrate_Click()
{
    BusyCursor busy;
    numeric::IntegralOutcome r;
    bool readFailed = false;
    if (const auto e = ReadStudyInputs()) {
        r.error = engine::trappedError(e, m_shared);
        r.message = numeric::integralFailureMessage(r.error);
        readFailed = true;
    } else {
        numeric::EngineFunction f(ScriptControl1, m_shared, study.equation);
        r = numeric::integrate(f, study);
        CurrentX = r.currentX;
    }
    if (r.value) {  // the stored integral changes only when the command reaches its end
        IntegralValue = *r.value;
        IntegralValid = r.valid;
    }
    if (r.label)
        m_ui.lblIntegral->setText(QString::fromStdString(*r.label));
    if (r.error) {
        ierr = r.error;
        if (readFailed)
            TellReadFailure(r.message);
        else if (r.message)
            m_prompter.message(QString::fromStdString(*r.message));
    }
}

void FrmFunctions::cmdDerVal_Click()
{
    m_ui.lblDerVal->clear();
    m_shared.ierr = 0;
    BusyCursor busy;
    auto failed = [this](std::int32_t e) { ierr = engine::trappedError(e, m_shared); };
    if (const auto e = ReadStudyInputs()) {
        failed(e);
        return TellReadFailure();
    }
    if (const auto e = numeric::readWholeNumber(textOf(m_ui.txtDerNum), study.derivativeOrder))
        return failed(e);
    double x = 0;
    if (const auto e = numeric::readNumber(textOf(m_ui.txtXeval), x))
        return failed(e);
    CurrentX = x;
    numeric::EngineFunction f(ScriptControl1, m_shared, study.equation);
    const numeric::ValueOutcome r = numeric::valueAt(f, study.derivativeOrder, x, Factorials, DerivativeStepState);
    DerivativeStepState = r.steps;
    if (r.error)
        ierr = r.error;
    if (r.label)
        m_ui.lblDerVal->setText(QString::fromStdString(*r.label));
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
    WriteSettingsFile();
    if (m_decimalGuard)
        m_decimalGuard->RestoreDecimalSeparator();
    // Closing the main window ends the program: every other window closes with it.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
}

}  // namespace tessaly::app
