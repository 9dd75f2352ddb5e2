#include "app/startup.h"

#include <QApplication>
#include <QPushButton>
#include <QUrl>
#include <QWidget>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/decimalguard.h"
#include "app/dialogs.h"
#include "app/frmfunctions.h"
#include "app/prompter.h"
#include "app/signalcloser.h"
#include "docs/filename.h"
#include "docs/settingsfile.h"
#include "docs/statefile.h"
#include "plot/fonts.h"

namespace tessaly::app {

QString studyPathOf(const QStringList& arguments)
{
    QString path = arguments.join(QLatin1Char(' '));
    if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
        path = path.mid(1, path.size() - 2);
    // Only file://... is a URL; "file:name" is a file of that name.
    if (path.startsWith(QLatin1String("file://"), Qt::CaseInsensitive))
        path = docs::localFileOfUrl(docs::encodeFileName(path));
    return path;
}

StartArguments startArguments(const QList<QByteArray>& given, const QList<QByteArray>& leftByQt)
{
    StartArguments out;
    const qsizetype end = given.indexOf(QByteArrayLiteral("--"));
    QStringList names;
    if (end >= 0) {
        for (const QByteArray& a : given.mid(end + 1))
            names << docs::decodeFileName(a);
    } else {
        for (const QByteArray& a : leftByQt)
            names << docs::decodeFileName(a);
    }
    // What Qt took: the arguments before "--" that it did not leave, in order.
    qsizetype k = 0;
    for (const QByteArray& a : given.mid(0, end >= 0 ? end : given.size())) {
        if (k < leftByQt.size() && leftByQt[k] == a)
            ++k;
        else
            out.takenByQt << docs::displayFileName(docs::decodeFileName(a));
    }
    out.study = studyPathOf(names);
    return out;
}

std::optional<std::string> startInformation(const QList<QByteArray>& given)
{
    for (const QByteArray& a : given) {
        if (a == "--")
            break;
        if (a == "--version" || a == "-V")
            return std::string("tessaly " TESSALY_VERSION "\n");
        if (a == "--help" || a == "-h")
            return std::string(
                "usage: tessaly [QT OPTION]... [STUDY]\n"
                "       tessaly [QT OPTION]... -- STUDY\n"
                "\n"
                "Opens Tessaly's main window, a study tool for one real function f(x). STUDY, a\n"
                "study file or a file:// URL, is opened in it; without one, the last study is read\n"
                "from the settings file.\n"
                "\n"
                "  -h, --help     this help\n"
                "  -V, --version  the version\n"
                "  --             what follows names the study, even when it starts with \"-\"\n"
                "\n"
                "Qt takes its own options (-style NAME, -reverse, ...) for the window system.\n"
                "The same computations without a window: tessaly-cli --help.\n");
    }
    return std::nullopt;
}

int runProgram(int argc, char** argv, const ProgramSeams& seams)
{
    // The arguments as the system's bytes. Qt sees only those before "--" and
    // removes the options it takes from them; what it leaves names the study.
    QList<QByteArray> given;
    for (int i = 1; i < argc; ++i)
        given << QByteArray(argv[i]);
    // --help and --version answer before anything else exists.
    if (const auto information = startInformation(given)) {
        std::fputs(information->c_str(), stdout);
        if (std::fflush(stdout) == 0)
            return 0;
        std::fprintf(stderr, "error: cannot write to standard output: %s\n", std::strerror(errno));
        return 1;
    }
    const qsizetype end = given.indexOf(QByteArrayLiteral("--"));
    int qtArgc = end >= 0 ? static_cast<int>(end) + 1 : argc;
    std::unique_ptr<QApplication> ownApplication;
    if (!QCoreApplication::instance())
        ownApplication = std::make_unique<QApplication>(qtArgc, argv);
    QList<QByteArray> leftByQt;
    for (int i = 1; i < qtArgc; ++i)
        leftByQt << QByteArray(argv[i]);
    const StartArguments arguments =
        startArguments(given, ownApplication ? leftByQt : given.mid(0, end >= 0 ? end : given.size()));
    QApplication::setApplicationName(QStringLiteral("tessaly"));  // names the settings folder
    plot::substituteFonts();

    MessageBoxPrompter messageBoxes;
    QtDialogs fileDialogs;
    Prompter& prompter = seams.prompter ? *seams.prompter : messageBoxes;
    Dialogs& dialogs = seams.dialogs ? *seams.dialogs : fileDialogs;

    // Terminating signals are taken from here on. Until the window holds a
    // study they end start-up and nothing is written (the old settings file is
    // kept); from then on they close the window, whose exit steps write the
    // settings. A message box or dialog up at the moment is closed first.
    FrmFunctions* loaded = nullptr;
    bool ending = false;
    SignalCloser closer(nullptr, [&] {
        ending = true;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isModal() && w->isVisible())
                w->close();
        if (loaded && loaded->holdsStudy())
            loaded->closeBySignal();
    });

    // 1. The decimal-separator guard, after the application has set the locale
    // up and before any window exists: No or Cancel ends the program here.
    // "Don't ask again" is kept in the state file beside the settings file.
    DecimalGuard guard;
    docs::StateFile state;
    state.load(docs::StateFile::besideSettings(docs::settingsFilePath()));
    bool askAgain = !state.flag(kDecimalPointAlways);
    if (!guard.CheckDecimalSeparator(seams.decimalSeparator.value_or(userDecimalSeparator()), prompter, askAgain)
        || ending)
        return 0;
    if (!askAgain && !state.flag(kDecimalPointAlways)) {
        state.set(kDecimalPointAlways, "1");
        QString reason;
        if (!state.save(&reason))
            prompter.message(QStringLiteral("Could not keep the choice not to ask again: %1").arg(reason));
    }

    // 2. The main window object, not yet loaded; it puts the separator back at exit.
    FrmFunctions window(prompter, dialogs);
    loaded = &window;
    messageBoxes.setParent(&window);
    window.setDecimalGuard(&guard);
    // 3. Load: a study named on the command line is opened; when there is none,
    // or it cannot be opened, the settings file is read. 4. Show. 5. Press Plot
    // so the first graph is drawn.
    if (!arguments.takenByQt.isEmpty())
        prompter.message(QStringLiteral("%1 was taken as an option of the window system, not as a study. To open a "
                                        "study of that name, put -- before it: tessaly -- NAME")
                             .arg(arguments.takenByQt.join(QLatin1Char(' '))));
    const QString& study = arguments.study;
    window.Form_Load([&] { return !study.isEmpty() && window.OpenStudy(study); });
    if (ending)
        return 0;
    window.show();
    window.ui().cmdPlot->click();
    if (ending)
        return 0;
    return QApplication::exec();
}

}  // namespace tessaly::app
