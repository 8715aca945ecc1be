// The folder that stands for one controller: its files below R1/, the variables and faults in
// controller.ini and the journal of what was done to it.
#pragma once

#include <filesystem>

namespace morvane::sim {

struct ImageFolder {
    std::filesystem::path root;

    std::filesystem::path R1() const { return root / "R1"; }
    std::filesystem::path ControllerIni() const { return root / "controller.ini"; }
    std::filesystem::path JournalFile() const { return root / "journal.log"; }
    // The server answers only when the folder and its controller.ini are there.
    bool IsReachable() const;
};

} // namespace morvane::sim
