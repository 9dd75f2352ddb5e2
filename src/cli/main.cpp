#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return tessaly::cli::runCli(args, std::cin, std::cout, std::cerr);
}
