#include "madata/ValueSyntax.h"

#include <array>

#include "common/RunTimeError.h"
#include "common/TextFunctions.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "madata/CharacterOps.h"
#include "madata/MadaStore.h"

namespace morvane {

namespace {

std::string Component(std::string_view sValue, const std::string& sStartMark, bool bLast) {
    return GetTextBetween(RemoveBlanks(Trim(UCase(sValue))), sStartMark, bLast ? "}" : ",");
}

std::string NewComponent(std::string_view sNew) {
    return UCase(Trim(sNew));
}

} // namespace

int Get_Bin_Bit(std::string_view sValue, int n) {
    if (Trim(sValue).empty() || n < 1) {
        return 0;
    }
    std::string sDigits = Trim(UCase(sValue));
    if (sDigits.find("'B") != std::string::npos) {
        sDigits = Trim(sDigits.substr(sDigits.find('B') + 1));
        if (sDigits.find('\'') != std::string::npos) {
            sDigits = Trim(sDigits.substr(0, sDigits.size() - 1));
        }
    }
    if (sDigits.size() < static_cast<std::size_t>(n)) {
        return 0;
    }
    // A character that is no digit (a damaged value such as 'B01X1' or a lone B) reads as 0,
    // the state of an unset flag, so that the reading goes on.
    const char c = sDigits[sDigits.size() - static_cast<std::size_t>(n)];
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

std::string Get_Ex_Kin(std::string_view sValue, int n) {
    return Component(sValue, "ET" + std::to_string(n) + "#", n == 6);
}

std::string Get_ETx_Ax(std::string_view sValue, int n) {
    return Component(sValue, "TR_A" + std::to_string(n) + "#", n == 3);
}

std::string Get_ETx_Frame(std::string_view sValue, int n) {
    static constexpr std::string_view kMarks = "XYZABC";
    if (n < 1 || n > 6) {
        return {};
    }
    return Component(sValue, std::string(1, kMarks[static_cast<std::size_t>(n - 1)]), n == 6);
}

std::string Build_Ex_Kin(std::string_view sNew, int n) {
    if (n < 1 || n > 6) {
        return {};
    }
    try {
        const std::string sCurrent = GetMadaValue("$EX_KIN");
        std::string sResult = "{";
        for (int i = 1; i <= 6; ++i) {
            sResult += (i == 1 ? "ET" : ",ET") + std::to_string(i) + " #" +
                       (i == n ? NewComponent(sNew) : Get_Ex_Kin(sCurrent, i));
        }
        return sResult + "}";
    } catch (const RunTimeError&) {
        return {};
    }
}

std::string Build_ETx_Ax(std::string_view sNew, int nCol) {
    const int n = nCol - 1;
    if (g_nCurEtNr == 0 || n < 1 || n > 3) {
        return {};
    }
    try {
        const std::string sCurrent = GetMadaValue("$ET" + std::to_string(g_nCurEtNr) + "_AX");
        std::string sResult = "{";
        for (int i = 1; i <= 3; ++i) {
            sResult += (i == 1 ? "TR_A" : ",TR_A") + std::to_string(i) + " #" +
                       (i == n ? NewComponent(sNew) : Get_ETx_Ax(sCurrent, i));
        }
        return sResult + "}";
    } catch (const RunTimeError&) {
        return {};
    }
}

std::string Build_ETx_Frame(std::string_view sNew, int n) {
    static constexpr std::array<std::string_view, 6> kLiterals = {"{X ", ",Y ", ",Z ",
                                                                  ",A ", ",B ", ",C "};
    if (n < 1 || n > 6) {
        return {};
    }
    try {
        const std::string sCurrent = GetMadaValue(g_sCurVarName);
        std::string sResult;
        for (int i = 1; i <= 6; ++i) {
            sResult += kLiterals[static_cast<std::size_t>(i - 1)];
            sResult += i == n ? NewComponent(sNew) : Get_ETx_Frame(sCurrent, i);
        }
        return sResult + "}";
    } catch (const RunTimeError&) {
        return {};
    }
}

std::string Build_Brk_Mode(std::string_view sNew, int nBit) {
    if (nBit < 0 || nBit > 3) {
        return {};
    }
    try {
        const std::string sCurrent = GetMadaValue("$BRK_MODE");
        std::string sResult = "'B";
        for (int i = 4; i >= 1; --i) {
            sResult +=
                i == nBit + 1 ? NewComponent(sNew) : std::to_string(Get_Bin_Bit(sCurrent, i));
        }
        return sResult + "'";
    } catch (const RunTimeError&) {
        return {};
    }
}

std::string Build_Bin_Value(std::string_view sArrayName) {
    const std::string sName(sArrayName.substr(0, sArrayName.find('[')));
    std::string sDigits;
    bool bLong = false;
    for (int nElement = 12; nElement >= 7; --nElement) {
        const std::string sDigit = GetMadaValue(sName + "[" + std::to_string(nElement) + "]");
        // Axes 11 and 12 (positions 6 and 5 from the right) only count once one of them is set.
        if (!bLong && nElement >= 11) {
            if (sDigit == "1") {
                sDigits = "1";
                bLong = true;
            }
            continue;
        }
        sDigits += sDigit;
    }
    if (bLong) {
        if (sDigits.size() < 8) {
            sDigits.insert(0, 8 - sDigits.size(), '0');
        }
    } else if (sDigits.size() > 4) {
        sDigits = sDigits.substr(sDigits.size() - 4);
    }
    return "'B" + sDigits + "'";
}

} // namespace morvane
