#include "app/decimalguard.h"

#include <clocale>

#include "app/prompter.h"

namespace tessaly::app {

QString userDecimalSeparator() { return QLocale::system().decimalPoint(); }

bool DecimalGuard::CheckDecimalSeparator(const QString& separator, Prompter& prompter)
{
    if (separator == QLatin1String("."))
        return true;
    const auto answer =
        prompter.ask(kDecimalCaption, kDecimalQuestion, Prompter::Icon::Critical, Prompter::Buttons::YesNoCancel);
    if (answer != Prompter::Answer::Yes)
        return false;
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
