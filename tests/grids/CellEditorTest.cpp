#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/LanguageText.h"
#include "grids/CellEditor.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "madata/ControlType.h"
#include "madata/MadaStore.h"
#include "tests/grids/EditFixture.h"

namespace morvane::test {
namespace {

using Strings = std::vector<std::string>;

const std::string kCrLf2 = "\r\n\r\n";

class CellEditorTest : public EditTest {
protected:
    void SetUp() override {
        EditTest::SetUp();
        Value("$NUM_AX", "6");
        Value("$EX_AX_NUM", "2");
        Value("$EX_KIN", "{ET1 #EASYS,ET2 #NONE,ET3 #NONE,ET4 #NONE,ET5 #NONE,ET6 #NONE}");
        Def("$NUM_AX", "INT|0|6|6||");
        Def("$EX_AX_NUM", "INT|0|6|0||");
        Def("$BRK_MODE_BIT0", "BIN|0|1|1||");
        Def("$BRK_MODE_BIT3", "BIN|0|1|0||");
        Def("$AXIS_TYPE", "INT|1|5|1||");
        Def("$AXIS_DIR", "INT|-1|1|1||");
        Def("$RAT_MOT_AX", "INT|||{N 1,D 1}||");
        Def("$CURR_LIM", "INT|0|100|100||%");
        Def("$EX_AX_ASYNC", "BIN|0|1|0||");
        Def("MOTORTYPE", "CHAR||40|NONE||");
        Def("$SERVOFILE", "CHAR||14|DEFAULT||");
        Def("$EX_KIN", "DECL|||||");
        Def("$ET#_NAME", "CHAR||20|||");
        Def("$ET#_AX", "DECL|||||");
        Def("$ET#_TA1BN", "REAL|-1000|1000|0.0||MM");
        Def("VRQ_TYPE", "CHAR|||||");
        Def("CommentLine", "CHAR||60|||");
    }

    bool EditorOpen() const { return g_oChangeControl != nullptr && port.AnyControlVisible(); }

