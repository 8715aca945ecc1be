// The motor types offered for an axis, and the machine data a chosen motor type prescribes,
// looked up in the main INI file and, failing that, in the user's INI file.
#pragma once

#include <string>

#include "common/KeyedCollection.h"

namespace morvane {

// The full path of the user INI file ([USER_Section] UserIniFile, relative to the main INI's
// folder); "" when none is named.
std::string UserIniPath();
// The maker's motor types, then the user's when the user INI file lists any.
KeyedCollection GetMotorTypes();

} // namespace morvane
