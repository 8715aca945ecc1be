// The variable the user is on: its name and definition fields, the active grid of each tab
// and the selected kinematic system, shared by the grids, the help panel and the value builders.
#pragma once

#include <string>

namespace morvane {

extern std::string g_sCurVarName;
extern std::string g_sCurVarType;
extern std::string g_sCurVarMin;
extern std::string g_sCurVarMax;
extern std::string g_sCurVarDefault;
extern std::string g_sCurVarFixed;
extern std::string g_sCurVarUnit;

extern std::string g_sActiveGenGrid; // active grid of the general tab
extern std::string g_sActiveKinGrid; // active grid of the kinematics tab
extern std::string g_sActiveSFGrid;  // active grid of the servo-file tab, upper case
extern int g_nCurEtNr;               // selected kinematic system 1..6, 0 = none

extern bool g_bEditActive; // a cell edit is open

} // namespace morvane
