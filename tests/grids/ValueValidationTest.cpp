#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "config/LanguageText.h"
#include "grids/CellEditor.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "grids/ValueValidation.h"
#include "madata/ControlType.h"
#include "madata/MadaStore.h"
#include "tests/grids/EditFixture.h"

namespace morvane::test {
namespace {

using Strings = std::vector<std::string>;
using Changes_ = std::vector<std::pair<std::string, std::string>>;

class ValueValidationTest : public EditTest {
public:
    // Opens the cell of external axis 7 in row 1 and presses Enter on the entry; true when the
    // entry was taken and the editor closed.
    bool EditAxis7(const std::string& sName, const std::string& sDefinition,
                   const std::string& sCell, const std::string& sEntry,
                   const std::string& sEntry2 = "") {
        if (!KeyExists(g_colVarDefs, sName)) {
            Def(sName, sDefinition);
        }
        if (!KeyExists(g_colMadaValues, sName + "[7]")) {
            Value(sName + "[7]", sCell);
        }
        Open(GridId::ExAxDataGrid, 1, 1, sName, sCell, sName);
        FinishCellEdit(kKeyEnter, sEntry, sEntry2, "ChangeTb");
        return g_oChangeControl == nullptr;
    }

protected:
    void SetUp() override {
        EditTest::SetUp();
        Value("$NUM_AX", "6");
        Value("$EX_AX_NUM", "3");
    }
};

struct EntryCase {
    const char* pszName;
    const char* pszDefinition;
    const char* pszEntry;
    const char* pszEntry2;
    const char* pszStored; // nullptr: refused
    const char* pszMessageKey;
};

TEST_F(ValueValidationTest, NumbersAreCheckedAndStoredInDataListForm) {
    const EntryCase cases[] = {
        {"$MOT_RPM_NOM", "REAL|||||", "1,5", "", "1.5", nullptr},
        {"$MOT_RPM_NOM", "REAL|||||", "2", "", "2.0", nullptr},
        {"$MOT_RPM_NOM", "REAL|||||", "0.123456", "", "0.1235", nullptr},
        {"$MOT_RPM_NOM", "REAL|||||", "-0,5", "", "-0.5", nullptr},
        {"$MOT_RPM_NOM", "REAL|||||", "1.2.3", "", nullptr, "NoNumber"},
        {"$MOT_RPM_NOM", "REAL|||||", "1e3", "", nullptr, "NoNumber"},
        {"$MOT_RPM_NOM", "REAL|||||", "abc", "", nullptr, "NoNumber"},
        {"$CURR_LIM", "INT|||||", "007", "", "7", nullptr},
        {"$CURR_LIM", "INT|||||", "-2147483648", "", "-2147483648", nullptr},
        {"$CURR_LIM", "INT|||||", "2147483647", "", "2147483647", nullptr},
        {"$CURR_LIM", "INT|||||", "1.0", "", nullptr, "IntegerExpected"},
        {"$CURR_LIM", "INT|||||", "1,0", "", nullptr, "IntegerExpected"},
        {"$CURR_LIM", "INT|||||", "", "", nullptr, "NoNumber"},
        {"$CURR_LIM", "INT|||||", "+5", "", nullptr, "NoNumber"},
        {"$CURR_LIM", "INT|||||", "3000000000", "", nullptr, "NoNumber"},
        {"$CURR_LIM", "INT|||||", "-2147483649", "", nullptr, "NoNumber"},
        {"$CURR_LIM", "INT|||||", "2147483648", "", nullptr, "NoNumber"},
        {"$RAT_MOT_AX", "INT|1|2|||", "3", "2", "{N 3,D 2}", nullptr},
        {"$RAT_MOT_AX", "INT|||||", " -07 ", "1", "{N -7,D 1}", nullptr},
        {"$RAT_MOT_AX", "INT|||||", "3", "x", nullptr, "NoNumber"},
        {"$RAT_MOT_AX", "INT|||||", "1.5", "1", nullptr, "IntegerExpected"},
        {"$RAT_MOT_AX", "INT|||||", "99999999999", "1", nullptr, "NoNumber"},
        {"$RAT_MOT_AX", "INT|||||", "1", "2147483648", nullptr, "NoNumber"},
        {"$RAT_MOT_AX", "INT|||||", "-2147483648", "2147483647", "{N -2147483648,D 2147483647}",
         nullptr},
        {"$DSECHANNEL", "INT|||||", "8", "", "8", nullptr},
        {"$DSECHANNEL", "INT|||||", "10", "", "10", nullptr},
        {"$DSECHANNEL", "INT|||||", "17", "", "17", nullptr},
        {"$DSECHANNEL", "INT|||||", "9", "", nullptr, "WrongValueForDseChannel"},
        {"$DSECHANNEL", "INT|||||", "18", "", nullptr, "WrongValueForDseChannel"},
        {"$DSECHANNEL", "INT|||||", "0", "", nullptr, "WrongValueForDseChannel"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pszName) + " " + c.pszEntry);
        TearDown();
        SetUp();
        if (c.pszMessageKey) {
            ui.Answer(MsgAnswer::OK);
        }
        const bool bTaken = EditAxis7(c.pszName, c.pszDefinition, "0", c.pszEntry, c.pszEntry2);
        EXPECT_EQ(bTaken, c.pszStored != nullptr);
        if (c.pszStored) {
            EXPECT_EQ(Changes(), (Changes_{{std::string(c.pszName) + "[7]", c.pszStored}}));
            EXPECT_EQ(port.CellText(GridId::ExAxDataGrid, 1, 1), c.pszStored);
            EXPECT_TRUE(ui.boxes.empty());
        } else {
            ExpectStillOpen(EditControl::ChangeTb);
            EXPECT_TRUE(port.writes.empty());
            EXPECT_EQ(BoxTexts(), Strings{T(c.pszMessageKey)});
            EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Error);
        }
    }
}

