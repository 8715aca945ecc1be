// The folders and files the INI names for this installation, with their defaults; read once at
// start-up and used by every module that reads or writes local files.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

extern std::string g_sMadaPath;    // local machine-data and servo-file folder, ends with "/"
extern std::string g_sArchivePath; // folder offered for archives, ends with "/"

// Reads [FILES] BNXMadaPath and ArchivePath of g_sIniFile; empty values take the defaults of
// this platform, relative paths are resolved against the INI's folder.
void LoadPaths();
// sPath (Windows-1252) as it stands when absolute or "", else resolved against the folder of
// g_sIniFile: how the INI's own relative paths (MdbFile, UserIniFile, ...) are meant.
std::string ResolveIniPath(std::string_view sPath);

} // namespace morvane
