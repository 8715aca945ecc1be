#include "controller/Registry.h"

#include <map>
#include <optional>

#include "common/CodePage.h"
#include "common/FileIo.h"
#include "common/TextFunctions.h"

namespace morvane {

namespace {

std::string& RegistryFolder() {
    static std::string sFolder;
    return sFolder;
}

std::string_view HiveName(RegistryHive hive) {
    return hive == RegistryHive::HKEY_CURRENT_USER ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

void AppendUtf8(std::string& s, std::uint32_t cp) {
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Utf16LeToUtf8(std::string_view s) {
    std::string r;
    for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
        std::uint32_t u = static_cast<unsigned char>(s[i]) |
                          (static_cast<std::uint32_t>(static_cast<unsigned char>(s[i + 1])) << 8);
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < s.size()) {
            const std::uint32_t lo =
                static_cast<unsigned char>(s[i + 2]) |
                (static_cast<std::uint32_t>(static_cast<unsigned char>(s[i + 3])) << 8);
            if (lo >= 0xDC00 && lo < 0xE000) {
                u = 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(r, u);
    }
    return r;
}

bool IsUtf8WithHighBytes(std::string_view s) {
    bool bHigh = false;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80         ? 1
                              : (c >> 5) == 6  ? 2
                              : (c >> 4) == 14 ? 3
                              : (c >> 3) == 30 ? 4
                                               : 0;
        if (n == 0 || i + n > s.size()) {
            return false;
        }
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) {
                return false;
            }
        }
        bHigh = bHigh || n > 1;
        i += n;
    }
    return bHigh;
}

// Exports are UTF-16 with a byte-order mark; hand-written files may be UTF-8 or ANSI.
std::string DecodeRegFile(std::string_view s) {
    if (s.starts_with("\xFF\xFE")) {
        return Utf8ToCp1252(Utf16LeToUtf8(s.substr(2)));
    }
    if (s.starts_with("\xEF\xBB\xBF")) {
        return Utf8ToCp1252(s.substr(3));
    }
    return IsUtf8WithHighBytes(s) ? Utf8ToCp1252(s) : std::string(s);
}

// A quoted text with the escapes \\ and \" starting at s[pos]; pos moves past it.
std::optional<std::string> ReadQuoted(std::string_view s, std::size_t& pos) {
    if (pos >= s.size() || s[pos] != '"') {
        return std::nullopt;
    }
    std::string r;
    for (++pos; pos < s.size(); ++pos) {
        if (s[pos] == '\\' && pos + 1 < s.size()) {
            r += s[++pos];
        } else if (s[pos] == '"') {
            ++pos;
            return r;
        } else {
            r += s[pos];
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> ParseDword(std::string_view s) {
    if (s.empty() || s.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t n = 0;
    for (char c : s) {
        const char u = UpperChar(c);
        if (u >= '0' && u <= '9') {
            n = n * 16 + static_cast<std::uint32_t>(u - '0');
        } else if (u >= 'A' && u <= 'F') {
            n = n * 16 + static_cast<std::uint32_t>(u - 'A' + 10);
        } else {
            return std::nullopt;
        }
    }
    return n;
}

using ValueMap = std::map<std::string, RegistryValue>; // upper-cased value name -> value
using KeyMap = std::map<std::string, ValueMap>;        // upper-cased key path -> values

// One value line: name (or "@"), "=", data. False for a line that is no value line.
bool ParseValueLine(std::string_view sLine, ValueMap& values) {
    std::size_t pos = 0;
    std::string sName;
    if (sLine.starts_with("@")) {
        pos = 1;
    } else {
        auto name = ReadQuoted(sLine, pos);
        if (!name) {
            return false;
        }
        sName = *name;
    }
    const std::string sRest = Trim(sLine.substr(pos));
    if (!sRest.starts_with("=")) {
        return false;
    }
    const std::string sData = Trim(std::string_view(sRest).substr(1));
    const std::string sKey = UCase(sName);
    if (sData == "-") {
        values.erase(sKey);
        return true;
    }
    if (sData.starts_with("\"")) {
        std::size_t at = 0;
        auto text = ReadQuoted(sData, at);
        if (!text || !Trim(std::string_view(sData).substr(at)).empty()) {
            return false;
        }
        values[sKey] = *text;
        return true;
    }
    const std::string uData = UCase(sData);
    if (uData.starts_with("DWORD:")) {
        auto n = ParseDword(Trim(std::string_view(sData).substr(6)));
        if (!n) {
            return false;
        }
        values[sKey] = *n;
        return true;
    }
    if (uData.starts_with("HEX:") || uData.starts_with("HEX(")) {
        values[sKey] = std::monostate{};
        return true;
    }
    return false;
}

KeyMap ParseRegFile(std::string_view sText, std::string_view sHive) {
    KeyMap keys;
    ValueMap* pCurrent = nullptr;
    bool bHeaderSeen = false;
    std::size_t from = 0;
    while (from < sText.size()) {
        std::size_t lf = sText.find('\n', from);
        if (lf == std::string_view::npos) {
            lf = sText.size();
        }
        std::string sLine(sText.substr(from, lf - from));
        from = lf + 1;
        // Long binary values continue on the next line after a trailing backslash.
        while (true) {
            std::string sTrimmed = RTrim(Replace(sLine, "\r", ""));
            if (!sTrimmed.ends_with("\\") || from >= sText.size() || sTrimmed.starts_with("[")) {
                sLine = sTrimmed;
                break;
            }
            lf = sText.find('\n', from);
            if (lf == std::string_view::npos) {
                lf = sText.size();
            }
            sLine = sTrimmed.substr(0, sTrimmed.size() - 1) +
                    LTrim(Replace(sText.substr(from, lf - from), "\t", " "));
            from = lf + 1;
        }
        sLine = Trim(Replace(sLine, "\t", " "));
        if (sLine.empty() || sLine[0] == ';') {
            continue;
        }
        if (!bHeaderSeen) {
            if (sLine != "Windows Registry Editor Version 5.00" && sLine != "REGEDIT4") {
                return {};
            }
            bHeaderSeen = true;
            continue;
        }
        if (sLine.front() == '[' && sLine.back() == ']') {
            std::string sPath = sLine.substr(1, sLine.size() - 2);
            const bool bDelete = sPath.starts_with("-");
            if (bDelete) {
                sPath.erase(0, 1);
            }
            const std::string uPath = UCase(sPath);
            const std::string uHive = UCase(sHive);
            pCurrent = nullptr;
            if (uPath != uHive && !uPath.starts_with(uHive + "\\")) {
                continue;
            }
            const std::string sKey =
                uPath.size() > uHive.size() ? uPath.substr(uHive.size() + 1) : "";
            if (bDelete) {
                std::erase_if(keys, [&](const auto& entry) {
                    return entry.first == sKey || entry.first.starts_with(sKey + "\\");
                });
            } else {
                pCurrent = &keys[sKey];
            }
            continue;
        }
        if (pCurrent) {
            ParseValueLine(sLine, *pCurrent);
        }
    }
    return keys;
}

} // namespace

void SetRegistryFolder(std::string_view sFolder) {
    RegistryFolder() = sFolder;
}

bool ReadRegistryValue(RegistryHive hKey, std::string_view sSubKey, std::string_view sValueName,
                       RegistryValue& vValue) {
    if (RegistryFolder().empty()) {
        return false;
    }
    std::string sFolder = RegistryFolder();
    if (!sFolder.ends_with("/")) {
        sFolder += "/";
    }
    std::string sBytes;
    if (!ReadWholeFile(sFolder + std::string(HiveName(hKey)) + ".reg", sBytes)) {
        return false;
    }
    const KeyMap keys = ParseRegFile(DecodeRegFile(sBytes), HiveName(hKey));
    std::string sKey = UCase(sSubKey);
    while (sKey.ends_with("\\")) {
        sKey.pop_back();
    }
    const auto key = keys.find(sKey);
    if (key == keys.end()) {
        return false;
    }
    const auto value = key->second.find(UCase(sValueName));
    if (value == key->second.end()) {
        return false;
    }
    if (!std::holds_alternative<std::monostate>(value->second)) {
        vValue = value->second;
    }
    return true;
}

} // namespace morvane
