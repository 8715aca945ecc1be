// The controller's files: the image's R1/ folder, addressed as "BNX:\R1\NAME" or "/R1/NAME"
// with names compared without case. Nothing outside that folder is reachable by any name.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "controller/ServerInterface.h"

namespace morvane::sim {

class FileStore {
public:
    explicit FileStore(std::filesystem::path r1) : m_r1(std::move(r1)) {}

    // "/R1/" + name -> "BNX:\R1\" + the file's own name, "" when there is no such file.
    std::string Resolve(std::string_view sQuery) const;
    // "BNX:\" followed by an optional pattern ("*" and "?", compared without case) over the
    // entries "R1\NAME".
    bool List(std::string_view sPath, TextArray& names, std::string& sError) const;
    bool Read(std::string_view sControllerPath, std::string& sBytes, std::string& sError) const;
    // Replaces or creates the file atomically; sWritten = the controller path written.
    bool Write(std::string_view sControllerPath, std::string_view sBytes, std::string& sError,
               std::string& sWritten) const;
    bool Delete(std::string_view sControllerPath, std::string& sError, std::string& sDeleted) const;

private:
    // The plain file name a controller path addresses, or nullopt for anything else.
    static std::optional<std::string> NameOf(std::string_view sControllerPath);
    std::optional<std::filesystem::path> Find(std::string_view sName) const;
    bool HasFolder(std::string& sError) const;
    // The name of a controller path on an image that has its R1/ folder; sError otherwise.
    std::optional<std::string> CheckedName(std::string_view sControllerPath,
                                           std::string& sError) const;
    // The file a controller path names; sError when the path is refused or there is no such file.
    std::optional<std::filesystem::path> ExistingFile(std::string_view sControllerPath,
                                                      std::string& sError) const;

    std::filesystem::path m_r1;
};

} // namespace morvane::sim
