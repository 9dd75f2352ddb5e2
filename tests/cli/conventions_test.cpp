// The command line as scripts expect it: help, version, option forms, usage
// errors, number warnings, the table command, the output formats and the
// function read from standard input or a file.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "cli/cli.h"
#include "cli/json.h"
#include "cli/progress.h"

namespace fs = std::filesystem;
using tessaly::cli::runCli;

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& args, const std::string& input = {})
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = runCli(args, in, out, err);
    return {status, out.str(), err.str()};
}

std::string usageError(const std::string& problem)
{
    return "tessaly-cli: " + problem + "\nTry 'tessaly-cli --help'.\n";
}

// A value each option takes, whatever it reads: a choice option's first word.
std::string valueFor(const tessaly::cli::KnownOption& o)
{
    return o.value == tessaly::cli::OptionValue::Choice ? std::string(o.meta.substr(0, o.meta.find('|'))) : "-8";
}

TEST(CommandLine, EveryCommandGivesItsOwnHelpListingEachOfItsOptions)
{
    ASSERT_EQ(tessaly::cli::commandNames().size(), 10u);
    for (const std::string_view view : tessaly::cli::commandNames()) {
        const std::string name(view);
        const Outcome help = run({name, "--help"});
        EXPECT_EQ(help.status, 0) << name;
        EXPECT_EQ(help.err, "") << name;
        EXPECT_TRUE(help.out.starts_with("usage: tessaly-cli " + name + " ")) << help.out;
        for (const auto& option : tessaly::cli::commandOptions(name))
            EXPECT_NE(help.out.find("\n  " + std::string(option.name) + " "), std::string::npos)
                << name << " " << option.name;
        EXPECT_EQ(run({name, "-h"}).out, help.out) << name;
        EXPECT_EQ(run({"help", name}).out, help.out) << name;
        // Help wins over what follows it, not over what stands before it.
        EXPECT_EQ(run({name, "--help", "--nope"}).out, help.out) << name;
        EXPECT_EQ(run({name, "--nope", "--help"}).err, usageError("unknown option --nope")) << name;
        EXPECT_TRUE(tessaly::cli::usageText().find("\n  " + name + " ") != std::string::npos) << name;
    }
}

TEST(CommandLine, EveryOptionTakesItsValueAfterAnEqualsSignOrAsTheNextArgument)
{
    for (const std::string_view name : tessaly::cli::commandNames()) {
        const auto known = tessaly::cli::commandOptions(name);
        ASSERT_FALSE(known.empty()) << name;
        for (const auto& option : known) {
            const std::string o(option.name), v = valueFor(option);
            tessaly::cli::ParsedArgs apart, joined;
            const std::vector<std::string> nextArgument{o, v}, afterEquals{o + "=" + v};
            EXPECT_FALSE(tessaly::cli::parseOptions(nextArgument, known, apart)) << name << " " << o;
            EXPECT_EQ(apart.value(o), v) << name << " " << o;
            if (o.starts_with("--")) {
                EXPECT_FALSE(tessaly::cli::parseOptions(afterEquals, known, joined)) << name << " " << o;
                EXPECT_EQ(joined.value(o), v) << name << " " << o;
            }
            // Missing: a usage error of its own, for every command and option.
            EXPECT_EQ(run({std::string(name), o}).err, usageError("missing value for " + o)) << name;
        }
        EXPECT_EQ(run({std::string(name), "--nope=1"}).err, usageError("unknown option --nope"));
    }
}

TEST(CommandLine, AValueKeepsWhatFollowsTheFirstEqualsSign)
{
    EXPECT_EQ(run({"eval", "--statement=a=2.37", "a"}).out, "2.37\n");
    EXPECT_EQ(run({"eval", "--x=", "x"}).err, "warning: --x \"\" has no number; using 0\n");
    EXPECT_EQ(run({"eval", "--help=1", "1"}).err, usageError("--help takes no value"));
}

struct UsageRow {
    std::vector<std::string> args;
    std::string problem;
};

void PrintTo(const UsageRow& r, std::ostream* os)
{
    for (const auto& a : r.args)
        *os << a << ' ';
}

class UsageError : public ::testing::TestWithParam<UsageRow> {};

