#include "app/frmfunctionsui.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

#include "app/pictureview.h"

namespace tessaly::app {
namespace {

constexpr int kFieldWidth = 64;
constexpr int kPadWidth = 34;

template <typename W>
W* named(W* w, const char* name, const QString& tip)
{
    w->setObjectName(QString::fromLatin1(name));
    if (!tip.isEmpty())
        w->setToolTip(tip);
    return w;
}

QPushButton* button(const char* name, const QString& caption, const QString& tip = {})
{
    return named(new QPushButton(caption), name, tip);
}

// The small buttons of the graph frame.
QPushButton* padButton(const char* name, const QString& caption, const QString& tip)
{
    auto* b = button(name, caption, tip);
    b->setFixedWidth(kPadWidth);
    return b;
}

// A frame of the Graph frame: tight margins, so the pads take little height.
template <typename L>
L* padLayout(QGroupBox* frame)
{
    auto* l = new L(frame);
    l->setContentsMargins(6, 2, 6, 4);
    return l;
}

QLineEdit* field(const char* name, const QString& text, const QString& tip)
{
    auto* f = named(new QLineEdit(text), name, tip);
    f->setFixedWidth(kFieldWidth);
    return f;
}

QLabel* label(const char* name, const QString& caption, const QString& tip = {})
{
    return named(new QLabel(caption), name, tip);
}

// A label that shows a result: empty until a command writes it.
// A label that shows a result. Its width is set by the widest text it can hold
// (the widest number text, or a given text), never by the text it holds now, so
// results that appear do not move the window's layout.
QLabel* resultLabel(const char* name, const QString& tip,
                    const QString& widest = QStringLiteral("-8.88888888888888E-308"))
{
    auto* l = label(name, QString(), tip);
    l->setFrameShape(QFrame::StyledPanel);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(widest) + 2 * l->frameWidth() + 8);
    return l;
}

QCheckBox* check(const char* name, const QString& caption, bool on, const QString& tip)
{
    auto* c = named(new QCheckBox(caption), name, tip);
    c->setChecked(on);
    return c;
}

QGroupBox* frame(const char* name, const QString& caption, const QString& tip = {})
{
    return named(new QGroupBox(caption), name, tip);
}

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

PictureView& FrmFunctionsUi::setupUi(QMainWindow* window)
{
    window->setObjectName(QStringLiteral("frmFunctions"));
    window->setWindowTitle(QStringLiteral("Tessaly"));
    const record::FieldTexts& study = record::defaultTexts();

    // Graph picture and the command frames beside it.
    Picture1 = named(new PictureView, "Picture1", {});
    pictureArea = new PictureArea(Picture1);
    cmdShowEvaluator = button("cmdShowEvaluator", QStringLiteral("&Show Evaluator"));

    fraConstants =
        frame("fraConstants", QStringLiteral("User constants"), QStringLiteral("Add or remove user-defined constants"));
    cmdRemCons = button("cmdRemCons", QStringLiteral("Remove"), QStringLiteral("Remove selected constant"));
    cmdAddCons = button("cmdAddCons", QStringLiteral("Add"), QStringLiteral("Add (register) constant"));
    cboConstants = named(new QComboBox, "cboConstants", QStringLiteral("Example: a=2.37"));
    cboConstants->setEditable(true);
    cboConstants->setInsertPolicy(QComboBox::NoInsert);
    cboConstants->setMinimumWidth(140);
    {
        auto* l = new QHBoxLayout(fraConstants);
        l->addWidget(cboConstants, 1);
        l->addWidget(cmdAddCons);
        l->addWidget(cmdRemCons);
    }

    fraEvalDer = frame("fraEvalDer", QStringLiteral("Evaluation of function or derivatives"));
    cmdDerVal = button("cmdDerVal", QStringLiteral("&Value="), QStringLiteral("Compute function or derivative"));
    txtXeval = field("txtXeval", QStringLiteral("0"), QStringLiteral("Point of evaluation"));
    txtDerNum = field("txtDerNum", QStringLiteral("0"), QStringLiteral("Enter 0 for the function itself"));
    lblDerVal = resultLabel("lblDerVal", QStringLiteral("Value of function or derivative"));
    lblXeval = label("lblXeval", QStringLiteral("At x="));
    lblDerNum = label("lblDerNum", QStringLiteral("Which derivative?"));
    {
        auto* g = new QGridLayout(fraEvalDer);
        g->addWidget(lblXeval, 0, 0, Qt::AlignRight);
        g->addWidget(txtXeval, 0, 1);
        g->addWidget(lblDerNum, 0, 2, Qt::AlignRight);
        g->addWidget(txtDerNum, 0, 3);
        g->addWidget(cmdDerVal, 1, 0, 1, 2);
        g->addWidget(lblDerVal, 1, 2, 1, 2);
    }

    fraZoomPan = frame("fraZoomPan", QStringLiteral("Graph"));
    FraWindow = frame("FraWindow", QStringLiteral("Window"));
    cmdIncWindY = padButton("cmdIncWindY", QStringLiteral("y+"), QStringLiteral("Wider y-window"));
    cmdDecWindY = padButton("cmdDecWindY", QStringLiteral("y-"), QStringLiteral("Narrower y-window"));
    cmdIncWindX = padButton("cmdIncWindX", QStringLiteral("x+"), QStringLiteral("Wider x-window"));
    cmdDecWindX = padButton("cmdDecWindX", QStringLiteral("x-"), QStringLiteral("Narrower x-window"));
    {
        auto* g = padLayout<QGridLayout>(FraWindow);
        g->addWidget(cmdIncWindY, 0, 0);
        g->addWidget(cmdDecWindY, 1, 0);
        g->addWidget(cmdIncWindX, 0, 1);
        g->addWidget(cmdDecWindX, 1, 1);
    }
    fraZoom = frame("fraZoom", QStringLiteral("Zoom"));
    cmdZoomOut = padButton("cmdZoomOut", QStringLiteral("Out"), QStringLiteral("Zoom out"));
    cmdZoomIn = padButton("cmdZoomIn", QStringLiteral("In"), QStringLiteral("Zoom in"));
    fraZoomQuad = frame("fraZoomQuad", QStringLiteral("Quadrant"));
    cmdZoomQ1 = padButton("cmdZoomQ1", QStringLiteral("1"), QStringLiteral("Zoom quadrant 1"));
    cmdZoomQ2 = padButton("cmdZoomQ2", QStringLiteral("2"), QStringLiteral("Zoom quadrant 2"));
    cmdZoomQ4 = padButton("cmdZoomQ4", QStringLiteral("4"), QStringLiteral("Zoom quadrant 4"));
    cmdZoomQ3 = padButton("cmdZoomQ3", QStringLiteral("3"), QStringLiteral("Zoom quadrant 3"));
    {
        auto* g = padLayout<QGridLayout>(fraZoomQuad);  // the quadrants where they lie
        g->addWidget(cmdZoomQ2, 0, 0);
        g->addWidget(cmdZoomQ1, 0, 1);
        g->addWidget(cmdZoomQ3, 1, 0);
        g->addWidget(cmdZoomQ4, 1, 1);
        auto* z = padLayout<QHBoxLayout>(fraZoom);
        auto* inOut = new QVBoxLayout;
        inOut->addWidget(cmdZoomOut);
        inOut->addWidget(cmdZoomIn);
        z->addLayout(inOut);
        z->addWidget(fraZoomQuad);
    }
    fraPan = frame("fraPan", QStringLiteral("Pan"));
    cmdPanLeft = padButton("cmdPanLeft", QStringLiteral("L"), QStringLiteral("Pan left"));
    cmdPanRight = padButton("cmdPanRight", QStringLiteral("R"), QStringLiteral("Pan right"));
    cmdPanDown = padButton("cmdPanDown", QStringLiteral("D"), QStringLiteral("Pan down"));
    cmdPanUp = padButton("cmdPanUp", QStringLiteral("U"), QStringLiteral("Pan up"));
    {
        auto* g = padLayout<QGridLayout>(fraPan);  // the directions, in two rows as the other pads
        g->addWidget(cmdPanUp, 0, 1);
        g->addWidget(cmdPanLeft, 0, 0, 2, 1);
        g->addWidget(cmdPanRight, 0, 2, 2, 1);
        g->addWidget(cmdPanDown, 1, 1);
        auto* l = padLayout<QHBoxLayout>(fraZoomPan);
        l->addWidget(FraWindow);
        l->addWidget(fraZoom);
        l->addWidget(fraPan);
    }

    // Results and the commands that produce them.
    lstExtrema = named(new QListWidget, "lstExtrema", QStringLiteral("Maxima and Minima"));
    cmdExtrema = button("cmdExtrema", QStringLiteral("&Extrema"), QStringLiteral("Find maxima and minima"));
    lstRoots = named(new QListWidget, "lstRoots", QStringLiteral("Roots"));
    cmdRoots = button("cmdRoots", QStringLiteral("&Roots"), QStringLiteral("Find roots"));
    cmdIntegrate = button("cmdIntegrate", QStringLiteral("&Integral"), QStringLiteral("Compute integral"));
    cboDerivative = named(new QComboBox, "cboDerivative", QStringLiteral("Select what to plot from list"));
    cboDerivative->addItem(text(study.derivative));  // the list of what can be plotted is filled at load
    lblIntegral = resultLabel("lblIntegral", QStringLiteral("Integral"));
    lblExtrema = resultLabel("lblExtrema", QStringLiteral("How many extrema were found"),
                             QStringLiteral("255 max. 255 min. 255 possible root(s). "));
    lblRoots = resultLabel("lblRoots", QStringLiteral("How many roots were found"));
    for (QListWidget* list : {lstExtrema, lstRoots}) {
        list->setMinimumWidth(std::max(200, lblExtrema->minimumWidth()));
        list->setMinimumHeight(96);
        // As high as the frames beside them: height the window gains goes to the picture.
        list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    }

    // The study.
    fraStudySpecs = frame("fraStudySpecs", QStringLiteral("Study specifications"));
    txtXlower = field("txtXlower", text(study[record::Lower]), QStringLiteral("Lower limit of interval to be studied"));
    txtXupper = field("txtXupper", text(study[record::Upper]), QStringLiteral("Upper limit of interval to be studied"));
    txtMaxcy =
        field("txtMaxcy", text(study[record::MaxIterations]), QStringLiteral("Limits number of main loop iterations"));
    txtError = field("txtError", text(study[record::ErrorBound]), QStringLiteral("Error MUST be >0"));
    txtSubintervals =
        field("txtSubintervals", text(study[record::Subintervals]), QStringLiteral("Minimum # of subintervals"));
    lblXinterval = label("lblXinterval", QStringLiteral("<=x<="), QStringLiteral("Defines interval to be studied"));
    lblMaxcy = label("lblMaxcy", QStringLiteral("Max. # of iterations:"));
    lblError = label("lblError", QStringLiteral("Approx. error bound:"));
    lblSubintervals = label("lblSubintervals", QStringLiteral(" # of subintervals:"));
    {
        auto* g = new QGridLayout(fraStudySpecs);
        g->addWidget(txtXlower, 0, 0);
        g->addWidget(lblXinterval, 0, 1, Qt::AlignCenter);
        g->addWidget(txtXupper, 0, 2);
        g->addWidget(lblMaxcy, 1, 0, 1, 2, Qt::AlignRight);
        g->addWidget(txtMaxcy, 1, 2);
        g->addWidget(lblError, 2, 0, 1, 2, Qt::AlignRight);
        g->addWidget(txtError, 2, 2);
        g->addWidget(lblSubintervals, 3, 0, 1, 2, Qt::AlignRight);
        g->addWidget(txtSubintervals, 3, 2);
    }

    // The plot settings.
    fraPlotSpecs = frame("fraPlotSpecs", QStringLiteral("Plot setup"));
    chkWindow =
        check("chkWindow", QStringLiteral("Label window"), true, QStringLiteral("Check to label the window edges"));
    chkDivisions =
        check("chkDivisions", QStringLiteral("Label divisons"), true, QStringLiteral("Check to label the divisions"));
    chkShade = check("chkShade", QStringLiteral("Shade"), true, QStringLiteral("Check if you want the area shaded"));
    chkPersist =
        check("chkPersist", QStringLiteral("Persist"), false, QStringLiteral("Check if you want persistent graphics"));
    chkGrid = check("chkGrid", QStringLiteral("Grid"), true, QStringLiteral("Check if you want a grid on graph"));
    txtDivy = field("txtDivy", text(study[record::DivisionY]), QStringLiteral("Size of divisions on y-axis"));
    txtYorigin = field("txtYorigin", text(study[record::OriginY]), QStringLiteral("Position of x-axis"));
    txtDivx = field("txtDivx", text(study[record::DivisionX]), QStringLiteral("Size of divisions on x-axis"));
    txtXorigin = field("txtXorigin", text(study[record::OriginX]), QStringLiteral("Position of y-axis"));
    txtPlotStep = field("txtPlotStep", text(study[record::PlotStep]), QStringLiteral("Enter integer between 1 and 80"));
    txtWindowlx = field("txtWindowlx", text(study[record::WindowLx]), QStringLiteral("Lower limit for x (plotting)"));
    txtWindowgx = field("txtWindowgx", text(study[record::WindowGx]), QStringLiteral("Upper limit for x (plotting)"));
    txtWindowly = field("txtWindowly", text(study[record::WindowLy]), QStringLiteral("Lower limit for y (plotting)"));
    txtWindowgy = field("txtWindowgy", text(study[record::WindowGy]), QStringLiteral("Upper limit for y (plotting)"));
    lblDivy = label("lblDivy", QStringLiteral("y-divisions:"));
    lblYorigin = label("lblYorigin", QStringLiteral("y-origin:"));
    lblDivx = label("lblDivx", QStringLiteral("x-divisions:"));
    lblXorigin = label("lblXorigin", QStringLiteral("x-origin:"));
    lblPlotStep = label("lblPlotStep", QStringLiteral("Plot step:"));
    lblWindowx = label("lblWindowx", QStringLiteral("<=x<="));
    lblWindowy = label("lblWindowy", QStringLiteral("<=y<="));
    {
        auto* g = new QGridLayout(fraPlotSpecs);
        g->addWidget(txtWindowlx, 0, 0);
        g->addWidget(lblWindowx, 0, 1, Qt::AlignCenter);
        g->addWidget(txtWindowgx, 0, 2);
        g->addWidget(lblDivx, 0, 3, Qt::AlignRight);
        g->addWidget(txtDivx, 0, 4);
        g->addWidget(lblXorigin, 0, 5, Qt::AlignRight);
        g->addWidget(txtXorigin, 0, 6);
        g->addWidget(lblPlotStep, 0, 7, Qt::AlignRight);
        g->addWidget(txtPlotStep, 0, 8);
        g->addWidget(txtWindowly, 1, 0);
        g->addWidget(lblWindowy, 1, 1, Qt::AlignCenter);
        g->addWidget(txtWindowgy, 1, 2);
        g->addWidget(lblDivy, 1, 3, Qt::AlignRight);
        g->addWidget(txtDivy, 1, 4);
        g->addWidget(lblYorigin, 1, 5, Qt::AlignRight);
        g->addWidget(txtYorigin, 1, 6);
        auto* checks = new QHBoxLayout;
        for (QCheckBox* c : {chkWindow, chkDivisions, chkShade, chkPersist, chkGrid})
            checks->addWidget(c);
        checks->addStretch();
        g->addLayout(checks, 2, 0, 1, 9);
    }

    // The function line.
    txtEquation = named(new QLineEdit(text(study.equation)), "txtEquation",
                        QStringLiteral("Function must be entered in terms of \"x\""));
    cmdPlot = button("cmdPlot", QStringLiteral("&Plot"), QStringLiteral("Plot the selected option"));
    lblEquation = label("lblEquation", QStringLiteral("f(x)="));

    // Layout: picture and frames, results and study, plot setup, function line.
    auto* central = new QWidget(window);
    auto* outer = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;
    top->addWidget(pictureArea, 1);
    auto* sidePanel = new QWidget;
    auto* side = new QVBoxLayout(sidePanel);
    side->setContentsMargins(0, 0, 0, 0);
    // Show Evaluator beside the constants frame, in line with its buttons.
    auto* evaluator = new QVBoxLayout;
    evaluator->addWidget(cmdShowEvaluator, 0, Qt::AlignBottom);
    evaluator->addSpacing(fraConstants->layout()->contentsMargins().bottom());
    auto* constants = new QHBoxLayout;
    constants->addWidget(fraConstants, 1);
    constants->addLayout(evaluator);
    side->addLayout(constants);
    side->addWidget(fraEvalDer);
    side->addWidget(fraZoomPan);
    side->addStretch();
    top->addWidget(sidePanel);
    outer->addLayout(top, 1);

    auto* middle = new QHBoxLayout;
    auto* extrema = new QVBoxLayout;
    extrema->addWidget(lstExtrema, 1);
    extrema->addWidget(lblExtrema);
    auto* roots = new QVBoxLayout;
    roots->addWidget(lstRoots, 1);
    roots->addWidget(lblRoots);
    auto* commands = new QVBoxLayout;
    commands->addWidget(cmdExtrema);
    commands->addWidget(cmdRoots);
    commands->addWidget(cmdIntegrate);
    commands->addWidget(lblIntegral);
    commands->addWidget(cboDerivative);
    commands->addStretch();
    middle->addLayout(extrema, 1);
    middle->addLayout(roots, 1);
    middle->addLayout(commands);
    middle->addWidget(fraStudySpecs);
    outer->addLayout(middle);
    lblWarnings = label("lblWarnings", QString(), QStringLiteral("What the results cannot be trusted for"));
    lblWarnings->setWordWrap(true);
    lblWarnings->setStyleSheet(QStringLiteral("color: #a04000"));
    outer->addWidget(lblWarnings);
    outer->addWidget(fraPlotSpecs);

    auto* equation = new QHBoxLayout;
    equation->addWidget(lblEquation);
    equation->addWidget(txtEquation, 1);
    equation->addWidget(cmdPlot);
    outer->addLayout(equation);
    // At the window's own size the picture has the reference size: the panel
    // beside it takes whatever width the rows below need beyond the picture, so
    // the picture's area gains only what the window gains.
    const int below =
        std::max({middle->sizeHint().width(), fraPlotSpecs->sizeHint().width(), equation->sizeHint().width()});
    sidePanel->setMinimumWidth(std::max(sidePanel->sizeHint().width(), below - PictureView::kWidth - top->spacing()));
    window->setCentralWidget(central);

    // The status bar: a quiet line that says why a command or plot did nothing.
    lblStatus = label("lblStatus", QString());
    window->statusBar()->addWidget(lblStatus, 1);
    // Beside it, shown only while a command has run for a while.
    prgCommand = new QProgressBar;
    prgCommand->setObjectName(QStringLiteral("prgCommand"));
    prgCommand->setRange(0, kProgressSteps);
    prgCommand->setTextVisible(false);
    prgCommand->setMaximumWidth(160);
    prgCommand->hide();
    cmdCancel = button("cmdCancel", QStringLiteral("Cancel"), QStringLiteral("Stop the command (Esc)"));
    cmdCancel->hide();
    // No taller than the status line's text needs, so the window's smallest
    // size does not grow with them.
    const int lineHeight = lblStatus->sizeHint().height() + 5;
    prgCommand->setMaximumHeight(lineHeight);
    cmdCancel->setMaximumHeight(lineHeight);
    window->statusBar()->addPermanentWidget(prgCommand);
    window->statusBar()->addPermanentWidget(cmdCancel);

    // Menus: File with its entries; View; Print, Help and About on the bar
    // itself. The mnemonics avoid the buttons' own (S, V, E, R, I, P).
    QMenuBar* bar = window->menuBar();
    mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuOpen = mnuFile->addAction(QStringLiteral("&Open"));
    mnuRecent = mnuFile->addMenu(QStringLiteral("&Recent studies"));
    mnuRecent->setObjectName(QStringLiteral("mnuRecent"));
    mnuRecent->menuAction()->setObjectName(QStringLiteral("mnuRecent"));
    mnuFile->addSeparator();
    mnuSave = mnuFile->addAction(QStringLiteral("&Save"));
    mnuSaveAs = mnuFile->addAction(QStringLiteral("Save &As"));
    mnuFile->addSeparator();
    mnuCopy = mnuFile->addAction(QStringLiteral("&Copy graph to clipboard"));
    mnuExport = mnuFile->addAction(QStringLiteral("E&xport graph…"));
    mnuFile->addSeparator();
    mnuQuit = mnuFile->addAction(QStringLiteral("&Quit"));
    mnuView = bar->addMenu(QStringLiteral("Vie&w"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuTrustedDigits = mnuView->addAction(QStringLiteral("Show &trusted digits only"));
    mnuTrustedDigits->setCheckable(true);
    mnuPrint = bar->addAction(QStringLiteral("Prin&t"));
    mnuHelp = bar->addAction(QStringLiteral("&Help"));
    mnuAbout = bar->addAction(QStringLiteral("&About"));
    actShowEvaluator = new QAction(QStringLiteral("Show Evaluator"), window);
    window->addAction(actShowEvaluator);
    const std::tuple<QAction*, const char*, QKeySequence> actions[] = {
        {mnuOpen, "mnuOpen", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {mnuSave, "mnuSave", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {mnuSaveAs, "mnuSaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {mnuCopy, "mnuCopy", QKeySequence()},
        {mnuExport, "mnuExport", QKeySequence()},
        {mnuQuit, "mnuQuit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {mnuTrustedDigits, "mnuTrustedDigits", QKeySequence()},
        {mnuPrint, "mnuPrint", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {mnuHelp, "mnuHelp", QKeySequence(Qt::Key_F1)},
        {mnuAbout, "mnuAbout", QKeySequence()},
        {actShowEvaluator, "actShowEvaluator", QKeySequence(Qt::CTRL | Qt::Key_E)}};
    for (const auto& [action, name, keys] : actions) {
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
    }

    for (int i = 0; i < record::kNumberItemCount; ++i)
        number[static_cast<std::size_t>(i)] =
            window->findChild<QLineEdit*>(QString::fromLatin1(record::kNumberItems[i].field));

    // Tab order: the order of the controls above.
    QWidget* order[] = {cmdShowEvaluator, cmdRemCons,      cmdAddCons,    cboConstants, cmdDerVal,   txtXeval,
                        txtDerNum,        cmdIncWindY,     cmdDecWindY,   cmdIncWindX,  cmdDecWindX, cmdZoomOut,
                        cmdZoomIn,        cmdZoomQ1,       cmdZoomQ2,     cmdZoomQ4,    cmdZoomQ3,   cmdPanLeft,
                        cmdPanRight,      cmdPanDown,      cmdPanUp,      lstExtrema,   cmdExtrema,  lstRoots,
                        cmdRoots,         cmdIntegrate,    cboDerivative, txtXlower,    txtXupper,   txtMaxcy,
                        txtError,         txtSubintervals, chkWindow,     chkDivisions, chkShade,    chkPersist,
                        chkGrid,          txtDivy,         txtYorigin,    txtDivx,      txtXorigin,  txtPlotStep,
                        txtWindowlx,      txtWindowgx,     txtWindowly,   txtWindowgy,  txtEquation, cmdPlot};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    return *Picture1;
}

record::FieldTexts FrmFunctionsUi::fieldTexts() const
{
    record::FieldTexts texts;
    texts.equation = txtEquation->text().toStdString();
    for (std::size_t i = 0; i < texts.numbers.size(); ++i)
        texts.numbers[i] = number[i]->text().toStdString();
    texts.derivative = cboDerivative->currentText().toStdString();
    return texts;
}

void FrmFunctionsUi::fillDerivativeList() const
{
    cboDerivative->clear();
    cboDerivative->addItem(QStringLiteral("Function"));
    for (const char* order : {"1st", "2nd", "3rd", "4th", "5th", "6th", "7th", "8th", "9th"})
        cboDerivative->addItem(QString::fromLatin1(order) + QStringLiteral(".derivative"));
    cboDerivative->setCurrentIndex(0);
}

std::array<std::pair<QPushButton*, plot::WindowCommand>, 14> FrmFunctionsUi::windowButtons() const
{
    using plot::WindowCommand;
    return {{{cmdZoomOut, WindowCommand::ZoomOut},
             {cmdZoomIn, WindowCommand::ZoomIn},
             {cmdZoomQ1, WindowCommand::Quadrant1},
             {cmdZoomQ2, WindowCommand::Quadrant2},
             {cmdZoomQ3, WindowCommand::Quadrant3},
             {cmdZoomQ4, WindowCommand::Quadrant4},
             {cmdPanLeft, WindowCommand::PanLeft},
             {cmdPanRight, WindowCommand::PanRight},
             {cmdPanUp, WindowCommand::PanUp},
             {cmdPanDown, WindowCommand::PanDown},
             {cmdIncWindX, WindowCommand::WiderX},
             {cmdDecWindX, WindowCommand::NarrowerX},
             {cmdIncWindY, WindowCommand::WiderY},
             {cmdDecWindY, WindowCommand::NarrowerY}}};
}

}  // namespace tessaly::app
