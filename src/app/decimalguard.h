#pragma once

#include <QLocale>
#include <QString>

#include <string>

namespace tessaly::app {

class Prompter;

// The user's decimal separator, as the locale settings give it (LC_ALL,
// LC_NUMERIC, LANG).
QString userDecimalSeparator();

// The question asked when the separator is not a point.
inline const QString kDecimalCaption = QStringLiteral("Decimal Comma Warning!");
inline const QString kDecimalQuestion = QStringLiteral(
    "Proper operation of this application requires the use of the DECIMAL POINT.\n"
    "Your system is currently using the DECIMAL COMMA.\n\n"
    "Do you wish to temporarily change this system setting to decimal point?\n"
    "(Upon exiting, this application will restore your setting.)\n"
    "(See HELP FILE for instructions on how to change MANUALLY)\n\n"
    "Press YES to change.");
// Under the question: what the change touches, and the choice to stop asking.
inline const QString kDecimalDetail =
    QStringLiteral("The change is for Tessaly only, while it runs: your desktop's setting is not changed.");
inline const QString kDecimalDontAsk = QStringLiteral("Don't ask again");
// The state file's key that holds that choice.
inline constexpr const char* kDecimalPointAlways = "decimalPointAlways";

// Makes "." the decimal separator of this process for the run when the user's
// is another, if the user agrees; puts the process's settings back at exit. The
// desktop's own setting is never written.
class DecimalGuard {
public:
    // Asks when the separator is not "."; Yes switches this process to "." (the C
    // library's numbers and Qt's default locale). Returns false when the user
    // answers No or Cancel: the program must end. With askAgain false (the user
    // chose "Don't ask again" at an earlier start) it switches without asking;
    // a Yes with that box checked sets askAgain to false.
    bool CheckDecimalSeparator(const QString& separator, Prompter& prompter, bool& askAgain);

    // Puts back what CheckDecimalSeparator changed; nothing when it changed nothing.
    void RestoreDecimalSeparator();

private:
    bool m_changed = false;
    std::string m_savedNumeric;
    QLocale m_savedDefault;
};

}  // namespace tessaly::app
