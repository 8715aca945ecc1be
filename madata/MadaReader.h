// Reads the variables of one INI list out of the machine-data text into the value map, with
// the progress bar of the main window, and the four per-section readers of the tabs.
#pragma once

#include <string_view>

namespace morvane {

// sSection: "MainData", "MainAxesVar", "ExtAxesVar" or "ExtKinVar", in any letter case. Stores
// a value (possibly "") for every key of the expanded list. An unreadable item (a key already
// in the value map, a line cut off without line end, a $JERK_MA line without its end) shows
// "CanNotReadMachineDat" and ends the scan, keeping what was read; the result is still True.
// False only for an unknown section name.
bool ReadSourceFile(std::string_view sSection);

// Read their section once per run (the flag g_b...Read holds the result and guards against a
// second reading), then hide the progress bar and set the normal mouse pointer.
bool ReadMainData();
bool ReadMainAxesVar();
bool ReadExtAxesVar();
bool ReadExtKinVar();

} // namespace morvane
