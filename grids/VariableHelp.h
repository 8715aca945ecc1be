// The help panel of the current variable: which name its texts and definition are found
// under, loading that definition into the current-variable fields, and the panel's texts.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

// What the help panel shows for one variable; empty texts stay blank.
struct VariableHelpTexts {
    std::string sShortDesc;
    std::string sLongDesc;
    std::string sUnit; // "[MM]", "[ ]" for a definition without unit, "" without definition
    std::string sType; // "Type [INT]"
    std::string sDefault;
    std::string sFixed;
    std::string sMin;
    std::string sMax;
};

// The frame variables of the kinematic systems share the generic name of their kind
// ("$ET2_TA1BN" -> "$ET#_TA1BN"); every other name is its own help name.
std::string HelpNameOf(std::string_view sName);
// Copies the stored definition of sName into g_sCurVarType .. g_sCurVarUnit; false, and
// nothing changed, when there is none. A definition with fewer fields sets only those.
bool SelectVarDefinition(std::string_view sName);
// Makes sName the current variable and returns the panel's texts for it.
// Takes the name by value: callers pass g_sCurVarName itself, which this overwrites.
VariableHelpTexts ShowVariableHelp(std::string sName);
// The name behind a row of the servo-file parameter grid: "CommentLine" for a comment row, else
// the parameter listed for row nRow, else column 0 without blanks.
std::string ServoCalcRowName(std::string_view sColumn0, int nRow = 0);

} // namespace morvane
