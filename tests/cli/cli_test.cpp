#include "cli/cli.h"
#include "cli/plotoptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CliRow {
    std::vector<std::string> args;
    std::string out;
    std::string
        err;  // the whole of standard error; for usage errors the problem, which a line pointing to --help follows
    int status;
};

void PrintTo(const CliRow& r, std::ostream* os)
{
    for (const auto& a : r.args)
        *os << a << ' ';
}

class Command : public ::testing::TestWithParam<CliRow> {};

TEST_P(Command, PrintsResultsMessagesAndStatus)
{
    const CliRow& row = GetParam();
    std::ostringstream out, err;
    const int status = tessaly::cli::runCli(row.args, out, err);
    EXPECT_EQ(status, row.status);
    EXPECT_EQ(out.str(), row.out);
    if (row.status == tessaly::cli::kExitUsage)
        EXPECT_EQ(err.str(), "tessaly-cli: " + row.err + "Try 'tessaly-cli --help'.\n");
    else
        EXPECT_EQ(err.str(), row.err);
}

using V = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(
    Eval, Command,
    ::testing::Values(
        CliRow{V{"eval", "pi/3*x*sin(x)*tanh(x)"}, "0\n", "", 0},
        CliRow{V{"eval", "--x", "1", "pi"}, "3.14159265358979\n", "", 0}, CliRow{V{"eval", "--", "-2^2"}, "4\n", "", 0},
        CliRow{V{"eval", "--x", "-8", "x*2"}, "-16\n", "", 0}, CliRow{V{"eval", "--x", "1 000", "x"}, "1000\n", "", 0},
        CliRow{V{"eval", "--x", "2abc", "x"}, "2\n", "", 0}, CliRow{V{"eval", "1/4"}, "0.25\n", "", 0},
        CliRow{V{"eval", "1/100000"}, "1E-05\n", "", 0},
        CliRow{V{"eval", "--statement", "a=2.37", "--statement", "b=a*2", "b"}, "4.74\n", "", 0},
        CliRow{V{"eval", "--statement", "A=1", "--statement", "a=2", "a"}, "2\n", "", 0},
        CliRow{V{"eval", "x>1", "--x", "2"}, "-1\n", "", 0}, CliRow{V{"eval", ""}, "0\n", "", 0},
        CliRow{V{"eval", "Asin(2)"}, "", "error 5: Invalid procedure call or argument\n", 1},
        CliRow{V{"eval", "--x", "1", "Atanh(x)"}, "", "error 11: Division by zero\n", 1},
        CliRow{V{"eval", "1/0"}, "", "error 11: Division by zero\n", 1},
        CliRow{V{"eval", "Asin(2)+1/0"}, "", "error 5: Invalid procedure call or argument\n", 1},
        CliRow{V{"eval", "2+"}, "", "message: Syntax error\nerror 1002: Syntax error\n", 1},
        CliRow{V{"eval", "1 2"}, "", "error 1025: Expected end of statement\n", 1},
        CliRow{V{"eval", "foo(1)"}, "", "message: Type mismatch\nerror 13: Type mismatch\n", 1},
        CliRow{V{"eval", "\"a\""}, "", "error 13: Type mismatch\n", 1},
        CliRow{V{"eval", "--statement", "sin=3", "1"}, "",
               "message: Illegal assignment\nerror 501: Illegal assignment\n", 1},
        CliRow{V{"eval", "--statement", "a=1/0", "1"}, "", "error 11: Division by zero\n", 1},
        CliRow{V{"eval", "--x", "1E400", "x"}, "", "error 6: Overflow\n", 1},
        CliRow{V{"eval"}, "", "missing expression\n", 2},
        CliRow{V{"eval", "1", "2"}, "", "more than one expression\n", 2},
        CliRow{V{"eval", "-2^2"}, "", "unknown option -2^2\n", 2},
        CliRow{V{"eval", "--x"}, "", "missing value for --x\n", 2},
        CliRow{V{"eval", "--x", "1", "--x", "2", "x"}, "", "--x given more than once\n", 2},
        CliRow{V{"frobnicate"}, "", "unknown command frobnicate\n", 2}, CliRow{V{}, "", "missing command\n", 2}));

