#include "app/VersionDatabase.h"

#include <filesystem>
#include <sqlite3.h>

#include "common/CodePage.h"
#include "config/IniFile.h"

namespace morvane {

namespace {

std::filesystem::path DatabasePath(const std::string& sValue) {
    std::filesystem::path path = ToPath(sValue);
    if (path.is_relative()) {
        path = ToPath(g_sIniFile).parent_path() / path;
    }
    return path;
}

} // namespace

std::string GetMdbVersion() {
    const std::string sValue = ReadIniValue("Files", "MdbFile");
    if (sValue.empty()) {
        return {};
    }
    const std::filesystem::path path = DatabasePath(sValue);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return {};
    }
    sqlite3* pDb = nullptr;
    std::string sVersion;
    if (sqlite3_open_v2(path.string().c_str(), &pDb, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* pStatement = nullptr;
        if (sqlite3_prepare_v2(pDb,
                               "SELECT VersionNumber FROM VersionNumber ORDER BY VersionNumber "
                               "DESC LIMIT 1",
                               -1, &pStatement, nullptr) == SQLITE_OK &&
            sqlite3_step(pStatement) == SQLITE_ROW) {
            const unsigned char* pText = sqlite3_column_text(pStatement, 0);
            if (pText) {
                sVersion = Utf8ToCp1252(reinterpret_cast<const char*>(pText));
            }
        }
        sqlite3_finalize(pStatement);
    }
    sqlite3_close(pDb);
    return sVersion;
}

} // namespace morvane
