#include "cli/graphicscommands.h"

#include "cli/cli.h"
#include "cli/documentcommands.h"
#include "cli/plotcommand.h"

namespace tessaly::cli {

void useGraphicsCommands() { setGraphicsCommands({runPlot, runSave, runReport}); }

}  // namespace tessaly::cli
