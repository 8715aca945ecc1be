// The version of the version database named by the INI: the last entry of its version table.
#pragma once

#include <string>

namespace morvane {

// [Files] MdbFile (relative to the INI's folder): the highest "VersionNumber" of the table
// "VersionNumber"; "" when there is no such file, table or entry.
std::string GetMdbVersion();

} // namespace morvane
