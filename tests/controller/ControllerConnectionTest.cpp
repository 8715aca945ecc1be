#include <gtest/gtest.h>

#include "common/FileIo.h"
#include "config/LanguageText.h"
#include "controller/ControllerConnection.h"
#include "controller/TrellComm.h"
#include "tests/controller/ControllerFixture.h"

namespace morvane::test {
namespace {

class Connection : public ControllerTest {
protected:
    void ExpectNoConnection() {
        ui.Answer(MsgAnswer::OK);
        EXPECT_FALSE(ConnectController());
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].sText, T("NotConnectTrell"));
        EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Error);
        EXPECT_EQ(g_oTrell, nullptr);
    }
};

TEST_F(Connection, ConnectsToAReachableImageAndReleasesTheObjectAtTheEnd) {
    MakeImage();
    bool bDeactivated = false;
    SetPendantDeactivation([&] { bDeactivated = true; });
    ASSERT_TRUE(ConnectController());
    ASSERT_NE(g_oTrell, nullptr);
    EXPECT_TRUE(g_oTrell->TrellIsConnected());
    DisconnectController();
    EXPECT_EQ(g_oTrell, nullptr);
    EXPECT_TRUE(bDeactivated);
    SetPendantDeactivation({});
}

TEST_F(Connection, MissingImageGivesTheNoConnectionBox) {
    SetControllerImage((root.Path() / "nowhere").string());
    ExpectNoConnection();
}

TEST_F(Connection, NoImageSelectedGivesTheNoConnectionBox) {
    SetControllerImage("");
    ExpectNoConnection();
}

TEST_F(Connection, ImageWithoutControllerIniCannotBeReached) {
    root.Write("image/R1/$MACHINE.DAT", "DEFDAT\r\n");
    Select();
    ExpectNoConnection();
}

TEST_F(Connection, UnreachableServerGivesTheNoConnectionBox) {
    MakeImage("[Server]\nReachable=No\n");
    ExpectNoConnection();
}

TEST_F(Connection, FactoryRefusingOnceIsRecoveredOnTheNextConnection) {
    MakeImage("[Fault Factory.1]\nCalls=1\n");
    ExpectNoConnection();
    EXPECT_TRUE(ConnectController());
}

// The preconditions, each alone and all together.
struct PreconditionCase {
    const char* sName;
    const char* sUserMode; // the registry value line, "" = no registry file
    const char* sMode;
    const char* sProState;
    std::vector<const char*> reasons; // the expected reason keys, in order
};

class Preconditions : public ControllerTest,
                      public ::testing::WithParamInterface<PreconditionCase> {};

TEST_P(Preconditions, ListTheFailingTestsInOrder) {
    const PreconditionCase& c = GetParam();
    root.Write("image/controller.ini", std::string("[Variables]\n$MODE_OP=") + c.sMode +
                                           "\n$PRO_STATE=" + c.sProState +
                                           "\n$PRO_I_O[]=\"/R1/SPS()\"\n");
    root.Write("image/R1/$MACHINE.DAT", "DEFDAT\r\n");
    if (*c.sUserMode) {
        root.Write("image/HKEY_CURRENT_USER.reg", RegFile(c.sUserMode));
    }
    Select();
    ASSERT_TRUE(ConnectController());
    std::string sReasons = "old";
    const bool bOk = CheckPreconditions(sReasons);
    EXPECT_EQ(bOk, c.reasons.empty());
    std::string sExpected;
    if (!c.reasons.empty()) {
        sExpected = T("FollowingConditionsNotFulfilled") + "\r\n";
        for (const char* sKey : c.reasons) {
            ASSERT_FALSE(T(sKey).empty()) << sKey;
            sExpected += "\r\n- " + T(sKey);
        }
    }
    EXPECT_EQ(sReasons, sExpected);
}

const char* const kExpert = "\"ActUserMode\"=dword:00000014";
const char* const kOperator = "\"ActUserMode\"=dword:0000000a";

