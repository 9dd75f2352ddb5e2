#pragma once

namespace tessaly::cli {

// Sets plot, save and report to run here, in the program that holds the
// graphics (setGraphicsCommands).
void useGraphicsCommands();

}  // namespace tessaly::cli
