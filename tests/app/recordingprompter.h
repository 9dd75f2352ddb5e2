#pragma once

#include <QStringList>

#include "app/prompter.h"

namespace tessaly::app::testing {

// Answers every message box at once and remembers what it was asked.
class RecordingPrompter final : public Prompter {
public:
    struct Asked {
        QString caption;
        QString text;
        Icon icon;
        Buttons buttons;
    };
    QList<Asked> asked;
    Answer answer = Answer::Ok;
    // The questions with a check box, and how the check box is left.
    QList<CheckedQuestion> checkedAsked;
    bool check = false;

    Answer ask(const QString& caption, const QString& text, Icon icon, Buttons buttons) override
    {
        asked.append({caption, text, icon, buttons});
        return answer;
    }

    Answer askWithCheckBox(const CheckedQuestion& q, bool& checked) override
    {
        checkedAsked.append(q);
        checked = check;
        return answer;
    }

    QStringList texts() const
    {
        QStringList t;
        for (const auto& a : asked)
            t << a.text;
        return t;
    }
};

}  // namespace tessaly::app::testing
