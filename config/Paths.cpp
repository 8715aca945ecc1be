#include "config/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

#include "common/CodePage.h"
#include "common/TextFunctions.h"
#include "config/IniFile.h"

namespace morvane {

std::string g_sMadaPath;
std::string g_sArchivePath;

namespace {

std::string WithSlash(std::string s) {
    if (s.empty() || s.back() != '/') {
        s += '/';
    }
    return s;
}

std::string HomeFolder() {
    const char* pHome = std::getenv("HOME");
    if (pHome && *pHome) {
        return Utf8ToCp1252(pHome);
    }
    const passwd* pUser = ::getpwuid(::getuid());
    return pUser && pUser->pw_dir ? Utf8ToCp1252(pUser->pw_dir) : std::string("/");
}

// $XDG_DATA_HOME counts only when it is an absolute path.
std::string DataHome() {
    const char* pData = std::getenv("XDG_DATA_HOME");
    if (pData && *pData == '/') {
        return WithSlash(Utf8ToCp1252(pData));
    }
    return WithSlash(HomeFolder()) + ".local/share/";
}

std::string FolderFromIni(std::string_view sKey, const std::string& sDefault) {
    const std::string sValue = Trim(ReadIniValue("FILES", sKey));
    return WithSlash(sValue.empty() ? sDefault : ResolveIniPath(sValue));
}

} // namespace

std::string ResolveIniPath(std::string_view sPath) {
    const std::filesystem::path path = ToPath(sPath);
    if (sPath.empty() || path.is_absolute()) {
        return std::string(sPath);
    }
    return FromPath((ToPath(g_sIniFile).parent_path() / path).lexically_normal());
}

void LoadPaths() {
    g_sMadaPath = FolderFromIni("BNXMadaPath", DataHome() + "morvane/Mada/");
    g_sArchivePath = FolderFromIni("ArchivePath", HomeFolder());
}

} // namespace morvane
