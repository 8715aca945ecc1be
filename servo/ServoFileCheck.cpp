#include "servo/ServoFileCheck.h"

#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/LanguageText.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "grids/VariableHelp.h"
#include "madata/CharacterOps.h"
#include "servo/ServoFileModel.h"

namespace morvane {

namespace {

constexpr std::size_t kMaxServoNameLength = 14;

bool IsServoNameChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '_';
}

void CantSave(std::string_view sKey, std::string_view sName) {
    std::string sText = T(sKey);
    if (!sName.empty()) {
        sText += ": " + std::string(sName);
    }
    MsgBox(Paragraphs(sText, T("CantSafeServoFile")), MsgButtons::OK, MsgIcon::Error);
}

} // namespace

std::string CheckServoFileName(std::string_view sPath) {
    const std::string sName = UCase(RemoveBlanks(BaseNameOfPath(sPath)));
    if (sName.empty()) {
        return {};
    }
    bool bAllowed = sName.size() <= kMaxServoNameLength;
    for (char c : sName) {
        bAllowed = bAllowed && IsServoNameChar(c);
    }
    if (bAllowed) {
        return sName;
    }
    MsgBox(T("WrongServoFileName") + ": " + sName + ".servo", MsgButtons::OK, MsgIcon::Error);
    return {};
}

bool CheckServoValues() {
    if (g_colSFChanges.Empty()) {
        MsgBox(T("NothingChanged"));
        return false;
    }
    bool bTested = false;
    for (const auto& entry : g_colSFViewList) {
        const std::string sName = RemoveBlanks(entry.sItem);
        if (!KeyExists(g_colSFValues, sName) && !KeyExists(g_colSFChanges, sName)) {
            CantSave("ServoFileDataNotComplett", "");
            return false;
        }
        if (!SelectVarDefinition(sName)) {
            continue;
        }
        bool bChanged = false;
        const double dValue = Val(GetSFValue(sName, bChanged));
        if (!g_sCurVarMax.empty() && Val(g_sCurVarMax) < dValue) {
            CantSave("SFValueToBig", sName);
            return false;
        }
        if (!g_sCurVarMin.empty() && Val(g_sCurVarMin) > dValue) {
            CantSave("SFValueToSmall", sName);
            return false;
        }
        bTested = true;
    }
    return bTested;
}

} // namespace morvane
