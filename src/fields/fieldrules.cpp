#include "fields/fieldrules.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

#include "common/leadingnumber.h"
#include "common/rounding.h"
#include "fields/decimalpointfilter.h"
#include "record/valuerules.h"

namespace tessaly::fields {
namespace {

std::string text(const QLineEdit* f) { return f->text().toStdString(); }
double value(const QString& t) { return common::readLeadingNumber(t.toStdString()).value_or(0); }

}  // namespace

FieldRules::FieldRules(const RuleFields& fields, RuleHooks hooks, QObject* parent)
    : QObject(parent), m_f(fields), m_hooks(std::move(hooks))
{
    // A typed comma becomes a point in the function, the evaluation point, and
    // every number field but the whole-number ones (there it stays a comma and
    // the value stops before it).
    auto* points = new DecimalPointFilter(this);
    points->attach(m_f.txtEquation);
    points->attach(m_f.txtXeval);
    for (int i = 0; i < record::kNumberItemCount; ++i)
        if (record::kNumberItems[i].type != record::ItemType::Whole)
            points->attach(m_f.number[static_cast<std::size_t>(i)]);
    // An editable combo box hands the keys it gets straight to its line edit.
    points->attach(m_f.cboConstants);
    for (QWidget* f : {static_cast<QWidget*>(m_f.txtEquation), static_cast<QWidget*>(m_f.txtXeval),
                       static_cast<QWidget*>(m_f.txtDerNum), static_cast<QWidget*>(m_f.cboDerivative)})
        m_ruleFields.insert(f);
    for (QLineEdit* f : m_f.number)
        m_ruleFields.insert(f);
    qApp->installEventFilter(this);
}

FieldRules::~FieldRules()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

QWidget* FieldRules::ruleFieldOf(QObject* o) const
{
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || !m_focused)
        return nullptr;
    return (w == m_focused || m_focused->isAncestorOf(w)) ? m_focused.data() : nullptr;
}

bool FieldRules::insideWindow(QObject* o) const
{
    auto* w = qobject_cast<QWidget*>(o);
    return w && w->window() == m_f.window;
}

bool FieldRules::validate(QWidget* f)
{
    using namespace record;
    auto typed = [this](Item i) { return text(field(i)); };
    record::Validation v;
    if (f == m_f.txtEquation)
        v = validateEquation(text(m_f.txtEquation));
    else if (f == field(ErrorBound))
        v = validateErrorBound(typed(ErrorBound));
    else if (f == field(DivisionX) || f == field(DivisionY))
        v = validateDivision(text(static_cast<QLineEdit*>(f)));
    else if (f == field(PlotStep))
        v = validatePlotStep(typed(PlotStep));
    else if (f == field(Subintervals))
        v = validateSubintervals(typed(Subintervals));
    else if (f == field(MaxIterations))
        v = validateMaxIterations(typed(MaxIterations), typed(Subintervals));
    else
        return true;  // no rule
    if (!v.accepted)
        return false;
    auto* line = static_cast<QLineEdit*>(f);
    const QString corrected = QString::fromStdString(v.text);
    if (line->text() != corrected)
        line->setText(corrected);
    return true;
}

bool FieldRules::validateFocused() { return !m_focused || validate(m_focused); }

void FieldRules::gotFocus(QWidget* field, bool selectAll)
{
    m_focused = field;
    if (auto* line = qobject_cast<QLineEdit*>(field); line && selectAll) {
        // Deferred, so the mouse press that gave the focus does not undo it.
        QTimer::singleShot(0, line, [line] {
            if (line->hasFocus())
                line->selectAll();
        });
    }
    if (field == this->field(record::ErrorBound))
        m_errorAtFocus = value(this->field(record::ErrorBound)->text());
    if (field == m_f.cboDerivative) {
        const auto order = common::toInt32HalfEven(value(m_f.cboDerivative->currentText()));
        m_hooks.plotDerivativeOrder() = order.value_or(0);
    }
}

void FieldRules::lostFocus(QWidget* f)
{
    using namespace record;
    if (f == field(ErrorBound)) {
        const double bound = value(field(ErrorBound)->text());
        m_hooks.setErrorBound(bound);
        if (bound < m_errorAtFocus)
            m_hooks.markStudyStale();
    } else if (f == m_f.cboDerivative) {
        const auto order = common::toInt32HalfEven(value(m_f.cboDerivative->currentText()));
        if (order.value_or(0) != m_hooks.plotDerivativeOrder())
            m_hooks.markPlotStale();
    } else if (f == field(Subintervals)) {
        const auto left = leaveSubintervals(text(field(Subintervals)), text(field(MaxIterations)));
        field(Subintervals)->setText(QString::fromStdString(left.subintervals));
        if (left.maxIterations)
            field(MaxIterations)->setText(QString::fromStdString(*left.maxIterations));
    }
    // An interval pair out of order sends the focus to the other field (queued:
    // the focus is moving already).
    for (const auto& [lower, upper] :
         {std::pair{Lower, Upper}, std::pair{WindowLx, WindowGx}, std::pair{WindowLy, WindowGy}}) {
        if (f != field(lower) && f != field(upper))
            continue;
        if (!pairInOrder(text(field(lower)), text(field(upper)))) {
            QLineEdit* other = f == field(lower) ? field(upper) : field(lower);
            QTimer::singleShot(0, other, [other] { other->setFocus(Qt::OtherFocusReason); });
        }
    }
}

bool FieldRules::outsideField(QWidget* w) const
{
    if (!w || ruleFieldOf(w))
        return false;
    return !(m_f.menuBar && (w == m_f.menuBar || m_f.menuBar->isAncestorOf(w)));
}

bool FieldRules::blocksFocusChange(QObject* watched, QEvent* event) const
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto key = static_cast<QKeyEvent*>(event)->key();
        return (key == Qt::Key_Tab || key == Qt::Key_Backtab) && ruleFieldOf(watched);
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // A click reaches the window first, which gives the focus to the clicked
        // control before the control sees the click: judge it there, by where it falls.
        if (watched != m_f.window->windowHandle())
            return false;
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        QWidget* target = m_f.window->childAt(at);
        return outsideField(target ? target : m_f.window);
    }
    case QEvent::Shortcut: return insideWindow(watched) && outsideField(static_cast<QWidget*>(watched));
    default: return false;
    }
}

bool FieldRules::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        auto* field = qobject_cast<QWidget*>(watched);
        if (!m_ruleFields.contains(field))
            return false;
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // The window losing or getting the activation, or a popup opening or
        // closing, does not move the focus between its controls: a field that
        // keeps the focus stays the current one. But a field can first get the
        // focus that way (the click that activates the window lands in the field
        // that already had it), and it then becomes the current one like any other.
        const bool windowFocus = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        if (type == QEvent::FocusIn) {
            if (field == m_focused)
                return false;
            if (m_focused) {
                QWidget* left = m_focused;
                m_focused = nullptr;
                lostFocus(left);
            }
            gotFocus(field, /*selectAll=*/!windowFocus);
        } else if (windowFocus) {
            return false;
        } else if (field == m_focused) {
            m_focused = nullptr;
            lostFocus(field);
        }
        return false;
    }
    if (m_focused && blocksFocusChange(watched, event) && !validate(m_focused))
        return true;  // refused: the focus stays in the field
    return false;
}

}  // namespace tessaly::fields
