#include "save/MadaFileKey.h"

#include <cmath>

#include "common/TextFunctions.h"
#include "madata/MadaStore.h"

namespace morvane {

int KeyIndex(std::string_view sKey) {
    const double d = Val(GetTextBetween(sKey, "[", "]"));
    // Keys index axes; anything beyond that range is no index at all.
    return std::fabs(d) < 1e6 ? static_cast<int>(d) : 0;
}

std::string ArrayNameOf(std::string_view sKey) {
    return std::string(sKey.substr(0, sKey.find('[')));
}

bool IsBitArrayKey(std::string_view sKey) {
    return Like(sKey, "$EX_AX_ASYNC*") || Like(sKey, "$ASYNC_T1_FAST*") ||
           Like(sKey, "$ASYNC_EX_AX_DECOUPLE*");
}

std::string MadaFileKey(std::string_view sKey) {
    if (Like(sKey, "$SERVOFILE*")) {
        return "$SERVOFILE" + std::to_string(KeyIndex(sKey)) + "[]";
    }
    if (Like(sKey, "$INC_EXTAX*") || Like(sKey, "$CURR_COM_EX*")) {
        return ArrayNameOf(sKey) + "[" + std::to_string(KeyIndex(sKey) - 6) + "]";
    }
    if (IsBitArrayKey(sKey)) {
        return ArrayNameOf(sKey);
    }
    return std::string(sKey);
}

} // namespace morvane
