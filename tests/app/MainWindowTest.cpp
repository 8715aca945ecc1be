// The main window operated with real key events: pendant codes and status keys through the
// tabs, the controller-type rules, the lock, the menus, the help panel and the grid events.
#include <QFrame>
#include <QLabel>
#include <QTabBar>
#include <QTest>

#include "config/LanguageText.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "grids/qt/ParamGrid.h"
#include "madata/ControlType.h"
#include "tests/app/WindowFixture.h"
#include <QComboBox>
#include <QLineEdit>

namespace morvane::test {
namespace {

const QColor kLightYellow(255, 255, 128);

class MainWindowTest : public WindowTest {
protected:
    // A key as the user gives it: to the widget that has the focus.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* pTarget = QApplication::focusWidget();
        QTest::keyClick(pTarget ? pTarget : &W(), key, modifiers);
    }
    QWidget* Focus() const { return QApplication::focusWidget(); }
};

TEST_F(MainWindowTest, StatusKeysAndPendantCodesReachEveryTab) {
    ASSERT_TRUE(Start());
    const std::vector<ParamGrid*> focusOf = {W().GenAxData, W().MainAxDataGrid, W().ExAxDataGrid,
                                             W().ExKinDataGrid, W().SF_CommDataGrid};
    for (int nTab = 1; nTab <= 4; ++nTab) {
        Key(Qt::Key_F17); // code 128: next tab
        EXPECT_EQ(W().SelectedTab(), nTab);
        EXPECT_EQ(Focus(), focusOf[nTab]);
        EXPECT_TRUE(focusOf[nTab]->isVisible());
    }
    Key(Qt::Key_F17);
    EXPECT_EQ(W().SelectedTab(), 4);
    EXPECT_EQ(W().BtnCmd[3]->text().toStdString(), T("CreateServoFile"));
    for (int nTab = 3; nTab >= 0; --nTab) {
        Key(Qt::Key_F18); // code 129: previous tab
        EXPECT_EQ(W().SelectedTab(), nTab);
    }
    EXPECT_TRUE(W().BtnCmd[3]->text().isEmpty());
    EXPECT_TRUE(W().mnusubwindow[0]->isChecked());
    EXPECT_FALSE(W().MainAxDataGrid->isVisible());
}

TEST_F(MainWindowTest, Bn40ControllerSkipsTheMainAxesAndServoTabs) {
    EditMachineDat("$TRAFONAME[]=\"#ARM6 57 S\"", "$TRAFONAME[]=\"\"");
    ASSERT_TRUE(Start());
    EXPECT_EQ(g_sControlType, "(V)BN 40");
    EXPECT_FALSE(W().GenAxData->isEnabled());
    EXPECT_EQ(Focus(), W().GenExAxData);
    W().StatKeyLSt_Click(0);
    EXPECT_EQ(W().SelectedTab(), 2);
    W().StatKeyLSt_Click(1);
    EXPECT_EQ(W().SelectedTab(), 0);
    W().mnusubwindow_Click(3);
    Key(Qt::Key_F17);
    EXPECT_EQ(W().SelectedTab(), 3);
    W().mnusubwindow_Click(4);
    EXPECT_EQ(W().SelectedTab(), 3);
    W().BtnMenu_Click(1);
    EXPECT_FALSE(W().mnusubwindow[1]->isEnabled());
    EXPECT_FALSE(W().mnusubwindow[4]->isEnabled());
    W().mnuwindow->close();
}

TEST_F(MainWindowTest, RobotModelDisablesTheMainAxesAfterEveryUnlock) {
    EditMachineDat("$TRAFONAME[]=\"#ARM6 57 S\"", "$TRAFONAME[]=\"#BN7 57 X\"");
    ASSERT_TRUE(Start());
    EXPECT_EQ(Focus(), W().GenExAxData);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(W().LsrTab->isTabEnabled(1));
        EXPECT_FALSE(W().GenAxData->isEnabled());
        W().EnableMainControls(false);
        W().EnableMainControls(true);
    }
    Key(Qt::Key_F17);
    EXPECT_EQ(W().SelectedTab(), 2);
}

