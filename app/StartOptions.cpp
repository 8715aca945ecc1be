#include "app/StartOptions.h"

namespace morvane {

bool ParseStartOptions(const std::vector<std::string>& args, StartOptions& options,
                       std::string& sError) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& sArg = args[i];
        if (sArg == "--windowed") {
            options.bWindowed = true;
            continue;
        }
        std::string* pTarget = nullptr;
        if (sArg == "--controller") {
            pTarget = &options.sControllerDir;
        } else if (sArg == "--ini") {
            pTarget = &options.sIniFile;
        } else if (sArg == "--mada") {
            pTarget = &options.sMadaDir;
        } else if (sArg == "--lang") {
            pTarget = &options.sLanguage;
        } else {
            sError = "unknown option: " + sArg;
            return false;
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            sError = "missing value after " + sArg;
            return false;
        }
        *pTarget = args[++i];
    }
    return true;
}

} // namespace morvane
