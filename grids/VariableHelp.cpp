#include "grids/VariableHelp.h"

#include <array>

#include "common/KeyedCollection.h"
#include "common/TextFunctions.h"
#include "config/LanguageText.h"
#include "grids/CurrentVariable.h"
#include "madata/ControlType.h"
#include "servo/ServoFileModel.h"

namespace morvane {

namespace {

constexpr std::array<std::string_view, 5> kFrameKinds = {"$ET#_TA1BN", "$ET#_TA2A1", "$ET#_TA3A2",
                                                         "$ET#_TFLA3", "$ET#_TPINFL"};

void ClearDefinitionFields() {
    g_sCurVarType.clear();
    g_sCurVarMin.clear();
    g_sCurVarMax.clear();
    g_sCurVarDefault.clear();
    g_sCurVarFixed.clear();
    g_sCurVarUnit.clear();
}

} // namespace

std::string HelpNameOf(std::string_view sName) {
    if (Like(sName, "$ET#_T*") && sName != "$ET#_AX" && sName != "$ET#_NAME") {
        for (std::string_view sKind : kFrameKinds) {
            if (Like(sName, sKind)) {
                return std::string(sKind);
            }
        }
    }
    return std::string(sName);
}

bool SelectVarDefinition(std::string_view sName) {
    if (!KeyExists(g_colVarDefs, sName)) {
        return false;
    }
    std::string_view sRest = g_colVarDefs.Item(sName);
    std::array<std::string*, 6> fields = {&g_sCurVarType,    &g_sCurVarMin,   &g_sCurVarMax,
                                          &g_sCurVarDefault, &g_sCurVarFixed, &g_sCurVarUnit};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        // Everything after the fifth bar is the unit.
        const std::size_t bar = i + 1 < fields.size() ? sRest.find('|') : std::string_view::npos;
        *fields[i] = Trim(sRest.substr(0, bar));
        if (bar == std::string_view::npos) {
            break;
        }
        sRest.remove_prefix(bar + 1);
    }
    return true;
}

VariableHelpTexts ShowVariableHelp(std::string sName) {
    ClearDefinitionFields();
    g_sCurVarName = sName;
    const std::string sHelpName = HelpNameOf(sName);
    VariableHelpTexts texts;
    texts.sShortDesc = T("sDesc_" + sHelpName);
    texts.sLongDesc = T("Desc_" + sHelpName);
    if (SelectVarDefinition(sHelpName)) {
        if (!g_sCurVarType.empty()) {
            texts.sType = "Type [" + g_sCurVarType + "]";
        }
        texts.sUnit = g_sCurVarUnit.empty() ? "[ ]" : "[" + g_sCurVarUnit + "]";
        texts.sDefault = g_sCurVarDefault;
        texts.sFixed = g_sCurVarFixed;
        texts.sMin = g_sCurVarMin;
        texts.sMax = g_sCurVarMax;
    }
    return texts;
}

std::string ServoCalcRowName(std::string_view sColumn0, int nRow) {
    const std::string sName = Replace(sColumn0, " ", "");
    if (Like(sName, "Comm_Line*")) {
        return "CommentLine";
    }
    // An opened file shows the parameters' language texts, which name no definition and no
    // line of the file: an edit filed under such a text would be lost on saving.
    if (nRow >= 1 && nRow <= g_colSFCalcList.Count()) {
        return Replace(g_colSFCalcList.Item(nRow), " ", "");
    }
    return sName;
}

} // namespace morvane
