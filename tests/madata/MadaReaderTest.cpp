#include <map>

#include <gtest/gtest.h>

#include "common/CodePage.h"
#include "config/IniFile.h"
#include "config/LanguageText.h"
#include "madata/MadaReader.h"
#include "madata/MadaStore.h"
#include "tests/controller/ControllerFixture.h"
#include "tests/madata/MadaFixtures.h"
#include "tests/support/TestSupport.h"

namespace morvane::test {
namespace {

const std::string kFullIni = JoinLines({
    "[MainData]",     "1=$TRAFONAME[]", "2=$num_ax ; written in lower case",
    "3=$EX_AX_NUM",   "4=$BRK_MODE",    "5=$MISSING_VAR",
    "[MainAxesVar]",  "1=$RAT_MOT_AX",  "[ExtAxesVar]",
    "1=MOTORTYPE",    "2=$SERVOFILE",   "3=$AXIS_TYPE",
    "4=$CURR_COM_EX", "5=$EX_AX_ASYNC", "6=$JERK_MA",
    "[ExtKinVar]",    "1=$EX_KIN",      "2=$ET#_AX",
    "3=$ET#_NAME",    "4=$TOOL",
});

class MadaReaderTest : public UiTest {
protected:
    void SetUp() override {
        ResetMadaGlobals();
        UseIni(kFullIni);
    }
    void UseIni(const std::string& sIni) { g_sIniFile = FromPath(dir.Write("Morvan.ini", sIni)); }
    static bool ReadAll() {
        return ReadMainData() && ReadMainAxesVar() && ReadExtAxesVar() && ReadExtKinVar();
    }
    static std::string Value(const char* sKey) { return g_colMadaValues.Item(sKey); }
    void ExpectCanNotReadBox(MsgIcon icon) {
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].sText, T("CanNotReadMachineDat"));
        EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::OK);
        EXPECT_EQ(ui.boxes[0].icon, icon);
    }

    TempDir dir;
};

const std::map<std::string, std::string> kSampleValues = {
    {"$TRAFONAME[]", "\"#ARM6 57 S\""},
    {"$NUM_AX", "6"},
    {"$EX_AX_NUM", "2"},
    {"$BRK_MODE", "'B0101'"},
    {"$MISSING_VAR", ""},
    {"$RAT_MOT_AX[1]", "{N -89,D 1}"},
    {"$RAT_MOT_AX[6]", ""},
    {"MOTORTYPE[7]", "NONE"},
    {"MOTORTYPE[12]", "NONE"},
    {"$SERVOFILE[7]", "\"MOTOR1\""},
    {"$SERVOFILE[8]", ""},
    {"$AXIS_TYPE[7]", "3"},
    {"$CURR_COM_EX[7]", "100"},
    {"$CURR_COM_EX[8]", ""},
    {"$EX_AX_ASYNC[7]", "1"},
    {"$EX_AX_ASYNC[8]", "0"},
    {"$EX_AX_ASYNC[9]", "1"},
    {"$EX_AX_ASYNC[10]", "0"},
    {"$EX_AX_ASYNC[11]", "0"},
    {"$EX_AX_ASYNC[12]", "0"},
    {"$JERK_MA.AX.E1", "100.0"},
    {"$JERK_MA.AX.E6", "600.0"},
    {"$EX_KIN", "{ET1 #EASYS,ET2 #NONE,ET3 #NONE,ET4 #NONE,ET5 #NONE,ET6 #NONE}"},
    {"$ET1_AX", "{TR_A1 #E1,TR_A2 #NONE,TR_A3 #NONE}"},
    {"$ET2_AX", ""},
    {"$ET1_NAME[]", "\"TRACK\""},
    {"$ET6_NAME[]", ""},
};

TEST_F(MadaReaderTest, ReadsEveryListedVariableOfAllFourSections) {
    for (std::string_view sEnd : {"\r\n", "\n"}) {
        ResetMadaGlobals();
        g_sMachineDat = SampleMachineDat(sEnd);
        ASSERT_TRUE(ReadAll());
        for (const auto& [sKey, sValue] : kSampleValues) {
            EXPECT_EQ(Value(sKey.c_str()), sValue) << sKey << " LF-only " << (sEnd == "\n");
        }
        // 5 general, 6 main-axis, 6 x 6 external-axis and 1 + 2 x 6 kinematic keys.
        EXPECT_EQ(g_colMadaValues.Count(), 5 + 6 + 36 + 13);
        EXPECT_TRUE(g_bMainDataRead && g_bMainAxesRead && g_bExtAxesRead && g_bExtKinRead);
    }
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(g_colMainDataList.Item(2), "$num_ax");
    EXPECT_EQ(g_colExtAxesList.Count(), 6);
    EXPECT_EQ(g_colExtKinList.Count(), 13);
    EXPECT_EQ(g_colExtKinList.Item(2), "$ET1_AX");
}