INSTANTIATE_TEST_SUITE_P(
    Roots, Command,
    ::testing::Values(
        CliRow{V{"roots"}, "-6.28318590611842\n-3.14159265510742\n0\n3.14159265510742\n6.28318590611842\n5 roots\n", "",
               0},
        CliRow{V{"roots", "--function", "x*x", "--lower", "-1", "--upper", "1", "--subintervals", "255"}, "0 roots\n",
               "", 0},
        CliRow{V{"roots", "--function", "1/x", "--lower", "-1", "--upper", "1"}, "0 roots\n", "", 0},
        CliRow{V{"roots", "--function", "x-0.5", "--lower", "0", "--upper", "1", "--subintervals", "2"},
               "0.5\n1 roots\n", "", 0},
        CliRow{V{"roots", "--function", "2+"}, "", "message: Syntax error\nerror 1002: Syntax error\n", 1},
        CliRow{V{"roots", "--function", "x", "--subintervals", "0"}, "",
               "error 5: Invalid procedure call or argument\n", 1},
        CliRow{V{"roots", "--lower", "1E400"}, "", "error 6: Overflow\n", 1},
        CliRow{V{"roots", "--lower"}, "", "missing value for --lower\n", 2},
        CliRow{V{"roots", "extra"}, "", "unexpected argument extra\n", 2}));

INSTANTIATE_TEST_SUITE_P(
    Constants, Command,
    ::testing::Values(
        CliRow{V{"roots", "--constant", "a=1.5", "--function", "x-a"}, "1.5\n1 roots\n", "", 0},
        CliRow{V{"roots", "--constant", "A=1", "--constant", "a=0.5", "--function", "x-a"}, "0.5\n1 roots\n", "", 0},
        CliRow{V{"roots", "--constant", "2b=3", "--function", "x"}, "0\n1 roots\n",
               "warning: 2b=3: not a constant (name=value, the name a letter then letters or digits); ignored\n", 0},
        CliRow{V{"roots", "--constant", "z=1/0"}, "",
               "message: The user constant \"z=1/0\" could not be run: Division by zero (error 11).\n"
               "error 11: Division by zero\n",
               1},
        CliRow{V{"integral", "--constant", "z=1/0"}, "",
               "message: division by zero\n"
               "message: The user constant \"z=1/0\" could not be run: Division by zero (error 11).\n"
               "error 11: Division by zero\n",
               1},
        CliRow{V{"roots", "--constant", "sin=3"}, "",
               "message: The user constant \"sin=3\" could not be run: Illegal assignment (error 501).\n"
               "error 501: Illegal assignment\n",
               1},
        // Refused when added, as the Add button refuses it: the command runs without it.
        CliRow{V{"roots", "--constant", "b=2.3.4", "--function", "x-b"}, "0\n1 roots\n",
               "message: Expression compilation error 1025\nmessage: Expected end of statement\n"
               "message: At line 1, col 6: [b=2.3.4]\n",
               0}));

INSTANTIATE_TEST_SUITE_P(
    Commands, Command,
    ::testing::Values(
        CliRow{V{"extrema", "--function", "x*x", "--lower", "-8", "--upper", "8"},
               "MIN: [0 , 0]\n0 max. 1 min. 1 possible root(s).\n", "", 0},
        CliRow{V{"extrema", "--function", "x", "--lower", "1", "--upper", "0"}, "0 max. 0 min. \n", "", 0},
        CliRow{V{"extrema", "--subintervals", "0"}, "", "error 5: Invalid procedure call or argument\n", 1},
        CliRow{V{"integral", "--subintervals", "3000000000"}, "", "message: overflow\nerror 6: Overflow\n", 1},
        CliRow{V{"roots", "--function", " \t "}, "", "the function is empty\n", 2},
        CliRow{V{"roots", "--function", ""}, "", "the function is empty\n", 2},
        CliRow{V{"integral", "--function", "x^4", "--lower", "0", "--upper", "1", "--subintervals", "2"}, "0.2\n", "",
               0},
        CliRow{V{"integral", "--function", "x", "--iterations", "5"}, "No convergence\n", "", 0},
        CliRow{V{"integral", "--function", "1/x", "--lower", "-1", "--upper", "1"}, "",
               "message: division by zero\nerror 11: Division by zero\n", 1},
        CliRow{V{"integral", "--function", "2+"}, "", "message: Syntax error\nerror 1002: Syntax error\n", 1},
        CliRow{V{"value"}, "0\n", "", 0}, CliRow{V{"value", "--function", "x*x*x", "--x", "1.5"}, "3.375\n", "", 0},
        CliRow{V{"value", "--function", "x", "--order", "34"}, "", "error 9: Subscript out of range\n", 1},
        CliRow{V{"value", "--function", "Log(x)", "--x", "-1"}, "", "error 5: Invalid procedure call or argument\n", 1},
        CliRow{V{"value", "--order", "1E20"}, "", "error 6: Overflow\n", 1}));

