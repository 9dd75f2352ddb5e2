#pragma once

#include <ostream>
#include <span>
#include <string>

namespace tessaly::cli {

// tessaly-cli plot [study options] [plot options] -o FILE.png|FILE.bmp: draws the
// graph as the Plot button does and writes the picture.
int runPlot(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace tessaly::cli
