#include "save/MadaBackup.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

#include "common/CodePage.h"
#include "common/FileIo.h"

namespace morvane {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = "$MACHINE.";
constexpr std::string_view kSuffix = ".DAT";
constexpr std::size_t kStampLength = 15; // yyyymmdd-hhmmss

std::string TimeStamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char sBuffer[32];
    std::strftime(sBuffer, sizeof sBuffer, "%Y%m%d-%H%M%S", &local);
    return sBuffer;
}

// A backup's place in time: its stamp, then the number that tells apart backups of one second.
struct BackupName {
    std::string sStamp;
    int nSerial = 1;
    fs::path path;
};

bool ParseBackupName(const fs::path& path, BackupName& name) {
    const std::string s = path.filename().string();
    if (s.size() < kPrefix.size() + kStampLength + kSuffix.size() || !s.starts_with(kPrefix) ||
        !s.ends_with(kSuffix)) {
        return false;
    }
    const std::string sMiddle =
        s.substr(kPrefix.size(), s.size() - kPrefix.size() - kSuffix.size());
    name.sStamp = sMiddle.substr(0, kStampLength);
    const bool bStampOk = std::all_of(name.sStamp.begin(), name.sStamp.end(),
                                      [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
    if (!bStampOk || name.sStamp[8] != '-') {
        return false;
    }
    const std::string sRest = sMiddle.substr(kStampLength);
    name.nSerial = 1;
    if (!sRest.empty()) {
        if (sRest.size() < 2 || sRest.size() > 6 || sRest[0] != '_' ||
            !std::all_of(sRest.begin() + 1, sRest.end(),
                         [](char c) { return c >= '0' && c <= '9'; })) {
            return false;
        }
        name.nSerial = std::stoi(sRest.substr(1));
    }
    name.path = path;
    return true;
}

fs::path NewBackupPath(const fs::path& folder) {
    const std::string sStamp = TimeStamp();
    fs::path path = folder / (std::string(kPrefix) + sStamp + std::string(kSuffix));
    for (int n = 2; fs::exists(path); ++n) {
        path = folder /
               (std::string(kPrefix) + sStamp + "_" + std::to_string(n) + std::string(kSuffix));
    }
    return path;
}

void RemoveOldBackups(const fs::path& folder) {
    std::vector<BackupName> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        BackupName name;
        if (entry.is_regular_file(ec) && ParseBackupName(entry.path(), name)) {
            names.push_back(std::move(name));
        }
    }
    if (names.size() <= static_cast<std::size_t>(kKeptMadaBackups)) {
        return;
    }
    std::sort(names.begin(), names.end(), [](const BackupName& a, const BackupName& b) {
        return a.sStamp != b.sStamp ? a.sStamp < b.sStamp : a.nSerial < b.nSerial;
    });
    const std::size_t nRemove = names.size() - static_cast<std::size_t>(kKeptMadaBackups);
    for (std::size_t i = 0; i < nRemove; ++i) {
        fs::remove(names[i].path, ec);
    }
}

bool Fail(const fs::path& path, int nError, std::string& sError) {
    sError = FromPath(path) + ": " + Utf8ToCp1252(std::strerror(nError));
    return false;
}

} // namespace

bool BackupMachineData(std::string_view sMadaFolder, std::string_view sText, std::string& sError) {
    const fs::path mada = ToPath(sMadaFolder);
    const fs::path folder = mada / "backup";
    std::error_code ec;
    if (!fs::is_directory(mada, ec)) {
        return Fail(mada, ENOENT, sError);
    }
    // Folders count as read-only by their permission bits, as files do, whoever runs the tool.
    if (IsReadOnly(FromPath(mada))) {
        return Fail(mada, EACCES, sError);
    }
    fs::create_directory(folder, ec);
    if (ec) {
        return Fail(folder, ec.value(), sError);
    }
    if (IsReadOnly(FromPath(folder))) {
        return Fail(folder, EACCES, sError);
    }
    if (!ReplaceFileAtomically(FromPath(NewBackupPath(folder)), sText, &sError)) {
        return false;
    }
    RemoveOldBackups(folder);
    return true;
}

} // namespace morvane
