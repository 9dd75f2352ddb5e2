// The drawing commands of tessaly-cli (plot, save, report), which load Qt:
// tessaly-cli runs this program in their place, with the same arguments.

#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/graphicscommands.h"
#include "cli/progress.h"
#include "files/interrupt.h"

int main(int argc, char** argv)
{
    // Ctrl+C ends the program at once with 130, a file being written first made whole.
    tessaly::files::exitOnInterrupt(130);
    tessaly::cli::setProgressTerminal(::isatty(STDERR_FILENO) == 1);
    tessaly::cli::useGraphicsCommands();
    std::vector<std::string> args(argv + 1, argv + argc);
    return tessaly::cli::runCli(args, std::cin, std::cout, std::cerr);
}
