#include "grids/ChangeControl.h"

#include <array>

#include "common/TextFunctions.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "madata/CharacterOps.h"

namespace morvane {

void clsChangeControl::SetVariableComponent(std::string_view sComponent) {
    m_sVariableComponent = sComponent.empty() ? std::string() : "." + std::string(sComponent);
}

std::string MadaChangeKey(std::string_view sVariableName, int nVariableIndex) {
    static constexpr std::array<std::string_view, 4> kWholeValueNames = {"$EX_KIN", "$EX_AX_NUM",
                                                                         "$NUM_AX", "$BRK_MODE"};
    if (sVariableName.find("ET") != std::string_view::npos) {
        return std::string(sVariableName);
    }
    for (std::string_view sName : kWholeValueNames) {
        if (sVariableName == sName) {
            return std::string(sVariableName);
        }
    }
    if (sVariableName == "$JERK_MA") {
        // The jerk limits of the external axes 7..12 are the components E1..E6.
        return "$JERK_MA.AX.E" + std::to_string(nVariableIndex - 6);
    }
    return std::string(sVariableName) + "[" + std::to_string(nVariableIndex) + "]";
}

void clsChangeControl::AcceptChange() {
    if (!ServoFileData) {
        PutMadaChange(MadaChangeKey(VariableName, VariableIndex), VariableValue);
        return;
    }
    const std::string sKey =
        VariableName == "CommentLine" ? "CLine" + std::to_string(VariableIndex) : VariableName;
    if (g_sActiveSFGrid == "SF_COMMDATAGRID") {
        // An input is stored even when unchanged: the computation reads it, nothing compares it.
        g_colSFNeededVals.RemoveIfPresent(sKey);
        g_colSFNeededVals.Add(VariableValue, sKey);
        return;
    }
    PutSFChange(sKey, VariableValue);
}

bool clsChangeControl::FindKey(const KeyedCollection& MyCollection, std::string_view skey) const {
    return KeyExists(MyCollection, skey);
}

double clsChangeControl::StringToDouble(std::string_view Value) const {
    const std::string sValue = CommaToPoint(Trim(Value));
    return IsNumeric(sValue) ? Val(sValue) : 0.0;
}

bool IsRatioName(std::string_view sName) {
    return sName == "$RAT_MOT_AX" || sName == "$RAT_MOT_ENC";
}

std::optional<GridId> ActiveGridOfTab(int nTab) {
    switch (nTab) {
    case 0: {
        const std::string sGrid = UCase(g_sActiveGenGrid);
        if (sGrid == "GENAXDATA") {
            return GridId::GenAxData;
        }
        if (sGrid == "GENEXAXDATA") {
            return GridId::GenExAxData;
        }
        return std::nullopt;
    }
    case 1:
        return GridId::MainAxDataGrid;
    case 2:
        return GridId::ExAxDataGrid;
    case 3: {
        const std::string sGrid = UCase(g_sActiveKinGrid);
        if (sGrid == "EXKINDATAGRID") {
            return GridId::ExKinDataGrid;
        }
        if (sGrid == "EXETXDATAGRID") {
            return GridId::ExEtxDataGrid;
        }
        if (sGrid == "EXFRMDATAGRID") {
            return GridId::ExFrmDataGrid;
        }
        return std::nullopt;
    }
    case 4: {
        const std::string sGrid = UCase(g_sActiveSFGrid);
        if (sGrid == "SF_COMMDATAGRID") {
            return GridId::SF_CommDataGrid;
        }
        if (sGrid == "SF_CALCDATAGRID") {
            return GridId::SF_CalcDataGrid;
        }
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<GridId> clsChangeControl::EditGrid() const {
    if (MainData) {
        return ActiveGridOfTab(0);
    }
    if (MainAxData) {
        return GridId::MainAxDataGrid;
    }
    if (ExAxData) {
        return GridId::ExAxDataGrid;
    }
    if (ExKinData) {
        return ActiveGridOfTab(3);
    }
    if (ServoFileData) {
        return ActiveGridOfTab(4);
    }
    return std::nullopt;
}

} // namespace morvane
