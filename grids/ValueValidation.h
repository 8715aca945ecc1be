// The checks of an entered value against its variable's definition, the questions asked for
// values outside the limits and for changed axis counts, and the defaults for removed axes.
#pragma once

#include <optional>
#include <string_view>

namespace morvane {

inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;
inline constexpr int kNoQuestion = 0;

// Trimmed: an optional "-", at least one digit and at most one "." or ",", nothing else.
bool IsEnteredNumber(std::string_view s);
// An entered whole number (IsEnteredNumber without separator); none outside the 32-bit range.
std::optional<int> EnteredInt32(std::string_view s);

// sKind "VALTOBIG", "VALTOSMALL", "AXISNUM" (compares the numbers of sNew and sOld; no question
// when they are equal) or "MOTORTYPE"; kAnswerYes, kAnswerNo, or kNoQuestion for any other
// kind.
int AskConfirmation(std::string_view sKind, std::string_view sNew, std::string_view sOld = {});
// When the axis count falls from nOld to nNew, records the INI defaults of the axis variables
// for every axis that drops out (external axes when g_sCurVarName is "$EX_AX_NUM"). False,
// after an error box and with nothing recorded, when the INI lists no such variables.
bool SetDefaultsForInactiveAxes(int nNew, int nOld);

} // namespace morvane
