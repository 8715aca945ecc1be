// The servo parameters of a new servo file, computed from the motor and drive data the user
// entered and filed as pending servo-file changes.
#pragma once

namespace morvane {

// Checks the entered data and the drive type's two factors of the INI file, then files
// PI1069..PI1018 and the comments CLine1..CLine3 as pending changes and sets
// g_sServoFileName. Each failed check shows its message and files nothing. True when all was
// filed; the caller then shows the new values (BuildServoCalcGridNew).
bool CalcServoParameters();

} // namespace morvane
