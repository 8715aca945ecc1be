#include "tests/grids/EditFixture.h"

#include "config/IniFile.h"
#include "config/Paths.h"
#include "grids/CellEditor.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "grids/GridFill.h"
#include "madata/ControlType.h"
#include "madata/MadaStore.h"

namespace morvane::test {

std::string FakeGridPort::CellText(GridId grid, int nRow, int nCol) const {
    const auto& cells = Of(grid).cells;
    const auto it = cells.find({nRow, nCol});
    return it == cells.end() ? std::string() : it->second;
}

void FakeGridPort::SetCellText(GridId grid, int nRow, int nCol, std::string_view sText) {
    grids[grid].cells[{nRow, nCol}] = sText;
    writes.push_back({grid, nRow, nCol, std::string(sText)});
}

TwipsRect FakeGridPort::CellRect(GridId, int nRow, int nCol) const {
    return {1000 + nCol * 800, 2000 + nRow * 300, 800, 300};
}

void FakeGridPort::EnableGrids(bool bEnable, bool bMainAxisGridsToo) {
    gridLocks.emplace_back(bEnable, bMainAxisGridsToo);
}

void FakeGridPort::SetEditText(EditControl control, std::string_view sText) {
    editTexts[control] = sText;
}

void FakeGridPort::SetComboList(const std::vector<std::string>& items, int nSelected) {
    comboItems = items;
    nComboSelected = nSelected;
}

void FakeGridPort::ShowEditControl(EditControl control, bool bVisible) {
    visible[control] = bVisible;
}

bool FakeGridPort::IsEditControlVisible(EditControl control) const {
    const auto it = visible.find(control);
    return it != visible.end() && it->second;
}

void FakeGridPort::PlaceEditControl(EditControl control, const TwipsRect& place) {
    places[control] = place;
}

void FakeGridPort::SetCurrent(GridId grid, int nRow, int nCol, const std::string& sName,
                              const std::string& sCell) {
    Grid& g = grids[grid];
    g.cells[{nRow, 0}] = sName;
    if (nCol != 0) {
        g.cells[{nRow, nCol}] = sCell;
    }
    g.nRow = nRow;
    g.nCol = nCol;
}

bool FakeGridPort::AnyControlVisible() const {
    for (const auto& [control, bVisible] : visible) {
        if (bVisible) {
            return true;
        }
    }
    return false;
}

const FakeGridPort::Grid& FakeGridPort::Of(GridId grid) const {
    static const Grid empty;
    const auto it = grids.find(grid);
    return it == grids.end() ? empty : it->second;
}

namespace {

void ResetGlobals() {
    g_colMadaValues = KeyedCollection();
    g_colMadaChanges = KeyedCollection();
    g_colSFChanges = KeyedCollection();
    g_colSFNeededVals = KeyedCollection();
    g_colSFValues = KeyedCollection();
    g_colVarDefs = KeyedCollection();
    for (std::string* p :
         {&g_sCurVarName, &g_sCurVarType, &g_sCurVarMin, &g_sCurVarMax, &g_sCurVarDefault,
          &g_sCurVarFixed, &g_sCurVarUnit, &g_sActiveGenGrid, &g_sActiveKinGrid, &g_sActiveSFGrid,
          &g_sControlType, &g_sIniFile, &g_sMadaPath}) {
        p->clear();
    }
    g_nCurEtNr = 0;
    g_bEditActive = false;
    g_bRobotModelTrafo = false;
    g_nNumAx = 0;
    g_nExAxNum = 0;
    g_oChangeControl.reset();
}

} // namespace

void EditTest::SetUp() {
    ResetGlobals();
    // Tests that run a table of cases set up again for each case.
    ui.boxes.clear();
    ui.enableCalls.clear();
    port = FakeGridPort();
    SetGridPort(&port);
    g_sIniFile = (dir.Path() / "Morvan.ini").string();
    g_sMadaPath = (dir.Path() / "Mada").string() + "/";
    std::filesystem::create_directories(dir.Path() / "Mada");
    WriteIni(Lines({
        "[VRQ_Types]",
        "1=VRQ_10A",
        "2=VRQ_20A",
        "[TOVO_MOTORTYPES]",
        "1=NONE",
        "2=MG_10, 1.6 Nm",
        "[USER_Section]",
        "UserIniFile=User.ini",
        "[MotorVar]",
        "1=$MOT_RPM_NOM",
        "2=$CURR_LIM",
        "3=$RAT_MOT_ENC",
        "[BN57_MotorVar]",
        "1=$SERVOFILE",
        "2=$MOT_TYPE_NAME",
        "[Motor_MG_10]",
        "$MOT_RPM_NOM=2",
        "$CURR_LIM=100",
        "$RAT_MOT_ENC={N 1,D 2}",
        "$SERVOFILE=MG_10",
        "$MOT_TYPE_NAME=motor a",
        "[DefVar_InAvtiveAxes]",
        "1=$AXIS_TYPE",
        "2=$RAT_MOT_AX",
        "[DefVarVal_InActiveAxes]",
        "$AXIS_TYPE=1",
        "$RAT_MOT_AX=default",
    }));
}

void EditTest::TearDown() {
    SetGridPort(nullptr);
    ResetGlobals();
    UiTest::TearDown();
}

void EditTest::WriteIni(const std::string& sText) {
    dir.Write("Morvan.ini", sText);
}

void EditTest::WriteUserIni(const std::string& sText) {
    dir.Write("User.ini", sText);
}

void EditTest::WriteServoFile(const std::string& sName) {
    dir.Write("Mada/" + sName, ";servo\r\n");
}

void EditTest::Value(const std::string& sKey, const std::string& sValue) {
    g_colMadaValues.RemoveIfPresent(sKey);
    g_colMadaValues.Add(sValue, sKey);
}

void EditTest::Def(const std::string& sName, const std::string& sDefinition) {
    g_colVarDefs.Add(sDefinition, sName);
}

void EditTest::MakeCurrent(const std::string& sName) {
    ShowVariableHelp(sName);
}

void EditTest::Open(GridId grid, int nRow, int nCol, const std::string& sName,
                    const std::string& sCell, const std::string& sCurVar) {
    // The tab of each grid and, on the tabs with several grids, the identifier that names it
    // (mixed case where the editor has to compare in upper case).
    struct GridTab {
        GridId grid;
        int nTab;
        std::string* pActiveGrid;
        const char* pszActiveGrid;
    };
    const GridTab tabs[] = {
        {GridId::GenAxData, 0, &g_sActiveGenGrid, "GENAXDATA"},
        {GridId::GenExAxData, 0, &g_sActiveGenGrid, "GENEXAXDATA"},
        {GridId::MainAxDataGrid, 1, nullptr, nullptr},
        {GridId::ExAxDataGrid, 2, nullptr, nullptr},
        {GridId::ExKinDataGrid, 3, &g_sActiveKinGrid, "ExKinDataGrid"},
        {GridId::ExEtxDataGrid, 3, &g_sActiveKinGrid, "ExEtxDataGrid"},
        {GridId::ExFrmDataGrid, 3, &g_sActiveKinGrid, "ExFrmDataGrid"},
        {GridId::SF_CommDataGrid, 4, &g_sActiveSFGrid, "SF_COMMDATAGRID"},
        {GridId::SF_CalcDataGrid, 4, &g_sActiveSFGrid, "SF_CalcDataGrid"},
    };
    for (const GridTab& tab : tabs) {
        if (tab.grid == grid) {
            port.nTab = tab.nTab;
            if (tab.pActiveGrid) {
                *tab.pActiveGrid = tab.pszActiveGrid;
            }
        }
    }
    port.SetCurrent(grid, nRow, nCol, sName, sCell);
    MakeCurrent(sCurVar);
    StartCellEdit();
}

std::vector<std::pair<std::string, std::string>> EditTest::Changes() {
    std::vector<std::pair<std::string, std::string>> changes;
    for (const auto& entry : g_colMadaChanges) {
        changes.emplace_back(entry.sKey, entry.sItem);
    }
    return changes;
}

std::vector<std::string> EditTest::BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : ui.boxes) {
        texts.push_back(box.sText);
    }
    return texts;
}

void EditTest::ExpectStillOpen(EditControl control) const {
    EXPECT_NE(g_oChangeControl, nullptr);
    EXPECT_TRUE(port.IsEditControlVisible(control));
    EXPECT_EQ(ui.enableCalls, std::vector<bool>{false});
    EXPECT_TRUE(g_colMadaChanges.Empty());
}

} // namespace morvane::test
