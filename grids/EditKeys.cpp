#include "grids/EditKeys.h"

#include "grids/CurrentVariable.h"

namespace morvane {

namespace {

constexpr int kBackspace = 8;

bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

bool EditBoxAcceptsKey(int c) {
    if (g_sCurVarType == "INT") {
        return c == kBackspace || c == '-' || IsDigit(c);
    }
    if (g_sCurVarType == "REAL") {
        return c == kBackspace || IsDigit(c) || c == ',' || c == '-' || c == '.';
    }
    if (g_sCurVarType == "CHAR") {
        // A servo file name may not contain "-".
        return c == kBackspace || c == ' ' || IsDigit(c) || IsLetter(c) || c == '_' || c == '$' ||
               (c == '-' && g_sCurVarName != "SERVOFILE_NAME");
    }
    return true;
}

} // namespace morvane
