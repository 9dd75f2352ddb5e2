#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/graphicsprogram.h"
#include "cli/progress.h"
#include "files/interrupt.h"

int main(int argc, char** argv)
{
    // The drawing commands are the graphics program's: run in this process's
    // place, it loads Qt, which the numerical commands never do.
    if (argc > 1 && tessaly::cli::isGraphicsCommand(argv[1])) {
        const std::string program = tessaly::cli::graphicsProgram();
        ::execv(program.c_str(), argv);
        std::cerr << "tessaly-cli: cannot run " << program << ": " << std::strerror(errno) << "\n";
        return tessaly::cli::kExitFailed;
    }
    // Ctrl+C ends the program at once with 130, a file being written first made
    // whole; a long command shows its progress when standard error is a terminal.
    tessaly::files::exitOnInterrupt(130);
    tessaly::cli::setProgressTerminal(::isatty(STDERR_FILENO) == 1);
    std::vector<std::string> args(argv + 1, argv + argc);
    return tessaly::cli::runCli(args, std::cin, std::cout, std::cerr);
}
