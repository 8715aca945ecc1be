#include "config/IniFile.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <system_error>
#include <utility>
#include <vector>

#include "common/CodePage.h"
#include "common/FileIo.h"
#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/LanguageText.h"

namespace morvane {

std::string g_sIniFile;

namespace {

// The read buffer of the profile reader holds 80 characters with the terminating zero.
constexpr std::size_t kMaxValueLength = 79;

struct IniSection {
    std::string sName;
    std::vector<std::pair<std::string, std::string>> entries; // key, raw value
};

struct ParsedIni {
    std::uintmax_t nSize = 0;
    std::filesystem::file_time_type modified;
    std::string sBytes;
    std::vector<IniSection> sections;
};

std::vector<IniSection> ParseIni(std::string_view sText) {
    std::vector<IniSection> sections;
    std::size_t from = 0;
    while (from < sText.size()) {
        std::size_t end = sText.find('\n', from);
        if (end == std::string_view::npos) {
            end = sText.size();
        }
        std::string_view line = sText.substr(from, end - from);
        from = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        line = TrimBlanksAndTabs(line);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            if (close != std::string_view::npos) {
                sections.push_back({std::string(TrimBlanksAndTabs(line.substr(1, close - 1))), {}});
            }
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || sections.empty()) {
            continue;
        }
        sections.back().entries.emplace_back(std::string(TrimBlanksAndTabs(line.substr(0, eq))),
                                             std::string(TrimBlanksAndTabs(line.substr(eq + 1))));
    }
    return sections;
}

// A file changed within this span may have kept its time stamp (coarse file-system clocks),
// so its bytes are compared before the cached parse is trusted.
constexpr auto kRacyWindow = std::chrono::seconds(2);

// The parsed file, read again when it changed; nullptr when it cannot be read.
const ParsedIni* GetParsedIni(const std::string& sFile) {
    static std::map<std::string, ParsedIni> cache;
    const std::filesystem::path path = ToPath(sFile);
    std::error_code ec;
    const std::uintmax_t nSize = std::filesystem::file_size(path, ec);
    const std::filesystem::file_time_type modified =
        ec ? std::filesystem::file_time_type{} : std::filesystem::last_write_time(path, ec);
    if (ec) {
        cache.erase(sFile);
        return nullptr;
    }
    auto it = cache.find(sFile);
    if (it != cache.end() && it->second.nSize == nSize && it->second.modified == modified &&
        std::filesystem::file_time_type::clock::now() - modified > kRacyWindow) {
        return &it->second;
    }
    std::string sBytes;
    if (!ReadWholeFile(sFile, sBytes)) {
        cache.erase(sFile);
        return nullptr;
    }
    if (it != cache.end() && it->second.sBytes == sBytes) {
        it->second.nSize = nSize;
        it->second.modified = modified;
        return &it->second;
    }
    ParsedIni& parsed = cache[sFile];
    parsed.nSize = nSize;
    parsed.modified = modified;
    parsed.sections = ParseIni(sBytes);
    parsed.sBytes = std::move(sBytes);
    return &parsed;
}

// The raw value of the first matching key of the first matching section, or "".
std::string LookUp(std::string_view sSection, std::string_view sKey, const std::string& sFile) {
    const ParsedIni* pIni = GetParsedIni(sFile);
    if (!pIni) {
        return {};
    }
    for (const IniSection& section : pIni->sections) {
        if (!EqualsNoCase(section.sName, sSection)) {
            continue;
        }
        for (const auto& [key, value] : section.entries) {
            if (EqualsNoCase(key, sKey)) {
                return value;
            }
        }
        return {};
    }
    return {};
}

} // namespace

std::string ReadIniValue(std::string_view sSection, std::string_view sKey, std::string_view sFile) {
    const std::string sPath(sFile.empty() ? std::string_view(g_sIniFile) : sFile);
    std::string sValue = LookUp(sSection, sKey, sPath);
    if (sValue.empty()) {
        return {};
    }
    if (sValue.size() > kMaxValueLength) {
        sValue.resize(kMaxValueLength);
    }
    sValue = CutAtNul(Trim(sValue));
    const std::size_t semicolon = sValue.find(';');
    if (semicolon != std::string::npos) {
        sValue = Trim(std::string_view(sValue).substr(0, semicolon));
    }
    return sValue;
}

KeyedCollection ReadIniSection(std::string_view sSection, std::string_view sFile) {
    KeyedCollection list;
    for (int i = 1;; ++i) {
        std::string sValue = ReadIniValue(sSection, std::to_string(i), sFile);
        if (sValue.empty()) {
            if (i == 1) {
                MsgBox(T("NoParameterInSection") + "  [" + std::string(sSection) + "]",
                       MsgButtons::OK, MsgIcon::Error);
                ExitProgram(false);
            }
            return list;
        }
        list.Add(std::move(sValue));
    }
}

std::string CutAtNul(std::string_view s) {
    return std::string(s.substr(0, s.find('\0')));
}

} // namespace morvane
