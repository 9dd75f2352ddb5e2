#include "app/startup.h"

#include <QApplication>
#include <QPushButton>

#include "app/frmfunctions.h"
#include "app/prompter.h"
#include "app/signalcloser.h"
#include "engine/class1.h"
#include "plot/fonts.h"

namespace tessaly::app {

int runProgram(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaly"));  // names the settings folder
    plot::substituteFonts();

    engine::Class1 shared;  // the extension object of both windows' engines
    MessageBoxPrompter prompter;

    // 1. The main window object, not yet loaded.
    FrmFunctions window(shared, prompter);
    prompter.setParent(&window);
    // 2. The decimal-separator guard runs here, before anything is loaded.
    // 3. Load (a study named on the command line is opened here once the program
    // reads study files; until then the settings file is read), 4. show, 5. press
    // Plot so the first graph is drawn.
    window.Form_Load();
    window.show();
    window.ui().cmdPlot->click();

    SignalCloser closer(&window, [&window] { window.closeBySignal(); });
    return QApplication::exec();
}

}  // namespace tessaly::app
