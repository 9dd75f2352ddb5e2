// The numerical commands in a process that links no Qt library.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

Outcome run(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = tessaly::cli::runCli(args, out, err);
    return {status, out.str(), err.str()};
}

// The libraries mapped into this process that are Qt's.
std::vector<std::string> qtLibrariesMapped()
{
    std::ifstream maps("/proc/self/maps");
    std::vector<std::string> found;
    for (std::string line; std::getline(maps, line);)
        if (line.find("libQt") != std::string::npos)
            found.push_back(line.substr(line.rfind(' ') + 1));
    return found;
}

TEST(NumericalCommands, RunWithoutQtAndMapNoQtLibrary)
{
    struct Row {
        std::vector<std::string> args;
        std::string out;
    };
    const Row rows[] = {
        {{"eval", "--x", "2", "x^2+1"}, "5\n"},
        {{"roots", "--function", "x*x-4", "--lower", "0", "--upper", "3"}, "2.00000095460653\n1 roots\n"},
        {{"extrema", "--function", "x*x", "--lower", "-1", "--upper", "1"},
         "MIN: [0 , 0]\n0 max. 1 min. 1 possible root(s).\n"},
        {{"integral", "--function", "x", "--lower", "0", "--upper", "2"}, "2\n"},
        {{"value", "--function", "x^3", "--x", "2"}, "8\n"},
        {{"table", "--function", "x", "--lower", "0", "--upper", "1", "--points", "2"}, "0\t0\n1\t1\n"},
        {{"window", "--command", "in"}, "-10\n10\n-7.5\n7.5\n"},
    };
    for (const Row& row : rows) {
        const Outcome r = run(row.args);
        EXPECT_EQ(r.status, 0) << row.args[0] << ": " << r.err;
        EXPECT_EQ(r.out, row.out) << row.args[0];
    }
    EXPECT_EQ(qtLibrariesMapped(), std::vector<std::string>{});
}

TEST(NumericalCommands, DrawingCommandsSayTheyNeedTheGraphicsPart)
{
    for (const char* command : {"plot", "save", "report"}) {
        const Outcome r = run({command, "-o", "/nonexistent/x.png"});
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_EQ(r.err, std::string("tessaly-cli: ") + command
                             + " needs the graphics part of Tessaly, which is not installed\n");
    }
    EXPECT_EQ(run({"plot", "--help"}).status, 0) << "its help is the tool's own";
}

}  // namespace
