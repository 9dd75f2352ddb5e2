#include "cli/cli.h"

#include <cerrno>
#include <cstring>
#include <span>
#include <string_view>

#include "cli/documentcommands.h"
#include "cli/evalcommand.h"
#include "cli/plotcommand.h"
#include "cli/studycommands.h"
#include "cli/windowcommand.h"

namespace tessaly::cli {

std::string usageText()
{
    return "usage: tessaly-cli eval [--x X] [--statement \"a=2.37\"]... [--] EXPR\n"
           "       tessaly-cli roots|extrema|integral [study options]\n"
           "       tessaly-cli value [--x X] [--order K] [study options]\n"
           "       tessaly-cli plot [study options] [plot options] -o FILE.png|FILE.bmp|FILE.svg|FILE.pdf\n"
           "       tessaly-cli window --command NAME [plot options]\n"
           "       tessaly-cli save [study options] [plot options] -o FILE.txt\n"
           "       tessaly-cli report [study options] [plot options] -o FILE.pdf\n"
           "\n"
           "  eval   evaluates EXPR as the main window evaluates its function: x is X (default 0),\n"
           "         each --statement runs first, in order, like a user constant.\n"
           "  roots, extrema, integral\n"
           "         the window's command: the rows of its list, then its label.\n"
           "  value  the Value= command: f or its derivative of order K (default 0) at X (default 0).\n"
           "  plot   draws the graph as the Plot button does and writes the picture: an image, or a\n"
           "         drawing in vectors (SVG, PDF), --size WxH pixels (default 400x300, from 16x12 to\n"
           "         8000x6000); an image at --scale R device pixels to the pixel (1 to 4, default 1).\n"
           "  window the window fields' texts after a window button, one per line (of the plot\n"
           "         options only the window's limits count); NAME is one of\n"
           "         in out q1 q2 q3 q4 left right up down x+ x- y+ y-. A command that would make\n"
           "         an unusable window prints nothing and exits 2.\n"
           "  save   runs Roots, Extrema, Integral and Plot as the buttons do, then saves the study\n"
           "         file and, when the graph was drawn, its bitmap FILE.txt.bmp.\n"
           "  report writes the printed report as the window prints it right after opening the\n"
           "         study (its results, the graph plotted) as a PDF file.\n"
           "\n"
           "study options: --function F --lower A --upper B --subintervals N --error E --iterations M\n"
           "               --constant a=2.37 (repeatable)  --study FILE | --settings FILE\n"
           "         The study is the window's defaults (pi/3*x*sin(x)*tanh(x), -8, 8, 256, .01, 20),\n"
           "         or that of the study file or settings file (a study file that cannot be opened\n"
           "         runs nothing); the options given replace its items and the constants are added\n"
           "         after its own, as the Add button adds them.\n"
           "plot options: --window-lx/-gx/-ly/-gy T  --origin-x/-y T  --div-x/-y T  --plot-step T  --order K\n"
           "              --grid/--shade/--label-window/--label-divisions on|off  --size WxH  --scale R\n"
           "         (the window's defaults: -20, 20, -15, 15, 0, 0, 1, 1, 1, 0, all on)\n"
           "\n"
           "Option values are read as the window reads its fields. Use -- before an expression\n"
           "that starts with \"-\". Numbers are always read and written with \".\" as the decimal\n"
           "separator, whatever the locale. Results go to standard output; messages, warnings\n"
           "and the error that ended a command go to standard error.\n"
           "Exit status: 0 done, 1 failed, 2 usage error.\n";
}

namespace {

int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    errno = 0;
    const int status = runCommand(args, out, err);
    // Results that did not reach standard output are a failure, not a success.
    out.flush();
    if (out.fail()) {
        const int error = errno;
        err << "error: cannot write to standard output";
        if (error != 0)
            err << ": " << std::strerror(error);
        err << "\n";
        return kExitFailed;
    }
    return status;
}

namespace {

int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) {
        err << usageText();
        return kExitUsage;
    }
    const std::string_view command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << usageText();
        return kExitOk;
    }
    const std::span<const std::string> rest(args.data() + 1, args.size() - 1);
    if (command == "eval")
        return runEval(rest, out, err);
    if (command == "roots")
        return runRoots(rest, out, err);
    if (command == "extrema")
        return runExtrema(rest, out, err);
    if (command == "integral")
        return runIntegral(rest, out, err);
    if (command == "value")
        return runValue(rest, out, err);
    if (command == "plot")
        return runPlot(rest, out, err);
    if (command == "window")
        return runWindow(rest, out, err);
    if (command == "save")
        return runSave(rest, out, err);
    if (command == "report")
        return runReport(rest, out, err);
    err << "unknown command " << command << "\n" << usageText();
    return kExitUsage;
}

}  // namespace

}  // namespace tessaly::cli