TEST_F(MainWindowTest, TheLockKeepsOnlyTheCurrentViewUsable) {
    ASSERT_TRUE(Start());
    W().mnusubwindow_Click(2);
    W().EnableMainControls(false);
    EXPECT_TRUE(g_bEditActive);
    EXPECT_TRUE(W().LsrTab->isTabEnabled(2));
    EXPECT_FALSE(W().LsrTab->isTabEnabled(0));
    EXPECT_FALSE(W().BtnMenu[0]->isEnabled());
    EXPECT_FALSE(W().BtnCmd[6]->isEnabled());
    EXPECT_FALSE(W().StatKeyLSt[0]->isEnabled());
    Key(Qt::Key_F8);  // 119 EXIT: guarded, no question
    Key(Qt::Key_F17); // next tab: guarded
    Key(Qt::Key_F9);  // file menu: guarded
    EXPECT_EQ(W().SelectedTab(), 2);
    EXPECT_FALSE(W().mnuFile->isVisible());
    EXPECT_TRUE(ui.boxes.empty());
    W().EnableMainControls(true);
    EXPECT_TRUE(W().LsrTab->isTabEnabled(0));
    EXPECT_TRUE(W().BtnCmd[6]->isEnabled());
}

TEST_F(MainWindowTest, MenuKeysPopUpTheirMenusUnderTheKeys) {
    ASSERT_TRUE(Start());
    Key(Qt::Key_F9); // 120: file menu
    ASSERT_TRUE(W().mnuFile->isVisible());
    EXPECT_EQ(W().mnuFile->pos(), W().mapToGlobal(QPoint(0, 30)));
    EXPECT_EQ(W().mnusubfile[3]->text().toStdString(), "&2 " + T("Exit"));
    W().mnuFile->close();
    Key(Qt::Key_F16); // 127: info menu, opening to the left of the key's right edge
    ASSERT_TRUE(W().mnuInfo->isVisible());
    const QRect key = W().BtnMenu[7]->geometry();
    EXPECT_EQ(W().mnuInfo->geometry().right(), W().mapToGlobal(key.topRight()).x());
    W().mnuInfo->close();
    Key(Qt::Key_F12); // 123: a key without a menu
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(Focus(), W().GenAxData);
}

TEST_F(MainWindowTest, TabAndShiftTabKeysMoveBetweenTheGrids) {
    ASSERT_TRUE(Start());
    ASSERT_EQ(Focus(), W().GenAxData);
    Key(Qt::Key_F21); // 132: next field
    EXPECT_EQ(Focus(), W().GenExAxData);
    EXPECT_EQ(g_sActiveGenGrid, "GENEXAXDATA");
    Key(Qt::Key_F22); // 133: previous field
    EXPECT_EQ(Focus(), W().GenAxData);
    EXPECT_EQ(g_sActiveGenGrid, "GENAXDATA");
}

TEST_F(MainWindowTest, EnteringACellFillsTheHelpPanelAndHighlightsIt) {
    ASSERT_TRUE(Start());
    W().mnusubwindow_Click(1);
    ParamGrid& grid = *W().MainAxDataGrid;
    ASSERT_EQ(Focus(), &grid);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    ASSERT_EQ(grid.Model().Text(grid.Row(), 0), "$RAT_MOT_AX");
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(g_sCurVarName, "$RAT_MOT_AX");
    EXPECT_EQ(grid.CellBackground(3, 2), kLightYellow);
    EXPECT_NE(grid.CellBackground(3, 1), kLightYellow);
    EXPECT_EQ(W().Lbl_HlpsDesc->text().toStdString(), T("sDesc_$RAT_MOT_AX"));
    EXPECT_EQ(W().Lbl_HlpDesc->text().toStdString(), T("Desc_$RAT_MOT_AX"));
    EXPECT_EQ(W().Lbl_HlpType->text(), "Type [" + QString::fromStdString(g_sCurVarType) + "]");
    EXPECT_EQ(W().Lbl_HlpDef->text().toStdString(), g_sCurVarDefault);
    EXPECT_GT(W().Lbl_HlpUnit->x(), W().Lbl_HlpsDesc->x() + W().Lbl_HlpsDesc->width());
    EXPECT_EQ(grid.Model().ColWidth(1), 710);
    EXPECT_EQ(grid.Model().ColWidth(2), 2250);
    EXPECT_EQ(grid.Model().ColWidth(0), 2600);
    Key(Qt::Key_Left); // the name column cannot be entered
    Key(Qt::Key_Left);
    EXPECT_EQ(grid.Col(), 1);
    Key(Qt::Key_Return); // a ratio: numerator and denominator in two boxes
    EXPECT_FALSE(W().ChangeTb->isHidden());
    EXPECT_FALSE(W().ChangeTb2->isHidden());
    Key(Qt::Key_Down);
    EXPECT_EQ(Focus(), W().ChangeTb2);
    Key(Qt::Key_Up);
    EXPECT_EQ(Focus(), W().ChangeTb);
    Key(Qt::Key_Escape);
    EXPECT_TRUE(W().ChangeTb2->isHidden());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MainWindowTest, HeaderRowAndNameColumnStayWhileTheGridScrolls) {
    ASSERT_TRUE(Start());
    W().mnusubwindow_Click(2);
    ParamGrid& grid = *W().ExAxDataGrid;
    for (int i = 0; i < 20; ++i) {
        Key(Qt::Key_Down);
    }
    EXPECT_EQ(grid.Row(), grid.Model().Rows() - 1);
    EXPECT_GT(grid.TopRow(), 1);
    EXPECT_TRUE(grid.CellRect(0, 0).isValid()); // the header stays in view
    EXPECT_TRUE(grid.CellRect(grid.Row(), 0).isValid());
    EXPECT_FALSE(grid.CellRect(1, 1).isValid()); // scrolled away
    EXPECT_EQ(grid.CellBackground(grid.Row(), 0), grid.CellBackground(0, 0));
}

