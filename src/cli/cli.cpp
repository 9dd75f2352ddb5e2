#include "cli/cli.h"

#include <cerrno>
#include <cstring>
#include <span>
#include <sstream>
#include <string_view>

#include "cli/evalcommand.h"
#include "cli/options.h"
#include "cli/plotoptions.h"
#include "cli/studycommands.h"
#include "cli/studyoptions.h"
#include "cli/tablecommand.h"
#include "cli/windowcommand.h"

namespace tessaly::cli {
namespace {

GraphicsCommands g_graphics;

// A drawing command where none is set: the graphics program is missing.
int runGraphics(CommandRun run, std::string_view name, const ParsedArgs& args, std::ostream& out, std::ostream& err)
{
    if (run)
        return run(args, out, err);
    err << "tessaly-cli: " << name << " needs the graphics part of Tessaly, which is not installed\n";
    return kExitFailed;
}
int runPlot(const ParsedArgs& a, std::ostream& out, std::ostream& err)
{
    return runGraphics(g_graphics.plot, "plot", a, out, err);
}
int runSave(const ParsedArgs& a, std::ostream& out, std::ostream& err)
{
    return runGraphics(g_graphics.save, "save", a, out, err);
}
int runReport(const ParsedArgs& a, std::ostream& out, std::ostream& err)
{
    return runGraphics(g_graphics.report, "report", a, out, err);
}

// A command: its name, its synopsis (what follows "tessaly-cli NAME"), a line
// for the list of commands, what its --help says it does, its options, whether
// it reads a study (the study options) or takes an expression, and the command.
struct Command {
    std::string_view name;
    std::string_view synopsis;
    std::string_view summary;
    std::string_view about;
    std::vector<KnownOption> (*options)();
    bool readsStudy;
    bool takesExpression;
    int (*run)(const ParsedArgs&, std::ostream& out, std::ostream& err);
};

const Command kCommands[] = {
    {"eval", "[--x X] [--statement S]... [--] EXPR", "evaluate an expression as the main window evaluates f",
     "Evaluates EXPR as the main window evaluates its function and prints its value as\n"
     "number text: the engine is set up as the window's (pi, halfpi, e and the extension\n"
     "functions), each --statement runs first, in order, like a user constant, and x is X.\n"
     "Put -- before an EXPR that starts with \"-\".\n",
     evalOptions, false, true, runEval},
    {"roots", "[--format F] [study options]", "the Roots command: the roots of f in the interval",
     "The window's Roots command on the study: the rows of its list, then its label.\n", listOptions, true, false,
     runRoots},
    {"extrema", "[--format F] [study options]", "the Extrema command: the maxima and minima of f",
     "The window's Extrema command on the study: the rows of its list, then its label\n"
     "(which ends with a blank).\n",
     listOptions, true, false, runExtrema},
    {"integral", "[--format F] [study options]", "the Integral command: the integral of f over the interval",
     "The window's Integral command on the study: its label, the integral's number text\n"
     "or \"No convergence\".\n",
     listOptions, true, false, runIntegral},
    {"value", "[--x X] [--order K] [--format F] [study options]", "the Value= command: f or a derivative at a point",
     "The Value= command: f, or its derivative of order K, at X.\n", valueOptions, true, false, runValue},
    {"table", "[--order K] [--points N | --step H] [--format F] [study options]",
     "f or a derivative at points of the interval, a line each",
     "f, or its derivative of order K, at N points of the study's interval [A, B], both\n"
     "ends included, or from A towards B by steps of H: a line \"x<TAB>value\" each, the\n"
     "value as Value= computes it. Where f cannot be evaluated (errors 5, 6 and 11) the\n"
     "line shows \"error N\" in the place of the value and the table goes on; any other\n"
     "failure ends it. At most 100000 points.\n",
     tableOptions, true, false, runTable},
    {"plot", "[study options] [plot options] -o FILE.png|FILE.bmp|FILE.svg|FILE.pdf",
     "draw the graph into a picture or drawing file",
     "Draws the graph as the Plot button does and writes the picture: an image (PNG, BMP)\n"
     "or a drawing in vectors (SVG, PDF) of --size WxH pixels (default 400x300, from 16x12\n"
     "to 8000x6000); an image at --scale R device pixels to the pixel (1 to 4, default 1).\n",
     outputOptions, true, false, runPlot},
    {"window", "--command NAME [plot options]", "the window fields after a zoom or pan button",
     "The window fields' texts after the window button NAME (lx, gx, ly, gy, one a line),\n"
     "starting from the window fields given; of the plot options only the window's\n"
     "limits count. A command that would make an unusable window prints nothing, gives\n"
     "its reason and exits with status 2.\n",
     windowOptions, false, false, runWindow},
    {"save", "[study options] [plot options] -o FILE.txt", "run Roots, Extrema, Integral and Plot, then save the study",
     "Runs Roots, Extrema, Integral and Plot as a user pressing them would, then saves the\n"
     "study file and, when the graph was drawn, its bitmap FILE.txt.bmp.\n",
     outputOptions, true, false, runSave},
    {"report", "[study options] [plot options] -o FILE.pdf", "write the printed report as a PDF file",
     "Writes the printed report as the window prints it right after opening the study\n"
     "(its constants run, its results, the graph plotted) as a PDF file.\n",
     outputOptions, true, false, runReport},
};

const Command* commandNamed(std::string_view name)
{
    for (const Command& c : kCommands)
        if (c.name == name)
            return &c;
    return nullptr;
}

std::string commandHelp(const Command& c)
{
    std::string text = "usage: tessaly-cli ";
    text.append(c.name).append(" ").append(c.synopsis).append("\n\n").append(c.about);
    std::vector<KnownOption> known = c.options();
    known.push_back({"-h, --help", false, OptionValue::Text, "", "this help"});
    return text + "\nOptions:\n" + optionsHelp(known);
}

int runCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace

std::string usageText()
{
    std::string text =
        "usage: tessaly-cli COMMAND [OPTION]...\n"
        "       tessaly-cli COMMAND --help\n"
        "       tessaly-cli --version\n"
        "\n"
        "Tessaly's computations without a window, for scripts: the results the main\n"
        "window shows, on standard output.\n"
        "\n"
        "Commands:\n";
    for (const Command& c : kCommands) {
        std::string line = "  ";
        line.append(c.name).append(10 - c.name.size(), ' ').append(c.summary);
        text += line + "\n";
    }
    text +=
        "\n"
        "A value follows its option (--lower -8) or an \"=\" (--lower=-8); -- ends the\n"
        "options. Number values are read as the window reads its fields: the number the\n"
        "text begins with (\"1 000\" is 1000; a text with none is 0, with a warning).\n"
        "Numbers are always read and written with \".\" as the decimal separator, whatever\n"
        "the locale. Results go to standard output; messages, warnings and the error that\n"
        "ended a command go to standard error.\n"
        "Exit status: 0 done, 1 failed, 2 usage error.\n";
    return text;
}

std::vector<std::string_view> commandNames()
{
    std::vector<std::string_view> names;
    for (const Command& c : kCommands)
        names.push_back(c.name);
    return names;
}

std::vector<KnownOption> commandOptions(std::string_view command)
{
    const Command* c = commandNamed(command);
    return c ? c->options() : std::vector<KnownOption>{};
}

void setGraphicsCommands(const GraphicsCommands& commands) { g_graphics = commands; }

bool isGraphicsCommand(std::string_view name) { return name == "plot" || name == "save" || name == "report"; }

int usageError(std::ostream& err, const std::string& problem)
{
    err << "tessaly-cli: " << problem << "\nTry 'tessaly-cli --help'.\n";
    return kExitUsage;
}

int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    errno = 0;
    const int status = runCommand(args, in, out, err);
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

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::istringstream nothing;
    return runCli(args, nothing, out, err);
}

namespace {

int runCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    if (args.empty())
        return usageError(err, "missing command");
    const std::string_view first = args[0];
    if (first == "--help" || first == "-h") {
        out << usageText();
        return kExitOk;
    }
    if (first == "--version" || first == "-V") {
        out << "tessaly-cli " TESSALY_VERSION "\n";
        return kExitOk;
    }
    if (first == "help") {
        if (args.size() == 1) {
            out << usageText();
            return kExitOk;
        }
        if (const Command* c = commandNamed(args[1]); c && args.size() == 2) {
            out << commandHelp(*c);
            return kExitOk;
        }
        return usageError(err, args.size() == 2 ? "unknown command " + args[1] : "unexpected argument " + args[2]);
    }
    const Command* command = commandNamed(first);
    if (!command)
        return usageError(err, (first.starts_with("-") ? "unknown option " : "unknown command ") + args[0]);

    ParsedArgs parsed;
    const std::vector<KnownOption> known = command->options();
    if (const auto problem = parseOptions(std::span(args).subspan(1), known, parsed))
        return usageError(err, *problem);
    if (parsed.help) {
        out << commandHelp(*command);
        return kExitOk;
    }
    if (!command->takesExpression && !parsed.positionals.empty())
        return usageError(err, "unexpected argument " + parsed.positionals[0]);
    if (command->readsStudy)
        if (const auto status = readStudyInputs(parsed, in, err))
            return *status;
    return command->run(parsed, out, err);
}

}  // namespace

}  // namespace tessaly::cli
