// The gateway to the language texts: every caption and message is looked up by key in the
// shipped tables texts/<module>.<lang>.txt; an unknown key gives "".
#pragma once

#include <string>
#include <string_view>

namespace morvane {

// Loads the tables of this language ("en", "de", ...) from the folder (UTF-8 path with a
// trailing "/"). A missing table leaves every text "".
void LoadLanguageTexts(std::string_view sFolder, std::string_view sLanguage);
// The language chosen by --lang, else MORVANE_LANG, else the locale (LC_ALL, LC_MESSAGES,
// LANG), else "en"; sOption is the value of --lang or "".
std::string ChooseLanguage(std::string_view sOption);

// The text of sKey in module sModule ("" = "ConfExtAxis"), Windows-1252; "" when unknown.
std::string GetLanguageText(std::string_view sKey, std::string_view sModule = {});
inline std::string T(std::string_view sKey) {
    return GetLanguageText(sKey);
}

} // namespace morvane