TEST_P(UsageError, IsOneLineAndAPointerToTheHelp)
{
    const Outcome r = run(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, usageError(GetParam().problem));
}

using V = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(
    Rows, UsageError,
    ::testing::Values(
        UsageRow{V{"--frob"}, "unknown option --frob"}, UsageRow{V{"help", "nope"}, "unknown command nope"},
        UsageRow{V{"help", "roots", "extra"}, "unexpected argument extra"},
        UsageRow{V{"roots", "--format", "xml"}, "--format takes text, csv, tsv or json"},
        UsageRow{V{"roots", "--format=JSON"}, "--format takes text, csv, tsv or json"},
        UsageRow{V{"plot", "--grid=yes", "-o", "g.png"}, "--grid takes on or off"},
        UsageRow{V{"table", "--points", "1"}, "--points takes a whole number from 2 to 100000"},
        UsageRow{V{"table", "--points", "100001"}, "--points takes a whole number from 2 to 100000"},
        UsageRow{V{"table", "--points", "3", "--step", "1"}, "--points and --step cannot be given together"},
        UsageRow{V{"table", "--step", "0"}, "--step takes a number above 0"},
        UsageRow{V{"table", "--step", "-1"}, "--step takes a number above 0"},
        UsageRow{V{"table", "--lower", "0", "--upper", "100000", "--step", "1"},
                 "--step 1 makes more than 100000 points"},
        UsageRow{V{"table", "--upper", "1E300", "--step", "1E-300"}, "--step 1E-300 makes more than 100000 points"},
        UsageRow{V{"roots", "--function", "x", "--function-file", "f.txt"},
                 "--function and --function-file cannot be given together"},
        UsageRow{V{"window", "--command", "in", "left"}, "unexpected argument left"}));

TEST(CommandLine, VersionIsTheProjectsOnOneLine)
{
    for (const char* option : {"--version", "-V"}) {
        const Outcome r = run({option});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "tessaly-cli " TESSALY_VERSION "\n");
        EXPECT_EQ(r.err, "");
    }
    EXPECT_EQ(run({"help"}).out, tessaly::cli::usageText());
    EXPECT_EQ(run({"-h"}).out, tessaly::cli::usageText());
}

TEST(CommandLine, ANumberOptionWithoutANumberIsZeroWithAWarning)
{
    const Outcome value = run({"value", "--function", "x+1", "--x", "abc", "--order=zero"});
    EXPECT_EQ(value.status, 0);
    EXPECT_EQ(value.out, "1\n");
    EXPECT_EQ(value.err,
              "warning: --x \"abc\" has no number; using 0\n"
              "warning: --order \"zero\" has no number; using 0\n");

    const Outcome roots = run({"roots", "--function", "x-0.5", "--lower", "none", "--upper", "1"});
    EXPECT_EQ(roots.out, "0.5\n1 roots\n");
    EXPECT_EQ(roots.err, "warning: --lower \"none\" has no number; using 0\n");

    // A value taken whatever it looks like, even an option's name.
    const Outcome x = run({"eval", "--x", "--help", "x+1"});
    EXPECT_EQ(x.out, "1\n");
    EXPECT_EQ(x.err, "warning: --x \"--help\" has no number; using 0\n");
    EXPECT_EQ(run({"eval", "--", "--help"}).out, "0\n") << "after -- an expression";
    // A text that begins with a number is read as before, without a word.
    for (const char* text : {"2abc", " - 5", "&H10", ".5e1"})
        EXPECT_EQ(run({"eval", "--x", text, "x"}).err, "") << text;
}

