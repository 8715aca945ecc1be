// What counts as a controller file name (one plain name inside the controller's R1 folder,
// never a path or a name that could climb out of it) and how file patterns match names.
#pragma once

#include <string_view>

namespace morvane {

// A non-empty name with a "." and without folders ("/", "\", ":"), "..", wildcards or
// control characters.
bool IsPlainControllerFileName(std::string_view sName);
// File-name pattern match without regard to case: "*" any run (also none), "?" one character.
bool MatchesFilePattern(std::string_view sName, std::string_view sPattern);

} // namespace morvane
