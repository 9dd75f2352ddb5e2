#include "app/prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QMessageBox>

namespace tessaly::app {
namespace {

QMessageBox::Icon boxIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::None: break;
    case Prompter::Icon::Information: return QMessageBox::Information;
    case Prompter::Icon::Warning: return QMessageBox::Warning;
    case Prompter::Icon::Critical: return QMessageBox::Critical;
    case Prompter::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(Prompter::Buttons buttons)
{
    switch (buttons) {
    case Prompter::Buttons::Ok: break;
    case Prompter::Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompter::Buttons::SaveDiscardCancel: return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

}  // namespace

Prompter::Answer MessageBoxPrompter::run(QMessageBox& box)
{
    QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    const int answer = box.exec();
    QApplication::restoreOverrideCursor();
    switch (answer) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Save: return Answer::Save;
    case QMessageBox::Discard: return Answer::Discard;
    default: return Answer::Ok;
    }
}

Prompter::Answer MessageBoxPrompter::ask(const QString& caption, const QString& text, Icon icon, Buttons buttons)
{
    QMessageBox box(boxIcon(icon), caption, text, boxButtons(buttons), m_parent);
    return run(box);
}

Prompter::Answer MessageBoxPrompter::askWithCheckBox(const CheckedQuestion& q, bool& checked)
{
    QMessageBox box(boxIcon(q.icon), q.caption, q.text, boxButtons(q.buttons), m_parent);
    box.setInformativeText(q.detail);
    auto* check = new QCheckBox(q.checkBox, &box);
    box.setCheckBox(check);
    const Answer answer = run(box);
    checked = check->isChecked();
    return answer;
}

}  // namespace tessaly::app