TEST(Table, ElevenPointsOfTheIntervalByDefaultBothEndsIncluded)
{
    const Outcome r = run({"table", "--function", "x*x"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "-8\t64\n-6.4\t40.96\n-4.8\t23.04\n-3.2\t10.24\n-1.6\t2.56\n0\t0\n1.6\t2.56\n3.2\t10.24\n"
              "4.8\t23.04\n6.4\t40.96\n8\t64\n");
    EXPECT_EQ(run({"table", "--function", "x", "--lower", "1", "--upper", "2", "--points", "2"}).out, "1\t1\n2\t2\n");
}

TEST(Table, APointWhereFFailsShowsItsErrorAndTheTableGoesOn)
{
    const Outcome r = run({"table", "--function", "1/x", "--lower", "-1", "--upper", "1", "--points", "5"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "-1\t-1\n-0.5\t-2\n0\terror 11\n0.5\t2\n1\t1\n");
    EXPECT_EQ(r.err, "");
    const Outcome slope =
        run({"table", "--function", "Sqr(x)", "--order", "1", "--lower", "0", "--upper", "1", "--points", "3"});
    EXPECT_EQ(slope.out, "0\terror 5\n0.5\t0.707106780171442\n1\t0.499999999955129\n");
    EXPECT_EQ(run({"table", "--function", "Asin(x)", "--lower", "1", "--upper", "2", "--points", "3"}).out,
              "1\t1.5707963267949\n1.5\terror 5\n2\terror 5\n")
        << "the extension object's errors too";
    EXPECT_EQ(run({"table", "--function", "Exp(x)", "--lower", "700", "--upper", "720", "--points", "2"}).out,
              "700\t1.014232054735E+304\n720\terror 6\n");
}

TEST(Table, AnyOtherFailureEndsIt)
{
    EXPECT_EQ(run({"table", "--function", "x", "--order", "34"}).err, "error 9: Subscript out of range\n");
    const Outcome syntax = run({"table", "--function", "2+"});
    EXPECT_EQ(syntax.status, 1);
    EXPECT_EQ(syntax.out, "");
    EXPECT_EQ(syntax.err, "message: Syntax error\nerror 1002: Syntax error\n");
    const Outcome constant = run({"table", "--constant", "z=1/0"});
    EXPECT_EQ(constant.status, 1);
    EXPECT_EQ(constant.err,
              "message: The user constant \"z=1/0\" could not be run: Division by zero (error 11).\n"
              "error 11: Division by zero\n")
        << "a constant that fails is not a point that fails";
}

TEST(Table, StepsGoFromTheLowerLimitTowardsTheUpperOne)
{
    struct Row {
        V args;
        std::string xs;
    };
    const Row rows[] = {
        {{"--lower", "0", "--upper", "0.3", "--step", "0.1"}, "0 0.1 0.2 0.3 "},  // 3 * 0.1 is above 0.3
        {{"--lower", "0", "--upper", "1", "--step", "0.4"}, "0 0.4 0.8 "},
        {{"--lower", "1", "--upper", "0", "--step", "0.5"}, "1 0.5 0 "},
        {{"--lower", "2", "--upper", "2", "--step", "1"}, "2 "},
        {{"--lower", "0", "--upper", "1", "--points", "4"}, "0 0.333333333333333 0.666666666666667 1 "},
    };
    for (const Row& row : rows) {
        V args{"table", "--function", "x"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        std::istringstream lines(run(args).out);
        std::string xs;
        for (std::string x, value; std::getline(lines, x, '\t') && std::getline(lines, value);)
            xs += x + " ";
        EXPECT_EQ(xs, row.xs) << row.args[5];
    }
}

TEST(Table, HoldsAtMostOneHundredThousandPoints)
{
    for (const V& args : {V{"table", "--function", "x", "--points", "100000"},
                          V{"table", "--function", "x", "--lower", "0", "--upper", "99999", "--step", "1"}}) {
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 0) << args[4];
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 100000) << args[4];
    }
}

TEST(Table, EachLineIsWhatValueGivesAtItsAbscissa)
{
    // The constant runs once, as for one Value=; each x as its text reads back.
    const V study{"--function", "Sin(x)*a", "--constant", "a=a+1", "--order", "2", "--lower", "0", "--upper", "1"};
    V table{"table", "--points", "4"};
    table.insert(table.end(), study.begin(), study.end());
    std::istringstream lines(run(table).out);
    int count = 0;
    for (std::string x, value; std::getline(lines, x, '\t') && std::getline(lines, value); ++count) {
        V one{"value", "--x", x};
        one.insert(one.end(), study.begin(), study.end());
        EXPECT_EQ(run(one).out, value + "\n") << x;
    }
    EXPECT_EQ(count, 4);
}

TEST(Formats, JsonCarriesTheRowsTheLabelTheResultsAndWhatWasTold)
{
    EXPECT_EQ(run({"roots", "--format", "json", "--function", "x^2-2", "--lower", "0", "--upper", "2"}).out,
              "{\"command\": \"roots\", \"rows\": [\"1.41421853477966\"], \"label\": \"1 roots\", \"error\": 0, "
              "\"messages\": [], \"results\": [{\"x\": 1.4142185347796596, \"lo\": 1.414208616285809, \"hi\": "
              "1.4142185347796596, \"certified\": true, \"residual\": 1.406411432736121e-05}], \"warnings\": []}\n");
    EXPECT_EQ(
        run({"extrema", "--format=json", "--function", "x*x"}).out,
        "{\"command\": \"extrema\", \"rows\": [\"MIN: [0 , 0]\"], \"label\": \"0 max. 1 min. 1 possible root(s).\", "
        "\"error\": 0, \"messages\": [], \"results\": [{\"kind\": \"min\", \"x\": 0, \"y\": 0, \"e\": "
        "5.684341886080802e-14, \"certified\": true, \"height_uncertainty\": 3.2311742677852644e-27, "
        "\"possible_root\": true}], \"warnings\": []}\n");
    EXPECT_EQ(
        run({"integral", "--format", "json", "--function", "x", "--iterations", "5"}).out,
        "{\"command\": \"integral\", \"rows\": [], \"label\": \"No convergence\", \"error\": 0, \"messages\": [], "
        "\"results\": [{\"value\": 0, \"error_estimate\": 1.4210854715202004e-12, \"converged\": false}], "
        "\"warnings\": []}\n");
    EXPECT_EQ(run({"value", "--format", "json", "--function", "x^3", "--x", "2", "--order", "1", "--lower", "a"}).out,
              "{\"command\": \"value\", \"rows\": [], \"label\": \"12.0000000000002\", \"error\": 0, \"messages\": [], "
              "\"results\": [{\"x\": 2, \"order\": 1, \"value\": 12.000000000000192, \"error_estimate\": "
              "3.0293284917585583e-12, \"significant_digits\": 12}], \"warnings\": [{\"kind\": \"input\", "
              "\"text\": \"--lower \\\"a\\\" has no number; using 0\"}]}\n");
    EXPECT_EQ(
        run({"table", "--format", "json", "--function", "1/x", "--lower", "-1", "--upper", "1", "--points", "3"}).out,
        "{\"command\": \"table\", \"rows\": [\"-1\\t-1\", \"0\\terror 11\", \"1\\t1\"], \"label\": null, "
        "\"error\": 0, \"messages\": [], \"results\": [{\"x\": -1, \"order\": 0, \"value\": -1, \"error\": 0}, "
        "{\"x\": 0, \"order\": 0, \"value\": null, \"error\": 11}, {\"x\": 1, \"order\": 0, \"value\": 1, "
        "\"error\": 0}], \"warnings\": []}\n");
}

TEST(Formats, JsonWarnsOfWhatTheResultsCannotBeTrustedForWithItsPlace)
{
    struct Row {
        V args;
        std::string warnings;
    };
    const Row rows[] = {
        {{"roots", "--function", "(x-0.3)^2", "--lower", "-1", "--upper", "1"},
         "[{\"kind\": \"touching_root\", \"text\": \"f may touch 0 near x = 0.3 without changing sign on the grid\", "
         "\"x\": 0.3}]"},
        {{"roots", "--function", "0*x", "--lower", "-1", "--upper", "1", "--subintervals", "4"},
         "[{\"kind\": \"zero_run\", \"text\": \"f is exactly 0 on [-1, 0.5]\", \"from\": -1, \"to\": 0.5}]"},
        {{"integral", "--function", "1/x", "--lower", "-1", "--upper", "2"},
         "[{\"kind\": \"integral_unreliable\", \"text\": \"The integral of |f| changed by more than 1 % at the last "
         "halving: a pole or an unresolved oscillation may make the result wrong\"}]"},
        {{"value", "--function", "Sin(x)", "--order", "20", "--x", "1"},
         "[{\"kind\": \"no_significant_digit\", \"text\": \"The value 0.289953147595969 has no significant digit: its "
         "error estimate is 0.71226296428317\", \"x\": 1}]"},
    };
    for (const Row& row : rows) {
        V args = row.args;
        args.insert(args.end(), {"--format", "json"});
        const std::string out = run(args).out;
        const std::size_t at = out.find("\"warnings\": ");
        ASSERT_NE(at, std::string::npos) << out;
        EXPECT_EQ(out.substr(at + 12), row.warnings + "}\n") << row.args[0];
        EXPECT_EQ(run(row.args).err, "") << "text output says nothing of them";
    }
    // A value without a significant digit has null in their place.
    EXPECT_NE(run({"value", "--function", "Sin(x)", "--order", "20", "--x", "1", "--format", "json"})
                  .out.find("\"significant_digits\": null"),
              std::string::npos);
}

TEST(Formats, AFailureIsInTheObjectAndOnStandardError)
{
    const Outcome r = run({"roots", "--format", "json", "--function", "2+"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "{\"command\": \"roots\", \"rows\": [], \"label\": null, \"error\": 1002, \"messages\": "
              "[\"Syntax error\"], \"results\": [], \"warnings\": []}\n");
    EXPECT_EQ(r.err, "message: Syntax error\nerror 1002: Syntax error\n");
}

TEST(Formats, CsvAndTsvHaveAHeaderThenOneLineAResult)
{
    EXPECT_EQ(run({"extrema", "--format", "csv", "--function", "x*x*x-3*x", "--lower", "-2", "--upper", "2"}).out,
              "kind,x,y,e,certified,height_uncertainty,possible_root\n"
              "max,-1.000030757874,1.99999999716183,0.00784325787399909,true,0.000184555758602656,false\n"
              "min,1.00003075787399,-1.99999999716183,0.00784325787398776,true,0.000184555758602212,false\n");
    EXPECT_EQ(run({"roots", "--format", "csv", "--function", "x*x+1"}).out, "x,lo,hi,certified,residual\n");
    EXPECT_EQ(
        run({"table", "--format", "tsv", "--function", "1/x", "--lower", "0", "--upper", "1", "--points", "2"}).out,
        "x\torder\tvalue\terror\n0\t0\t\t11\n1\t0\t1\t0\n");
    EXPECT_EQ(run({"value", "--format", "csv", "--x", "1E-5", "--function", "x"}).out,
              "x,order,value,error_estimate,significant_digits\n1E-05,0,1E-05,8.88178419700125E-21,15\n")
        << "numbers as number text";
}

TEST(Json, NumbersReadBackAndTextsAreValidUtf8)
{
    using tessaly::cli::Json;
    EXPECT_EQ(Json(Json::Array{0.1, -0.0, 1e300, 2, std::numeric_limits<double>::quiet_NaN(),
                               -std::numeric_limits<double>::infinity(), true, Json()})
                  .text(),
              "[0.1, -0, 1e+300, 2, null, null, true, null]");
    EXPECT_EQ(Json("q\"b\\s/\n\r\t\x01\x1f\x7f").text(), "\"q\\\"b\\\\s/\\n\\r\\t\\u0001\\u001f\x7f\"");
    // Well-formed sequences are kept; each byte of anything else is U+FFFD.
    EXPECT_EQ(Json("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80").text(), "\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\"");
    const std::string bad = "\xEF\xBF\xBD";
    EXPECT_EQ(Json("a\xFF"
                   "b")
                  .text(),
              "\"a" + bad + "b\"");
    EXPECT_EQ(Json("\xC0\xAF").text(), "\"" + bad + bad + "\"") << "an overlong form";
    EXPECT_EQ(Json("\xED\xA0\x80").text(), "\"" + bad + bad + bad + "\"") << "a surrogate";
    EXPECT_EQ(Json("\xF4\x90\x80\x80").text(), "\"" + bad + bad + bad + bad + "\"") << "above U+10FFFF";
    EXPECT_EQ(Json("\xE2\x82").text(), "\"" + bad + bad + "\"") << "cut short";
    EXPECT_EQ(Json(Json::Object{{"a", Json::Array{}}, {"b", Json::Object{}}}).text(), "{\"a\": [], \"b\": {}}");
}

class FunctionInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("tessaly_cli_input_" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const std::string& name, const std::string& content) const
    {
        std::ofstream(dir / name, std::ios::binary) << content;
        return (dir / name).string();
    }
    fs::path dir;
};

TEST_F(FunctionInput, TheFirstLineOfStandardInputOrOfAFileIsTheFunction)
{
    const V roots{"roots", "--lower", "0", "--upper", "1"};
    auto with = [&](std::initializer_list<std::string> more) {
        V args = roots;
        args.insert(args.end(), more);
        return args;
    };
    for (const std::string input : {"x-0.5", "x-0.5\n", "x-0.5\r\n", "x-0.5\nx-0.25\n"}) {
        EXPECT_EQ(run(with({"--function", "-"}), input).out, "0.5\n1 roots\n") << input;
        EXPECT_EQ(run(with({"--function-file", file("f.txt", input)})).out, "0.5\n1 roots\n") << input;
    }
    EXPECT_EQ(run(with({"--function=-"}), "x-0.25").out, "0.25\n1 roots\n");
    EXPECT_EQ(run(with({"--function", "-"}), "").err, usageError("the function is empty"));
    EXPECT_EQ(run(with({"--function-file", file("empty.txt", "\n x-0.5\n")})).err, usageError("the function is empty"));

    const std::string missing = (dir / "missing.txt").string();
    const Outcome none = run(with({"--function-file", missing}));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "error: cannot read " + missing + ": No such file or directory\n");
    EXPECT_EQ(run(with({"--function-file", dir.string()})).err,
              "error: cannot read " + dir.string() + ": Is a directory\n");
}

