#include "madata/ControlType.h"

#include <array>

#include "common/RunTimeError.h"
#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/IniFile.h"
#include "config/LanguageText.h"
#include "grids/ChangeLists.h"
#include "madata/MadaStore.h"

namespace morvane {

std::string g_sControlType;
bool g_bRobotModelTrafo = true;
bool g_bControlTypeRead = false;
KeyedCollection g_colVarDefs;

bool g_abWindowMenuEnabled[5] = {true, true, true, true, true};
bool g_bServoMenuEnabled = true;

namespace {

constexpr int kMainAxesMenu = 1;
constexpr int kServoFileMenu = 4;

std::string CurrentValueOrBlank(std::string_view sKey) {
    try {
        return GetMadaValue(sKey);
    } catch (const RunTimeError&) {
        return {};
    }
}

std::string TrafoName() {
    return UCase(Trim(CurrentValueOrBlank("$TRAFONAME[]")));
}

struct TypeRule {
    std::string_view sPattern;
    std::string_view sType;
    bool bRobotModel;
};

constexpr std::array<TypeRule, 8> kTypeRules = {{
    {"*BN#* 57 *", "(V)BN 57", true},
    {"* 57 *", "(V)BN 57", false},
    {"*BN#* 86T *", "(V)BN 86T", true},
    {"* 86T *", "(V)BN 86T", false},
    {"*BN#* WJ22*", "(V)BN 57", true},
    {"*BN#* 57N *", "(V)BN 57", true},
    {"*BN* 40L *", "(V)BN 40L", true},
    {"*BN* 86L *", "(V)BN 86L", true},
}};

void EndForType(const std::string& sText) {
    MsgBox(Paragraphs(sText, T("TheToolWillBeClosed")), MsgButtons::OK, MsgIcon::Information);
    ExitProgram(false);
}

} // namespace

bool LoadControlType() {
    DetermineControlType();
    CheckControlType();
    if (!g_sControlType.empty() && !KeyExists(g_colMadaValues, "ControlType")) {
        g_colMadaValues.Add(g_sControlType, "ControlType");
    }
    return true;
}

void DetermineControlType() {
    const std::string s = TrafoName();
    g_sControlType.clear();
    g_bRobotModelTrafo = true;
    for (const TypeRule& rule : kTypeRules) {
        if (Like(s, rule.sPattern)) {
            g_sControlType = rule.sType;
            g_bRobotModelTrafo = rule.bRobotModel;
            return;
        }
    }
    if (CurrentValueOrBlank("$AXIS_RESO[1]") == "4096" &&
        CurrentValueOrBlank("$PMCHANNEL[1]") == "1") {
        g_sControlType = "(V)BN 40";
    }
}

void CheckControlType() {
    const std::string& t = g_sControlType;
    if (t == "(V)BN 57" || t == "(V)BN 86T") {
        if (g_bRobotModelTrafo) {
            g_abWindowMenuEnabled[kMainAxesMenu] = false;
        }
    } else if (t == "(V)BN 40" || t == "(V)BN 40L") {
        g_bServoMenuEnabled = false;
        g_abWindowMenuEnabled[kMainAxesMenu] = false;
        g_abWindowMenuEnabled[kServoFileMenu] = false;
    } else if (t == "(V)BN 86L") {
        EndForType(T("NotSupportedControlType") + std::string(kCrLf) + t);
    } else {
        EndForType(T("UnknownControlType") + std::string(kCrLf) + "$TRAFONAME: " + TrafoName());
    }
}

void GetVarDefinition(std::string_view sKey) {
    if (KeyExists(g_colVarDefs, sKey)) {
        return;
    }
    const std::string& t = g_sControlType;
    std::string sDefinition;
    if (t == "(V)BN 40") {
        sDefinition = ReadIniValue("BN40_VarDef", sKey);
    } else if (t == "(V)BN 40L") {
        sDefinition = ReadIniValue("BN40L_VarDef", sKey);
    } else if (t == "(V)BN 57" || t == "(V)BN 86T") {
        sDefinition = ReadIniValue("BN57_VarDef", sKey);
    } else {
        return;
    }
    if (sDefinition.empty() && t != "(V)BN 40") {
        sDefinition = ReadIniValue("BN40_VarDef", sKey);
    }
    if (!sDefinition.empty()) {
        g_colVarDefs.Add(sDefinition, std::string(sKey));
    }
}

} // namespace morvane