TEST_F(MadaReaderTest, ProgressRunsOverTheItemsAndEndsHidden) {
    g_sMachineDat = SampleMachineDat();
    ui.SetBusyPointer(true);
    ASSERT_TRUE(ReadMainData());
    EXPECT_EQ(ui.nProgressSteps, 5 + 1);
    EXPECT_DOUBLE_EQ(ui.dProgressMax, 5 + 1.005);
    EXPECT_FALSE(ui.bProgressVisible);
    EXPECT_FALSE(ui.bBusy);
}

TEST_F(MadaReaderTest, EachSectionIsReadOncePerRun) {
    g_sMachineDat = SampleMachineDat();
    ASSERT_TRUE(ReadMainData());
    g_sMachineDat = JoinLines({"INT $NUM_AX=4"});
    EXPECT_TRUE(ReadMainData());
    EXPECT_EQ(Value("$NUM_AX"), "6");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MadaReaderTest, ValueOfAVariableWhoseNameEndsInAnother) {
    g_sMachineDat = JoinLines({"X$RAT_MOT_AX[1]={N 9,D 9}", ";$RAT_MOT_AX[1]={N 8,D 8}",
                               "$RAT_MOT_AX[1]={N 1,D 1} ;gear", "X$SERVOFILE7[]=\"OTHER\"",
                               "$SERVOFILE7[]=\"MOTOR1\""});
    ASSERT_TRUE(ReadMainAxesVar());
    ASSERT_TRUE(ReadExtAxesVar());
    EXPECT_EQ(Value("$RAT_MOT_AX[1]"), "{N 1,D 1}");
    EXPECT_EQ(Value("$SERVOFILE[7]"), "\"MOTOR1\"");
}

TEST_F(MadaReaderTest, OddValuesAreReadWithoutEndingTheProgram) {
    UseIni(JoinLines({"[MainData]", "1=$NUM_AX", "2=$CURR_COM_EX[X]", "3=$EX_AX_ASYNC[7.5]",
                      "4=$SERVOFILE[]", "5=$NOTE", "[ExtAxesVar]", "1=$EX_AX_ASYNC",
                      "2=$ASYNC_T1_FAST"}));
    g_sMachineDat = JoinLines({"INT $NUM_AX=abc", "$NOTE=1 ;\x80\xE4\xFF\x9F", "$EX_AX_ASYNC='B'",
                               "BIN $ASYNC_T1_FAST='B01X1'"});
    ASSERT_TRUE(ReadMainData());
    ASSERT_TRUE(ReadExtAxesVar());
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(Value("$NUM_AX"), "abc");
    EXPECT_EQ(Value("$NOTE"), "1");
    EXPECT_FALSE(KeyExists(g_colMadaValues, "$CURR_COM_EX[X]"));
    EXPECT_FALSE(KeyExists(g_colMadaValues, "$EX_AX_ASYNC[7.5]"));
    EXPECT_EQ(Value("$SERVOFILE[]"), "");
    EXPECT_EQ(Value("$EX_AX_ASYNC[7]"), "0");
    EXPECT_EQ(Value("$ASYNC_T1_FAST[7]"), "1");
    EXPECT_EQ(Value("$ASYNC_T1_FAST[8]"), "0");
    EXPECT_EQ(Value("$ASYNC_T1_FAST[9]"), "1");
    EXPECT_EQ(Value("$ASYNC_T1_FAST[10]"), "0");
}

struct ScanFailure {
    const char* sWhat;
    std::string sIni;
    std::string sDat;
    std::vector<std::pair<const char*, const char*>> kept;
    std::vector<const char*> notRead;
};

TEST_F(MadaReaderTest, UnreadableItemStopsItsSectionWithABox) {
    const ScanFailure cases[] = {
        {"variable listed in two sections",
         JoinLines({"[MainData]", "1=$EX_AX_NUM", "2=$AXIS_TYPE[8]", "[ExtAxesVar]",
                    "1=$CURR_COM_EX", "2=$AXIS_TYPE", "3=$JERK_MA"}),
         SampleMachineDat(),
         {{"$CURR_COM_EX[7]", "100"}, {"$AXIS_TYPE[7]", "3"}},
         {"$AXIS_TYPE[9]", "$JERK_MA.AX.E1"}},
        {"line cut off without line end",
         JoinLines({"[ExtAxesVar]", "1=$CURR_COM_EX", "2=$AXIS_TYPE", "3=$JERK_MA"}),
         "$CURR_COM_EX[1]=100\r\n$AXIS_TYPE[9]=3",
         {{"$CURR_COM_EX[7]", "100"}, {"$AXIS_TYPE[7]", ""}, {"$AXIS_TYPE[8]", ""}},
         {"$AXIS_TYPE[9]", "$JERK_MA.AX.E1"}},
        {"jerk line without its end",
         JoinLines({"[ExtAxesVar]", "1=$CURR_COM_EX", "2=$JERK_MA", "3=$AXIS_TYPE"}),
         JoinLines({"$CURR_COM_EX[1]=100",
                    "DECL JERK_STRUC $JERK_MA={AX {E1 1,E2 2,E3 3,E4 4,E5 5,E6 6}"}),
         {{"$CURR_COM_EX[7]", "100"}, {"$JERK_MA.AX.E5", "5"}},
         {"$JERK_MA.AX.E6", "$AXIS_TYPE[7]"}},
    };
    for (const ScanFailure& c : cases) {
        ResetMadaGlobals();
        ui.boxes.clear();
        UseIni(c.sIni);
        g_sMachineDat = c.sDat;
        ui.Answer(MsgAnswer::OK);
        if (c.sIni.find("[MainData]") != std::string::npos) {
            ASSERT_TRUE(ReadMainData()) << c.sWhat;
            ASSERT_TRUE(ui.boxes.empty()) << c.sWhat;
        }
        EXPECT_TRUE(ReadExtAxesVar()) << c.sWhat;
        EXPECT_TRUE(g_bExtAxesRead) << c.sWhat;
        ExpectCanNotReadBox(MsgIcon::Error);
        EXPECT_FALSE(ui.bProgressVisible) << c.sWhat;
        for (const auto& [sKey, sValue] : c.kept) {
            EXPECT_EQ(Value(sKey), sValue) << c.sWhat << ": " << sKey;
        }
        for (const char* sKey : c.notRead) {
            EXPECT_FALSE(KeyExists(g_colMadaValues, sKey)) << c.sWhat << ": " << sKey;
        }
    }
}

