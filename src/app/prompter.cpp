#include "app/prompter.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>

namespace tessaly::app {

Prompter::Answer MessageBoxPrompter::ask(const QString& caption, const QString& text, Icon icon, Buttons buttons)
{
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    switch (icon) {
    case Icon::None: break;
    case Icon::Information: boxIcon = QMessageBox::Information; break;
    case Icon::Warning: boxIcon = QMessageBox::Warning; break;
    case Icon::Critical: boxIcon = QMessageBox::Critical; break;
    case Icon::Question: boxIcon = QMessageBox::Question; break;
    }
    const auto standard =
        buttons == Buttons::Ok ? QMessageBox::Ok : (QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QMessageBox box(boxIcon, caption, text, standard, m_parent);
    // A message can come in the middle of a command: show the normal pointer over it.
    QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    const int answer = box.exec();
    QApplication::restoreOverrideCursor();
    switch (answer) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return Answer::Ok;
    }
}

}  // namespace tessaly::app