TEST_F(ValueValidationTest, RatioWithZeroDenominatorNamesTheRatio) {
    ui.Answer(MsgAnswer::OK);
    EXPECT_FALSE(EditAxis7("$RAT_MOT_AX", "INT|||||", "{N 1,D 1}", "3", "0"));
    EXPECT_EQ(BoxTexts(), Strings{T("ValueNotAllowed") + " {N 3,D 0}"});
    ExpectStillOpen(EditControl::ChangeTb2);
}

struct LimitCase {
    const char* pszDefinition;
    const char* pszEntry;
    const char* pszQuestionKey; // nullptr: no question
};

TEST_F(ValueValidationTest, ValuesOutsideTheLimitsAreTakenOnlyWhenConfirmed) {
    const LimitCase cases[] = {
        {"INT|0|100|||", "101", "DoYouWantTheBigVal"},
        {"INT|0|100|||", "-1", "DoYouWantTheSmallVal"},
        {"INT|0|100|||", "100", nullptr},
        {"INT|0||||", "999999", nullptr},
        {"REAL|0,5|2,5|||", "2,6", "DoYouWantTheBigVal"},
        {"REAL|0,5|2,5|||", "0.4", "DoYouWantTheSmallVal"},
        {"REAL|0,5|2,5|||", "2.5", nullptr},
    };
    for (const auto& c : cases) {
        for (const MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
            SCOPED_TRACE(std::string(c.pszDefinition) + " " + c.pszEntry);
            TearDown();
            SetUp();
            if (c.pszQuestionKey) {
                ui.Answer(answer);
            } else if (answer == MsgAnswer::No) {
                continue;
            }
            const bool bTaken = EditAxis7("$LIMITED", c.pszDefinition, "1", c.pszEntry);
            const bool bExpectTaken = c.pszQuestionKey == nullptr || answer == MsgAnswer::Yes;
            EXPECT_EQ(bTaken, bExpectTaken);
            EXPECT_EQ(g_colMadaChanges.Count(), bExpectTaken ? 1 : 0);
            if (!bExpectTaken) {
                ExpectStillOpen(EditControl::ChangeTb);
            }
            if (c.pszQuestionKey) {
                ASSERT_EQ(ui.boxes.size(), 1u);
                EXPECT_EQ(ui.boxes[0].sText, T(c.pszQuestionKey));
                EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::YesNo);
                EXPECT_EQ(ui.boxes[0].defaultButton, MsgAnswer::No);
                EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Question);
            }
        }
    }
}

TEST_F(ValueValidationTest, FixedValueIsTakenWhateverWasTyped) {
    const std::pair<const char*, const char*> cases[] = {
        {"INT||||5|", "5"},
        {"REAL||||2,5|", "2.5"},
        {"REAL||||3|", "3.0"},
    };
    for (const auto& [pszDefinition, pszStored] : cases) {
        SCOPED_TRACE(pszDefinition);
        TearDown();
        SetUp();
        ui.Answer(MsgAnswer::OK);
        EXPECT_TRUE(EditAxis7("$FIXED", pszDefinition, "1", "77"));
        EXPECT_EQ(BoxTexts(), Strings{T("FixedValueCantChange")});
        EXPECT_EQ(Changes(), (Changes_{{"$FIXED[7]", pszStored}}));
    }
}

