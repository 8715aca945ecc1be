#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "config/LanguageText.h"
#include "config/Paths.h"
#include "grids/CellEditor.h"
#include "grids/ChangeLists.h"
#include "grids/MotorSelection.h"
#include "madata/ControlType.h"
#include "madata/MadaStore.h"
#include "tests/grids/EditFixture.h"

namespace morvane::test {
namespace {

using Strings = std::vector<std::string>;
using Changes_ = std::vector<std::pair<std::string, std::string>>;

std::vector<std::string> ItemsOf(const KeyedCollection& col) {
    std::vector<std::string> items;
    for (const auto& entry : col) {
        items.push_back(entry.sItem);
    }
    return items;
}

class MotorSelectionTest : public EditTest {
protected:
    void SetUp() override {
        EditTest::SetUp();
        Value("$NUM_AX", "6");
        Value("$EX_AX_NUM", "2");
        for (const char* pszName : {"$MOT_RPM_NOM", "$CURR_LIM", "$RAT_MOT_ENC", "$SERVOFILE",
                                    "$MOT_TYPE_NAME", "MOTORTYPE"}) {
            Value(std::string(pszName) + "[7]", "");
            Value(std::string(pszName) + "[2]", "");
        }
        Def("$MOT_RPM_NOM", "REAL|||||");
        Def("$CURR_LIM", "INT|||||");
        Def("$RAT_MOT_ENC", "INT|||||");
        Def("$SERVOFILE", "CHAR||14|||");
        Def("$MOT_TYPE_NAME", "CHAR||20|||");
        Def("MOTORTYPE", "CHAR||40|NONE||");
    }

