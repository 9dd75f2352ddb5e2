// The drawing commands of tessaly-cli (plot, save, report), which load Qt:
// tessaly-cli runs this program in their place, with the same arguments.

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/graphicscommands.h"

int main(int argc, char** argv)
{
    tessaly::cli::useGraphicsCommands();
    std::vector<std::string> args(argv + 1, argv + argc);
    return tessaly::cli::runCli(args, std::cin, std::cout, std::cerr);
}
