// The drawing commands run in the test process, as in the graphics program.

#include "cli/graphicscommands.h"

namespace {
const bool g_used = (tessaly::cli::useGraphicsCommands(), true);
}