INSTANTIATE_TEST_SUITE_P(
    Cases, Preconditions,
    ::testing::Values(
        PreconditionCase{"AllHold", kExpert, "#T1", "#P_FREE", {}},
        PreconditionCase{"T2Holds", kExpert, "#T2", "#P_FREE", {}},
        PreconditionCase{"ModeWithNameInFront", kExpert, "MODE #T2 MANUAL", "#P_FREE", {}},
        PreconditionCase{
            "UserGroupAlone", kOperator, "#T2", "#P_FREE", {"UserGroupExpertNotSelected"}},
        PreconditionCase{"UserGroupAsText", "\"ActUserMode\"=\"20\"", "#T1", "#P_FREE", {}},
        PreconditionCase{"UserGroupTextBelow",
                         "\"ActUserMode\"=\"19\"",
                         "#T1",
                         "#P_FREE",
                         {"UserGroupExpertNotSelected"}},
        PreconditionCase{
            "HigherGroupHolds", "\"ActUserMode\"=dword:0000001e", "#T1", "#P_FREE", {}},
        PreconditionCase{"NoRegistryFileHolds", "", "#T1", "#P_FREE", {}},
        PreconditionCase{
            "MissingValueHolds", "\"OtherValue\"=dword:00000001", "#T1", "#P_FREE", {}},
        PreconditionCase{
            "AutomaticModeAlone", kExpert, "#AUT", "#P_FREE", {"ModeSelectorSwitchNotT1T2"}},
        PreconditionCase{"LowerCaseModeIsNoManualMode",
                         kExpert,
                         "#t1",
                         "#P_FREE",
                         {"ModeSelectorSwitchNotT1T2"}},
        PreconditionCase{
            "ProgramSelectedAlone", kExpert, "#T1", "#P_ACTIVE", {"ProgramNotCanceled"}},
        PreconditionCase{
            "AllThree",
            kOperator,
            "#EX",
            "#P_RESET",
            {"UserGroupExpertNotSelected", "ModeSelectorSwitchNotT1T2", "ProgramNotCanceled"}}),
    [](const auto& info) { return std::string(info.param.sName); });

TEST_F(ControllerTest, UnreadableVariablesCountAsPassed) {
    root.Write("image/controller.ini", "[Variables]\n$MODE_OP=#AUT\n$PRO_STATE=#P_ACTIVE\n"
                                       "[Fault SyncVar.1]\nCalls=Always\nbstrCause=busy\n");
    Select();
    ASSERT_TRUE(ConnectController());
    std::string sReasons;
    EXPECT_TRUE(CheckPreconditions(sReasons));
    EXPECT_EQ(sReasons, "");
}

TEST_F(ControllerTest, WriteBackStopsCancelsWritesAndRunsInThatOrder) {
    MakeImage("[Variables]\n$PRO_STATE=#P_ACTIVE\n");
    ASSERT_TRUE(ConnectController());
    ASSERT_TRUE(StopInterpreters());
    ASSERT_TRUE(DownloadTextToController("$MACHINE.dat", "NEW TEXT\r\n"));
    ASSERT_TRUE(RestartSubmitInterpreter());
    EXPECT_EQ(Journal(), (std::vector<std::string>{
                             "STOP control level",
                             "STOP robot level",
                             "STOP control level",
                             "CANCEL mode 0",
                             "WRITE BNX:\\R1\\$MACHINE.DAT 10 bytes",
                             "RUN control level /R1/SPS",
                         }));
    EXPECT_EQ(ReadBytes(Image() / "R1" / "$MACHINE.DAT"), "NEW TEXT\r\n");
    std::string sReasons;
    EXPECT_TRUE(CheckPreconditions(sReasons)) << "the cancel frees the program";
}

TEST_F(ControllerTest, StopInterpretersRunsAllThreeStepsEvenWhenOneFails) {
    MakeImage("[Fault SyncSelect.3]\nCalls=1\n");
    ASSERT_TRUE(ConnectController());
    EXPECT_FALSE(StopInterpreters());
    EXPECT_EQ(Journal(), (std::vector<std::string>{"STOP robot level", "STOP control level",
                                                   "CANCEL mode 0"}));
    EXPECT_NE(g_oTrell->TrellError(), "");
}

