// Writing the pending machine-data changes back: the changed lines rewritten, the interpreters
// stopped, the local copy and the controller's $MACHINE.DAT written, the submit restarted.
#pragma once

#include <string_view>

namespace morvane {

// True when the save completed ("ReinitVsk"). bNoQuestion skips the question whether to save
// (the program exit has asked already); the preconditions are checked in any case. The main
// window's controls are locked for the whole call.
bool SaveMachineData(bool bNoQuestion);

// Rewrites the line of one changed variable in g_sMachineDat with its pending value (for a
// bit-string array, with the bit string of its current elements) and logs the change; a key
// without a line in the text changes nothing and logs nothing.
void UpdateMadaLine(std::string_view sKey);

} // namespace morvane
