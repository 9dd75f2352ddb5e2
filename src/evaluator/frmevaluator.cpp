#include "evaluator/frmevaluator.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/numbertext.h"
#include "engine/class1.h"
#include "engine/evaluation.h"
#include "evaluator/evaluatorkeys.h"
#include "evaluator/evaluatortext.h"
#include "fields/decimalpointfilter.h"

namespace tessaly::evaluator {
namespace {

constexpr int kKeyWidth = 44;

template <typename W>
W* named(W* w, const char* name, const char* tip)
{
    w->setObjectName(QString::fromLatin1(name));
    if (tip && *tip)
        w->setToolTip(QString::fromUtf8(tip));
    return w;
}

// A button that leaves the focus (and the selection) where it is.
QPushButton* key(const char* name, const QString& caption, const char* tip)
{
    auto* b = named(new QPushButton(caption), name, tip);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    b->setMinimumWidth(kKeyWidth);
    return b;
}

QLabel* display(const char* name, const QString& caption, const char* tip)
{
    auto* l = named(new QLabel(caption), name, tip);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return l;
}

// The keys of a group laid out in rows of `columns`.
QGridLayout* keyGrid(QWidget* owner, KeyGroup group, int columns, FrmEvaluator* window)
{
    auto* grid = new QGridLayout(owner);
    int k = 0;
    for (const Key& entry : keypad()) {
        if (entry.group != group)
            continue;
        QPushButton* b = key(entry.name, QString::fromUtf8(entry.caption), entry.tip);
        const QString inserts = QString::fromUtf8(entry.inserts);
        QObject::connect(b, &QPushButton::clicked, window, [window, inserts] { window->InsertAtCaret(inserts); });
        grid->addWidget(b, k / columns, k % columns);
        ++k;
    }
    return grid;
}

QGroupBox* keyFrame(const char* name, const char* caption, KeyGroup group, int columns, FrmEvaluator* window)
{
    auto* frame = named(new QGroupBox(QString::fromLatin1(caption)), name, nullptr);
    keyGrid(frame, group, columns, window);
    return frame;
}

}  // namespace

FrmEvaluator::FrmEvaluator(engine::Class1& shared, EvaluatorState& state, std::function<double()> currentX,
                           ErrorReporter reportError, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_shared(shared),
      m_state(state),
      m_currentX(std::move(currentX)),
      m_reportError(std::move(reportError))
{
    setObjectName(QStringLiteral("frmEvaluator"));
    setWindowTitle(QStringLiteral("Evaluator"));
    setAttribute(Qt::WA_DeleteOnClose);
    build();
    // Load: the engine gets the shared object, and nothing else.
    m_engine.addObject(m_shared);
    m_engine.setErrorObserver([this](const engine::ScriptError& e) { Engine_Error(e); });
    if (m_state.geometry)
        setGeometry(*m_state.geometry);
}

void FrmEvaluator::build()
{
    txtEquation = named(new QLineEdit, "txtEquation", "Enter expression to be evaluated");
    txtEquation->installEventFilter(this);
    (new fields::DecimalPointFilter(this))->attach(txtEquation);
    lblResult = display("lblResult", QString(), "Result");
    // The memory lasts for the run: a window opened again shows what it holds
    // ("0." while it is 0, as at the first opening).
    lblMemory =
        display("lblMemory",
                m_state.memory == 0 ? QStringLiteral("0.") : QString::fromStdString(common::numberText(m_state.memory)),
                "Memory");
    lstResults = named(new QListWidget, "lstResults", "Results");

    lstResults->installEventFilter(this);  // Ctrl+C copies a row without its leading blanks
    connect(lstResults, &QListWidget::itemClicked, this, &FrmEvaluator::lstResults_Click);

    QPushButton* cmdExecute = key("cmdExecute", QStringLiteral("EXE"), "Execute");
    QPushButton* cmdClearEntry = key("cmdClearEntry", QStringLiteral("CE"), "Clear Entry");
    QPushButton* cmdClearAll = key("cmdClearAll", QStringLiteral("CLR"), "Clear All");
    QPushButton* cmdChangeSign = key("cmdChangeSign", QStringLiteral("\u00B1"), "Change sign");
    QPushButton* cmdMemPlus = key("cmdMemPlus", QStringLiteral("M+"), "Add to Memory");
    QPushButton* cmdMemMinus = key("cmdMemMinus", QStringLiteral("M-"), "Subtract from Memory");
    QPushButton* cmdMemRecall = key("cmdMemRecall", QStringLiteral("MR"), "Recall Memory");
    QPushButton* cmdMemClear = key("cmdMemClear", QStringLiteral("MCLR"), "Clear Memory");
    connect(cmdExecute, &QPushButton::clicked, this, &FrmEvaluator::cmdExecute_Click);
    connect(cmdClearEntry, &QPushButton::clicked, this, &FrmEvaluator::cmdClearEntry_Click);
    connect(cmdClearAll, &QPushButton::clicked, this, &FrmEvaluator::cmdClearAll_Click);
    connect(cmdChangeSign, &QPushButton::clicked, this, &FrmEvaluator::cmdChangeSign_Click);
    connect(cmdMemPlus, &QPushButton::clicked, this, &FrmEvaluator::cmdMemPlus_Click);
    connect(cmdMemMinus, &QPushButton::clicked, this, &FrmEvaluator::cmdMemMinus_Click);
    connect(cmdMemRecall, &QPushButton::clicked, this, &FrmEvaluator::cmdMemRecall_Click);
    connect(cmdMemClear, &QPushButton::clicked, this, &FrmEvaluator::cmdMemClear_Click);

    // The digits, operators and constants, in a frame without caption.
    auto* main = named(new QGroupBox, "fraKeypad", nullptr);
    QGridLayout* mainGrid = keyGrid(main, KeyGroup::Main, 5, this);
    mainGrid->addWidget(cmdChangeSign, mainGrid->rowCount(), 0);

    auto* memory = named(new QGroupBox(QStringLiteral("Memory")), "fraMemory", nullptr);
    auto* memoryGrid = new QGridLayout(memory);
    memoryGrid->addWidget(lblMemory, 0, 0, 1, 2);
    memoryGrid->addWidget(cmdMemPlus, 1, 0);
    memoryGrid->addWidget(cmdMemMinus, 1, 1);
    memoryGrid->addWidget(cmdMemRecall, 2, 0);
    memoryGrid->addWidget(cmdMemClear, 2, 1);
    memoryGrid->setRowStretch(3, 1);

    auto* commands = new QVBoxLayout;
    commands->addWidget(cmdExecute);
    commands->addWidget(cmdClearEntry);
    commands->addWidget(cmdClearAll);
    commands->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(main);
    top->addLayout(commands);
    top->addWidget(memory);

    auto* functions = new QHBoxLayout;
    functions->addWidget(keyFrame("fraLogical", "Logical", KeyGroup::Logical, 2, this));
    functions->addWidget(keyFrame("fraTrigonometric", "Trigonometric", KeyGroup::Trigonometric, 2, this));
    functions->addWidget(keyFrame("fraHyperbolic", "Hyperbolic", KeyGroup::Hyperbolic, 2, this));
    functions->addWidget(keyFrame("fraMisc", "Misc", KeyGroup::Misc, 2, this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtEquation);
    layout->addWidget(lblResult);
    layout->addLayout(top);
    layout->addLayout(functions);
    layout->addWidget(lstResults);
}

void FrmEvaluator::InsertAtCaret(const QString& s)
{
    const int p = txtEquation->selectionStart() >= 0 ? txtEquation->selectionStart() : txtEquation->cursorPosition();
    QString text = txtEquation->text();
    text.insert(p, s);
    txtEquation->setText(text);
    txtEquation->setFocus();
    txtEquation->setCursorPosition(p + static_cast<int>(s.size()));
}

bool FrmEvaluator::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lstResults && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        if (const QListWidgetItem* item = lstResults->currentItem())
            QGuiApplication::clipboard()->setText(item->text().trimmed());
        return true;
    }
    if (watched == txtEquation && event->type() == QEvent::KeyPress) {
        const auto k = static_cast<QKeyEvent*>(event)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            txtEquation->setFocus();
            cmdExecute_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmEvaluator::cmdExecute_Click()
{
    EquationText = txtEquation->text().trimmed().toStdString();
    const engine::FunctionValue v = engine::evaluateAt(m_engine, m_shared, EquationText, m_currentX());
    if (v.error) {
        ierr = engine::trappedError(v.error, m_shared);
        return;
    }
    lblResult->setText(QString::fromStdString(common::numberText(v.value == 0 ? 0.0 : v.value)));
    lstResults->insertItem(0, QString::fromStdString(resultRow(lblResult->text().toStdString())));
    lstResults->insertItem(0, QString::fromStdString(EquationText));
    txtEquation->setFocus();
}

void FrmEvaluator::Engine_Error(const engine::ScriptError& error)
{
    ierr = error.number;
    if (silentError(error.number))
        return;
    m_reportError(QStringLiteral("Error in Script Control"), QString::fromStdString(engine::errorMessage(error)));
}

void FrmEvaluator::cmdClearEntry_Click()
{
    txtEquation->clear();
    txtEquation->setFocus();
}

void FrmEvaluator::cmdClearAll_Click()
{
    txtEquation->clear();
    lstResults->clear();
    lblResult->clear();
    txtEquation->setFocus();
}

void FrmEvaluator::memoryStep(int sign)
{
    if (const auto next = memoryAfter(m_state.memory, lblResult->text().toStdString(), sign)) {
        m_state.memory = *next;
        lblMemory->setText(QString::fromStdString(common::numberText(m_state.memory)));
    }
    txtEquation->setFocus();
}

void FrmEvaluator::cmdMemPlus_Click() { memoryStep(1); }
void FrmEvaluator::cmdMemMinus_Click() { memoryStep(-1); }

void FrmEvaluator::cmdMemRecall_Click()
{
    txtEquation->setText(txtEquation->text() + QString::fromStdString(common::shortNumberText(m_state.memory)));
    txtEquation->setFocus();
}

void FrmEvaluator::cmdMemClear_Click()
{
    m_state.memory = 0;
    lblMemory->setText(QStringLiteral("0"));
    txtEquation->setFocus();
}

void FrmEvaluator::cmdChangeSign_Click()
{
    const auto negated = negatedResult(lblResult->text().toStdString());
    if (!negated)
        return;  // no number to negate
    lblResult->setText(QString::fromStdString(*negated));
    lstResults->insertItem(0, QString::fromStdString(resultRow(*negated)));
}

void FrmEvaluator::lstResults_Click(QListWidgetItem* item)
{
    if (!item)
        return;
    txtEquation->setText(item->text().trimmed());
    txtEquation->setFocus();
    txtEquation->setCursorPosition(static_cast<int>(txtEquation->text().size()));
}

void FrmEvaluator::closeEvent(QCloseEvent* event)
{
    m_state.geometry = geometry();
    QWidget::closeEvent(event);
}

}  // namespace tessaly::evaluator
