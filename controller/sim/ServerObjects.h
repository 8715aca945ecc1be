// The simulated communication server: its factory and the objects it makes by ProgID, each
// answering the numbered methods the tool calls, over the state of one controller image.
#pragma once

#include <filesystem>

#include "controller/ServerInterface.h"

namespace morvane::sim {

// Makes the factory of the controller kept in the image folder; the controller's state is
// loaded on the first connection that reaches it and kept for later ones. Before that, and
// while the image cannot be reached, the provider yields nullptr.
ServerProvider SimulatedServerProvider(std::filesystem::path imageRoot);

} // namespace morvane::sim
