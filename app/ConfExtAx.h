// The main window: menu soft keys with their pop-up menus, the five tabs with their grids, the
// help panel, command soft keys, status keys and the pendant's keys, and the window's lock.
#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "app/StartOptions.h"
#include "controller/TrellComm.h"
#include "grids/GridPort.h"

class QAction;
class QComboBox;
class QFrame;
class QLineEdit;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabBar;

namespace morvane {

class ParamGrid;
struct GridCaption;
struct VariableHelpTexts;

class ConfExtAx : public QWidget, public TrellParent, public GridPort {
    Q_OBJECT
public:
    explicit ConfExtAx(StartOptions options);
    ~ConfExtAx() override;

    // Start-up.
    void Form_Load();
    bool InitForm();
    void ConnectAndCheck();
    void InitMainWindow();
    bool AppIsActive() const;
    bool g_bInitFormdone = false;

    // The window's frame.
    void EnableMainControls(bool bEnable);
    void HideAllGrids();
    void ShowActiveTab();
    void ShowGeneralTab();
    void ShowMainAxesTab() override;
    void ShowExtAxesTab() override;
    void ShowExtKinTab();
    void ShowServoFileTab();
    void SetFocusToActiveGrid();
    int SelectedTab() const;

    // The handlers; the pendant calls them directly, past the disabled state of the keys.
    void BtnCmd_Click(int nIndex);
    void BtnMenu_Click(int nIndex);
    void StatKeyLSt_Click(int nIndex);
    void mnusubfile_Click(int nIndex);
    void mnusubwindow_Click(int nIndex);
    void mnuSubInfo_Click(int nIndex);
    void mnuSubServofile_Click(int nIndex);
    void LsrTab_Click(int nIndex);
    // The pendant's key event (codes 113..133) and escape event.
    void Zep1_KeyEvent(int nKeyCode);
    void Zep1_EscapeEvent();

    // The grids and edit controls as the cell editor sees them.
    int CurrentTab() const override { return SelectedTab(); }
    int CurrentRow(GridId grid) const override;
    int CurrentCol(GridId grid) const override;
    std::string CellText(GridId grid, int nRow, int nCol) const override;
    void SetCellText(GridId grid, int nRow, int nCol, std::string_view sText) override;
    TwipsRect CellRect(GridId grid, int nRow, int nCol) const override;
    void EnableGrids(bool bEnable, bool bMainAxisGridsToo) override;
    void ShowHelpPanel(const VariableHelpTexts& texts) override;
    void SetEditText(EditControl control, std::string_view sText) override;
    void SetEditMaxLength(int nMaxLength) override;
    void SetComboList(const std::vector<std::string>& items, int nSelected) override;
    void ShowEditControl(EditControl control, bool bVisible) override;
    bool IsEditControlVisible(EditControl control) const override;
    void PlaceEditControl(EditControl control, const TwipsRect& place) override;
    void FocusEditControl(EditControl control) override;

    // The progress bar of longer readings, driven through the Ui port.
    void ShowProgress(double dMin, double dMax, double dValue);
    void HideProgress();

    std::array<QPushButton*, 8> BtnMenu{};
    std::array<QPushButton*, 7> BtnCmd{};
    std::array<QPushButton*, 6> StatKeyLSt{};
    QFrame* LsrTabArea = nullptr;
    QTabBar* LsrTab = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QFrame* StatusBar = nullptr;

    ParamGrid* GenAxData = nullptr;
    ParamGrid* GenExAxData = nullptr;
    ParamGrid* MainAxDataGrid = nullptr;
    ParamGrid* ExAxDataGrid = nullptr;
    ParamGrid* ExKinDataGrid = nullptr;
    ParamGrid* ExEtxDataGrid = nullptr;
    ParamGrid* ExFrmDataGrid = nullptr;
    ParamGrid* SF_CommDataGrid = nullptr;
    ParamGrid* SF_CalcDataGrid = nullptr;

    QGroupBox* Frm_Info = nullptr;
    std::array<QLabel*, 3> Lbl_Desc{};
    std::array<QLabel*, 3> Lbl_Vel{};
    QLabel* Lbl_MainAxData = nullptr;
    QLabel* Lbl_ExAxData = nullptr;
    QLabel* Lbl_ParUser = nullptr;
    QLabel* Lbl_ParCalc = nullptr;

    QLineEdit* ChangeTb = nullptr;
    QLineEdit* ChangeTb2 = nullptr; // the denominator of a ratio
    QComboBox* ChangeCombo = nullptr;

    QFrame* Frame3 = nullptr; // the help panel
    QLabel* Lbl_HlpsDesc = nullptr;
    QLabel* Lbl_HlpUnit = nullptr;
    QLabel* Lbl_HlpType = nullptr;
    QLabel* Lbl_HlpDesc = nullptr;
    QLabel* Lbl_HlpDef = nullptr;
    QLabel* Lbl_HlpFix = nullptr;
    QLabel* Lbl_HlpMin = nullptr;
    QLabel* Lbl_HlpMax = nullptr;

    QMenu* mnuFile = nullptr;
    QMenu* mnuwindow = nullptr;
    QMenu* mnuServofile = nullptr;
    QMenu* mnuInfo = nullptr;
    std::array<QAction*, 4> mnusubfile{};
    std::array<QAction*, 5> mnusubwindow{};
    std::array<QAction*, 5> mnuSubServofile{};
    std::array<QAction*, 1> mnuSubInfo{};

protected:
    void changeEvent(QEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    enum class GridKind { GenAx, GenExAx, MainAx, ExAx, ExKin, ExEtx, ExFrm, SFComm, SFCalc };

    void CreateControls();
    void CreateHelpPanel();
    void CreateMenus();
    ParamGrid* CreateGrid(const char* sName, GridKind kind);
    void Form_Activate();
    void SelectTabQuietly(int nIndex);
    void SetTabEnabled(int nIndex, bool bEnable);
    void SendKeyToWindow(int nKey, Qt::KeyboardModifiers modifiers);
    void CreateEditControls();
    // Asks about pending servo-file changes before a servo command; false = the command ends.
    bool PendingServoChangesSettled(int nIndex);
    void ShowServoNewLayout();
    void ShowServoOpenLayout();
    void PlaceCaption(QLabel* pLabel, const GridCaption& caption);
    ParamGrid* GridOf(GridId grid) const;
    // The grid of the kinematics tab named by g_sActiveKinGrid; nullptr for none.
    ParamGrid* ActiveKinGrid() const;
    QWidget* EditWidget(EditControl control) const;
    // The key events of the three edit controls; true when the key was used up.
    bool EditControlKey(QObject* pControl, QKeyEvent* pEvent);
    void RefreshGeneralLabels();

    void Grid_EnterOrFocus(GridKind kind, ParamGrid* pGrid, bool bGotFocus);
    void Grid_LeaveCell(ParamGrid* pGrid);
    void Grid_LostFocus(GridKind kind, ParamGrid* pGrid);
    void Grid_KeyPress(GridKind kind, ParamGrid* pGrid, int nKeyAscii);
    void HighlightCurrent(ParamGrid* pGrid);
    void ResetCurrent(ParamGrid* pGrid);

    StartOptions m_options;
    bool m_bStartupDone = false;
};

} // namespace morvane
