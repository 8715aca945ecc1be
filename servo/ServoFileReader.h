// Reading a servo file into the servo-file data: the values of the INI parameters, the
// comment lines, and the further parameters the file holds beyond the INI list.
#pragma once

#include <string_view>

namespace morvane {

// Fills g_colServoFileLines, g_colSFValues, g_colSFCalcList and g_colSFViewList from the file.
// A missing file is reported and read as an empty one.
void ReadServoFile(std::string_view sPath);

} // namespace morvane
