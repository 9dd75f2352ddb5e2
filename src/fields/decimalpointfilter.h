#pragma once

#include <QObject>

class QComboBox;
class QLineEdit;

namespace tessaly::fields {

// Makes a comma typed into a field arrive as a point: from the keyboard, from a
// keypad's decimal key that gives a comma, and inside an input method's commit
// string. Pasted text stays as it is.
class DecimalPointFilter : public QObject {
    Q_OBJECT
public:
    explicit DecimalPointFilter(QObject* parent = nullptr) : QObject(parent) {}
    void attach(QLineEdit* field);
    // An editable combo box: its keys go to its line edit without passing that
    // edit's filters, so the box itself is watched.
    void attach(QComboBox* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tessaly::fields
