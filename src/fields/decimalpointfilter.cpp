#include "fields/decimalpointfilter.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace tessaly::fields {

void DecimalPointFilter::attach(QLineEdit* field) { field->installEventFilter(this); }
void DecimalPointFilter::attach(QComboBox* box) { box->installEventFilter(this); }

bool DecimalPointFilter::eventFilter(QObject* watched, QEvent* event)
{
    QLineEdit* field = qobject_cast<QLineEdit*>(watched);
    if (auto* box = qobject_cast<QComboBox*>(watched))
        field = box->lineEdit();
    if (!field || field->isReadOnly())
        return false;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->text() == QStringLiteral(",") && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            field->insert(QStringLiteral("."));
            return true;
        }
    } else if (event->type() == QEvent::InputMethod) {
        const auto* im = static_cast<QInputMethodEvent*>(event);
        if (im->commitString().contains(QLatin1Char(','))) {
            QInputMethodEvent replaced(im->preeditString(), im->attributes());
            QString commit = im->commitString();
            commit.replace(QLatin1Char(','), QLatin1Char('.'));
            replaced.setCommitString(commit, im->replacementStart(), im->replacementLength());
            QCoreApplication::sendEvent(field, &replaced);
            return true;
        }
    }
    return false;
}

}  // namespace tessaly::fields
