#include "fields/fieldrules.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>
#include <QTimer>

#include "common/leadingnumber.h"
#include "common/rounding.h"
#include "docs/valuerules.h"
#include "fields/decimalpointfilter.h"

namespace tessaly::fields {
namespace {

std::string text(const QLineEdit* f) { return f->text().toStdString(); }
double value(const QString& t) { return common::readLeadingNumber(t.toStdString()).value_or(0); }

}  // namespace

FieldRules::FieldRules(const RuleFields& fields, RuleHooks hooks, QObject* parent)
    : QObject(parent), m_f(fields), m_hooks(std::move(hooks))
{
    auto* points = new DecimalPointFilter(this);
    for (QLineEdit* f : {m_f.txtXlower, m_f.txtXupper, m_f.txtError, m_f.txtWindowlx, m_f.txtWindowgx,
                         m_f.txtWindowly, m_f.txtWindowgy, m_f.txtXorigin, m_f.txtYorigin, m_f.txtDivx, m_f.txtDivy,
                         m_f.txtXeval, m_f.txtEquation})
        points->attach(f);
    // An editable combo box hands the keys it gets straight to its line edit.
    points->attach(m_f.cboConstants);
    for (QLineEdit* f : {m_f.txtEquation, m_f.txtXlower, m_f.txtXupper, m_f.txtSubintervals, m_f.txtMaxcy,
                         m_f.txtError, m_f.txtWindowlx, m_f.txtWindowgx, m_f.txtWindowly, m_f.txtWindowgy,
                         m_f.txtXorigin, m_f.txtYorigin, m_f.txtDivx, m_f.txtDivy, m_f.txtPlotStep, m_f.txtXeval,
                         m_f.txtDerNum})
        m_ruleFields.insert(f);
    m_ruleFields.insert(m_f.cboDerivative);
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

bool FieldRules::validate(QWidget* field)
{
    docs::Validation v;
    if (field == m_f.txtEquation)
        v = docs::validateEquation(text(m_f.txtEquation));
    else if (field == m_f.txtError)
        v = docs::validateErrorBound(text(m_f.txtError));
    else if (field == m_f.txtDivx || field == m_f.txtDivy)
        v = docs::validateDivision(text(static_cast<QLineEdit*>(field)));
    else if (field == m_f.txtPlotStep)
        v = docs::validatePlotStep(text(m_f.txtPlotStep));
    else if (field == m_f.txtSubintervals)
        v = docs::validateSubintervals(text(m_f.txtSubintervals));
    else if (field == m_f.txtMaxcy)
        v = docs::validateMaxIterations(text(m_f.txtMaxcy), text(m_f.txtSubintervals));
    else
        return true;  // no rule
    if (!v.accepted)
        return false;
    auto* line = static_cast<QLineEdit*>(field);
    const QString corrected = QString::fromStdString(v.text);
    if (line->text() != corrected)
        line->setText(corrected);
    return true;
}

bool FieldRules::validateFocused()
{
    return !m_focused || validate(m_focused);
}

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
    if (field == m_f.txtError)
        m_errorAtFocus = value(m_f.txtError->text());
    if (field == m_f.cboDerivative) {
        const auto order = common::toInt32HalfEven(value(m_f.cboDerivative->currentText()));
        m_hooks.plotDerivativeOrder() = order.value_or(0);
    }
}

void FieldRules::lostFocus(QWidget* field)
{
    if (field == m_f.txtError) {
        const double bound = value(m_f.txtError->text());
        m_hooks.setErrorBound(bound);
        if (bound < m_errorAtFocus)
            m_hooks.markStudyStale();
    } else if (field == m_f.cboDerivative) {
        const auto order = common::toInt32HalfEven(value(m_f.cboDerivative->currentText()));
        if (order.value_or(0) != m_hooks.plotDerivativeOrder())
            m_hooks.markPlotStale();
    } else if (field == m_f.txtSubintervals) {
        const auto left = docs::leaveSubintervals(text(m_f.txtSubintervals), text(m_f.txtMaxcy));
        m_f.txtSubintervals->setText(QString::fromStdString(left.subintervals));
        if (left.maxIterations)
            m_f.txtMaxcy->setText(QString::fromStdString(*left.maxIterations));
    }
    // An interval pair out of order sends the focus to the other field (queued:
    // the focus is moving already).
    const std::pair<QLineEdit*, QLineEdit*> pairs[] = {
        {m_f.txtXlower, m_f.txtXupper}, {m_f.txtWindowlx, m_f.txtWindowgx}, {m_f.txtWindowly, m_f.txtWindowgy}};
    for (const auto& [lower, upper] : pairs) {
        if (field != lower && field != upper)
            continue;
        if (!docs::pairInOrder(text(lower), text(upper))) {
            QLineEdit* other = field == lower ? upper : lower;
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
