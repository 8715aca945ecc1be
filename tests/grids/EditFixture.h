// The cell-editor tests' stand-in for the window: grids of cells with a current cell, the
// three edit controls as plain state, and a fixture with INI files in a temporary folder.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "grids/ChangeControl.h"
#include "grids/GridPort.h"
#include "grids/VariableHelp.h"
#include "tests/support/TestSupport.h"

namespace morvane::test {

struct CellWrite {
    GridId grid;
    int nRow;
    int nCol;
    std::string sText;
};

class FakeGridPort : public GridPort {
public:
    struct Grid {
        std::map<std::pair<int, int>, std::string> cells;
        int nRow = 1;
        int nCol = 1;
    };

    int CurrentTab() const override { return nTab; }
    int CurrentRow(GridId grid) const override { return Of(grid).nRow; }
    int CurrentCol(GridId grid) const override { return Of(grid).nCol; }
    std::string CellText(GridId grid, int nRow, int nCol) const override;
    void SetCellText(GridId grid, int nRow, int nCol, std::string_view sText) override;
    // Every grid sits at (1000, 2000); cells are 800 x 300 twips.
    TwipsRect CellRect(GridId grid, int nRow, int nCol) const override;
    void EnableGrids(bool bEnable, bool bMainAxisGridsToo) override;
    void ShowMainAxesTab() override { ++nMainTabShown; }
    void ShowExtAxesTab() override { ++nExtTabShown; }
    void ShowHelpPanel(const VariableHelpTexts& texts) override { help.push_back(texts); }
    void SetEditText(EditControl control, std::string_view sText) override;
    void SetEditMaxLength(int nMaxLength) override { nEditMaxLength = nMaxLength; }
    void SetComboList(const std::vector<std::string>& items, int nSelected) override;
    void ShowEditControl(EditControl control, bool bVisible) override;
    bool IsEditControlVisible(EditControl control) const override;
    void PlaceEditControl(EditControl control, const TwipsRect& place) override;
    void FocusEditControl(EditControl control) override { focus.push_back(control); }

    // Puts a text into a cell and makes it the grid's current cell.
    void SetCurrent(GridId grid, int nRow, int nCol, const std::string& sName,
                    const std::string& sCell);
    bool AnyControlVisible() const;

    int nTab = 0;
    std::map<GridId, Grid> grids;
    std::vector<CellWrite> writes;
    std::map<EditControl, std::string> editTexts;
    int nEditMaxLength = -1;
    std::vector<std::string> comboItems;
    int nComboSelected = -2;
    std::map<EditControl, bool> visible;
    std::map<EditControl, TwipsRect> places;
    std::vector<EditControl> focus;
    std::vector<std::pair<bool, bool>> gridLocks; // bEnable, bMainAxisGridsToo
    int nMainTabShown = 0;
    int nExtTabShown = 0;
    std::vector<VariableHelpTexts> help;

private:
    const Grid& Of(GridId grid) const;
};

// Globals reset before and after each test; a Morvan.ini of the test's own in a temporary
// folder, whose Mada/ sub-folder is the machine-data folder.
class EditTest : public UiTest {
protected:
    void SetUp() override;
    void TearDown() override;

public:
    void WriteIni(const std::string& sText);
    // User.ini beside Morvan.ini; the main INI names it.
    void WriteUserIni(const std::string& sText);
    void WriteServoFile(const std::string& sName);
    // Puts the value read from the file under the key, replacing one there already.
    static void Value(const std::string& sKey, const std::string& sValue);
    static void Def(const std::string& sName, const std::string& sDefinition);
    // Entering a cell: the row's variable becomes the current one with its definition.
    static void MakeCurrent(const std::string& sName);
    // Opens the editor on the current cell of the grid (tab chosen by the grid).
    void Open(GridId grid, int nRow, int nCol, const std::string& sName, const std::string& sCell,
              const std::string& sCurVar);
    // The pending machine-data changes in list order.
    static std::vector<std::pair<std::string, std::string>> Changes();
    std::vector<std::string> BoxTexts() const;
    // After a refused entry: the object and its control still there, the window still locked,
    // nothing recorded.
    void ExpectStillOpen(EditControl control) const;

    FakeGridPort port;
    TempDir dir;
};

inline std::string Lines(std::initializer_list<const char*> lines) {
    std::string s;
    for (const char* psz : lines) {
        s += std::string(psz) + "\r\n";
    }
    return s;
}

} // namespace morvane::test
