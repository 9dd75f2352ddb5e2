#include "app/startup.h"

#include <QApplication>
#include <QPushButton>
#include <QUrl>
#include <QWidget>

#include <memory>

#include "app/decimalguard.h"
#include "app/dialogs.h"
#include "app/frmfunctions.h"
#include "app/prompter.h"
#include "app/signalcloser.h"
#include "engine/class1.h"
#include "plot/fonts.h"

namespace tessaly::app {

QString studyPathOf(const QStringList& arguments)
{
    QString path = arguments.join(QLatin1Char(' '));
    if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
        path = path.mid(1, path.size() - 2);
    if (path.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(path);
        path = url.isLocalFile() ? url.toLocalFile() : QString();
    }
    return path;
}

int runProgram(int argc, char** argv, const ProgramSeams& seams)
{
    std::unique_ptr<QApplication> ownApplication;
    if (!QCoreApplication::instance())
        ownApplication = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaly"));  // names the settings folder
    plot::substituteFonts();

    engine::Class1 shared;  // the extension object of both windows' engines
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
    DecimalGuard guard;
    if (!guard.CheckDecimalSeparator(seams.decimalSeparator.value_or(userDecimalSeparator()), prompter) || ending)
        return 0;

    // 2. The main window object, not yet loaded; it puts the separator back at exit.
    FrmFunctions window(shared, prompter, dialogs);
    loaded = &window;
    messageBoxes.setParent(&window);
    window.setDecimalGuard(&guard);
    // 3. Load: a study named on the command line is opened; when there is none,
    // or it cannot be opened, the settings file is read. 4. Show. 5. Press Plot
    // so the first graph is drawn.
    const QString study = studyPathOf(QApplication::arguments().mid(1));
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
