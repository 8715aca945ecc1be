#include "controller/sim/ImageFolder.h"

namespace morvane::sim {

bool ImageFolder::IsReachable() const {
    std::error_code ec;
    return std::filesystem::is_directory(root, ec) &&
           std::filesystem::is_regular_file(ControllerIni(), ec);
}

} // namespace morvane::sim
