#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/graphicsprogram.h"

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
    std::vector<std::string> args(argv + 1, argv + argc);
    return tessaly::cli::runCli(args, std::cin, std::cout, std::cerr);
}
