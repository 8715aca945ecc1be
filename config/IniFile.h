// Reading the INI files: values by section and key with the program's matching rules, and
// numbered list sections. The files are only read, never written.
#pragma once

#include <string>
#include <string_view>

#include "common/KeyedCollection.h"

namespace morvane {

// Full path of "Morvan.ini" (Windows-1252 text), set at start-up.
extern std::string g_sIniFile;

// The value of sKey in sSection of sFile ("" = g_sIniFile): trimmed, cut at 79 characters and
// before the first ";"; "" when anything is missing.
std::string ReadIniValue(std::string_view sSection, std::string_view sKey,
                         std::string_view sFile = {});
// The values of the keys "1", "2", ... up to the first that reads "", without keys. A section
// whose key "1" reads "" shows "NoParameterInSection" and leaves the program.
KeyedCollection ReadIniSection(std::string_view sSection, std::string_view sFile = {});
// s up to its first NUL character.
std::string CutAtNul(std::string_view s);

} // namespace morvane
