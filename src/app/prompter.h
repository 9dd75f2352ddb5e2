#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace tessaly::app {

// The program's title: the caption of its message boxes.
inline const QString kProgramTitle = QStringLiteral("Tessaly");

// Shows the program's message boxes. Windows ask through this interface, so
// tests can answer instead of a user.
class Prompter {
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Buttons { Ok, YesNoCancel, SaveDiscardCancel };
    enum class Answer { Ok, Yes, No, Cancel, Save, Discard };

    virtual ~Prompter() = default;
    virtual Answer ask(const QString& caption, const QString& text, Icon icon, Buttons buttons) = 0;

    // A question with a line of detail under its text and a check box (such as
    // "Don't ask again"), which starts unchecked; checked tells how it was left.
    struct CheckedQuestion {
        QString caption;
        QString text;
        QString detail;
        QString checkBox;
        Icon icon = Icon::Question;
        Buttons buttons = Buttons::YesNoCancel;
    };
    virtual Answer askWithCheckBox(const CheckedQuestion& q, bool& checked) = 0;

    // A message with an OK button and the program's title.
    void message(const QString& text) { ask(kProgramTitle, text, Icon::None, Buttons::Ok); }
};

// The real message boxes, modal to the given window.
class MessageBoxPrompter final : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    Answer ask(const QString& caption, const QString& text, Icon icon, Buttons buttons) override;
    Answer askWithCheckBox(const CheckedQuestion& q, bool& checked) override;

private:
    // Shows the box with the normal pointer over it (a message can come in the
    // middle of a command) and gives the answer.
    static Answer run(QMessageBox& box);

    QWidget* m_parent;
};

}  // namespace tessaly::app
