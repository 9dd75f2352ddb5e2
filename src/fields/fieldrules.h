#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>

#include <array>
#include <cstdint>
#include <functional>

#include "record/studyrecord.h"

class QComboBox;
class QLineEdit;
class QWidget;

namespace tessaly::fields {

// The main window's fields that carry rules.
struct RuleFields {
    QWidget* window = nullptr;
    QWidget* menuBar = nullptr;
    QLineEdit* txtEquation = nullptr;
    std::array<QLineEdit*, record::kNumberItemCount> number{};  // by record::Item
    QLineEdit* txtXeval = nullptr;
    QLineEdit* txtDerNum = nullptr;
    QComboBox* cboDerivative = nullptr;
    QComboBox* cboConstants = nullptr;
};

// What the rules change outside the fields.
struct RuleHooks {
    std::function<void()> markStudyStale;
    std::function<void()> markPlotStale;
    std::function<void(double)> setErrorBound;           // the study's working error bound
    std::function<std::int32_t&()> plotDerivativeOrder;  // the plotted order's working value
};

// Attaches the editing rules to the main window's fields: the whole text
// selected on getting the focus, a typed comma made a point, the Validate rules
// that refuse a value and keep the focus or correct the text, and the rules run
// when a field loses the focus. Validate runs whenever the focus is about to
// leave a field inside the window: Tab, a click on another control, a mnemonic,
// Enter (through validateFocused); while a field refuses, those are swallowed.
// Menus and the window's close still work.
class FieldRules : public QObject {
    Q_OBJECT
public:
    FieldRules(const RuleFields& fields, RuleHooks hooks, QObject* parent = nullptr);
    ~FieldRules() override;

    // Runs the Validate rule of the field that has the focus, if it has one;
    // false when it refuses (the focus must stay).
    bool validateFocused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool validate(QWidget* field);
    void gotFocus(QWidget* field, bool selectAll);
    void lostFocus(QWidget* field);
    QWidget* ruleFieldOf(QObject* o) const;
    QLineEdit* field(record::Item i) const { return m_f.number[static_cast<std::size_t>(i)]; }
    bool insideWindow(QObject* o) const;
    bool blocksFocusChange(QObject* watched, QEvent* event) const;
    // Whether a control is neither the focused field (or part of it) nor the menu bar.
    bool outsideField(QWidget* w) const;

    RuleFields m_f;
    RuleHooks m_hooks;
    QSet<QWidget*> m_ruleFields;
    QPointer<QWidget> m_focused;  // the rule field that has the focus
    double m_errorAtFocus = 0;
};

}  // namespace tessaly::fields
