#include "controller/sim/FileStore.h"

#include <algorithm>

#include "common/CodePage.h"
#include "common/FileIo.h"
#include "common/TextFunctions.h"
#include "controller/ControllerFileName.h"

namespace morvane::sim {

namespace {

constexpr std::string_view kDrive = "BNX:\\";

bool StartsWithNoCase(std::string_view s, std::string_view sPrefix) {
    return s.size() >= sPrefix.size() && EqualsNoCase(s.substr(0, sPrefix.size()), sPrefix);
}

} // namespace

std::optional<std::string> FileStore::NameOf(std::string_view sControllerPath) {
    std::string_view sName;
    if (StartsWithNoCase(sControllerPath, "BNX:\\R1\\")) {
        sName = sControllerPath.substr(8);
    } else if (StartsWithNoCase(sControllerPath, "/R1/")) {
        sName = sControllerPath.substr(4);
    } else {
        return std::nullopt;
    }
    if (!IsPlainControllerFileName(sName)) {
        return std::nullopt;
    }
    return std::string(sName);
}

std::optional<std::filesystem::path> FileStore::Find(std::string_view sName) const {
    std::error_code ec;
    std::optional<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(m_r1, ec)) {
        if (entry.is_regular_file(ec) && EqualsNoCase(FromPath(entry.path().filename()), sName)) {
            if (!found || entry.path().filename() < found->filename()) {
                found = entry.path();
            }
        }
    }
    return found;
}

bool FileStore::HasFolder(std::string& sError) const {
    std::error_code ec;
    if (std::filesystem::is_directory(m_r1, ec)) {
        return true;
    }
    sError = "the controller has no folder R1";
    return false;
}

std::optional<std::string> FileStore::CheckedName(std::string_view sControllerPath,
                                                  std::string& sError) const {
    auto name = NameOf(sControllerPath);
    if (!name) {
        sError = "invalid controller path: " + std::string(sControllerPath);
        return std::nullopt;
    }
    if (!HasFolder(sError)) {
        return std::nullopt;
    }
    return name;
}

std::optional<std::filesystem::path> FileStore::ExistingFile(std::string_view sControllerPath,
                                                             std::string& sError) const {
    auto name = CheckedName(sControllerPath, sError);
    if (!name) {
        return std::nullopt;
    }
    auto path = Find(*name);
    if (!path) {
        sError = "file not found: " + std::string(sControllerPath);
    }
    return path;
}

std::string FileStore::Resolve(std::string_view sQuery) const {
    if (!StartsWithNoCase(sQuery, "/R1/")) {
        return "";
    }
    auto name = NameOf(sQuery);
    if (!name) {
        return "";
    }
    auto path = Find(*name);
    return path ? "BNX:\\R1\\" + FromPath(path->filename()) : "";
}

bool FileStore::List(std::string_view sPath, TextArray& names, std::string& sError) const {
    if (!StartsWithNoCase(sPath, kDrive)) {
        sError = "no such drive: " + std::string(sPath);
        return false;
    }
    const std::string sPattern = UCase(sPath.substr(kDrive.size()));
    if (sPattern.find("..") != std::string::npos) {
        sError = "invalid path: " + std::string(sPath);
        return false;
    }
    names.clear();
    std::error_code ec;
    if (!std::filesystem::is_directory(m_r1, ec)) {
        return true;
    }
    for (const auto& entry : std::filesystem::directory_iterator(m_r1, ec)) {
        if (!entry.is_regular_file(ec)) {
            continue;
        }
        const std::string sEntry = "R1\\" + FromPath(entry.path().filename());
        const bool bMatch =
            sPattern.empty() || (sPattern.back() == '\\' ? UCase(sEntry).starts_with(sPattern)
                                                         : MatchesFilePattern(sEntry, sPattern));
        if (bMatch) {
            names.push_back(sEntry);
        }
    }
    std::sort(names.begin(), names.end());
    return true;
}

bool FileStore::Read(std::string_view sControllerPath, std::string& sBytes,
                     std::string& sError) const {
    auto path = ExistingFile(sControllerPath, sError);
    if (!path) {
        return false;
    }
    if (!ReadWholeFile(FromPath(*path), sBytes)) {
        sError = "file cannot be read: " + std::string(sControllerPath);
        return false;
    }
    return true;
}

bool FileStore::Write(std::string_view sControllerPath, std::string_view sBytes,
                      std::string& sError, std::string& sWritten) const {
    auto name = CheckedName(sControllerPath, sError);
    if (!name) {
        return false;
    }
    const std::filesystem::path path = Find(*name).value_or(m_r1 / ToPath(*name));
    sWritten = "BNX:\\R1\\" + FromPath(path.filename());
    if (IsReadOnly(FromPath(path))) {
        sError = "file is write-protected: " + sWritten;
        return false;
    }
    std::string sReason;
    if (!ReplaceFileAtomically(FromPath(path), sBytes, &sReason)) {
        sError = "file cannot be written: " + sReason;
        return false;
    }
    return true;
}

bool FileStore::Delete(std::string_view sControllerPath, std::string& sError,
                       std::string& sDeleted) const {
    auto path = ExistingFile(sControllerPath, sError);
    if (!path) {
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::remove(*path, ec)) {
        sError = "file cannot be deleted: " + std::string(sControllerPath);
        return false;
    }
    sDeleted = "BNX:\\R1\\" + FromPath(path->filename());
    return true;
}

} // namespace morvane::sim
