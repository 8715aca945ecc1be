// What the command line chooses for one run of the tool: the controller, the INI file, the
// machine-data folder, the language, the window frame and the single-instance lock.
#pragma once

#include <string>
#include <vector>

namespace morvane {

struct StartOptions {
    std::string sIniFile;       // Windows-1252 path; "" = Morvan.ini in the program's folder
    std::string sControllerDir; // the controller image; "" = no controller
    std::string sMadaDir;       // overrides the INI's machine-data folder when not ""
    std::string sLanguage;      // --lang, "" = environment or locale
    std::string sLockFile;      // "" = the default lock file
    bool bWindowed = false;     // keep the desktop's window frame
};

// Reads the options; false with a message in sError for an unknown option or a missing value.
bool ParseStartOptions(const std::vector<std::string>& args, StartOptions& options,
                       std::string& sError);

} // namespace morvane
