#include "config/LanguageText.h"

#include <cstdlib>
#include <map>
#include <unordered_map>

#include "common/CodePage.h"
#include "common/FileIo.h"
#include "common/TextFunctions.h"

namespace morvane {

namespace {

constexpr std::string_view kDefaultModule = "ConfExtAxis";

using TextTable = std::unordered_map<std::string, std::string>; // upper-cased key -> text

struct LanguageState {
    std::string sFolder;
    std::string sLanguage;
    std::map<std::string, TextTable> modules; // upper-cased module name -> its table
};

LanguageState& State() {
    static LanguageState state;
    return state;
}

// "\n" is a line break of the text, "\\" a backslash; other backslashes stay.
std::string Unescape(std::string_view s) {
    std::string r;
    r.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == 'n' || s[i + 1] == '\\')) {
            r += s[i + 1] == 'n' ? std::string(kCrLf) : std::string("\\");
            ++i;
        } else {
            r += s[i];
        }
    }
    return r;
}

// One table file: UTF-8, "key=text" a line, "#" at the start of a line makes it a comment.
TextTable ReadTable(const std::string& sPath) {
    TextTable table;
    std::string sBytes;
    if (!ReadWholeFile(sPath, sBytes)) {
        return table;
    }
    std::string_view text(sBytes);
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(from, end - from);
        from = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::size_t eq = line.find('=');
        if (line.empty() || line.front() == '#' || eq == std::string_view::npos) {
            continue;
        }
        const std::string sKey = UCase(Trim(Utf8ToCp1252(line.substr(0, eq))));
        if (!sKey.empty()) {
            table.emplace(sKey, Unescape(Trim(Utf8ToCp1252(line.substr(eq + 1)))));
        }
    }
    return table;
}

const TextTable& Table(std::string_view sModule) {
    LanguageState& state = State();
    const std::string sId = UCase(sModule);
    auto it = state.modules.find(sId);
    if (it == state.modules.end()) {
        TextTable table;
        if (!state.sLanguage.empty()) {
            table =
                ReadTable(state.sFolder + Cp1252ToUtf8(sModule) + "." + state.sLanguage + ".txt");
        }
        it = state.modules.emplace(sId, std::move(table)).first;
    }
    return it->second;
}

// "de_DE.UTF-8" -> "de"; "C" and "POSIX" name no language.
std::string LanguageOfLocale(std::string_view sLocale) {
    const std::size_t cut = sLocale.find_first_of("_.@");
    std::string sLanguage = LCase(sLocale.substr(0, cut));
    if (sLanguage == "c" || sLanguage == "posix") {
        return {};
    }
    return sLanguage;
}

} // namespace

void LoadLanguageTexts(std::string_view sFolder, std::string_view sLanguage) {
    LanguageState& state = State();
    state.sFolder = std::string(sFolder);
    if (!state.sFolder.empty() && state.sFolder.back() != '/') {
        state.sFolder += '/';
    }
    state.sLanguage = LCase(sLanguage);
    state.modules.clear();
    Table(kDefaultModule);
}

std::string ChooseLanguage(std::string_view sOption) {
    if (!sOption.empty()) {
        return LCase(sOption);
    }
    const char* pChosen = std::getenv("MORVANE_LANG");
    if (pChosen && *pChosen) {
        return LCase(pChosen);
    }
    for (const char* pName : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* pLocale = std::getenv(pName);
        if (pLocale && *pLocale) {
            const std::string sLanguage = LanguageOfLocale(pLocale);
            return sLanguage.empty() ? "en" : sLanguage;
        }
    }
    return "en";
}

std::string GetLanguageText(std::string_view sKey, std::string_view sModule) {
    const TextTable& table = Table(sModule.empty() ? kDefaultModule : sModule);
    const auto it = table.find(UCase(sKey));
    return it == table.end() ? std::string() : it->second;
}

} // namespace morvane
