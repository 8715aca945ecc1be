// The machine-data store: the text of $MACHINE.DAT, the value map read from it, the INI variable
// lists, and the line operations that find, read and rewrite a variable's line in the text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/KeyedCollection.h"

namespace morvane {

extern std::string g_sMachineDat;         // whole text of $MACHINE.DAT, "" = not loaded
extern KeyedCollection g_colMadaValues;   // variable key -> value text as read
extern KeyedCollection g_colMainDataList; // raw INI list "MainData"
extern KeyedCollection g_colMainAxesList; // raw INI list "MainAxesVar"
extern KeyedCollection g_colExtAxesList;  // raw INI list "ExtAxesVar"
extern KeyedCollection g_colExtKinList;   // expanded INI list "ExtKinVar"

extern bool g_bMainDataRead;
extern bool g_bMainAxesRead;
extern bool g_bExtAxesRead;
extern bool g_bExtKinRead;

// 0-based position of the first occurrence of sKey in sText that stands as a whole name: not
// preceded on its line by a letter, digit or "_" (a "$" before a key without one belongs to the
// name, as in $SERVOFILE7[]= for SERVOFILE7[]=), not followed by a name character when the key
// ends in one, and not inside a comment (after a ";" on its line). npos when there is none.
// Reading and rewriting both find lines through this one search, so they always agree.
std::size_t FindMadaKey(std::string_view sText, std::string_view sKey);

// The line of sKey: from the key's first character to its line end (LF, with a CR before it
// belonging to the line end), trimmed; "" when the key does not occur. A match on a last line
// that has no line end raises RunTimeError: such a line may have been cut off.
std::string GetLineFromKey(std::string_view sText, std::string_view sKey);
// The text after the first "=", up to the first ";", trimmed; "" without "=".
std::string GetLineValue(std::string_view sLine);
// As GetLineValue, but " " without "=".
std::string GetLineValueOrBlank(std::string_view sLine);
// From the first ";" (included) to the end, trimmed; "" without ";".
std::string GetLineComment(std::string_view sLine);
// The trimmed text between the first sStartMark and the first sEndMark after it. The marks are
// sought in the upper-cased text (give them in upper case); the result keeps the text's case.
// An empty sStartMark stands at the start. "" when a mark is missing.
std::string GetTextBetween(std::string_view sText, std::string_view sStartMark,
                           std::string_view sEndMark);
// The number behind sComp ("E1".."E6") in a $JERK_MA line; "" when the line has no "=" or no
// such component. A component without the mark that ends it raises RunTimeError.
std::string GetJerkComponent(std::string_view sLine, std::string_view sComp);
// Replaces the line of sKey in g_sMachineDat by sNewLine, keeping a type keyword before the key
// ("INT", "DECL FRAME", ...). Every other byte of the text, including the line's own line end,
// stays as it was. False when sKey does not occur. sOldLine is not used.
bool ReplaceMadaLine(std::string_view sNewLine, std::string_view sOldLine, std::string_view sKey);

} // namespace morvane