TEST_F(MadaReaderTest, MachineDataThatCannotBeLoadedAsksToExit) {
    ui.Answer(MsgAnswer::OK);
    EXPECT_THROW(ReadMainData(), ProgramEnded);
    ExpectCanNotReadBox(MsgIcon::None);
    EXPECT_EQ(ui.exitCalls, std::vector<bool>{true});
    EXPECT_FALSE(g_bMainDataRead);
}

TEST_F(MadaReaderTest, StayingWithoutMachineDataGivesEmptyValues) {
    ui.SetExitReturns(true);
    ui.Answer(MsgAnswer::OK);
    EXPECT_TRUE(ReadMainData());
    ExpectCanNotReadBox(MsgIcon::None);
    EXPECT_EQ(ui.exitCalls, std::vector<bool>{true});
    EXPECT_EQ(g_colMadaValues.Count(), 5);
    EXPECT_EQ(Value("$NUM_AX"), "");
    EXPECT_FALSE(ui.bProgressVisible);
}

TEST_F(MadaReaderTest, SectionWithoutEntriesEndsTheProgram) {
    UseIni(JoinLines({"[MainData]", "1=$NUM_AX", "[ExtKinVar]", "2=$ET#_AX"}));
    g_sMachineDat = SampleMachineDat();
    ui.Answer(MsgAnswer::OK);
    EXPECT_THROW(ReadExtKinVar(), ProgramEnded);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_NE(ui.boxes[0].sText.find("[ExtKinVar]"), std::string::npos);
    EXPECT_EQ(ui.exitCalls, std::vector<bool>{false});
}

TEST_F(MadaReaderTest, UnknownSectionReadsNothing) {
    g_sMachineDat = SampleMachineDat();
    EXPECT_FALSE(ReadSourceFile("ServoVar"));
    EXPECT_TRUE(ReadSourceFile("maindata"));
    EXPECT_EQ(Value("$NUM_AX"), "6");
}

TEST_F(MadaReaderTest, TenMegabyteFileWithVariablesAtItsEnd) {
    std::string sDat = "&ACCESS RV\r\nDEFDAT  $MACHINE PUBLIC\r\n";
    const std::string sFiller =
        ";$NUM_AX=1 filler \xE4\xF6\xFC\x80 X$EX_AX_NUM=9 $TRAFONAME[]=\"X\"\r\n";
    while (sDat.size() < 10 * 1024 * 1024) {
        sDat += sFiller;
    }
    sDat += SampleMachineDat();
    g_sMachineDat = sDat;
    ASSERT_TRUE(ReadMainData());
    EXPECT_EQ(Value("$NUM_AX"), "6");
    EXPECT_EQ(Value("$EX_AX_NUM"), "2");
    EXPECT_EQ(Value("$TRAFONAME[]"), "\"#ARM6 57 S\"");
    EXPECT_TRUE(ui.boxes.empty());
}

class MadaReaderRetryTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        ResetMadaGlobals();
        g_sIniFile = FromPath(root.Write("Morvan.ini", kFullIni));
    }
};

TEST_F(MadaReaderRetryTest, MachineDataMissingAtStartIsLoadedFromTheController) {
    MakeImage({}, SampleMachineDat());
    ASSERT_TRUE(ConnectController());
    ASSERT_TRUE(ReadMainData());
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(g_sMachineDat, SampleMachineDat());
    EXPECT_EQ(g_colMadaValues.Item("$TRAFONAME[]"), "\"#ARM6 57 S\"");
}

TEST_F(MadaReaderRetryTest, EmptyControllerFileCountsAsUnreadable) {
    MakeImage({}, "");
    ASSERT_TRUE(ConnectController());
    ui.Answer(MsgAnswer::OK);
    EXPECT_THROW(ReadMainData(), ProgramEnded);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText, T("CanNotReadMachineDat"));
    EXPECT_EQ(ui.exitCalls, std::vector<bool>{true});
}

} // namespace
} // namespace morvane::test