    // After a refusal or a silent end: nothing open, the window unlocked again.
    void ExpectClosed() const {
        EXPECT_EQ(g_oChangeControl, nullptr);
        EXPECT_FALSE(g_bEditActive);
        EXPECT_FALSE(port.AnyControlVisible());
        EXPECT_EQ(ui.enableCalls, (std::vector<bool>{false, true}));
        EXPECT_TRUE(g_colMadaChanges.Empty());
    }
};

struct RefusalCase {
    const char* pszWhat;
    std::function<void(CellEditorTest&)> open;
    std::string sExpected; // "" = no message
};

TEST_F(CellEditorTest, RefusedEditsLeaveEverythingUnchanged) {
    const std::vector<RefusalCase> cases = {
        {"no main axes",
         [](CellEditorTest& t) {
             Value("$NUM_AX", "0");
             t.Open(GridId::GenAxData, 2, 1, "$BRK_MODE_BIT0", "1", "$BRK_MODE_BIT0");
         },
         T("CantChange") + kCrLf2 + "$NUM_AX = 0"},
        {"no external axes",
         [](CellEditorTest& t) {
             Value("$EX_AX_NUM", "0");
             t.Open(GridId::GenExAxData, 2, 1, "$BRK_MODE_BIT3", "0", "$BRK_MODE_BIT3");
         },
         T("CantChange") + kCrLf2 + "$EX_AX_NUM = 0"},
        {"robot model fixes the general main-axis data",
         [](CellEditorTest& t) {
             g_bRobotModelTrafo = true;
             t.Open(GridId::GenAxData, 1, 1, "$NUM_AX", "6", "$NUM_AX");
         },
         T("CantChange") + kCrLf2 + T("ChangesInMainAxesNotAllowed")},
        {"robot model fixes the main axes",
         [](CellEditorTest& t) {
             g_bRobotModelTrafo = true;
             t.Open(GridId::MainAxDataGrid, 1, 2, "$AXIS_TYPE", "1", "$AXIS_TYPE");
         },
         T("CantChange") + kCrLf2 + T("ChangesInMainAxesNotAllowed")},
        {"unused kinematic system without external axes",
         [](CellEditorTest& t) {
             Value("$EX_AX_NUM", "0");
             Value("$EX_KIN", "{ET1 #NONE,ET2 #NONE,ET3 #NONE,ET4 #NONE,ET5 #NONE,ET6 #NONE}");
             t.Open(GridId::ExKinDataGrid, 1, 2, "$EX_KIN", "NONE", "$EX_KIN");
         },
         T("CantChange") + kCrLf2 + "$EX_AX_NUM = 0"},
        {"axes of an undefined kinematic system",
         [](CellEditorTest& t) {
             g_nCurEtNr = 2;
             t.Open(GridId::ExEtxDataGrid, 1, 2, "$ET2_AX", "NONE", "$ET#_AX");
         },
         T("CantChange") + kCrLf2 + T("ExKinNotDefined") + " $EX_KIN, ET2"},
        {"frame of an undefined kinematic system",
         [](CellEditorTest& t) {
             g_nCurEtNr = 3;
             t.Open(GridId::ExFrmDataGrid, 1, 1, "$ET3_TA1BN", "0.0", "$ET3_TA1BN");
         },
         T("CantChange") + kCrLf2 + T("ExKinNotDefined") + " $EX_KIN, ET3"},
        {"name column of the external axes",
         [](CellEditorTest& t) {
             t.Open(GridId::ExAxDataGrid, 3, 0, "$AXIS_TYPE", "", "$AXIS_TYPE");
         },
         ""},
        {"row without a definition",
         [](CellEditorTest& t) {
             t.Open(GridId::ExAxDataGrid, 3, 1, "$INC_EXTAX", "4096", "$INC_EXTAX");
         },
         T("CantChange")},
        {"BIN row of the main axes, which offers no choice",
         [](CellEditorTest& t) {
             Def("$MAIN_BIN", "BIN|0|1|0||");
             t.Open(GridId::MainAxDataGrid, 4, 1, "$MAIN_BIN", "0", "$MAIN_BIN");
         },
         T("CantChange")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        TearDown();
        SetUp();
        if (!c.sExpected.empty()) {
            ui.Answer(MsgAnswer::OK);
        }
        c.open(*this);
        EXPECT_EQ(BoxTexts(), c.sExpected.empty() ? Strings{} : Strings{c.sExpected});
        if (!ui.boxes.empty()) {
            EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Information);
        }
        ExpectClosed();
    }
}

TEST_F(CellEditorTest, AxisCountRowOpensWhileTheCountIsZero) {
    Value("$NUM_AX", "0");
    Value("$EX_AX_NUM", "0");
    Open(GridId::GenAxData, 1, 1, "$NUM_AX", "0", "$NUM_AX");
    EXPECT_TRUE(EditorOpen());
    EXPECT_EQ(port.comboItems, (Strings{"0", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(port.nComboSelected, 0);
    EXPECT_TRUE(g_bEditActive);
    EXPECT_EQ(ui.enableCalls, (std::vector<bool>{false}));
}

TEST_F(CellEditorTest, RobotModelLeavesExternalAxisDataEditable) {
    g_bRobotModelTrafo = true;
    Open(GridId::GenExAxData, 2, 1, "$BRK_MODE_BIT3", "0", "$BRK_MODE_BIT3");
    EXPECT_TRUE(EditorOpen());
    EXPECT_EQ(port.comboItems, (Strings{"0", "1"}));
    // The main-axis grids keep their state while the others are locked.
    EXPECT_EQ(port.gridLocks, (std::vector<std::pair<bool, bool>>{{false, false}}));
    FinishCellEdit(kKeyEscape, "0", "", "ChangeCombo");

    Open(GridId::ExAxDataGrid, 1, 1, "$AXIS_TYPE", "1", "$AXIS_TYPE");
    EXPECT_TRUE(EditorOpen());
}

TEST_F(CellEditorTest, UsedKinematicSystemOpensWithoutExternalAxes) {
    Value("$EX_AX_NUM", "0"); // the set-up's $EX_KIN uses system 1
    Open(GridId::ExKinDataGrid, 1, 1, "$EX_KIN", "EASYS", "$EX_KIN");
    EXPECT_TRUE(EditorOpen());
    EXPECT_EQ(port.comboItems,
              (Strings{"NONE", "EASYS", "EBSYS", "ECSYS", "EDSYS", "EESYS", "EFSYS", "ERSYS"}));
    EXPECT_EQ(port.nComboSelected, 1);
    EXPECT_EQ(g_oChangeControl->VariableIndex, 1);
}

TEST_F(CellEditorTest, RatioOpensAsPairStraddlingTheCell) {
    Value("$RAT_MOT_AX[2]", "{N 4,D 1}");
    Open(GridId::MainAxDataGrid, 3, 2, "$RAT_MOT_AX", "{N 4,D 1}", "$RAT_MOT_AX");
    ASSERT_NE(g_oChangeControl, nullptr);
    EXPECT_EQ(port.editTexts[EditControl::ChangeTb], "4");
    EXPECT_EQ(port.editTexts[EditControl::ChangeTb2], "1");
    EXPECT_TRUE(port.IsEditControlVisible(EditControl::ChangeTb));
    EXPECT_TRUE(port.IsEditControlVisible(EditControl::ChangeTb2));
    const TwipsRect cell = port.CellRect(GridId::MainAxDataGrid, 3, 2);
    const TwipsRect upper = port.places[EditControl::ChangeTb];
    const TwipsRect lower = port.places[EditControl::ChangeTb2];
    EXPECT_EQ(upper.nTop, cell.nTop - cell.nHeight / 2);
    EXPECT_EQ(lower.nTop, cell.nTop + cell.nHeight / 2);
    for (const TwipsRect& box : {upper, lower}) {
        EXPECT_EQ(box.nLeft, cell.nLeft);
        EXPECT_EQ(box.nWidth, cell.nWidth);
        EXPECT_EQ(box.nHeight, cell.nHeight);
    }
    EXPECT_EQ(port.focus, (std::vector<EditControl>{EditControl::ChangeTb}));
    EXPECT_EQ(port.gridLocks, (std::vector<std::pair<bool, bool>>{{false, true}}));

    FinishCellEdit(kKeyEnter, "3", "2", "ChangeTb");
    EXPECT_EQ(Changes(),
              (std::vector<std::pair<std::string, std::string>>{{"$RAT_MOT_AX[2]", "{N 3,D 2}"}}));
    EXPECT_FALSE(port.AnyControlVisible());
    EXPECT_EQ(port.gridLocks.back(), (std::pair<bool, bool>{true, true}));
}

TEST_F(CellEditorTest, PlainValueAndChoiceListArePlacedOverTheCell) {
    Open(GridId::ExAxDataGrid, 2, 1, "$CURR_LIM", "80", "$CURR_LIM");
    EXPECT_EQ(port.editTexts[EditControl::ChangeTb], "80");
    const TwipsRect cell = port.CellRect(GridId::ExAxDataGrid, 2, 1);
    const TwipsRect box = port.places[EditControl::ChangeTb];
    EXPECT_EQ(std::vector<int>({box.nLeft, box.nTop, box.nWidth, box.nHeight}),
              std::vector<int>({cell.nLeft, cell.nTop, cell.nWidth, cell.nHeight}));
    EXPECT_FALSE(port.IsEditControlVisible(EditControl::ChangeTb2));
    FinishCellEdit(kKeyEscape, "80", "", "ChangeTb");

    Open(GridId::ExAxDataGrid, 1, 2, "$AXIS_TYPE", "3", "$AXIS_TYPE");
    const TwipsRect combo = port.places[EditControl::ChangeCombo];
    EXPECT_EQ(std::vector<int>({combo.nLeft, combo.nTop, combo.nWidth, combo.nHeight}),
              std::vector<int>({1000 + 2 * 800, 2000 + 300, 800, -1}));
    EXPECT_EQ(port.focus.back(), EditControl::ChangeCombo);
}

struct CellCase {
    GridId grid;
    int nRow;
    int nCol;
    const char* pszName;
    const char* pszCurVar;
    const char* pszVariableName;
    int nVariableIndex;
};

TEST_F(CellEditorTest, CellTellsVariableAndElement) {
    g_nCurEtNr = 1;
    const CellCase cases[] = {
        {GridId::ExAxDataGrid, 3, 2, "$CURR_LIM", "$CURR_LIM", "$CURR_LIM", 8},
        {GridId::MainAxDataGrid, 3, 5, "$CURR_LIM", "$CURR_LIM", "$CURR_LIM", 5},
        {GridId::GenExAxData, 2, 1, "$BRK_MODE_BIT3", "$BRK_MODE_BIT3", "$BRK_MODE_BIT3", 1},
        {GridId::GenAxData, 2, 1, "$BRK_MODE_BIT0", "$BRK_MODE_BIT0", "$BRK_MODE_BIT0", 0},
        {GridId::ExEtxDataGrid, 1, 1, "$ET1_AX", "$ET#_NAME", "$ET1_NAME[]", 1},
        {GridId::ExEtxDataGrid, 1, 3, "$ET1_AX", "$ET#_AX", "$ET1_AX", 3},
        {GridId::SF_CalcDataGrid, 3, 1, "Comm_Line3", "CommentLine", "CommentLine", 3},
        {GridId::SF_CalcDataGrid, 5, 1, "PI 1069", "PI1069", "PI1069", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszVariableName);
        Open(c.grid, c.nRow, c.nCol, c.pszName, "1", c.pszCurVar);
        ASSERT_NE(g_oChangeControl, nullptr);
        EXPECT_EQ(g_oChangeControl->VariableName, c.pszVariableName);
        EXPECT_EQ(g_oChangeControl->VariableIndex, c.nVariableIndex);
        FinishCellEdit(kKeyEscape, "", "", "ChangeTb");
    }
}

struct ChoiceCase {
    GridId grid;
    const char* pszName;
    const char* pszCell;
    Strings choices;
    int nSelected;
};

TEST_F(CellEditorTest, ChoiceListsOfTheRows) {
    WriteServoFile("MOTOR1.servo");
    WriteServoFile("a.servo");
    WriteServoFile("notes.txt");
    g_nCurEtNr = 1;
    const ChoiceCase cases[] = {
        {GridId::MainAxDataGrid, "$AXIS_TYPE", "3", {"1", "2", "3", "4", "5"}, 2},
        {GridId::MainAxDataGrid, "$AXIS_DIR", "-1", {"1", "-1"}, 1},
        {GridId::ExAxDataGrid, "$EX_AX_ASYNC", "1", {"0", "1"}, 1},
        {GridId::ExAxDataGrid, "MOTORTYPE", "mg_10, 1.6 nm", {"NONE", "MG_10, 1.6 Nm"}, 1},
        {GridId::ExAxDataGrid,
         "$SERVOFILE",
         "\"motor1\"",
         {"\"DEFAULT\"", "\"MOTOR1\"", "\"a\""},
         1},
        {GridId::ExAxDataGrid, "$AXIS_TYPE", "7", {"1", "2", "3", "4", "5"}, -1},
        {GridId::SF_CommDataGrid, "VRQ_TYPE", "VRQ_20A", {"VRQ_10A", "VRQ_20A"}, 1},
        {GridId::SF_CalcDataGrid, "VRQ_TYPE", "", {"VRQ_10A", "VRQ_20A"}, -1},
        {GridId::ExEtxDataGrid, "$ET1_AX", "E2", {"NONE", "E1", "E2"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        const std::string sCurVar = c.grid == GridId::ExEtxDataGrid ? "$ET#_AX" : c.pszName;
        Open(c.grid, 1, 2, c.pszName, c.pszCell, sCurVar);
        ASSERT_NE(g_oChangeControl, nullptr);
        EXPECT_EQ(g_oChangeControl->EditKind, "COMBO");
        EXPECT_TRUE(port.IsEditControlVisible(EditControl::ChangeCombo));
        EXPECT_EQ(port.comboItems, c.choices);
        EXPECT_EQ(port.nComboSelected, c.nSelected);
        FinishCellEdit(kKeyEscape, "", "", "ChangeCombo");
    }
}

TEST_F(CellEditorTest, KinematicAxisChoicesFollowTheExternalAxisCount) {
    g_nCurEtNr = 1;
    const std::pair<const char*, Strings> cases[] = {
        {"3", {"NONE", "E1", "E2", "E3"}},
        {"0", {"NONE"}},
    };
    for (const auto& [pszCount, choices] : cases) {
        SCOPED_TRACE(pszCount);
        Value("$EX_AX_NUM", pszCount);
        Open(GridId::ExEtxDataGrid, 1, 4, "$ET1_AX", "NONE", "$ET#_AX");
        EXPECT_EQ(port.comboItems, choices);
        EXPECT_FALSE(port.help.empty()); // the help panel is filled again for the system
        FinishCellEdit(kKeyEscape, "", "", "ChangeCombo");
    }
}

TEST_F(CellEditorTest, TextBoxLengthFollowsTheUpperLimitOfText) {
    g_nCurEtNr = 1;
    Open(GridId::ExEtxDataGrid, 1, 1, "$ET1_AX", "\"TRACK\"", "$ET#_NAME");
    EXPECT_EQ(port.editTexts[EditControl::ChangeTb], "TRACK");
    EXPECT_EQ(port.nEditMaxLength, 20);
    FinishCellEdit(kKeyEscape, "", "", "ChangeTb");

    Open(GridId::SF_CalcDataGrid, 1, 1, "USER_TEXT", "\"x\"", "USER_TEXT");
    EXPECT_EQ(g_oChangeControl->EditKind, "CHAR"); // no definition: free text
    EXPECT_EQ(port.nEditMaxLength, 0);
    FinishCellEdit(kKeyEscape, "", "", "ChangeTb");

    Open(GridId::ExAxDataGrid, 2, 1, "$CURR_LIM", "80", "$CURR_LIM");
    EXPECT_EQ(port.nEditMaxLength, 0); // numbers are never cut by an earlier text limit
}

TEST_F(CellEditorTest, EscapeLeavesCellListsAndCurrentVariableUnchanged) {
    Value("$CURR_LIM[7]", "80");
    Open(GridId::ExAxDataGrid, 2, 1, "$CURR_LIM", "80", "$CURR_LIM");
    FinishCellEdit(kKeyEscape, "95", "", "ChangeTb");
    EXPECT_EQ(g_oChangeControl, nullptr);
    EXPECT_FALSE(g_bEditActive);
    EXPECT_FALSE(port.AnyControlVisible());
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(g_colMadaChanges.Empty());
    EXPECT_EQ(g_sCurVarName, "$CURR_LIM");
    EXPECT_EQ(g_sCurVarMax, "100");
    EXPECT_EQ(ui.enableCalls, (std::vector<bool>{false, true}));
}

TEST_F(CellEditorTest, RefusedEntryKeepsTheEditorOpenUntilACorrectOne) {
    Value("$CURR_LIM[7]", "80");
    Open(GridId::ExAxDataGrid, 2, 1, "$CURR_LIM", "80", "$CURR_LIM");
    ui.Answer(MsgAnswer::OK);
    FinishCellEdit(kKeyEnter, "8.5", "", "changetb");
    EXPECT_EQ(BoxTexts(), Strings{T("IntegerExpected")});
    EXPECT_NE(g_oChangeControl, nullptr);
    EXPECT_TRUE(port.IsEditControlVisible(EditControl::ChangeTb));
    EXPECT_EQ(port.focus.back(), EditControl::ChangeTb);
    EXPECT_FALSE(g_bEditActive);
    EXPECT_EQ(ui.enableCalls, (std::vector<bool>{false}));
    EXPECT_TRUE(g_colMadaChanges.Empty());

    FinishCellEdit(kKeyEnter, "85", "", "ChangeTb");
    EXPECT_EQ(g_oChangeControl, nullptr);
    EXPECT_EQ(ui.enableCalls, (std::vector<bool>{false, true}));
    EXPECT_EQ(port.CellText(GridId::ExAxDataGrid, 2, 1), "85");
    EXPECT_EQ(GetMadaValue("$CURR_LIM[7]"), "85");
}

TEST_F(CellEditorTest, MissingValueMapKeyEndsTheEditWithAMessage) {
    Open(GridId::ExAxDataGrid, 2, 3, "$CURR_LIM", "80", "$CURR_LIM");
    ui.Answer(MsgAnswer::OK);
    FinishCellEdit(kKeyEnter, "85", "", "ChangeTb");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText.rfind(T("UnExpectedError") + " Function WriteValueToGrid", 0), 0u);
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Error);
    EXPECT_EQ(g_oChangeControl, nullptr);
    EXPECT_EQ(ui.enableCalls, (std::vector<bool>{false, true}));
}

} // namespace
} // namespace morvane::test
