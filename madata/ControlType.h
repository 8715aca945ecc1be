// The controller type derived from the machine data, the views it rules out, and the edit
// definitions of the variables read from the INI section of that type.
#pragma once

#include <string>
#include <string_view>

#include "common/KeyedCollection.h"

namespace morvane {

// "(V)BN 57", "(V)BN 86T", "(V)BN 40", "(V)BN 40L", "(V)BN 86L", or "" (not recognised).
extern std::string g_sControlType;
// The transformation name carries a robot model ("BN" and a digit) before the generation mark.
extern bool g_bRobotModelTrafo;
extern bool g_bControlTypeRead;
// Variable name as listed in the INI -> "type|min|max|default|fixed|unit".
extern KeyedCollection g_colVarDefs;

// Menu state decided by CheckControlType and applied by the main window: the items
// mnusubwindow(0..4) of the window menu and the servo-file menu as a whole. All true at start.
extern bool g_abWindowMenuEnabled[5];
extern bool g_bServoMenuEnabled;

// Determines and checks the type and files it in the value map under "ControlType". True.
bool LoadControlType();
// From the current $TRAFONAME[], else $AXIS_RESO[1] and $PMCHANNEL[1] (a missing value
// counts as "").
void DetermineControlType();
// Disables the menus that do not apply; an unsupported or unknown type ends the program
// after an information box.
void CheckControlType();
// Adds the INI definition of sKey for the controller type to g_colVarDefs, once.
void GetVarDefinition(std::string_view sKey);

} // namespace morvane