TEST_F(ControllerTest, CancelFailureFailsTheStop) {
    MakeImage("[Fault SyncSelect.4]\nCalls=Always\n");
    ASSERT_TRUE(ConnectController());
    EXPECT_FALSE(StopInterpreters());
}

TEST_F(ControllerTest, RunningProgramCannotBeCancelledWithoutStoppingTheRobotLevel) {
    MakeImage("[Variables]\n$PRO_STATE=#P_ACTIVE\n");
    ASSERT_TRUE(ConnectController());
    EXPECT_FALSE(g_oTrell->CancelModul(3000));
    EXPECT_NE(g_oTrell->TrellError().find("running"), std::string::npos);
}

TEST_F(ControllerTest, RestartFailsWhenTheServerRefusesOrNoSubmitProgramIsNamed) {
    MakeImage("[Fault SyncSelect.5]\nCalls=1\n");
    ASSERT_TRUE(ConnectController());
    EXPECT_FALSE(RestartSubmitInterpreter());
    EXPECT_TRUE(RestartSubmitInterpreter());
    DisconnectController();

    root.Write("image2/controller.ini", "[Variables]\n$MODE_OP=#T1\n");
    SetControllerImage((root.Path() / "image2").string());
    ASSERT_TRUE(ConnectController());
    EXPECT_FALSE(RestartSubmitInterpreter());
}

TEST_F(ControllerTest, DownloadFailureLeavesTheControllerFileAsItWas) {
    MakeImage("[Fault SyncFile.10]\nCalls=Always\nbstrCause=Disk full\n", "OLD\r\n");
    ASSERT_TRUE(ConnectController());
    EXPECT_FALSE(DownloadTextToController("$MACHINE.DAT", "NEW\r\n"));
    EXPECT_EQ(ReadBytes(Image() / "R1" / "$MACHINE.DAT"), "OLD\r\n");
    EXPECT_NE(g_oTrell->TrellError().find("bstrCause=Disk full"), std::string::npos);
}

