// Text helpers over Windows-1252 byte strings with the semantics the machine data relies on:
// blank-only trimming, upper case of the code page, the Like matcher, leading-number reading.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

inline constexpr std::string_view kCrLf = "\r\n";

// Removes blanks (0x20 only, not tabs) at both ends / the start / the end.
std::string Trim(std::string_view s);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
// Removes blanks and tabs at both ends; the result views the same characters as s.
std::string_view TrimBlanksAndTabs(std::string_view s);
// The two texts as two paragraphs of a message: an empty line between them.
std::string Paragraphs(std::string_view sFirst, std::string_view sSecond);

// a-z and the Windows-1252 lower-case letters map to upper case; everything else stays.
char UpperChar(char c);
char LowerChar(char c);
std::string UCase(std::string_view s);
std::string LCase(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Pattern match, case-sensitive: "*" any run (also none), "?" one character, "#" one digit.
bool Like(std::string_view s, std::string_view sPattern);

// 1-based position of sFind in s at or after nStart, 0 when absent (nStart < 1 counts as 1).
std::size_t InStr(std::string_view s, std::string_view sFind, std::size_t nStart = 1);
// Replaces every occurrence, left to right.
std::string Replace(std::string_view s, std::string_view sFind, std::string_view sWith);

// The number at the start of the text: blanks, tabs and line feeds are skipped everywhere,
// then an optional sign, digits, a point, digits and an exponent (E or D) are read as far as
// they go; "&H" and "&O" prefixes read hexadecimal and octal. 0 when there is no number.
double Val(std::string_view s);
// True when the whole text, blanks around it aside, is one number: optional sign, digits with
// at most one point, optional exponent; at least one digit. "&H1F" counts too.
bool IsNumeric(std::string_view s);

// Number formats of the program, always with a point: "##########0.0###" (one to four
// decimals), "##########0.0#" (one or two), "###########" (rounded integer, "" for 0).
// Halves round away from zero; a result that rounds to zero never carries a minus sign.
std::string FormatNumber(double d, std::string_view sFormat);
// The shortest text of a number with up to 15 significant digits, point as separator
// (what a number turns into when it is joined to a text).
std::string NumberToText(double d);

} // namespace morvane
