#include "grids/CellEditor.h"

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <system_error>
#include <vector>

#include "common/CodePage.h"
#include "common/RunTimeError.h"
#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/IniFile.h"
#include "config/LanguageText.h"
#include "config/Paths.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "grids/GridFill.h"
#include "grids/MotorSelection.h"
#include "grids/VariableHelp.h"
#include "madata/CharacterOps.h"
#include "madata/ControlType.h"
#include "madata/MadaStore.h"
#include "madata/ValueSyntax.h"

namespace morvane {

std::unique_ptr<clsChangeControl> g_oChangeControl;

namespace {

enum class EditStart { Open, Refused };

KeyedCollection Choices(std::initializer_list<const char*> items) {
    KeyedCollection list;
    for (const char* psz : items) {
        list.Add(psz);
    }
    return list;
}

KeyedCollection AxisCountChoices() {
    return Choices({"0", "1", "2", "3", "4", "5", "6"});
}

void Refuse(const std::string& sReason) {
    MsgBox(Paragraphs(T("CantChange"), sReason), MsgButtons::OK, MsgIcon::Information);
}

void TypedControl(clsChangeControl& edit, const std::string& sCell) {
    edit.GetControl(g_sCurVarType, sCell, g_sCurVarMin, g_sCurVarMax, g_sCurVarDefault);
}

void ChoiceControl(clsChangeControl& edit, const std::string& sCell, const KeyedCollection& list) {
    edit.GetControl("COMBO", sCell, std::nullopt, std::nullopt, std::nullopt, &list);
}

// The rows of the axis grids that offer a choice instead of free text.
void AxisControl(clsChangeControl& edit, const std::string& sCell, bool bExternal) {
    if (edit.VariableName != g_sCurVarName || !SelectVarDefinition(g_sCurVarName)) {
        return;
    }
    if (g_sCurVarName == "$AXIS_TYPE") {
        ChoiceControl(edit, sCell, Choices({"1", "2", "3", "4", "5"}));
    } else if (g_sCurVarName == "$AXIS_DIR") {
        ChoiceControl(edit, sCell, Choices({"1", "-1"}));
    } else if (g_sCurVarName == "MOTORTYPE") {
        ChoiceControl(edit, sCell, GetMotorTypes());
    } else if (g_sCurVarName == "$SERVOFILE") {
        ChoiceControl(edit, sCell, ServoFileChoices());
    } else if (bExternal && g_sCurVarType == "BIN") {
        ChoiceControl(edit, sCell, Choices({"0", "1"}));
    } else {
        TypedControl(edit, sCell);
    }
}

void GeneralControl(clsChangeControl& edit, const std::string& sCell, const char* pszCountName) {
    if (!SelectVarDefinition(g_sCurVarName)) {
        return;
    }
    if (g_sCurVarName == pszCountName) {
        ChoiceControl(edit, sCell, AxisCountChoices());
    } else if (g_sCurVarType != "BIN") {
        TypedControl(edit, sCell);
    } else {
        ChoiceControl(edit, sCell, Choices({"0", "1"}));
    }
}

void ServoControl(clsChangeControl& edit, const std::string& sCell) {
    if (UCase(g_sCurVarName) == "VRQ_TYPE") {
        ChoiceControl(edit, sCell, ReadIniSection("VRQ_Types"));
    } else {
        TypedControl(edit, sCell);
    }
}

// A kinematic system's axes and frames can be edited only once $EX_KIN uses the system.
bool KinSystemDefined() {
    const std::string sEntry = Get_Ex_Kin(GetMadaValue("$EX_KIN"), g_nCurEtNr);
    if (sEntry.empty() || sEntry == "NONE") {
        Refuse(T("ExKinNotDefined") + " $EX_KIN, ET" + std::to_string(g_nCurEtNr));
        return false;
    }
    return true;
}

// Sets up the object for the current cell; Refused after a box, or silently for a name column
// or a row that offers no edit control.
EditStart PrepareEdit(clsChangeControl& edit) {
    const int nTab = Grids().CurrentTab();
    const std::optional<GridId> grid = ActiveGridOfTab(nTab);
    if (!grid) {
        return EditStart::Refused;
    }
    const int r = Grids().CurrentRow(*grid);
    const int c = Grids().CurrentCol(*grid);
    const std::string sCell = Grids().CellText(*grid, r, c);
    const std::string sName = Grids().CellText(*grid, r, 0);
    edit.VariableName = sName;

    switch (*grid) {
    case GridId::GenAxData:
        edit.MainData = true;
        if (g_sCurVarName != "$NUM_AX" && g_nNumAx == 0) {
            Refuse("$NUM_AX = 0");
            return EditStart::Refused;
        }
        if (g_bRobotModelTrafo) {
            Refuse(T("ChangesInMainAxesNotAllowed"));
            return EditStart::Refused;
        }
        GeneralControl(edit, sCell, "$NUM_AX");
        break;
    case GridId::GenExAxData:
        edit.MainData = true;
        edit.VariableIndex = c;
        if (g_sCurVarName != "$EX_AX_NUM" && g_nExAxNum == 0) {
            Refuse("$EX_AX_NUM = 0");
            return EditStart::Refused;
        }
        GeneralControl(edit, sCell, "$EX_AX_NUM");
        break;
    case GridId::MainAxDataGrid:
        edit.MainAxData = true;
        edit.VariableIndex = c;
        if (g_bRobotModelTrafo) {
            Refuse(T("ChangesInMainAxesNotAllowed"));
            return EditStart::Refused;
        }
        if (c == 0) {
            return EditStart::Refused;
        }
        AxisControl(edit, sCell, false);
        break;
    case GridId::ExAxDataGrid:
        edit.ExAxData = true;
        edit.VariableIndex = c + 6;
        if (c == 0) {
            return EditStart::Refused;
        }
        AxisControl(edit, sCell, true);
        break;
    case GridId::ExKinDataGrid:
        edit.ExKinData = true;
        edit.VariableIndex = c;
        if (sCell == "NONE" && g_nExAxNum == 0) {
            Refuse("$EX_AX_NUM = 0");
            return EditStart::Refused;
        }
        if (edit.VariableName == g_sCurVarName && SelectVarDefinition(g_sCurVarName)) {
            if (g_sCurVarName == "$EX_KIN") {
                ChoiceControl(edit, sCell,
                              Choices({"NONE", "EASYS", "EBSYS", "ECSYS", "EDSYS", "EESYS", "EFSYS",
                                       "ERSYS"}));
            } else {
                TypedControl(edit, sCell);
            }
        }
        break;
    case GridId::ExEtxDataGrid:
    case GridId::ExFrmDataGrid:
        edit.ExKinData = true;
        edit.VariableIndex = c;
        if (!KinSystemDefined()) {
            return EditStart::Refused;
        }
        // A copy: the help clears the current name before it sets it again.
        Grids().ShowHelpPanel(ShowVariableHelp(std::string(g_sCurVarName)));
        if (*grid == GridId::ExFrmDataGrid) {
            TypedControl(edit, sCell);
        } else if (c == 1) {
            edit.VariableName = "$ET" + std::to_string(g_nCurEtNr) + "_NAME[]";
            edit.GetControl("CHAR", sCell, std::nullopt, g_sCurVarMax);
        } else {
            KeyedCollection axes = Choices({"NONE"});
            for (int n = 1; n <= g_nExAxNum; ++n) {
                axes.Add("E" + std::to_string(n));
            }
            ChoiceControl(edit, sCell, axes);
        }
        break;
    case GridId::SF_CommDataGrid:
        edit.ServoFileData = true;
        if (edit.VariableName == g_sCurVarName && SelectVarDefinition(g_sCurVarName)) {
            ServoControl(edit, sCell);
        }
        break;
    case GridId::SF_CalcDataGrid:
        edit.ServoFileData = true;
        edit.VariableName = ServoCalcRowName(sName, r);
        if (edit.VariableName == "CommentLine") {
            edit.VariableIndex = r;
        }
        if (!SelectVarDefinition(g_sCurVarName)) {
            edit.GetControl("CHAR", sCell);
        } else {
            ServoControl(edit, sCell);
        }
        break;
    }
    if (c == 0) {
        return EditStart::Refused;
    }
    // A row without a definition, or of a type no control fits, would take any text unchecked
    // into the machine data.
    if (edit.EditKind.empty()) {
        MsgBox(T("CantChange"), MsgButtons::OK, MsgIcon::Information);
        return EditStart::Refused;
    }
    return EditStart::Open;
}

void CloseEditor() {
    if (g_oChangeControl) {
        g_oChangeControl->SetVisible(false);
    }
    g_oChangeControl.reset();
    g_bEditActive = false;
}

} // namespace

void StartCellEdit() {
    g_bEditActive = true;
    Ui().EnableMainControls(false);
    if (!g_oChangeControl) {
        g_oChangeControl = std::make_unique<clsChangeControl>();
    }
    EditStart result = EditStart::Refused;
    try {
        g_nExAxNum = CurrentAxisCount("$EX_AX_NUM");
        g_nNumAx = CurrentAxisCount("$NUM_AX");
        result = PrepareEdit(*g_oChangeControl);
    } catch (const RunTimeError&) {
        // A value the value map lacks: the edit ends as a refusal without a message.
        result = EditStart::Refused;
    }
    if (result == EditStart::Open) {
        g_oChangeControl->SetVisible(true);
        return;
    }
    CloseEditor();
    Ui().EnableMainControls(true);
}

void FinishCellEdit(int nKeyCode, std::string_view sText, std::string_view sText2,
                    std::string_view sControlName) {
    if (!g_oChangeControl) {
        g_bEditActive = false;
        return;
    }
    if (nKeyCode == kKeyEnter) {
        bool bTaken = false;
        try {
            bTaken = g_oChangeControl->WriteValueToGrid(sText, sText2);
        } catch (const RunTimeError& e) {
            // What was recorded before the error stays; the editor cannot do more.
            MsgBox(T("UnExpectedError") + " Function WriteValueToGrid" + std::string(kCrLf) +
                       e.what(),
                   MsgButtons::OK, MsgIcon::Error);
            bTaken = true;
        }
        if (!bTaken) {
            const std::string sControl = UCase(sControlName);
            if (sControl == "CHANGETB") {
                Grids().FocusEditControl(EditControl::ChangeTb);
            } else if (sControl == "CHANGETB2") {
                Grids().FocusEditControl(EditControl::ChangeTb2);
            } else if (sControl == "CHANGECOMBO") {
                Grids().FocusEditControl(EditControl::ChangeCombo);
            }
            g_bEditActive = false;
            return;
        }
    } else if (nKeyCode != kKeyEscape) {
        g_bEditActive = false;
        return;
    }
    Ui().EnableMainControls(true);
    CloseEditor();
}

KeyedCollection ServoFileChoices() {
    // The file system lists a folder in no fixed order, so the names are sorted.
    std::vector<std::string> names;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(ToPath(g_sMadaPath), ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::filesystem::path& path = it->path();
        if (path.extension() == ".servo" && it->is_regular_file(ec)) {
            names.push_back(FromPath(path.stem()));
        }
    }
    std::sort(names.begin(), names.end());
    KeyedCollection list;
    list.Add("\"DEFAULT\"");
    for (const std::string& sName : names) {
        list.Add("\"" + sName + "\"");
    }
    return list;
}

void clsChangeControl::GetControl(std::string_view sType, std::string_view sCurrentValue,
                                  std::optional<std::string_view> nMin,
                                  std::optional<std::string_view> nMax,
                                  std::optional<std::string_view> sDefault,
                                  const KeyedCollection* pComboList) {
    ValueBefore = UCase(Trim(sCurrentValue));
    const std::string t = UCase(Trim(RemoveBlanks(sType)));
    if (t == "REAL") {
        IsFloat = true;
    }
    if (t == "CHAR" && nMax) {
        MaxLengthOfString = static_cast<int>(Val(*nMax));
    }
    if (nMin && !nMin->empty()) {
        Min = *nMin;
    }
    if (nMax && !nMax->empty()) {
        Max = *nMax;
    }
    if (sDefault) {
        Default = *sDefault;
    }
    GridPort& port = Grids();
    if (t == "INT" || t == "REAL") {
        if (t == "INT" && IsRatioName(g_sCurVarName)) {
            port.SetEditText(EditControl::ChangeTb, GetTextBetween(ValueBefore, "N", ","));
            port.SetEditText(EditControl::ChangeTb2, GetTextBetween(ValueBefore, "D", "}"));
        } else {
            port.SetEditText(EditControl::ChangeTb, sCurrentValue);
        }
        // A limit left by an earlier text edit would cut numbers.
        port.SetEditMaxLength(0);
        EditKind = "INT";
    } else if (t == "CHAR") {
        port.SetEditMaxLength(MaxLengthOfString);
        port.SetEditText(EditControl::ChangeTb, RemoveQuotes(sCurrentValue));
        EditKind = "CHAR";
    } else if (t == "COMBO") {
        std::vector<std::string> items;
        int nSelected = -1;
        const std::string sCurrent = UCase(sCurrentValue);
        if (pComboList) {
            for (const auto& entry : *pComboList) {
                if (UCase(entry.sItem) == sCurrent) {
                    nSelected = static_cast<int>(items.size());
                }
                items.push_back(entry.sItem);
            }
        }
        port.SetComboList(items, nSelected);
        EditKind = "COMBO";
    }
}

bool clsChangeControl::Visible() const {
    return Grids().IsEditControlVisible(EditKind == "COMBO" ? EditControl::ChangeCombo
                                                            : EditControl::ChangeTb);
}

void clsChangeControl::SetVisible(bool bVisible) {
    GridPort& port = Grids();
    port.EnableGrids(!bVisible, !g_bRobotModelTrafo);
    const std::optional<GridId> grid = EditGrid();
    const auto cellRect = [&]() {
        return port.CellRect(*grid, port.CurrentRow(*grid), port.CurrentCol(*grid));
    };
    if (EditKind == "COMBO") {
        port.ShowEditControl(EditControl::ChangeCombo, bVisible);
        if (!bVisible) {
            return;
        }
        port.FocusEditControl(EditControl::ChangeCombo);
        if (grid) {
            TwipsRect place = cellRect();
            place.nHeight = -1;
            port.PlaceEditControl(EditControl::ChangeCombo, place);
        }
        return;
    }
    port.ShowEditControl(EditControl::ChangeTb, bVisible);
    const bool bRatio = (MainAxData || ExAxData) && IsRatioName(g_sCurVarName);
    if (bRatio) {
        port.ShowEditControl(EditControl::ChangeTb2, bVisible);
    }
    if (!bVisible) {
        return;
    }
    port.FocusEditControl(EditControl::ChangeTb);
    if (!grid) {
        return;
    }
    const TwipsRect cell = cellRect();
    if (!bRatio) {
        port.PlaceEditControl(EditControl::ChangeTb, cell);
        return;
    }
    // The numerator box sits half a cell above the cell, the denominator box half a cell below.
    TwipsRect upper = cell;
    upper.nTop = cell.nTop - cell.nHeight / 2;
    TwipsRect lower = cell;
    lower.nTop = cell.nTop + cell.nHeight / 2;
    port.PlaceEditControl(EditControl::ChangeTb, upper);
    port.PlaceEditControl(EditControl::ChangeTb2, lower);
}

} // namespace morvane