TEST_F(ControllerTest, WriteProtectedControllerFileIsNotReplaced) {
    MakeImage({}, "OLD\r\n");
    std::filesystem::permissions(Image() / "R1" / "$MACHINE.DAT",
                                 std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    ASSERT_TRUE(ConnectController());
    EXPECT_FALSE(DownloadTextToController("$MACHINE.DAT", "NEW\r\n"));
    EXPECT_EQ(ReadBytes(Image() / "R1" / "$MACHINE.DAT"), "OLD\r\n");
}

TEST_F(ControllerTest, LoadControllerFileCopiesIntoTheTemplatesFolder) {
    MakeImage({}, "&ACCESS RV\r\nDEFDAT $MACHINE\r\n\xE4\r\n");
    ASSERT_TRUE(ConnectController());
    std::string sText;
    LoadControllerFile("$MACHINE.DAT", sText);
    EXPECT_EQ(sText, "&ACCESS RV\r\nDEFDAT $MACHINE\r\n\xE4\r\n");
    EXPECT_EQ(GetTempFolder(), Cache().string() + "/");
    EXPECT_EQ(ReadBytes(Cache() / "$MACHINE.DAT"), sText);
    EXPECT_EQ(Journal().back(),
              "COPY BNX:\\R1\\$MACHINE.DAT -> " + Cache().string() + "/$MACHINE.DAT");
}

TEST_F(ControllerTest, FailedUploadGivesEmptyTextEvenWithAnOldLocalCopy) {
    MakeImage("[Fault SyncFile.5]\nCalls=Always\n");
    root.Write("cache/morvane/$MACHINE.DAT", "FROM AN EARLIER RUN\r\n");
    ASSERT_TRUE(ConnectController());
    std::string sText = "something";
    LoadControllerFile("$MACHINE.DAT", sText);
    EXPECT_EQ(sText, "");
}

TEST_F(ControllerTest, UploadWithoutConnectionGivesEmptyText) {
    std::string sText = "something";
    LoadControllerFile("$MACHINE.DAT", sText);
    EXPECT_EQ(sText, "");
}

TEST_F(ControllerTest, ImageWithoutR1ConnectsButHasNoFiles) {
    root.Write("image/controller.ini", kDefaultVariables);
    Select();
    ASSERT_TRUE(ConnectController());
    std::string sText = "x";
    LoadControllerFile("$MACHINE.DAT", sText);
    EXPECT_EQ(sText, "");
    EXPECT_FALSE(DownloadTextToController("$MACHINE.DAT", "NEW\r\n"));
    EXPECT_FALSE(std::filesystem::exists(Image() / "R1"));
}

TEST_F(ControllerTest, FiftyMegabyteFileTravelsBothWaysUnchanged) {
    std::string sBlock;
    for (int i = 0; i < 64; ++i) {
        sBlock += "$AXIS_TYPE[" + std::to_string(i % 12 + 1) + "]=" + std::to_string(i) + "\r\n";
    }
    std::string sBig;
    sBig.reserve((50u << 20) + sBlock.size());
    while (sBig.size() < (50u << 20)) {
        sBig += sBlock;
    }
    MakeImage({}, sBig);
    ASSERT_TRUE(ConnectController());
    std::string sText;
    LoadControllerFile("$MACHINE.DAT", sText);
    ASSERT_EQ(sText.size(), sBig.size());
    EXPECT_TRUE(sText == sBig);
    sText[0] = '#';
    ASSERT_TRUE(DownloadTextToController("$MACHINE.DAT", sText));
    EXPECT_TRUE(ReadBytes(Image() / "R1" / "$MACHINE.DAT") == sText);
}

// Controller file names that are no plain file name are refused before anything is touched.
class BadName : public ControllerTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BadName, IsRefusedAndNothingOutsideTheImageIsTouched) {
    MakeImage();
    root.Write("image/R1/outside.dat", "IN R1\r\n");
    root.Write("outside.dat", "SECRET\r\n");
    root.Write("cache/outside.dat", "SECRET\r\n");
    ASSERT_TRUE(ConnectController());
    std::string sText = "x";
    LoadControllerFile(GetParam(), sText);
    EXPECT_EQ(sText, "");
    EXPECT_FALSE(DownloadTextToController(GetParam(), "OVERWRITTEN\r\n"));
    EXPECT_EQ(ReadBytes(root.Path() / "outside.dat"), "SECRET\r\n");
    EXPECT_EQ(ReadBytes(root.Path() / "cache" / "outside.dat"), "SECRET\r\n");
    EXPECT_EQ(Journal(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Names, BadName,
                         ::testing::Values("../outside.dat", "..\\..\\outside.dat",
                                           "R1/$MACHINE.DAT", "/etc/hostname.txt", "*.DAT",
                                           "$MACHINE?DAT", "MACHINE", "", "..", "A:B.DAT"));

TEST_F(ControllerTest, TemplatesFolderFallsBackToTheHomeCacheAndIsCreated) {
    const char* pHome = std::getenv("HOME");
    const std::string sOldHome = pHome ? pHome : "";
    setenv("HOME", root.Path().c_str(), 1);
    unsetenv("XDG_CACHE_HOME");
    const std::string sFolder = GetTempFolder();
    setenv("HOME", sOldHome.c_str(), 1);
    EXPECT_EQ(sFolder, (root.Path() / ".cache" / "morvane").string() + "/");
    EXPECT_TRUE(std::filesystem::is_directory(root.Path() / ".cache" / "morvane"));
}

TEST_F(ControllerTest, GarbageInControllerIniIsSkipped) {
    root.Write("image/controller.ini", "\x01\x02 garbage\n[Variables\n=novalue\n[Nonsense]\n"
                                       "X=1\n[Variables]\n$MODE_OP=#T1\nno equals sign\n"
                                       "[Fault SyncVar]\nCalls=1\n[Fault SyncVar.x]\n"
                                       "[Interpreters]\nControlLevel=maybe\n");
    root.Write("image/R1/$MACHINE.DAT", "DEFDAT\r\n");
    Select();
    ASSERT_TRUE(ConnectController());
    std::string sValue;
    EXPECT_TRUE(g_oTrell->ShowVar("$MODE_OP", sValue));
    EXPECT_EQ(sValue, "$MODE_OP=#T1");
}

} // namespace
} // namespace morvane::test