INSTANTIATE_TEST_SUITE_P(
    Window, Command,
    ::testing::Values(
        CliRow{V{"window", "--command", "in"}, "-10\n10\n-7.5\n7.5\n", "", 0},
        CliRow{V{"window", "--command", "x-"}, "-13.33333\n13.33333\n-15\n15\n", "", 0},
        CliRow{V{"window", "--command", "x+", "--window-lx", "-13.33333", "--window-gx", "13.33333"},
               "-19.99999\n19.99999\n-15\n15\n", "", 0},
        CliRow{V{"window", "--command", "q4", "--window-gy", "25"}, "0\n20\n-15\n5\n", "", 0},
        CliRow{V{"window", "--command", "left", "--window-lx", "abc"}, "-5\n15\n-15\n15\n",
               "warning: --window-lx \"abc\" has no number; using 0\n", 0},
        CliRow{V{"window"}, "", "missing --command in|out|q1|q2|q3|q4|left|right|up|down|x+|x-|y+|y-\n", 2},
        CliRow{V{"window", "--command", "sideways"}, "", "unknown window command sideways\n", 2},
        CliRow{V{"window", "--command", "in", "--origin-x", "1", "--grid", "off"}, "-10\n10\n-7.5\n7.5\n", "", 0},
        CliRow{V{"window", "--command", "in", "--function", "x"}, "", "unknown option --function\n", 2}));

TEST(Cli, ARefusedWindowCommandPrintsOnlyItsReason)
{
    const std::vector<std::vector<std::string>> refused = {
        {"window", "--command", "in", "--window-lx", "1", "--window-gx", "1.0000002"},
        {"window", "--command", "out", "--window-lx", "0", "--window-gx", "3E+38"},
        {"window", "--command", "up", "--window-ly", "5", "--window-gy", "5"},
    };
    for (const auto& args : refused) {
        std::ostringstream out, err;
        EXPECT_EQ(tessaly::cli::runCli(args, out, err), tessaly::cli::kExitUsage) << args[2];
        EXPECT_EQ(out.str(), "") << args[2];
        EXPECT_EQ(err.str(), "Zoom limit reached\n") << "as the window's status line says it";
    }
}

