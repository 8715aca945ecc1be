// The checks before a servo file is written: the file name the controller accepts, and the
// completeness and limits of the values that would be written.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

// The base name of the path without blanks, upper case, when it has at most 14 characters of
// A-Z, 0-9 and "_"; otherwise "" (with an error box unless the name is empty).
std::string CheckServoFileName(std::string_view sPath);

// True when changes are pending, every name of g_colSFViewList has a value, every value lies
// within the limits of its definition and at least one name has a definition.
bool CheckServoValues();

} // namespace morvane
