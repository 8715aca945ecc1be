#include "grids/GridPort.h"

namespace morvane {

namespace {

// Stands in before the window exists, so that no caller has to test for a missing port.
class InertGrids : public GridPort {
public:
    int CurrentTab() const override { return 0; }
    int CurrentRow(GridId) const override { return 0; }
    int CurrentCol(GridId) const override { return 0; }
    std::string CellText(GridId, int, int) const override { return {}; }
    void SetCellText(GridId, int, int, std::string_view) override {}
    TwipsRect CellRect(GridId, int, int) const override { return {}; }
    void EnableGrids(bool, bool) override {}
    void ShowMainAxesTab() override {}
    void ShowExtAxesTab() override {}
    void ShowHelpPanel(const VariableHelpTexts&) override {}
    void SetEditText(EditControl, std::string_view) override {}
    void SetEditMaxLength(int) override {}
    void SetComboList(const std::vector<std::string>&, int) override {}
    void ShowEditControl(EditControl, bool) override {}
    bool IsEditControlVisible(EditControl) const override { return false; }
    void PlaceEditControl(EditControl, const TwipsRect&) override {}
    void FocusEditControl(EditControl) override {}
};

InertGrids g_inertGrids;
GridPort* g_pGrids = &g_inertGrids;

} // namespace

GridPort& Grids() {
    return *g_pGrids;
}

void SetGridPort(GridPort* pPort) {
    g_pGrids = pPort ? pPort : &g_inertGrids;
}

} // namespace morvane
