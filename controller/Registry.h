// The registry stand-in: each hive is a registry export file "<HIVE>.reg" in one folder
// (string and dword values, the export syntax with its escapes); it is only ever read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace morvane {

enum class RegistryHive { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE };
// Empty, a text or a 32-bit number.
using RegistryValue = std::variant<std::monostate, std::string, std::uint32_t>;

// The folder of the hive files (Windows-1252 path); "" = no registry at all.
void SetRegistryFolder(std::string_view sFolder);

// True when the key and the value exist. A text or dword value goes to vValue; a value of any
// other type leaves vValue as it was.
bool ReadRegistryValue(RegistryHive hKey, std::string_view sSubKey, std::string_view sValueName,
                       RegistryValue& vValue);

} // namespace morvane
