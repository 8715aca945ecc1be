#include "log/CLSLog.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/CodePage.h"
#include "common/FileIo.h"
#include "common/TextFunctions.h"

namespace morvane {

std::string g_sLogFile;

namespace {

constexpr std::size_t kMaxLogChars = 500000;
constexpr std::size_t kKeptLogChars = 100000;
constexpr int kHeaderRuleLength = 73;

// $XDG_STATE_HOME/morvane/Morvan.log, else below ~/.local/state; "" without a home folder.
std::filesystem::path DefaultLogPath() {
    std::filesystem::path base;
    const char* pszState = std::getenv("XDG_STATE_HOME");
    if (pszState != nullptr && std::filesystem::path(pszState).is_absolute()) {
        base = pszState;
    } else {
        const char* pszHome = std::getenv("HOME");
        if (pszHome == nullptr || *pszHome == '\0') {
            return {};
        }
        base = std::filesystem::path(pszHome) / ".local" / "state";
    }
    return base / "morvane" / "Morvan.log";
}

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tmNow{};
    localtime_r(&now, &tmNow);
    return tmNow;
}

std::string FormatTm(const std::tm& tmNow, const char* pszFormat) {
    char szText[32];
    return std::string(szText, std::strftime(szText, sizeof szText, pszFormat, &tmNow));
}

std::string FormatDate(const std::tm& tmNow) {
    return FormatTm(tmNow, "%d.%m.%Y");
}
std::string FormatTime(const std::tm& tmNow) {
    return FormatTm(tmNow, "%H:%M:%S");
}

} // namespace

std::string TodayText() {
    return FormatDate(LocalNow());
}

CLSLog& g_oLog() {
    static CLSLog oLog;
    return oLog;
}

void CLSLog::LogFile() {
    // The default path is settled before the size check, so that a default log is cut too.
    EnsureLogFile();
    LimitLogFileSize();
    Log(std::string(kHeaderRuleLength, '-') + std::string(kCrLf), false);
    const std::tm tmNow = LocalNow();
    Log("Morvane Ver. " + std::to_string(MORVANE_VERSION_MAJOR) + "." +
            std::to_string(MORVANE_VERSION_MINOR) + "." + std::to_string(MORVANE_VERSION_PATCH) +
            ": activate " + FormatDate(tmNow) + ", " + FormatTime(tmNow),
        false);
}

void CLSLog::Log(std::string_view sMeldung, bool bWithTime) {
    EnsureLogFile();
    if (g_sLogFile.empty() || IsReadOnly(g_sLogFile)) {
        return;
    }
    std::string sLine;
    if (bWithTime) {
        const std::tm tmNow = LocalNow();
        sLine = FormatDate(tmNow) + "," + FormatTime(tmNow) + ": ";
    }
    sLine += Trim(sMeldung);
    sLine += kCrLf;
    std::ofstream file(ToPath(g_sLogFile), std::ios::binary | std::ios::app);
    file.write(sLine.data(), static_cast<std::streamsize>(sLine.size()));
}

void CLSLog::LimitLogFileSize() {
    std::string sText;
    if (g_sLogFile.empty() || !ReadWholeFile(g_sLogFile, sText) || sText.size() <= kMaxLogChars) {
        return;
    }
    // Written beside the old log and renamed over it: a failure, or a read-only log, keeps the
    // old log whole.
    ReplaceFileAtomically(g_sLogFile,
                          sText.substr(sText.size() - kKeptLogChars) + std::string(kCrLf));
}

void CLSLog::EnsureLogFile() {
    if (!g_sLogFile.empty()) {
        return;
    }
    const std::filesystem::path path = DefaultLogPath();
    if (path.empty()) {
        return;
    }
    g_sLogFile = FromPath(path);
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (!std::filesystem::exists(path, ec)) {
        std::ofstream create(path, std::ios::binary | std::ios::app);
    }
}

} // namespace morvane
