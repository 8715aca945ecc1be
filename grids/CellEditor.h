// Opening and closing the cell editor: the checks that refuse an edit, the edit control and
// choice list each grid row gets, and the end of an edit by Enter or Escape.
#pragma once

#include <memory>
#include <string_view>

#include "common/KeyedCollection.h"
#include "grids/ChangeControl.h"

namespace morvane {

// The object of the running edit; empty while no edit runs.
extern std::unique_ptr<clsChangeControl> g_oChangeControl;

inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;

// Opens the editor on the current cell of the active grid of the current tab, or refuses it
// (an information box, or silently in a name column) and leaves everything unchanged.
void StartCellEdit();
// Enter hands the entry to WriteValueToGrid and closes the editor when it is taken, else gives
// the focus back to the control named sControlName; Escape closes the editor. Other keys only
// clear g_bEditActive.
void FinishCellEdit(int nKeyCode, std::string_view sText, std::string_view sText2,
                    std::string_view sControlName);

// The servo files of the machine-data folder offered for $SERVOFILE: "DEFAULT" first, then
// the base names, each in double quotes.
KeyedCollection ServoFileChoices();

} // namespace morvane
