// Conversion between the program's Windows-1252 text and UTF-8, used only at the edges:
// widgets, file-system paths and the shipped UTF-8 language tables.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace morvane {

std::string Cp1252ToUtf8(std::string_view s);
// Characters that Windows-1252 cannot hold become "?"; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view s);
// A path held as Windows-1252 text, ready for the file system.
std::filesystem::path ToPath(std::string_view sPath);
std::string FromPath(const std::filesystem::path& path);

} // namespace morvane