TEST_F(FunctionInput, AFunctionReadHoldsAtMost65535Characters)
{
    // "x '" and a comment of two-byte characters, counted as characters.
    std::string longest = "x '";
    for (int i = 0; i < 65532; ++i)
        longest += "\xC3\xA9";
    const V value{"value", "--x", "3", "--function", "-"};
    EXPECT_EQ(run(value, longest + "\r\n").out, "3\n");
    EXPECT_EQ(run({"value", "--x", "3", "--function-file", file("f.txt", longest + "\n")}).out, "3\n");

    const std::string over = longest + "\xC3\xA9";
    EXPECT_EQ(run(value, over).err, usageError("the function on standard input is longer than 65535 characters"));
    const std::string f = file("f.txt", over);
    EXPECT_EQ(run({"value", "--function-file", f}).err,
              usageError("the function in " + f + " is longer than 65535 characters"));
    EXPECT_EQ(run(value, std::string(1 << 20, ' ') + "x").err,
              usageError("the function on standard input is longer than 65535 characters"))
        << "a line far too long is not read whole";
}

// On a terminal, a command shows "NAME: N%" on one line that it writes again
// and erases at its end; the results and the messages are what they are
// without it, the messages after the line is gone. (Shown here from the start;
// the program shows it after a second.)
TEST(CommandLine, ProgressOnATerminalIsOneLineErasedAtTheEnd)
{
    const std::vector<std::vector<std::string>> commands = {{"roots", "--subintervals", "20000"},
                                                            {"extrema"},
                                                            {"integral", "--function", "1/x", "--lower", "-1"},
                                                            {"value", "--order", "2", "--x", "1"}};
    for (const auto& args : commands) {
        const Outcome plain = run(args);
        tessaly::cli::setProgressTerminal(true, std::chrono::milliseconds(0));
        const Outcome shown = run(args);
        tessaly::cli::setProgressTerminal(false);
        EXPECT_EQ(shown.status, plain.status) << args[0];
        EXPECT_EQ(shown.out, plain.out) << args[0];
        const std::string line = "\r" + args[0] + ": ";
        ASSERT_EQ(shown.err.rfind(line, 0), 0u) << shown.err;
        const std::size_t erased = shown.err.find("\r\033[K");
        ASSERT_NE(erased, std::string::npos) << shown.err;
        EXPECT_EQ(shown.err.substr(erased + 4), plain.err) << args[0];
        EXPECT_EQ(shown.err.find('\r', erased + 1), std::string::npos) << "one line, erased once";
    }
}

}  // namespace
