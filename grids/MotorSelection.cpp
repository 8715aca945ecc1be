#include "grids/MotorSelection.h"

#include <cmath>
#include <string_view>

#include "common/FileIo.h"
#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/IniFile.h"
#include "config/LanguageText.h"
#include "config/Paths.h"
#include "grids/ChangeControl.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "grids/VariableHelp.h"
#include "madata/CharacterOps.h"
#include "madata/ControlType.h"

namespace morvane {

namespace {

struct MotorVarList {
    const char* pszSection;
    const char* pszLabel;
};

MotorVarList MotorVarListOfControlType() {
    if (g_sControlType == "(V)BN 57") {
        return {"BN57_MotorVar", "[BN57_MotorVar]"};
    }
    if (g_sControlType == "(V)BN 86T") {
        return {"BN57_MotorVar", " [BN57_MotorVar]"};
    }
    return {"MotorVar", " [MotorVar]"};
}

void CantSetMotor(const std::string& sWhat) {
    MsgBox(Paragraphs(T("NoMotorParameterFound") + sWhat, T("CantSetMotorParameter")),
           MsgButtons::OK, MsgIcon::Information);
}

std::string IniText(std::string_view sSection, std::string_view sKey, std::string_view sFile) {
    return UCase(Trim(ReadIniValue(sSection, sKey, sFile)));
}

// The value in the form its variable's type stores; a variable without a definition keeps the
// INI text.
std::string MotorValueOfType(const std::string& sName, const std::string& v, bool bDefined) {
    const std::string sType = bDefined ? g_sCurVarType : std::string();
    if (sType == "INT") {
        if (Like(UCase(sName), "$RAT_MOT_*")) {
            return v;
        }
        // An INT element holds no fraction.
        return std::to_string(std::llround(Val(CommaToPoint(v))));
    }
    if (sType == "REAL") {
        return FormatNumber(Val(CommaToPoint(v)), "##########0.0#");
    }
    if (sType == "CHAR") {
        return "\"" + UCase(RemoveQuotes(RemoveBlanks(v))) + "\"";
    }
    return v;
}

} // namespace

std::string UserIniPath() {
    return ResolveIniPath(ReadIniValue("USER_Section", "UserIniFile"));
}

KeyedCollection GetMotorTypes() {
    const std::string p = UserIniPath();
    KeyedCollection list = ReadIniSection("TOVO_MOTORTYPES");
    if (!p.empty() && FileExists(p) && !Trim(ReadIniValue("User_Motortypes", "1", p)).empty()) {
        for (const auto& entry : ReadIniSection("User_Motortypes", p)) {
            list.Add(entry.sItem);
        }
    }
    return list;
}

bool clsChangeControl::SetMotorParam(std::string_view sMotorType, int AxNr) {
    if (UCase(Trim(sMotorType)) == "NONE") {
        return false;
    }
    const MotorVarList varList = MotorVarListOfControlType();
    // Checked before the list is read: a missing list would otherwise end the program in the
    // middle of an edit, and the pending changes with it.
    if (ReadIniValue(varList.pszSection, "1").empty()) {
        CantSetMotor(varList.pszLabel);
        return false;
    }
    const KeyedCollection V = ReadIniSection(varList.pszSection);

    const std::string t = Trim(sMotorType.substr(0, sMotorType.find(',')));
    const std::string S = "Motor_" + t;
    std::string sFile; // the main INI
    if (IniText(S, V.Item(1), sFile).empty()) {
        const std::string p = UserIniPath();
        if (!p.empty() && FileExists(p)) {
            sFile = p;
        }
    }
    if (IniText(S, V.Item(1), sFile).empty()) {
        CantSetMotor(" " + S);
        return false;
    }

    std::string R;
    for (const auto& entry : V) {
        const std::string& n = entry.sItem;
        const std::string v = IniText(S, n, sFile);
        const bool bDefined = SelectVarDefinition(n);
        if (v.empty()) {
            R += n + ": " + T("ValueNotFound") + std::string(kCrLf);
            continue;
        }
        std::string w = MotorValueOfType(n, v, bDefined);
        if (UCase(n) == "$SERVOFILE") {
            const std::string sServoFile = g_sMadaPath + RemoveQuotes(w) + ".servo";
            if (!FileExists(sServoFile)) {
                R += T("FileNotExisting") + " " + sServoFile + std::string(kCrLf);
                continue;
            }
        }
        PutMadaChange(n + "[" + std::to_string(AxNr) + "]", w);
    }
    if (!R.empty()) {
        MsgBox(Paragraphs(T("FollowingParaCantSet"), R), MsgButtons::OK, MsgIcon::Information);
    }
    return true;
}

} // namespace morvane
