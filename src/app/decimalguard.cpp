#include "app/decimalguard.h"

#include <clocale>

#include "app/prompter.h"

namespace tessaly::app {

QString userDecimalSeparator() { return QLocale::system().decimalPoint(); }

bool DecimalGuard::CheckDecimalSeparator(const QString& separator, Prompter& prompter, bool& askAgain)
{
    if (separator == QLatin1String("."))
        return true;
    if (askAgain) {
        Prompter::CheckedQuestion q;
        q.caption = kDecimalCaption;
        q.text = kDecimalQuestion;
        q.detail = kDecimalDetail;
        q.checkBox = kDecimalDontAsk;
        bool dontAsk = false;
        if (prompter.askWithCheckBox(q, dontAsk) != Prompter::Answer::Yes)
            return false;  // the program ends: "Don't ask again" cannot mean "always end"
        askAgain = !dontAsk;
    }
    if (const char* numeric = std::setlocale(LC_NUMERIC, nullptr))
        m_savedNumeric = numeric;
    m_savedDefault = QLocale();
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    m_changed = true;
    return true;
}

void DecimalGuard::RestoreDecimalSeparator()
{
    if (!m_changed)
        return;
    std::setlocale(LC_NUMERIC, m_savedNumeric.c_str());
    QLocale::setDefault(m_savedDefault);
    m_changed = false;
}

}  // namespace tessaly::app