TEST_F(MainWindowTest, KinematicsGridsFollowTheSelectedSystem) {
    ASSERT_TRUE(Start());
    W().mnusubwindow_Click(3);
    ASSERT_EQ(Focus(), W().ExKinDataGrid);
    EXPECT_EQ(W().ExEtxDataGrid->Model().Text(1, 0), "$ET1_AX");
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(g_nCurEtNr, 3);
    EXPECT_EQ(W().ExEtxDataGrid->Model().Text(1, 0), "$ET3_AX");
    EXPECT_EQ(W().ExFrmDataGrid->Model().Text(1, 0).rfind("$ET3_T", 0), 0u);
    EXPECT_EQ(g_sActiveKinGrid, "ExKinDataGrid");

    Key(Qt::Key_F21); // into the transformation grid
    ASSERT_EQ(Focus(), W().ExEtxDataGrid);
    EXPECT_EQ(g_sActiveKinGrid, "ExEtxDataGrid");
    EXPECT_EQ(g_sCurVarName, "$ET#_NAME");
    EXPECT_NE(W().ExKinDataGrid->CellBackground(1, 3), kLightYellow);
    Key(Qt::Key_F21); // into the frame grid: its help name is the generic one
    ASSERT_EQ(Focus(), W().ExFrmDataGrid);
    EXPECT_EQ(g_sCurVarName, "$ET3_TA1BN");
    EXPECT_EQ(W().Lbl_HlpsDesc->text().toStdString(), T("sDesc_$ET#_TA1BN"));
    ui.Answer(MsgAnswer::OK);
    W().BtnCmd_Click(0); // CHANGE on a frame of system 3, which is not in use: refused
    EXPECT_EQ(ui.boxes.size(), 1u);
    EXPECT_TRUE(W().ChangeTb->isHidden());
    EXPECT_EQ(Focus(), W().ExFrmDataGrid);
}

TEST_F(MainWindowTest, EnterOpensTheEditorWhichFiltersKeysAndEscapeAbandons) {
    ASSERT_TRUE(Start());
    W().mnusubwindow_Click(3);
    Key(Qt::Key_F21);
    Key(Qt::Key_F21);
    ParamGrid& grid = *W().ExFrmDataGrid;
    ASSERT_EQ(Focus(), &grid);
    const std::string sBefore = grid.Model().Text(grid.Row(), grid.Col());
    Key(Qt::Key_Return);
    ASSERT_FALSE(W().ChangeTb->isHidden());
    EXPECT_EQ(W().ChangeTb->text().toStdString(), sBefore);
    EXPECT_TRUE(W().ChangeTb->hasSelectedText());
    EXPECT_FALSE(grid.isEnabled());
    QTest::keyClicks(W().ChangeTb, "a+-7");
    EXPECT_EQ(W().ChangeTb->text().toStdString(), "-7"); // REAL: letters and "+" swallowed
    Key(Qt::Key_Escape);
    EXPECT_TRUE(W().ChangeTb->isHidden());
    EXPECT_TRUE(grid.isEnabled());
    EXPECT_EQ(Focus(), &grid);
    EXPECT_EQ(grid.Model().Text(grid.Row(), grid.Col()), sBefore);
    EXPECT_TRUE(g_colMadaChanges.Empty());
}