std::string writeTemporary(const std::string& name, const std::string& content)
{
    const auto path = std::filesystem::temp_directory_path() / ("tessaly_cli_test_" + name);
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

TEST(Cli, RootsOfASettingsFilesStudyWithOptionsOnTop)
{
    const std::string file = writeTemporary("good.ini",
                                            "\"x-a\"\r\n0\r\n1\r\n4\r\n.01\r\n20\r\n-20\r\n20\r\n-"
                                            "15\r\n15\r\n1\r\n0\r\n0\r\n1\r\n1\r\n1\r\n\"a=0.25\"\r\n0\r\n");
    std::ostringstream out, err;
    EXPECT_EQ(tessaly::cli::runCli({"roots", "--settings", file}, out, err), 0);
    EXPECT_EQ(out.str(), "0.25\n1 roots\n");
    EXPECT_EQ(err.str(), "");

    std::ostringstream out2, err2;
    EXPECT_EQ(tessaly::cli::runCli({"roots", "--settings", file, "--upper", "0.2", "--constant", "a=0.1"}, out2, err2),
              0);
    EXPECT_EQ(out2.str(), "0.1\n1 roots\n") << "the option's constant redefines the file's";
}

TEST(Cli, AnUnreadableSettingsFileGivesTheDefaultsWithAWarning)
{
    const std::string bad = writeTemporary("bad.ini", "\"x\"\r\neight\r\n");
    std::ostringstream out, err;
    EXPECT_EQ(tessaly::cli::runCli({"roots", "--settings", bad}, out, err), 0);
    EXPECT_TRUE(out.str().ends_with("5 roots\n"));
    EXPECT_EQ(err.str(), "warning: " + bad + ": line 2: \"eight\" is not a number; using the defaults\n");

    std::ostringstream out2, err2;
    EXPECT_EQ(tessaly::cli::runCli({"roots", "--settings", "/nonexistent/tessaly.ini"}, out2, err2), 0);
    EXPECT_EQ(err2.str(), "warning: /nonexistent/tessaly.ini: No such file or directory; using the defaults\n");
}

TEST(Cli, PlotWritesNothingWhenItCannotDraw)
{
    const auto dir = std::filesystem::temp_directory_path() / "tessaly_cli_plot";
    std::filesystem::create_directories(dir);
    const std::string png = (dir / "graph.png").string();
    std::filesystem::remove(png);
    struct Row {
        std::vector<std::string> extra;
        int status;
        std::string firstErrorLine;
    };
    const Row rows[] = {
        {{"--plot-step", "0"}, 2, "Plot step must be a whole number from 1 to 80"},
        {{"--window-lx", "30"}, 2, "The lower window limit must be below the upper one"},
        {{"--order", "34"}, 2, "Derivative order must be from 0 to 33"},
        {{"--function", "2+"}, 1, "message: Syntax error"},
        {{"--grid", "maybe"}, 2, "tessaly-cli: --grid takes on or off"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args{"plot", "-o", png};
        args.insert(args.end(), row.extra.begin(), row.extra.end());
        std::ostringstream out, err;
        EXPECT_EQ(tessaly::cli::runCli(args, out, err), row.status) << row.extra[0];
        EXPECT_EQ(err.str().substr(0, err.str().find('\n')), row.firstErrorLine);
        EXPECT_FALSE(std::filesystem::exists(png)) << row.extra[0];
    }
    std::ostringstream out, err;
    EXPECT_EQ(tessaly::cli::runCli({"plot", "-o", (dir / "graph.gif").string()}, out, err), 2);
    EXPECT_EQ(tessaly::cli::runCli({"plot"}, out, err), 2);
    EXPECT_EQ(tessaly::cli::runCli({"plot", "-o", png, "--order", "2", "--grid", "off"}, out, err), 0);
    EXPECT_TRUE(std::filesystem::exists(png));
}

TEST(Cli, PictureSizeAndScaleTakeTheirRangesAndNothingElse)
{
    using tessaly::cli::PictureOptions;
    struct Row {
        const char* size;   // nullptr: not given
        const char* scale;  // nullptr: not given
        std::optional<PictureOptions> read;
    };
    const Row rows[] = {
        {nullptr, nullptr, PictureOptions{400, 300, 1}},
        {"16x12", nullptr, PictureOptions{16, 12, 1}},
        {"8000x6000", nullptr, PictureOptions{8000, 6000, 1}},
        {"0400x0300", nullptr, PictureOptions{400, 300, 1}},
        {"15x12", nullptr, std::nullopt},
        {"16x11", nullptr, std::nullopt},
        {"8001x6000", nullptr, std::nullopt},
        {"8000x6001", nullptr, std::nullopt},
        {"100000x300", nullptr, std::nullopt},
        {"400X300", nullptr, std::nullopt},
        {"400x", nullptr, std::nullopt},
        {"x300", nullptr, std::nullopt},
        {"400x300x2", nullptr, std::nullopt},
        {"+400x300", nullptr, std::nullopt},
        {" 400x300", nullptr, std::nullopt},
        {"400.0x300", nullptr, std::nullopt},
        {nullptr, "1", PictureOptions{400, 300, 1}},
        {nullptr, "4", PictureOptions{400, 300, 4}},
        {nullptr, "2.5", PictureOptions{400, 300, 2.5}},
        {nullptr, "1E0", PictureOptions{400, 300, 1}},
        {nullptr, "0.999", std::nullopt},
        {nullptr, "4.001", std::nullopt},
        {nullptr, "-2", std::nullopt},
        {nullptr, "two", std::nullopt},
        {nullptr, "", std::nullopt},
        // The image's device pixels: at most 8000 x 6000.
        {"4000x3000", "2", PictureOptions{4000, 3000, 2}},
        {"4001x3000", "2", std::nullopt},
        {"4000x3001", "2", std::nullopt},
        {"8000x6000", "1.0001", std::nullopt},
    };
    for (const Row& r : rows) {
        tessaly::cli::ParsedArgs args;
        if (r.size)
            args.values["--size"] = {r.size};
        if (r.scale)
            args.values["--scale"] = {r.scale};
        PictureOptions read;
        const auto problem = tessaly::cli::readPictureOptions(args, read);
        const std::string row = std::string(r.size ? r.size : "-") + " " + (r.scale ? r.scale : "-");
        ASSERT_EQ(!problem, r.read.has_value()) << row << ": " << problem.value_or("");
        if (r.read) {
            EXPECT_EQ(read.width, r.read->width) << row;
            EXPECT_EQ(read.height, r.read->height) << row;
            EXPECT_EQ(read.scale, r.read->scale) << row;
        }
    }
}

TEST(Cli, RootsBeyondTheTableAreToldOnce)
{
    std::ostringstream out, err;
    const int status = tessaly::cli::runCli(
        {"roots", "--function", "Sin(x)", "--lower", ".5", "--upper", "1000", "--subintervals", "8192"}, out, err);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(err.str(), "message: Only the first 255 roots are listed.\n");
    const std::string text = out.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 256);
    EXPECT_TRUE(text.ends_with("\n255 roots\n"));
}

TEST(Cli, HelpGoesToStandardOutput)
{
    std::ostringstream out, err;
    EXPECT_EQ(tessaly::cli::runCli({"--help"}, out, err), 0);
    EXPECT_NE(out.str().find("\".\" as the decimal"), std::string::npos);
    EXPECT_TRUE(err.str().empty());
}

}  // namespace
