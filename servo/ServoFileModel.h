// The servo file held in memory: the parameter lists of the INI, the lists and lines of the
// file being edited, its name and the servo mode, and the reset of all of them.
#pragma once

#include <string>
#include <string_view>

#include "common/KeyedCollection.h"

namespace morvane {

// The file's values, the pending changes and the computation inputs are the change lists'
// g_colSFValues, g_colSFChanges and g_colSFNeededVals (grids/ChangeLists.h).
extern KeyedCollection g_colSFNeededList;   // inputs of the computation, INI "SF_Needed_Par"
extern KeyedCollection g_colSFCalcList;     // file parameters; after reading: "CLine"s first
extern KeyedCollection g_colSFViewList;     // every name written back, in file order
extern KeyedCollection g_colServoFileLines; // raw lines of the file last read
extern std::string g_sServoFileName; // as chosen after opening, upper-case base name after saving
extern std::string g_sServoMode;     // "OPEN", "NEW" or "" before the tab was first shown
extern bool g_bServoListsRead;       // InitServoFileData has run once

// Empties the servo-file data, loads the two INI parameter lists and the definitions of their
// names, and sets g_bServoListsRead.
bool InitServoFileData();

// True for "CLine1", "CLine2", ...: the keys of the comment lines.
bool IsCommentKey(std::string_view sName);
// True for "PI" followed by a digit: a drive parameter with a line of its own in the file.
bool IsParameterKey(std::string_view sName);
// The file name of a path without its folder and its last extension.
std::string BaseNameOfPath(std::string_view sPath);

} // namespace morvane