    bool Set(const char* pszType, int nAxis = 7) {
        clsChangeControl edit;
        return edit.SetMotorParam(pszType, nAxis);
    }
};

TEST_F(MotorSelectionTest, MotorTypesOfTheUserFollowTheMakersOnlyWhenListed) {
    EXPECT_EQ(ItemsOf(GetMotorTypes()), (Strings{"NONE", "MG_10, 1.6 Nm"})); // no user file

    WriteUserIni(Lines({"[User_Motortypes]", "1=", "2=UM_1"}));
    EXPECT_EQ(ItemsOf(GetMotorTypes()), (Strings{"NONE", "MG_10, 1.6 Nm"}));

    WriteUserIni(Lines({"[User_Motortypes]", "1=UM_1, own", "2=UM_2"}));
    EXPECT_EQ(ItemsOf(GetMotorTypes()), (Strings{"NONE", "MG_10, 1.6 Nm", "UM_1, own", "UM_2"}));
}

TEST_F(MotorSelectionTest, MotorValuesAreRecordedInTheFormOfTheirType) {
    EXPECT_TRUE(Set("MG_10, 1.6 Nm"));
    EXPECT_EQ(Changes(), (Changes_{{"$MOT_RPM_NOM[7]", "2.0"},
                                   {"$CURR_LIM[7]", "100"},
                                   {"$RAT_MOT_ENC[7]", "{N 1,D 2}"}}));
}

TEST_F(MotorSelectionTest, OnlyTheTextBeforeTheFirstCommaNamesTheSection) {
    WriteIni(Lines({"[MotorVar]", "1=$CURR_LIM", "[Motor_MG_2000]", "$CURR_LIM=55"}));
    EXPECT_TRUE(Set("MG_2000,ABC", 2));
    EXPECT_EQ(Changes(), (Changes_{{"$CURR_LIM[2]", "55"}}));
}

TEST_F(MotorSelectionTest, MotorOnlyTheUserFileKnowsTakesAllValuesFromIt) {
    WriteIni(Lines({"[MotorVar]", "1=$MOT_RPM_NOM", "2=$CURR_LIM", "[Motor_MG_10]", "$CURR_LIM=100",
                    "[USER_Section]", "UserIniFile=User.ini"}));
    WriteUserIni(Lines({"[Motor_MG_10]", "$MOT_RPM_NOM=1500,5", "$CURR_LIM=70"}));
    EXPECT_TRUE(Set("MG_10"));
    EXPECT_EQ(Changes(), (Changes_{{"$MOT_RPM_NOM[7]", "1500.5"}, {"$CURR_LIM[7]", "70"}}));
}

TEST_F(MotorSelectionTest, MotorMissingInBothFilesRecordsNothing) {
    WriteUserIni(Lines({"[Motor_OTHER]", "$MOT_RPM_NOM=1"}));
    ui.Answer(MsgAnswer::OK);
    EXPECT_FALSE(Set("MG_77, spare"));
    EXPECT_EQ(BoxTexts(), Strings{T("NoMotorParameterFound") + " Motor_MG_77\r\n\r\n" +
                                  T("CantSetMotorParameter")});
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Information);
    EXPECT_TRUE(g_colMadaChanges.Empty());
}

TEST_F(MotorSelectionTest, MissingVariableListIsReportedWithoutEndingTheProgram) {
    g_sControlType = "(V)BN 86T";
    WriteIni(Lines({"[MotorVar]", "1=$CURR_LIM"}));
    ui.Answer(MsgAnswer::OK);
    EXPECT_FALSE(Set("MG_10"));
    EXPECT_EQ(BoxTexts(), Strings{T("NoMotorParameterFound") + " [BN57_MotorVar]\r\n\r\n" +
                                  T("CantSetMotorParameter")});
    EXPECT_TRUE(ui.exitCalls.empty());
}

TEST_F(MotorSelectionTest, MissingValuesAndServoFilesAreSummedUpInOneBox) {
    WriteIni(Lines({"[MotorVar]", "1=$MOT_RPM_NOM", "2=$CURR_LIM", "3=$SERVOFILE", "[Motor_MG_10]",
                    "$MOT_RPM_NOM=3000", "$SERVOFILE=MG 10"}));
    ui.Answer(MsgAnswer::OK);
    EXPECT_TRUE(Set("MG_10"));
    EXPECT_EQ(Changes(), (Changes_{{"$MOT_RPM_NOM[7]", "3000.0"}}));
    EXPECT_EQ(BoxTexts(),
              Strings{T("FollowingParaCantSet") + "\r\n\r\n$CURR_LIM: " + T("ValueNotFound") +
                      "\r\n" + T("FileNotExisting") + " " + g_sMadaPath + "MG10.servo\r\n"});
}

TEST_F(MotorSelectionTest, ControllerTypeChoosesTheVariableList) {
    g_sControlType = "(V)BN 57";
    WriteServoFile("MG_10.servo");
    EXPECT_TRUE(Set("MG_10"));
    EXPECT_EQ(Changes(),
              (Changes_{{"$SERVOFILE[7]", "\"MG_10\""}, {"$MOT_TYPE_NAME[7]", "\"MOTORA\""}}));
}

TEST_F(MotorSelectionTest, NoneRecordsNoMotorValues) {
    EXPECT_FALSE(Set("NONE"));
    EXPECT_TRUE(g_colMadaChanges.Empty());
}

TEST_F(MotorSelectionTest, ChoosingAMotorForAnExternalAxis) {
    struct Case {
        const char* pszChoice;
        bool bMotorKnown;
        const char* pszRecordedType;
    };
    const Case cases[] = {
        {"MG_10, 1.6 Nm", true, "MG_10, 1.6 NM"},
        {"NONE", false, "NONE"},
        {"MG_99", false, "NONE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszChoice);
        TearDown();
        SetUp();
        ui.Answer(MsgAnswer::Yes);
        if (std::string(c.pszChoice) == "MG_99") {
            ui.Answer(MsgAnswer::OK);
        }
        Open(GridId::ExAxDataGrid, 1, 1, "MOTORTYPE", "", "MOTORTYPE");
        FinishCellEdit(kKeyEnter, c.pszChoice, "", "ChangeCombo");
        EXPECT_EQ(ui.boxes[0].sText, T("DoYouWantSelectThisMotor") + "\r\nMotor: " + c.pszChoice);
        EXPECT_EQ(port.nExtTabShown, 1);
        EXPECT_EQ(GetMadaValue("MOTORTYPE[7]"), c.pszRecordedType);
        EXPECT_EQ(g_colMadaChanges.Count(), c.bMotorKnown ? 4 : 1);
        EXPECT_EQ(port.CellText(GridId::ExAxDataGrid, 1, 1), c.pszRecordedType);
    }
}

TEST_F(MotorSelectionTest, MainAxisKeepsTheChosenTypeWhenItsValuesAreMissing) {
    ui.Answer(MsgAnswer::Yes);
    ui.Answer(MsgAnswer::OK);
    Open(GridId::MainAxDataGrid, 1, 2, "MOTORTYPE", "", "MOTORTYPE");
    FinishCellEdit(kKeyEnter, "MG_99", "", "ChangeCombo");
    EXPECT_EQ(port.nMainTabShown, 1);
    EXPECT_EQ(Changes(), (Changes_{{"MOTORTYPE[2]", "MG_99"}}));
}

TEST_F(MotorSelectionTest, NoToTheMotorQuestionRecordsNothing) {
    ui.Answer(MsgAnswer::No);
    Open(GridId::ExAxDataGrid, 1, 1, "MOTORTYPE", "", "MOTORTYPE");
    FinishCellEdit(kKeyEnter, "MG_10, 1.6 Nm", "", "ChangeCombo");
    ExpectStillOpen(EditControl::ChangeCombo);
    EXPECT_EQ(port.nExtTabShown, 0);
}

} // namespace
} // namespace morvane::test
