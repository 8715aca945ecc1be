#include "grids/GridFill.h"

#include <cmath>
#include <string_view>

#include "common/RunTimeError.h"
#include "common/TextFunctions.h"
#include "config/IniFile.h"
#include "config/LanguageText.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "madata/ControlType.h"
#include "madata/MadaStore.h"
#include "madata/ValueSyntax.h"
#include "servo/ServoFileModel.h"

namespace morvane {

int g_nNumAx = 0;
int g_nExAxNum = 0;
bool g_bVarDefsLoaded = false;

namespace {

constexpr int kMaxAxes = 6;
constexpr int kKinColWidth = 1176; // 8235 / 7, rounded
constexpr int kNameColExtra = 525;
constexpr int kServoRowHeight = 282;
constexpr int kServoMaxHeight = 3384;
constexpr int kCaptionAbove = 300;

// A key the value map lacks shows as an empty cell instead of stopping the whole grid.
std::string CurrentValue(std::string_view sKey) {
    try {
        return GetMadaValue(sKey);
    } catch (const RunTimeError&) {
        return {};
    }
}

std::string ReadValue(std::string_view sKey) {
    return KeyExists(g_colMadaValues, sKey) ? g_colMadaValues.Item(sKey) : std::string();
}

std::string BinDigit(std::string_view sValue, int n) {
    try {
        return NumberToText(Get_Bin_Bit(sValue, n));
    } catch (const RunTimeError&) {
        return {};
    }
}

std::string Num(int n) {
    return std::to_string(n);
}

void SetHeader(GridModel& grid, int nCol, std::string_view sText) {
    grid.SetText(0, nCol, sText);
}

void LayoutAxisGrid(GridModel& grid, int n, int nListCount, int nFirstAxis) {
    grid.SetSize(nListCount + 1, n + 1);
    grid.SetPlace(120, 480, 8775, 3615);
    grid.nFixedRows = 1;
    grid.nFixedCols = n > 0 ? 1 : 0;
    const int w = n > 2 ? static_cast<int>(std::lround(6000.0 / n)) : 2250;
    for (int c = 0; c <= n; ++c) {
        grid.SetColWidth(c, c == 0 ? 2600 : w);
        SetHeader(grid, c, T("Axis") + " " + Num(c == 0 ? 0 : c + nFirstAxis - 1));
    }
    SetHeader(grid, 0, T("Variable"));
}

void LayoutServoGrid(GridModel& grid, int nRows, int nLeft, int nTop, int nWidth,
                     std::array<int, 2> widths, std::array<int, 2> cappedWidths) {
    grid.SetSize(nRows, 2);
    grid.nFixedRows = 1;
    grid.nFixedCols = 1;
    int nHeight = nRows * kServoRowHeight;
    if (nHeight > kServoMaxHeight) {
        nHeight = kServoMaxHeight;
        widths = cappedWidths;
    }
    grid.SetPlace(nLeft, nTop, nWidth, nHeight);
    grid.SetColWidth(0, widths[0]);
    grid.SetColWidth(1, widths[1]);
    SetHeader(grid, 0, T("Variable"));
    SetHeader(grid, 1, T("Value"));
}

// A general-data grid: names and values, its first row the axis count sCountKey.
void LayoutGeneralGrid(GridModel& grid, int nRows, int nLeft, int nHeight,
                       std::string_view sCountKey) {
    grid.nFixedRows = 1;
    grid.nFixedCols = 1;
    grid.SetSize(nRows, 2);
    grid.SetPlace(nLeft, 2160, 4200, nHeight);
    grid.SetColWidth(0, 2075);
    grid.SetColWidth(1, 2075);
    SetHeader(grid, 0, T("Variable"));
    SetHeader(grid, 1, T("Value"));
    grid.SetText(1, 0, sCountKey);
    grid.SetText(1, 1, NumberToText(Val(CurrentValue(sCountKey))));
}

std::string CommentRowName(std::string_view sEntry, int nRow) {
    return Like(sEntry, "CLine*") ? "Comm_Line" + Num(nRow) : std::string();
}

} // namespace

int CurrentAxisCount(const char* sKey) {
    const double d = Val(CurrentValue(sKey));
    const long n = std::lround(d);
    if (n < 0) {
        return 0;
    }
    return n > kMaxAxes ? kMaxAxes : static_cast<int>(n);
}

void BuildGeneralGrids(GridModel& genAx, GridModel& genExAx, GeneralTabTexts& texts) {
    const std::string sBrkMode = CurrentValue("$BRK_MODE");

    texts.sMainAxCaption = T("MainAxData");
    LayoutGeneralGrid(genAx, 5, 240, 1455, "$NUM_AX");
    for (int bit = 0; bit < 3; ++bit) {
        genAx.SetText(2 + bit, 0, "$BRK_MODE_BIT" + Num(bit));
        genAx.SetText(2 + bit, 1, BinDigit(sBrkMode, bit + 1));
    }

    texts.sExAxCaption = T("ExtAxData");
    LayoutGeneralGrid(genExAx, 3, 4560, 895, "$EX_AX_NUM");
    genExAx.SetText(2, 0, "$BRK_MODE_BIT3");
    genExAx.SetText(2, 1, BinDigit(sBrkMode, 4));

    texts.sInfoCaption = T("SystemInfo");
    texts.asDesc = {T("ControlType") + ":", T("RobotType") + ":", T("R1_MadaVersion") + ":"};
    texts.asValue = {ReadValue("ControlType"), ReadValue("$TRAFONAME[]"), ReadValue("$V_R1MADA[]")};
}

void BuildMainAxesGrid(GridModel& grid) {
    g_nNumAx = CurrentAxisCount("$NUM_AX");
    const int n = g_nNumAx;
    LayoutAxisGrid(grid, n, g_colMainAxesList.Count(), 1);
    for (int i = 1; i <= g_colMainAxesList.Count(); ++i) {
        const std::string& sEntry = g_colMainAxesList.Item(i);
        grid.SetText(i, 0, sEntry);
        for (int c = 1; c <= n; ++c) {
            grid.SetText(i, c, CurrentValue(sEntry + "[" + Num(c) + "]"));
        }
    }
}

void BuildExtAxesGrid(GridModel& grid) {
    g_nExAxNum = CurrentAxisCount("$EX_AX_NUM");
    const int n = g_nExAxNum;
    LayoutAxisGrid(grid, n, g_colExtAxesList.Count(), 7);
    for (int i = 1; i <= g_colExtAxesList.Count(); ++i) {
        const std::string& sEntry = g_colExtAxesList.Item(i);
        const bool bJerk = UCase(Trim(sEntry)).starts_with("$JERK_MA");
        grid.SetText(i, 0, sEntry);
        for (int c = 1; c <= n; ++c) {
            const std::string sKey =
                bJerk ? sEntry + ".AX.E" + Num(c) : sEntry + "[" + Num(c + 6) + "]";
            grid.SetText(i, c, CurrentValue(sKey));
        }
    }
}

bool LoadAllVariableDefinitions() {
    for (const auto& entry : g_colMainAxesList) {
        GetVarDefinition(entry.sItem);
    }
    for (const auto& entry : g_colExtAxesList) {
        GetVarDefinition(entry.sItem);
    }
    for (const auto& entry : g_colMainDataList) {
        if (UCase(entry.sItem) == "$BRK_MODE") {
            for (int bit = 0; bit < 4; ++bit) {
                GetVarDefinition("$BRK_MODE_BIT" + Num(bit));
            }
        } else {
            GetVarDefinition(entry.sItem);
        }
    }
    for (const auto& entry : ReadIniSection("ExtKinVar")) {
        GetVarDefinition(entry.sItem);
    }
    return true;
}

void BuildExtKinGrid(GridModel& grid) {
    grid.SetSize(2, 7);
    grid.nFixedRows = 1;
    grid.nFixedCols = 1;
    grid.SetPlace(120, 500, 8775, 615);
    for (int i = 0; i <= 6; ++i) {
        grid.SetColWidth(i, i == 0 ? kKinColWidth + kNameColExtra : kKinColWidth);
        SetHeader(grid, i, "ET " + Num(i));
    }
    SetHeader(grid, 0, T("Variable"));
    const std::string sExKin = CurrentValue("$EX_KIN");
    grid.SetText(1, 0, "$EX_KIN");
    for (int i = 1; i <= 6; ++i) {
        grid.SetText(1, i, Get_Ex_Kin(sExKin, i));
    }
}

void BuildKinSystemGrids(GridModel& etx, GridModel& frm) {
    const int k = g_nCurEtNr == 0 ? 1 : g_nCurEtNr;
    const std::string sSys = "$ET" + Num(k);

    etx.SetSize(2, 5);
    etx.nFixedRows = 1;
    etx.nFixedCols = 1;
    etx.SetPlace(120, 1620, 8775, 615);
    etx.SetColWidth(0, kKinColWidth + kNameColExtra);
    etx.SetColWidth(1, 3 * kKinColWidth);
    for (int d = 2; d <= 4; ++d) {
        etx.SetColWidth(d, kKinColWidth);
        SetHeader(etx, d, "TR_A" + Num(d - 1));
    }
    SetHeader(etx, 0, T("Variable"));
    SetHeader(etx, 1, T("TransformationName"));
    const std::string sAx = CurrentValue(sSys + "_AX");
    etx.SetText(1, 0, sSys + "_AX");
    etx.SetText(1, 1, CurrentValue(sSys + "_NAME[]"));
    for (int d = 2; d <= 4; ++d) {
        etx.SetText(1, d, Get_ETx_Ax(sAx, d - 1));
    }

    frm.SetSize(frm.Rows() < 6 ? 6 : frm.Rows(), 7);
    frm.nFixedRows = 1;
    frm.nFixedCols = 1;
    frm.SetPlace(120, etx.nTop + etx.nHeight, 8775, 1745);
    static constexpr std::array<std::string_view, 6> kComponents = {"X", "Y", "Z", "A", "B", "C"};
    frm.SetColWidth(0, kKinColWidth + kNameColExtra);
    SetHeader(frm, 0, T("Variable"));
    for (int c = 1; c <= 6; ++c) {
        frm.SetColWidth(c, kKinColWidth);
        SetHeader(frm, c, kComponents[c - 1]);
    }
    const std::string sFramePrefix = sSys + "_T";
    int r = 0;
    for (const auto& entry : g_colExtKinList) {
        const std::string& sName = entry.sItem;
        if (sName == "$ET#_AX" || sName == "$EX_KIN" || sName == "$ET#_NAME" ||
            !sName.starts_with(sFramePrefix)) {
            continue;
        }
        ++r;
        if (r >= frm.Rows()) {
            frm.SetSize(r + 1, 7); // more frames than the usual five: the grid grows
        }
        const std::string sValue = CurrentValue(sName);
        frm.SetText(r, 0, sName);
        for (int c = 1; c <= 6; ++c) {
            frm.SetText(r, c, Get_ETx_Frame(sValue, c));
        }
    }
}

void BuildServoInputGrid(GridModel& grid, GridCaption& parUser) {
    const int nRows = g_colSFNeededList.Count() + 1;
    LayoutServoGrid(grid, nRows, 120, 800, 4200, {1800, 2300}, {1800, 2150});
    for (int i = 1; i < nRows; ++i) {
        const std::string& sName = g_colSFNeededList.Item(i);
        grid.SetText(i, 0, sName);
        grid.SetText(i, 1, GetSFNeededVal(sName));
    }
    parUser = {T("PleaseSetTheParameter"), grid.nLeft, grid.nTop - kCaptionAbove};
}

void BuildServoCalcGridNew(GridModel& grid, GridCaption& parCalc) {
    if (g_colSFViewList.Empty()) {
        g_colSFViewList = g_colSFCalcList;
    }
    const int nRows = g_colSFCalcList.Count() + 1;
    LayoutServoGrid(grid, nRows, 4350, 800, 4500, {1200, 3200}, {1800, 2150});
    for (int i = 1; i < nRows; ++i) {
        const std::string& sEntry = g_colSFCalcList.Item(i);
        const std::string sComment = CommentRowName(sEntry, i);
        bool bChanged = false;
        grid.SetText(i, 0, sComment.empty() ? sEntry : sComment);
        grid.SetText(i, 1, GetSFValue(sEntry, bChanged));
    }
    parCalc = {T("ServoParAutSet"), grid.nLeft, grid.nTop - kCaptionAbove};
}

void BuildServoCalcGridOpen(GridModel& grid, GridCaption& parCalc) {
    const int nRows = g_colSFCalcList.Count() + 1;
    LayoutServoGrid(grid, nRows, 1200, 700, 6200, {2000, 4100}, {1900, 3950});
    for (int i = 1; i < nRows; ++i) {
        const std::string& sEntry = g_colSFCalcList.Item(i);
        const std::string sComment = CommentRowName(sEntry, i);
        bool bChanged = false;
        grid.SetText(i, 0, sComment.empty() ? T(sEntry) : sComment);
        grid.SetText(i, 1, GetSFValue(sEntry, bChanged));
    }
    if (g_colSFViewList.Empty()) {
        g_colSFViewList = g_colSFCalcList;
    }
    parCalc = {T("File") + " " + g_sServoFileName, grid.nLeft, grid.nTop - kCaptionAbove};
}

void ApplyAxisColumnWidths(GridModel& grid, int nCurCol) {
    if (grid.Cols() < 4) {
        return;
    }
    const int w = static_cast<int>(std::lround(3550.0 / (grid.Cols() - 2)));
    for (int c = 1; c < grid.Cols(); ++c) {
        grid.SetColWidth(c, w);
    }
    grid.SetColWidth(nCurCol, 2250);
}

} // namespace morvane
