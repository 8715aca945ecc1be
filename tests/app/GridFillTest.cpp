// The grids' layout and contents from the current values, the column-width rule of the axis
// grids and the help panel's texts, without any widget.
#include <gtest/gtest.h>

#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "grids/EditKeys.h"
#include "grids/GridFill.h"
#include "grids/VariableHelp.h"
#include "madata/ControlType.h"
#include "madata/MadaStore.h"
#include "servo/ServoFileModel.h"
#include "tests/support/TestSupport.h"

namespace morvane {
namespace {

class GridFillTest : public test::UiTest {
protected:
    void SetUp() override {
        g_colMadaValues = KeyedCollection();
        g_colMadaChanges = KeyedCollection();
        g_colMainAxesList = KeyedCollection();
        g_colExtAxesList = KeyedCollection();
        g_colExtKinList = KeyedCollection();
        g_colVarDefs = KeyedCollection();
        g_colSFNeededList = KeyedCollection();
        g_colSFCalcList = KeyedCollection();
        g_colSFViewList = KeyedCollection();
        g_colSFValues = KeyedCollection();
        g_colSFChanges = KeyedCollection();
        g_colSFNeededVals = KeyedCollection();
        g_nCurEtNr = 0;
    }
    static void Value(const std::string& sKey, const std::string& sValue) {
        g_colMadaValues.Add(sValue, sKey);
    }
    // The main-axis list with one entry and the values of its six elements.
    static void MainAxes(int nAxes) {
        Value("$NUM_AX", std::to_string(nAxes));
        g_colMainAxesList.Add("$RAT_MOT_AX");
        for (int i = 1; i <= 6; ++i) {
            Value("$RAT_MOT_AX[" + std::to_string(i) + "]", "{N " + std::to_string(i) + ",D 1}");
        }
    }
    GridModel grid;
};

TEST_F(GridFillTest, GeneralGridsShowAxisCountsAndBrakeBits) {
    Value("$NUM_AX", "6");
    Value("$EX_AX_NUM", "2");
    Value("$BRK_MODE", "'B0101'");
    Value("ControlType", "(V)BN 57");
    Value("$TRAFONAME[]", "\"#arm6 57 S\"");
    Value("$V_R1MADA[]", "\"V4.1\"");
    GridModel genEx;
    GeneralTabTexts texts;
    BuildGeneralGrids(grid, genEx, texts);

    ASSERT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Text(0, 0), "Variable");
    EXPECT_EQ(grid.Text(1, 1), "6");
    EXPECT_EQ(grid.Text(2, 0), "$BRK_MODE_BIT0");
    EXPECT_EQ(grid.Text(2, 1) + grid.Text(3, 1) + grid.Text(4, 1), "101");
    ASSERT_EQ(genEx.Rows(), 3);
    EXPECT_EQ(genEx.Text(1, 1), "2");
    EXPECT_EQ(genEx.Text(2, 0), "$BRK_MODE_BIT3");
    EXPECT_EQ(genEx.Text(2, 1), "0");
    EXPECT_EQ(grid.nLeft, 240);
    EXPECT_EQ(grid.nHeight, 1455);
    EXPECT_EQ(genEx.nLeft, 4560);
    EXPECT_EQ(genEx.nHeight, 895);
    // The system information shows the values as read, not upper-cased.
    EXPECT_EQ(texts.asValue[1], "\"#arm6 57 S\"");
    EXPECT_EQ(texts.asDesc[0], "Controller type:");
}

TEST_F(GridFillTest, GeneralGridsShowEmptyCellsWhenValuesAreMissing) {
    GridModel genEx;
    GeneralTabTexts texts;
    BuildGeneralGrids(grid, genEx, texts);
    EXPECT_EQ(grid.Text(1, 1), "0");
    EXPECT_EQ(texts.asValue[0], "");
}

TEST_F(GridFillTest, MainAxesGridColumnsFollowTheAxisCount) {
    struct Case {
        int nAxes;
        int nCols;
        int nFixedCols;
        int nAxisWidth;
    };
    for (const Case& c :
         {Case{0, 1, 0, 0}, Case{2, 3, 1, 2250}, Case{4, 5, 1, 1500}, Case{6, 7, 1, 1000}}) {
        SetUp();
        MainAxes(c.nAxes);
        BuildMainAxesGrid(grid);
        SCOPED_TRACE(c.nAxes);
        EXPECT_EQ(g_nNumAx, c.nAxes);
        EXPECT_EQ(grid.Cols(), c.nCols);
        EXPECT_EQ(grid.nFixedCols, c.nFixedCols);
        EXPECT_EQ(grid.ColWidth(0), 2600);
        EXPECT_EQ(grid.ColWidth(c.nCols - 1), c.nAxes == 0 ? 2600 : c.nAxisWidth);
        EXPECT_EQ(grid.Text(1, 0), "$RAT_MOT_AX");
    }
    EXPECT_EQ(grid.Text(0, 0), "Variable");
    EXPECT_EQ(grid.Text(0, 6), "Axis 6");
    EXPECT_EQ(grid.Text(1, 6), "{N 6,D 1}");
}

TEST_F(GridFillTest, APendingChangeShowsInTheAxisGrid) {
    MainAxes(6);
    std::string sValue = "{n 7,d 2}";
    PutMadaChange("$RAT_MOT_AX[2]", sValue);
    BuildMainAxesGrid(grid);
    EXPECT_EQ(grid.Text(1, 2), "{N 7,D 2}");
    EXPECT_EQ(grid.Text(1, 3), "{N 3,D 1}");
}

TEST_F(GridFillTest, NonNumericOrOversizedAxisCountsStayInsideTheList) {
    MainAxes(0);
    g_colMadaValues.Remove("$NUM_AX");
    Value("$NUM_AX", "");
    BuildMainAxesGrid(grid);
    EXPECT_EQ(grid.Cols(), 1);
    SetUp();
    MainAxes(0);
    g_colMadaValues.Remove("$NUM_AX");
    Value("$NUM_AX", "99");
    BuildMainAxesGrid(grid);
    EXPECT_EQ(grid.Cols(), 7);
}

TEST_F(GridFillTest, ExternalAxesShowJerkComponentsUnderAxesSevenOnwards) {
    Value("$EX_AX_NUM", "3");
    g_colExtAxesList.Add("$AXIS_TYPE");
    g_colExtAxesList.Add("$JERK_MA");
    for (int i = 1; i <= 6; ++i) {
        Value("$AXIS_TYPE[" + std::to_string(i + 6) + "]", std::to_string(i));
        Value("$JERK_MA.AX.E" + std::to_string(i), std::to_string(i * 100));
    }
    BuildExtAxesGrid(grid);
    EXPECT_EQ(g_nExAxNum, 3);
    ASSERT_EQ(grid.Cols(), 4);
    EXPECT_EQ(grid.Text(0, 1), "Axis 7");
    EXPECT_EQ(grid.Text(0, 3), "Axis 9");
    EXPECT_EQ(grid.Text(1, 3), "3");
    EXPECT_EQ(grid.Text(2, 1) + " " + grid.Text(2, 3), "100 300");
}

TEST_F(GridFillTest, KinematicsGridsShowTheSelectedSystem) {
    Value("$EX_KIN", "{ET1 #EASYS,ET2 #NONE,ET3 #EBSYS,ET4 #NONE,ET5 #NONE,ET6 #NONE}");
    g_colExtKinList.Add("$EX_KIN");
    for (int k = 1; k <= 3; ++k) {
        const std::string s = "$ET" + std::to_string(k);
        Value(s + "_AX", "{TR_A1 #E" + std::to_string(k) + ",TR_A2 #NONE,TR_A3 #NONE}");
        Value(s + "_NAME[]", "\"SYS" + std::to_string(k) + "\"");
        Value(s + "_TA1BN", "{X " + std::to_string(k) + ".0,Y 2.0,Z 3.0,A 4.0,B 5.0,C 6.0}");
        g_colExtKinList.Add(s + "_TA1BN");
    }
    GridModel etx;
    GridModel frm;
    BuildExtKinGrid(grid);
    EXPECT_EQ(grid.Text(1, 0), "$EX_KIN");
    EXPECT_EQ(grid.Text(1, 1) + grid.Text(1, 2) + grid.Text(1, 3), "EASYSNONEEBSYS");
    EXPECT_EQ(grid.ColWidth(0), 1176 + 525);

    BuildKinSystemGrids(etx, frm); // nothing selected: system 1
    EXPECT_EQ(etx.Text(1, 0), "$ET1_AX");
    g_nCurEtNr = 3;
    BuildKinSystemGrids(etx, frm);
    EXPECT_EQ(etx.Text(1, 0), "$ET3_AX");
    EXPECT_EQ(etx.Text(1, 1), "\"SYS3\"");
    EXPECT_EQ(etx.Text(1, 2), "E3");
    EXPECT_EQ(etx.ColWidth(1), 3 * 1176);
    EXPECT_EQ(frm.nTop, 1620 + 615);
    EXPECT_EQ(frm.Rows(), 6);
    EXPECT_EQ(frm.Text(1, 0), "$ET3_TA1BN");
    EXPECT_EQ(frm.Text(1, 1), "3.0");
    EXPECT_EQ(frm.Text(0, 6), "C");
}

TEST_F(GridFillTest, FrameGridGrowsForMoreThanFiveFrames) {
    for (int i = 1; i <= 7; ++i) {
        const std::string sName = "$ET1_TF" + std::to_string(i);
        g_colExtKinList.Add(sName);
        Value(sName, "{X 1,Y 2,Z 3,A 4,B 5,C 6}");
    }
    GridModel etx;
    BuildKinSystemGrids(etx, grid);
    EXPECT_EQ(grid.Rows(), 8);
    EXPECT_EQ(grid.Text(7, 0), "$ET1_TF7");
}

TEST_F(GridFillTest, ServoGridsFollowTheParameterLists) {
    for (int i = 1; i <= 13; ++i) {
        g_colSFNeededList.Add("PAR" + std::to_string(i));
    }
    g_colSFNeededVals.Add("mg_45", "PAR2");
    GridCaption caption;
    BuildServoInputGrid(grid, caption);
    EXPECT_EQ(grid.Rows(), 14);
    EXPECT_EQ(grid.nHeight, 3384);
    EXPECT_EQ(grid.ColWidth(1), 2150);
    EXPECT_EQ(grid.Text(2, 1), "MG_45");
    EXPECT_EQ(grid.Text(3, 1), "");
    EXPECT_EQ(caption.nTop, 500);

    g_colSFCalcList.Add("CLine1");
    g_colSFCalcList.Add("CLine2");
    g_colSFCalcList.Add("PI1069");
    PutSFChange("PI1069", "12");
    GridModel calc;
    BuildServoCalcGridNew(calc, caption);
    EXPECT_EQ(calc.Rows(), 4);
    EXPECT_EQ(calc.nHeight, 4 * 282);
    EXPECT_EQ(calc.ColWidth(0), 1200);
    EXPECT_EQ(calc.Text(2, 0), "Comm_Line2");
    EXPECT_EQ(calc.Text(3, 0), "PI1069");
    EXPECT_EQ(calc.Text(3, 1), "12");
    EXPECT_EQ(g_colSFViewList.Count(), 3);

    g_sServoFileName = "MG_45.servo";
    BuildServoCalcGridOpen(calc, caption);
    EXPECT_EQ(calc.nLeft, 1200);
    EXPECT_EQ(calc.Text(1, 0), "Comm_Line1");
    EXPECT_EQ(caption.sText, "File MG_45.servo");
}

TEST_F(GridFillTest, AxisColumnWidthsOnEnteringACell) {
    struct Case {
        int nCols;
        int nShared;
    };
    for (const Case& c : {Case{7, 710}, Case{4, 1775}}) {
        grid.SetSize(3, c.nCols);
        ApplyAxisColumnWidths(grid, 2);
        EXPECT_EQ(grid.ColWidth(1), c.nShared);
        EXPECT_EQ(grid.ColWidth(2), 2250);
        EXPECT_EQ(grid.ColWidth(0), GridModel::kDefaultColWidth);
    }
    grid.SetSize(3, 3);
    grid.SetColWidth(1, 2250);
    grid.SetColWidth(2, 2250);
    ApplyAxisColumnWidths(grid, 1);
    EXPECT_EQ(grid.ColWidth(1), 2250);
}

TEST_F(GridFillTest, HelpNamesOfKinematicFrames) {
    struct Case {
        const char* sName;
        const char* sHelp;
    };
    for (const Case& c : {Case{"$ET2_TA1BN", "$ET#_TA1BN"}, Case{"$ET6_TPINFL", "$ET#_TPINFL"},
                          Case{"$ET2_TOOL", "$ET2_TOOL"}, Case{"$ET#_AX", "$ET#_AX"},
                          Case{"$RAT_MOT_AX", "$RAT_MOT_AX"}}) {
        EXPECT_EQ(HelpNameOf(c.sName), c.sHelp) << c.sName;
    }
}

TEST_F(GridFillTest, HelpPanelShowsTheDefinitionOfTheHelpName) {
    g_colVarDefs.Add("REAL| -5 |5|0.0||MM", "$ET#_TA1BN");
    g_colVarDefs.Add("INT|0|6|6||", "$NUM_AX");
    VariableHelpTexts help = ShowVariableHelp("$ET2_TA1BN");
    EXPECT_EQ(g_sCurVarName, "$ET2_TA1BN");
    EXPECT_EQ(g_sCurVarType, "REAL");
    EXPECT_EQ(help.sShortDesc, "Frame: base to axis 1");
    EXPECT_EQ(help.sType, "Type [REAL]");
    EXPECT_EQ(help.sUnit, "[MM]");
    EXPECT_EQ(help.sMin, "-5");
    EXPECT_EQ(help.sDefault, "0.0");

    help = ShowVariableHelp("$NUM_AX");
    EXPECT_EQ(help.sUnit, "[ ]");
    EXPECT_EQ(help.sMax, "6");

    help = ShowVariableHelp("$UNDEFINED");
    EXPECT_EQ(g_sCurVarName, "$UNDEFINED");
    EXPECT_EQ(g_sCurVarType, "");
    EXPECT_EQ(help.sType + help.sUnit + help.sDefault + help.sMax, "");
}

TEST_F(GridFillTest, ADefinitionWithFewerFieldsSetsOnlyThose) {
    g_sCurVarUnit = "OLD";
    g_colVarDefs.Add("CHAR||14", "SHORT");
    EXPECT_TRUE(SelectVarDefinition("short"));
    EXPECT_EQ(g_sCurVarType, "CHAR");
    EXPECT_EQ(g_sCurVarMax, "14");
    EXPECT_EQ(g_sCurVarUnit, "OLD");
    EXPECT_FALSE(SelectVarDefinition("MISSING"));
}

TEST_F(GridFillTest, ServoRowNames) {
    EXPECT_EQ(ServoCalcRowName("Comm_Line2"), "CommentLine");
    EXPECT_EQ(ServoCalcRowName("Current gain Kp"), "CurrentgainKp");
}

TEST_F(GridFillTest, EditBoxesTakeTheCharactersOfTheirType) {
    struct Case {
        const char* sType;
        const char* sName;
        const char* sAccepted;
        const char* sRefused;
    };
    for (const Case& c :
         {Case{"INT", "$NUM_AX", "\b-09", ",.a+ "}, Case{"REAL", "$ET1_TA1BN", "\b09,-.", "a+ e"},
          Case{"CHAR", "$ET1_NAME", "\b aZ09_$-", ".,#\"\\"},
          Case{"CHAR", "SERVOFILE_NAME", "aZ_", "-"}, Case{"BIN", "$BRK_MODE_BIT0", "a+,#-", ""}}) {
        g_sCurVarType = c.sType;
        g_sCurVarName = c.sName;
        for (const char* p = c.sAccepted; *p; ++p) {
            EXPECT_TRUE(EditBoxAcceptsKey(*p)) << c.sType << " " << c.sName << " '" << *p << "'";
        }
        for (const char* p = c.sRefused; *p; ++p) {
            EXPECT_FALSE(EditBoxAcceptsKey(*p)) << c.sType << " " << c.sName << " '" << *p << "'";
        }
    }
}

} // namespace
} // namespace morvane
