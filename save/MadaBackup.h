// Copies of the machine data as it stood before each save, so that a wrong save can be undone:
// backup/$MACHINE.<yyyymmdd-hhmmss>.DAT in the machine-data folder, the newest 20 kept.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

inline constexpr int kKeptMadaBackups = 20;

// Writes sText byte for byte as a new backup in sMadaFolder (ending with "/") and removes the
// oldest backups beyond the kept number. The machine-data folder itself is never created. On
// failure False, the reason in sError, and the existing backups untouched.
bool BackupMachineData(std::string_view sMadaFolder, std::string_view sText, std::string& sError);

} // namespace morvane
