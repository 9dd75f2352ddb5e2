#include "cli/graphicsprogram.h"

#include <unistd.h>

#include <climits>

#include "files/textfile.h"

namespace tessaly::cli {

std::string graphicsProgram()
{
    char self[PATH_MAX] = {};
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    std::string folder = n > 0 ? std::string(self, static_cast<std::size_t>(n)) : std::string();
    folder = folder.substr(0, folder.rfind('/') + 1);
    const std::string beside = folder + "tessaly-cli-graphics";
    if (files::isRegularFile(beside))
        return beside;
    return folder + TESSALY_GRAPHICS_FROM_BIN;
}

}  // namespace tessaly::cli