struct TextCase {
    const char* pszName;
    const char* pszEntry;
    const char* pszStored; // nullptr: refused
    std::string sMessage;
};

TEST_F(ValueValidationTest, TextIsStoredQuotedInUpperCase) {
    const TextCase cases[] = {
        {"$TEXT", "a\"b", "\"AB\"", ""},
        {"$TEXT", "  belt drive ", "\"BELT DRIVE\"", ""},
        {"$TEXT", "a;b", "\"AB\"", ""},
        {"$TEXT", " \" \" ", nullptr, T("MissingChar")},
        {"$TEXT", "", nullptr, T("MissingChar")},
        {"$TEXT", ";", nullptr, T("MissingChar")},
        {"SERVOFILE_NAME", "mot_14_chars_x", "\"MOT_14_CHARS_X\"", ""},
        {"SERVOFILE_NAME", "MOT-1", nullptr, T("WrongServoFileName") + ": MOT-1.servo"},
        {"SERVOFILE_NAME", "MOT_15_CHARS_XY", nullptr,
         T("WrongServoFileName") + ": MOT_15_CHARS_XY.servo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszEntry);
        TearDown();
        SetUp();
        if (!c.sMessage.empty()) {
            ui.Answer(MsgAnswer::OK);
        }
        Def(c.pszName, "CHAR||40|||");
        g_sActiveSFGrid = "SF_COMMDATAGRID";
        Open(GridId::SF_CommDataGrid, 2, 1, c.pszName, "\"OLD\"", c.pszName);
        FinishCellEdit(kKeyEnter, c.pszEntry, "", "ChangeTb");
        EXPECT_EQ(g_oChangeControl == nullptr, c.pszStored != nullptr);
        EXPECT_EQ(BoxTexts(), c.sMessage.empty() ? Strings{} : Strings{c.sMessage});
        if (c.pszStored) {
            EXPECT_EQ(GetSFNeededVal(c.pszName), c.pszStored);
        } else {
            EXPECT_TRUE(g_colSFNeededVals.Empty());
            ExpectStillOpen(EditControl::ChangeTb);
        }
    }
}

TEST_F(ValueValidationTest, UnchangedEntryRecordsNothingButEndsTheEdit) {
    EXPECT_TRUE(EditAxis7("$CURR_LIM", "INT|0|100|||", "80", " 080 "));
    EXPECT_TRUE(g_colMadaChanges.Empty());
    EXPECT_EQ(port.CellText(GridId::ExAxDataGrid, 1, 1), "80");
}

class AxisCountTest : public EditTest {
protected:
    void SetUp() override {
        EditTest::SetUp();
        Def("$NUM_AX", "INT|0|6|6||");
        Def("$EX_AX_NUM", "INT|0|6|0||");
        for (int i = 1; i <= 12; ++i) {
            Value("$AXIS_TYPE[" + std::to_string(i) + "]", "3");
            Value("$RAT_MOT_AX[" + std::to_string(i) + "]", "{N 9,D 1}");
        }
    }

    void ChooseCount(const char* pszName, const char* pszOld, const char* pszNew) {
        Value(pszName, pszOld);
        Value(std::string(pszName) == "$NUM_AX" ? "$EX_AX_NUM" : "$NUM_AX", "6");
        Open(std::string(pszName) == "$NUM_AX" ? GridId::GenAxData : GridId::GenExAxData, 1, 1,
             pszName, pszOld, pszName);
        FinishCellEdit(kKeyEnter, pszNew, "", "ChangeCombo");
    }
};

TEST_F(AxisCountTest, LoweringTheMainAxisCountResetsTheRemovedAxes) {
    ui.Answer(MsgAnswer::Yes);
    ChooseCount("$NUM_AX", "6", "4");
    EXPECT_EQ(BoxTexts(), Strings{T("DoYouWantToDecreaseAxisNum")});
    EXPECT_EQ(Changes(), (Changes_{{"$AXIS_TYPE[5]", "1"},
                                   {"$RAT_MOT_AX[5]", "\"DEFAULT\""},
                                   {"$AXIS_TYPE[6]", "1"},
                                   {"$RAT_MOT_AX[6]", "\"DEFAULT\""},
                                   {"$NUM_AX", "4"}}));
    EXPECT_EQ(port.CellText(GridId::GenAxData, 1, 1), "4");
}

TEST_F(AxisCountTest, LoweringTheExternalAxisCountResetsTheirElements) {
    ui.Answer(MsgAnswer::Yes);
    ChooseCount("$EX_AX_NUM", "3", "1");
    EXPECT_EQ(Changes(), (Changes_{{"$AXIS_TYPE[8]", "1"},
                                   {"$RAT_MOT_AX[8]", "\"DEFAULT\""},
                                   {"$AXIS_TYPE[9]", "1"},
                                   {"$RAT_MOT_AX[9]", "\"DEFAULT\""},
                                   {"$EX_AX_NUM", "1"}}));
}

TEST_F(AxisCountTest, RaisingTheCountAsksAndWritesNoDefaults) {
    ui.Answer(MsgAnswer::Yes);
    ChooseCount("$NUM_AX", "4", "6");
    EXPECT_EQ(BoxTexts(), Strings{T("DoYouWantToIncreaseAxisNum")});
    EXPECT_EQ(Changes(), (Changes_{{"$NUM_AX", "6"}}));
}

TEST_F(AxisCountTest, NoToTheQuestionKeepsTheEditorOpenAndRecordsNothing) {
    ui.Answer(MsgAnswer::No);
    ChooseCount("$NUM_AX", "6", "2");
    ExpectStillOpen(EditControl::ChangeCombo);
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(AxisCountTest, MissingDefaultListRefusesTheLowerCountInsteadOfEndingTheProgram) {
    WriteIni(Lines({"[DefVarVal_InActiveAxes]", "$AXIS_TYPE=1"}));
    ui.Answer(MsgAnswer::Yes);
    ui.Answer(MsgAnswer::OK);
    ChooseCount("$NUM_AX", "6", "4");
    EXPECT_EQ(BoxTexts(), (Strings{T("DoYouWantToDecreaseAxisNum"),
                                   T("NoParameterInSection") + "  [DefVar_InAvtiveAxes]"}));
    EXPECT_TRUE(ui.exitCalls.empty());
    ExpectStillOpen(EditControl::ChangeCombo);
}

TEST_F(AxisCountTest, VariableWithoutDefaultKeepsItsValue) {
    WriteIni(Lines({"[DefVar_InAvtiveAxes]", "1=$AXIS_TYPE", "2=$RAT_MOT_AX",
                    "[DefVarVal_InActiveAxes]", "$AXIS_TYPE=2"}));
    g_sCurVarName = "$NUM_AX";
    EXPECT_TRUE(SetDefaultsForInactiveAxes(5, 6));
    EXPECT_EQ(Changes(), (Changes_{{"$AXIS_TYPE[6]", "2"}}));
}

TEST_F(EditTest, BrakeModeBitRecordsTheWholeBitString) {
    Def("$BRK_MODE_BIT2", "BIN|0|1|1||");
    Value("$NUM_AX", "6");
    Value("$EX_AX_NUM", "0");
    Value("$BRK_MODE", "'B0001'");
    Open(GridId::GenAxData, 4, 1, "$BRK_MODE_BIT2", "0", "$BRK_MODE_BIT2");
    EXPECT_EQ(port.comboItems, (Strings{"0", "1"}));
    FinishCellEdit(kKeyEnter, "1", "", "ChangeCombo");
    EXPECT_EQ(Changes(), (Changes_{{"$BRK_MODE", "'B0101'"}}));
    EXPECT_EQ(port.CellText(GridId::GenAxData, 4, 1), "1");
}

class KinematicsEditTest : public EditTest {
protected:
    void SetUp() override {
        EditTest::SetUp();
        Value("$NUM_AX", "6");
        Value("$EX_AX_NUM", "2");
        Value("$EX_KIN", "{ET1 #EASYS,ET2 #NONE,ET3 #NONE,ET4 #NONE,ET5 #NONE,ET6 #NONE}");
        Value("$ET1_AX", "{TR_A1 #E1,TR_A2 #NONE,TR_A3 #NONE}");
        Value("$ET1_TA1BN", "{X 0.0,Y 0.0,Z 0.0,A 0.0,B 0.0,C 0.0}");
        Def("$EX_KIN", "DECL|||||");
        Def("$ET#_AX", "DECL|||||");
        Def("$ET#_TA1BN", "REAL|-1000|1000|||MM");
        g_nCurEtNr = 1;
    }
};

TEST_F(KinematicsEditTest, KinematicEntryRecordsTheWholeAssignment) {
    Open(GridId::ExKinDataGrid, 1, 2, "$EX_KIN", "NONE", "$EX_KIN");
    FinishCellEdit(kKeyEnter, "EBSYS", "", "ChangeCombo");
    EXPECT_EQ(Changes(), (Changes_{{"$EX_KIN", "{ET1 #EASYS,ET2 #EBSYS,ET3 #NONE,ET4 #NONE,"
                                               "ET5 #NONE,ET6 #NONE}"}}));
    EXPECT_EQ(port.CellText(GridId::ExKinDataGrid, 1, 2), "EBSYS");
}

TEST_F(KinematicsEditTest, TransformationAxisRecordsTheWholeAxisList) {
    Open(GridId::ExEtxDataGrid, 1, 3, "$ET1_AX", "NONE", "$ET#_AX");
    FinishCellEdit(kKeyEnter, "E2", "", "ChangeCombo");
    EXPECT_EQ(Changes(), (Changes_{{"$ET1_AX", "{TR_A1 #E1,TR_A2 #E2,TR_A3 #NONE}"}}));
    EXPECT_EQ(port.CellText(GridId::ExEtxDataGrid, 1, 3), "E2");
}

TEST_F(KinematicsEditTest, FrameComponentRecordsTheWholeFrame) {
    Open(GridId::ExFrmDataGrid, 1, 2, "$ET1_TA1BN", "0.0", "$ET1_TA1BN");
    FinishCellEdit(kKeyEnter, "12,5", "", "ChangeTb");
    EXPECT_EQ(Changes(), (Changes_{{"$ET1_TA1BN", "{X 0.0,Y 12.5,Z 0.0,A 0.0,B 0.0,C 0.0}"}}));
    EXPECT_EQ(port.CellText(GridId::ExFrmDataGrid, 1, 2), "12.5");
}

struct BuildFailure {
    const char* pszBuilder;
    const char* pszMissingValue; // nullptr: every value there
    GridId grid;
    int nCol;
    const char* pszName;
    const char* pszCurVar;
    const char* pszEntry;
    EditControl control;
};

TEST_F(KinematicsEditTest, FailedBuildIsReportedAndKeepsTheEditorOpen) {
    const BuildFailure cases[] = {
        {"Build_Ex_Kin", nullptr, GridId::ExKinDataGrid, 7, "$EX_KIN", "$EX_KIN", "EASYS",
         EditControl::ChangeCombo}, // no seventh system
        {"Build_ETx_Ax", "$ET1_AX", GridId::ExEtxDataGrid, 3, "$ET1_AX", "$ET#_AX", "E2",
         EditControl::ChangeCombo},
        {"Build_ETx_Frame", "$ET1_TA1BN", GridId::ExFrmDataGrid, 2, "$ET1_TA1BN", "$ET1_TA1BN", "5",
         EditControl::ChangeTb},
        {"Build_Brk_Mode", "$BRK_MODE", GridId::GenAxData, 1, "$BRK_MODE_BIT2", "$BRK_MODE_BIT2",
         "1", EditControl::ChangeCombo},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszBuilder);
        TearDown();
        SetUp();
        Def("$BRK_MODE_BIT2", "BIN|0|1|1||");
        Value("$BRK_MODE", "'B0001'");
        if (c.pszMissingValue) {
            g_colMadaValues.Remove(c.pszMissingValue);
        }
        ui.Answer(MsgAnswer::OK);
        Open(c.grid, 1, c.nCol, c.pszName, "NONE", c.pszCurVar);
        FinishCellEdit(kKeyEnter, c.pszEntry, "", "ChangeTb");
        EXPECT_EQ(BoxTexts(), Strings{T("UnExpectedError") + " Function " + c.pszBuilder});
        ExpectStillOpen(c.control);
        EXPECT_TRUE(port.writes.empty());
    }
}

TEST(ChangeControlNumbers, StringToDoubleReadsPointAndCommaAlike) {
    const clsChangeControl edit;
    const std::pair<const char*, double> cases[] = {
        {"1,5", 1.5}, {"2.25", 2.25}, {" -3 ", -3.0}, {"abc", 0.0}, {"1.5x", 0.0}, {"", 0.0},
    };
    for (const auto& [pszText, d] : cases) {
        SCOPED_TRACE(pszText);
        EXPECT_DOUBLE_EQ(edit.StringToDouble(pszText), d);
    }
    KeyedCollection col;
    col.Add("1", "Key");
    EXPECT_TRUE(edit.FindKey(col, "KEY"));
    EXPECT_FALSE(edit.FindKey(col, "Other"));
}

} // namespace
} // namespace morvane::test
