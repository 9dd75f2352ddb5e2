#pragma once

#include <string>

namespace tessaly::cli {

// Where the graphics program is: beside this program (the build tree), or
// where the install puts it relative to this program's folder
// (../libexec/tessaly/tessaly-cli-graphics).
std::string graphicsProgram();

}  // namespace tessaly::cli