TEST_F(MainWindowTest, ChoiceListTakesItsKeysAndEscapeReturnsToTheGrid) {
    ASSERT_TRUE(Start());
    Key(Qt::Key_F21);
    ParamGrid& grid = *W().GenExAxData;
    ASSERT_EQ(Focus(), &grid);
    Key(Qt::Key_Down);
    ASSERT_EQ(grid.Model().Text(grid.Row(), 0), "$BRK_MODE_BIT3");
    Key(Qt::Key_Return);
    ASSERT_FALSE(W().ChangeCombo->isHidden());
    EXPECT_EQ(Focus(), W().ChangeCombo);
    EXPECT_EQ(W().ChangeCombo->count(), 2);
    EXPECT_EQ(W().ChangeCombo->currentText(), grid.CurrentText());
    Key(Qt::Key_Escape);
    EXPECT_TRUE(W().ChangeCombo->isHidden());
    EXPECT_EQ(Focus(), &grid);
    EXPECT_TRUE(g_colMadaChanges.Empty());
}

TEST_F(MainWindowTest, EnterInTheEditorWritesTheCellAndFilesTheChange) {
    ASSERT_TRUE(Start());
    W().mnusubwindow_Click(3);
    Key(Qt::Key_F21);
    Key(Qt::Key_F21);
    ParamGrid& grid = *W().ExFrmDataGrid;
    Key(Qt::Key_Return);
    ASSERT_EQ(Focus(), W().ChangeTb);
    QTest::keyClicks(W().ChangeTb, "12.5");
    Key(Qt::Key_Return);
    EXPECT_TRUE(W().ChangeTb->isHidden());
    EXPECT_EQ(grid.Model().Text(1, 1), "12.5");
    EXPECT_EQ(g_colMadaChanges.Count(), 1);
    EXPECT_EQ(Focus(), &grid);
}

TEST_F(MainWindowTest, SaveKeyOnTheDataTabsSavesTheMachineData) {
    ASSERT_TRUE(Start());
    ui.Answer(MsgAnswer::OK);
    Key(Qt::Key_F7); // 118: SAVE, nothing pending
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText, T("NothingChanged"));
    EXPECT_FALSE(g_bEditActive);
}

TEST_F(MainWindowTest, SaveKeyOnTheServoTabSavesTheServoFile) {
    ASSERT_TRUE(Start());
    W().mnusubwindow_Click(4);
    ui.Answer(MsgAnswer::OK);
    W().mnuSubServofile_Click(4);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText, T("NothingChanged"));
}

TEST_F(MainWindowTest, ExitKeyAndCloseRequestAskThroughExitProgram) {
    ASSERT_TRUE(Start());
    ui.SetExitReturns(true);
    Key(Qt::Key_F8); // 119: EXIT
    W().mnusubfile_Click(3);
    W().close();
    EXPECT_EQ(ui.exitCalls, (std::vector<bool>{true, true, true}));
    EXPECT_TRUE(W().isVisible());
    EXPECT_FALSE(g_bEditActive);
}

TEST_F(MainWindowTest, VersionScreenClosesOnAKeyAndTheTabIsRebuilt) {
    const std::string sDb = temp.Path().string() + "/none.db";
    ASSERT_TRUE(Start());
    W().mnusubwindow_Click(1);
    std::string sValue = "{N 9,D 9}";
    PutMadaChange("$RAT_MOT_AX[2]", sValue);
    bool bShown = false;
    WhenModalShown<frmSplash>([&](frmSplash& splash) {
        bShown = splash.Frm_Version->isVisible() && !splash.Frm_Safety->isVisible();
        EXPECT_EQ(splash.lblVersion->text().toStdString(),
                  T("Version") + " " + std::string(MORVANE_VERSION));
        EXPECT_EQ(splash.Lbl_IniVersion->text().toStdString(),
                  T("Version") + " " + T("IniFile") + " 1.0.0");
        QTest::keyClick(&splash, Qt::Key_A);
    });
    W().BtnMenu_Click(7);
    W().mnuSubInfo[0]->trigger();
    W().mnuInfo->close();
    EXPECT_TRUE(bShown);
    EXPECT_FALSE(g_bEditActive);
    W().activateWindow();
    QApplication::processEvents();
    int nRow = 1;
    while (W().MainAxDataGrid->Model().Text(nRow, 0) != "$RAT_MOT_AX") {
        ++nRow;
    }
    EXPECT_EQ(W().MainAxDataGrid->Model().Text(nRow, 2), "{N 9,D 9}");
}

} // namespace
} // namespace morvane::test
