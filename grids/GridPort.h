// The window operations the cell editor needs: the current tab, the cells of the grids, the
// tab routines that rebuild an axis grid, the help panel and the three edit controls.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvane {

struct VariableHelpTexts;

enum class GridId {
    GenAxData,
    GenExAxData,
    MainAxDataGrid,
    ExAxDataGrid,
    ExKinDataGrid,
    ExEtxDataGrid,
    ExFrmDataGrid,
    SF_CommDataGrid,
    SF_CalcDataGrid,
};

enum class EditControl { ChangeTb, ChangeTb2, ChangeCombo };

// Twips, relative to the tab area.
struct TwipsRect {
    int nLeft = 0;
    int nTop = 0;
    int nWidth = 0;
    int nHeight = 0;
};

class GridPort {
public:
    virtual ~GridPort() = default;

    // The current tab of LsrTab, 0..4.
    virtual int CurrentTab() const = 0;
    // The current cell of a grid.
    virtual int CurrentRow(GridId grid) const = 0;
    virtual int CurrentCol(GridId grid) const = 0;
    // "" for a cell outside the grid.
    virtual std::string CellText(GridId grid, int nRow, int nCol) const = 0;
    virtual void SetCellText(GridId grid, int nRow, int nCol, std::string_view sText) = 0;
    // Grid left + cell left, grid top + cell top, the cell's width and height.
    virtual TwipsRect CellRect(GridId grid, int nRow, int nCol) const = 0;
    // Every grid, or every grid but GenAxData and MainAxDataGrid.
    virtual void EnableGrids(bool bEnable, bool bMainAxisGridsToo) = 0;

    // The tab routines: rebuild the axis grid from the current values.
    virtual void ShowMainAxesTab() = 0;
    virtual void ShowExtAxesTab() = 0;
    virtual void ShowHelpPanel(const VariableHelpTexts& texts) = 0;

    // ChangeTb or ChangeTb2.
    virtual void SetEditText(EditControl control, std::string_view sText) = 0;
    // Of ChangeTb; 0 = unlimited.
    virtual void SetEditMaxLength(int nMaxLength) = 0;
    // Replaces the entries of ChangeCombo; nSelected is 0-based, -1 = no selection.
    virtual void SetComboList(const std::vector<std::string>& items, int nSelected) = 0;
    virtual void ShowEditControl(EditControl control, bool bVisible) = 0;
    virtual bool IsEditControlVisible(EditControl control) const = 0;
    // nHeight < 0 keeps the control's height.
    virtual void PlaceEditControl(EditControl control, const TwipsRect& place) = 0;
    // Gives the control the focus, a text box with its whole text selected; ignored while
    // the control is hidden.
    virtual void FocusEditControl(EditControl control) = 0;
};

// The port in use; an inert one (tab 0, empty cells, nothing shown) until the window installs
// its own. nullptr puts the inert one back.
GridPort& Grids();
void SetGridPort(GridPort* pPort);

} // namespace morvane
