#include "grids/ValueValidation.h"

#include <charconv>
#include <cmath>
#include <string>

#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/IniFile.h"
#include "config/LanguageText.h"
#include "grids/ChangeControl.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "grids/GridPort.h"
#include "madata/CharacterOps.h"
#include "madata/ValueSyntax.h"
#include "servo/ServoFileCheck.h"

namespace morvane {

namespace {

void ErrorBox(const std::string& sText) {
    MsgBox(sText, MsgButtons::OK, MsgIcon::Error);
}

void BuilderFailed(const char* pszBuilder) {
    MsgBox(T("UnExpectedError") + " Function " + pszBuilder);
}

bool HasSeparator(std::string_view s) {
    return s.find_first_of(",.") != std::string_view::npos;
}

// The cell editor makes "$ET#_AX" current for the axis cells of the kinematic system.
bool IsEtxAxName(std::string_view sName) {
    return sName == "$ET#_AX" || Like(sName, "$ET#_AX");
}

bool IsDseChannel(int v) {
    return (v >= 1 && v <= 8) || (v >= 10 && v <= 17);
}

bool Confirmed(std::string_view sKind, const std::string& sNew) {
    return AskConfirmation(sKind, sNew) == kAnswerYes;
}

bool NumberEntry(clsChangeControl& edit, std::string_view sNewValue, std::string_view sNewValueN,
                 std::string& sNew) {
    const std::string s = UCase(Trim(sNewValue));
    const std::string n = UCase(Trim(sNewValueN));
    if (!g_sCurVarFixed.empty()) {
        ErrorBox(T("FixedValueCantChange"));
        const double d = Val(CommaToPoint(g_sCurVarFixed));
        sNew = UCase(g_sCurVarType) == "REAL" ? FormatNumber(d, "##########0.0#") : NumberToText(d);
    } else if (IsRatioName(g_sCurVarName)) {
        if (!IsEnteredNumber(s) || !IsEnteredNumber(n)) {
            ErrorBox(T("NoNumber"));
            return false;
        }
        if (HasSeparator(s) || HasSeparator(n)) {
            ErrorBox(T("IntegerExpected"));
            return false;
        }
        const std::optional<int> nNum = EnteredInt32(s);
        const std::optional<int> nDen = EnteredInt32(n);
        if (!nNum || !nDen) {
            ErrorBox(T("NoNumber"));
            return false;
        }
        if (*nDen == 0) {
            ErrorBox(T("ValueNotAllowed") + " {N " + s + ",D " + n + "}");
            return false;
        }
        // A ratio has no limits; the type is made current again with the next cell.
        g_sCurVarType.clear();
        sNew = "{N " + std::to_string(*nNum) + ",D " + std::to_string(*nDen) + "}";
    } else if (UCase(g_sCurVarType) == "INT") {
        if (!IsEnteredNumber(sNewValue)) {
            ErrorBox(T("NoNumber"));
            return false;
        }
        if (HasSeparator(sNewValue)) {
            ErrorBox(T("IntegerExpected"));
            return false;
        }
        const std::optional<int> v = EnteredInt32(sNewValue);
        if (!v) {
            ErrorBox(T("NoNumber"));
            return false;
        }
        sNew = std::to_string(*v);
        if (edit.VariableName == "$DSECHANNEL" && !IsDseChannel(*v)) {
            ErrorBox(T("WrongValueForDseChannel"));
            return false;
        }
        if (!edit.Max.empty() && *v > std::llround(Val(g_sCurVarMax)) &&
            !Confirmed("VALTOBIG", sNew)) {
            return false;
        }
        if (!edit.Min.empty() && *v < std::llround(Val(g_sCurVarMin)) &&
            !Confirmed("VALTOSMALL", sNew)) {
            return false;
        }
    } else if (UCase(g_sCurVarType) == "REAL") {
        const std::string t = CommaToPoint(sNewValue);
        if (!IsEnteredNumber(t)) {
            ErrorBox(T("NoNumber"));
            return false;
        }
        const double x = Val(t);
        sNew = FormatNumber(x, "##########0.0###");
        if (!edit.Max.empty() && x > Val(CommaToPoint(g_sCurVarMax)) &&
            !Confirmed("VALTOBIG", sNew)) {
            return false;
        }
        if (!edit.Min.empty() && x < Val(CommaToPoint(g_sCurVarMin)) &&
            !Confirmed("VALTOSMALL", sNew)) {
            return false;
        }
    } else {
        // The definition changed under the open editor: nothing tells how to read the entry.
        ErrorBox(T("NoNumber"));
        return false;
    }
    // A frame cell holds one component; the whole frame is recorded, also for a fixed value.
    if (Like(g_sCurVarName, "$ET#_T*")) {
        const std::string sFrame = Build_ETx_Frame(sNew, edit.VariableIndex);
        if (sFrame.empty()) {
            BuilderFailed("Build_ETx_Frame");
            return false;
        }
        sNew = sFrame;
        edit.ValueBefore = GetMadaValue(g_sCurVarName);
    }
    return true;
}

bool TextEntry(const clsChangeControl& edit, std::string_view sNewValue, std::string& sNew) {
    // A ";" would start a comment in the data list and cut the value when it is read again.
    const std::string v = Trim(UCase(RemoveSemicolons(RemoveQuotes(sNewValue))));
    if (v.empty()) {
        MsgBox(T("MissingChar"));
        return false;
    }
    if (UCase(edit.VariableName) == "SERVOFILE_NAME" && CheckServoFileName(v + ".servo").empty()) {
        return false;
    }
    sNew = "\"" + v + "\"";
    return true;
}

bool ChoiceEntry(clsChangeControl& edit, std::string_view sNewValue, std::string& sNew) {
    if (g_sCurVarName == "$EX_KIN") {
        sNew = Build_Ex_Kin(sNewValue, edit.VariableIndex);
        if (sNew.empty()) {
            BuilderFailed("Build_Ex_Kin");
            return false;
        }
        edit.ValueBefore = GetMadaValue("$EX_KIN");
    } else if (IsEtxAxName(g_sCurVarName)) {
        sNew = Build_ETx_Ax(sNewValue, edit.VariableIndex);
        if (sNew.empty()) {
            BuilderFailed("Build_ETx_Ax");
            return false;
        }
        edit.ValueBefore = GetMadaValue("$ET" + std::to_string(g_nCurEtNr) + "_AX");
    } else if (g_sCurVarName == "$NUM_AX" || g_sCurVarName == "$EX_AX_NUM") {
        const double dOld = Val(edit.ValueBefore);
        const double dNew = Val(sNewValue);
        if (dOld != dNew) {
            if (AskConfirmation("AXISNUM", sNewValue, edit.ValueBefore) != kAnswerYes) {
                return false;
            }
            if (!SetDefaultsForInactiveAxes(static_cast<int>(std::llround(dNew)),
                                            static_cast<int>(std::llround(dOld)))) {
                return false;
            }
        }
        sNew = sNewValue;
    } else if (g_sCurVarName == "MOTORTYPE") {
        if (AskConfirmation("MOTORTYPE", sNewValue) != kAnswerYes) {
            return false;
        }
        const bool bSet = edit.SetMotorParam(sNewValue, edit.VariableIndex);
        sNew = sNewValue;
        // The rebuilt grid shows the recorded motor values at once.
        if (edit.ExAxData) {
            if (!bSet) {
                sNew = "NONE";
            }
            Grids().ShowExtAxesTab();
        } else {
            Grids().ShowMainAxesTab();
        }
    } else if (Like(g_sCurVarName, "$BRK_MODE_BIT#")) {
        const int b = g_sCurVarName.back() - '0';
        // A failed build would record an empty bit string.
        sNew = Build_Brk_Mode(sNewValue, b);
        if (sNew.empty()) {
            BuilderFailed("Build_Brk_Mode");
            return false;
        }
        edit.VariableIndex = b;
        edit.VariableName = "$BRK_MODE";
        edit.ValueBefore = GetMadaValue("$BRK_MODE");
    } else {
        sNew = sNewValue;
    }
    return true;
}

// What the edited cell shows of the accepted value.
std::string CellTextOfValue(const clsChangeControl& edit, GridId grid) {
    const std::string& v = edit.VariableValue;
    switch (grid) {
    case GridId::GenAxData:
    case GridId::GenExAxData:
        return edit.VariableName == "$BRK_MODE"
                   ? NumberToText(Get_Bin_Bit(v, edit.VariableIndex + 1))
                   : v;
    case GridId::ExKinDataGrid:
        return Get_Ex_Kin(v, edit.VariableIndex);
    case GridId::ExEtxDataGrid:
        return IsEtxAxName(g_sCurVarName) ? Get_ETx_Ax(v, edit.VariableIndex - 1) : v;
    case GridId::ExFrmDataGrid:
        return Get_ETx_Frame(v, edit.VariableIndex);
    case GridId::MainAxDataGrid:
    case GridId::ExAxDataGrid:
    case GridId::SF_CommDataGrid:
    case GridId::SF_CalcDataGrid:
        return v;
    }
    return v;
}

} // namespace

bool IsEnteredNumber(std::string_view s) {
    const std::string t = Trim(s);
    std::size_t i = !t.empty() && t[0] == '-' ? 1 : 0;
    int nDigits = 0;
    int nSeparators = 0;
    for (; i < t.size(); ++i) {
        if (t[i] >= '0' && t[i] <= '9') {
            ++nDigits;
        } else if (t[i] == '.' || t[i] == ',') {
            ++nSeparators;
        } else {
            return false;
        }
    }
    return nDigits > 0 && nSeparators <= 1;
}

std::optional<int> EnteredInt32(std::string_view s) {
    const std::string t = Trim(s);
    if (!IsEnteredNumber(t) || HasSeparator(t)) {
        return std::nullopt;
    }
    int v = 0;
    const auto result = std::from_chars(t.data(), t.data() + t.size(), v);
    if (result.ec != std::errc() || result.ptr != t.data() + t.size()) {
        return std::nullopt;
    }
    return v;
}

int AskConfirmation(std::string_view sKind, std::string_view sNew, std::string_view sOld) {
    const std::string sUpperKind = UCase(sKind);
    std::string sText;
    if (sUpperKind == "VALTOBIG") {
        sText = T("DoYouWantTheBigVal");
    } else if (sUpperKind == "VALTOSMALL") {
        sText = T("DoYouWantTheSmallVal");
    } else if (sUpperKind == "AXISNUM") {
        const double o = Val(sOld);
        const double v = Val(sNew);
        if (o == v) {
            return kNoQuestion;
        }
        sText = o < v ? T("DoYouWantToIncreaseAxisNum") : T("DoYouWantToDecreaseAxisNum");
    } else if (sUpperKind == "MOTORTYPE") {
        sText = T("DoYouWantSelectThisMotor") + std::string(kCrLf) + "Motor: " + std::string(sNew);
    } else {
        return kNoQuestion;
    }
    return MsgBox(sText, MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No) == MsgAnswer::Yes
               ? kAnswerYes
               : kAnswerNo;
}

bool SetDefaultsForInactiveAxes(int nNew, int nOld) {
    if (g_sCurVarName == "$EX_AX_NUM") {
        nNew += 6;
        nOld += 6;
    }
    if (nNew >= nOld) {
        return true;
    }
    // Checked before the list is read, which would end the program and lose every pending
    // change.
    if (ReadIniValue("DefVar_InAvtiveAxes", "1").empty()) {
        ErrorBox(T("NoParameterInSection") + "  [DefVar_InAvtiveAxes]");
        return false;
    }
    const KeyedCollection names = ReadIniSection("DefVar_InAvtiveAxes");
    for (int i = nNew + 1; i <= nOld; ++i) {
        for (const auto& entry : names) {
            std::string v = UCase(Trim(ReadIniValue("DefVarVal_InActiveAxes", entry.sItem)));
            if (v.empty()) {
                continue; // no default given: an empty value would wipe the element
            }
            if (v == "DEFAULT") {
                v = "\"DEFAULT\"";
            }
            PutMadaChange(entry.sItem + "[" + std::to_string(i) + "]", v);
        }
    }
    return true;
}

bool clsChangeControl::WriteValueToGrid(std::string_view sNewValue, std::string_view sNewValueN) {
    std::string sNew;
    if (EditKind == "INT") {
        if (!NumberEntry(*this, sNewValue, sNewValueN, sNew)) {
            return false;
        }
    } else if (EditKind == "CHAR") {
        if (!TextEntry(*this, sNewValue, sNew)) {
            return false;
        }
    } else if (EditKind == "COMBO") {
        if (!ChoiceEntry(*this, sNewValue, sNew)) {
            return false;
        }
    } else {
        sNew = sNewValue;
    }
    VariableValue = sNew;
    if (VariableValue != ValueBefore) {
        AcceptChange();
    }
    if (const std::optional<GridId> grid = EditGrid()) {
        GridPort& port = Grids();
        port.SetCellText(*grid, port.CurrentRow(*grid), port.CurrentCol(*grid),
                         CellTextOfValue(*this, *grid));
    }
    return true;
}

} // namespace morvane
