#include <gtest/gtest.h>

#include <functional>

#include "common/FileIo.h"
#include "common/ScriptedUi.h"
#include "config/LanguageText.h"
#include "controller/TrellComm.h"
#include "tests/controller/ControllerFixture.h"

namespace morvane::test {
namespace {

struct RecordingParent : TrellParent {
    void SetInfoResult(const std::string& s) override { results.push_back(s); }
    void Trell1_CmdMessage(std::int32_t n, const std::string& s) override {
        commands.push_back(std::to_string(n) + ":" + s);
    }
    void RobMessage(const std::string& s, std::int32_t n) override {
        messages.push_back(s + "|" + std::to_string(n));
    }
    std::vector<std::string> results, commands, messages;
};

class Trell : public ControllerTest {
protected:
    void Connect(const std::string& sExtra = {}, const std::string& sMachineDat = "DEFDAT\r\n") {
        MakeImage(sExtra, sMachineDat);
        ASSERT_TRUE(trell.Init(&parent));
        ASSERT_TRUE(trell.ConnectToTrell("ConfExtAxData", 0));
    }
    RecordingParent parent;
    cTrellComm trell;
};

TEST_F(Trell, InitWithoutParentChangesNothing) {
    MakeImage();
    EXPECT_FALSE(trell.Init(nullptr));
    EXPECT_FALSE(trell.TrellIsConnected());
    EXPECT_FALSE(trell.ConnectToTrell("ConfExtAxData"));
}

TEST_F(Trell, ShowVarGivesNameAndValue) {
    Connect();
    std::string sValue;
    ASSERT_TRUE(trell.ShowVar("$PRO_STATE", sValue));
    EXPECT_EQ(sValue, "$PRO_STATE=#P_FREE");
    ASSERT_TRUE(trell.SetVar("$MODE_OP", "#AUT"));
    ASSERT_TRUE(trell.ShowVar("$mode_op", sValue));
    EXPECT_EQ(sValue, "$mode_op=#AUT");
    EXPECT_EQ(trell.TrellError(), "");
}

TEST_F(Trell, RejectedVariableLeavesTheValueAndDescribesTheError) {
    Connect();
    std::string sValue = "unchanged";
    EXPECT_FALSE(trell.ShowVar("$NO_SUCH", sValue));
    EXPECT_EQ(sValue, "unchanged");
    EXPECT_NE(trell.TrellError().find("bstrCause=unknown variable $NO_SUCH"), std::string::npos);
    EXPECT_NE(trell.TrellError().find(" , varParams(0) =$NO_SUCH"), std::string::npos);
    EXPECT_FALSE(trell.SetVar("$NO_SUCH", "1"));
}

TEST_F(Trell, ErrorTextListsEveryFieldOfTheRecord) {
    Connect("[Fault SyncVar.1]\nCalls=1\nnLowTimeStamp=11\nnHighTimeStamp=12\n"
            "nBiasTimeStamp=-60\neMessageType=3\nnMessage=1234\nnMessageHandle=77\n"
            "bstrDBModule=Kernel\nbstrCause=Busy\nbDBCause=True\nbstrDBMessage=Try again\n"
            "varParams=a,b\nvarDBParams=c\n");
    std::string sValue;
    EXPECT_FALSE(trell.ShowVar("$MODE_OP", sValue));
    EXPECT_EQ(trell.TrellError(),
              "Error: bDBCause=True , bstrCause=Busy , bstrDBMessage=Try again , "
              "bstrDBModule=Kernel , eMessageType=3 , nBiasTimeStamp=-60 , nHighTimeStamp=12 , "
              "nLowTimeStamp=11 , nMessage=1234 , nMessageHandle=77 , varParams(0) =a , "
              "varParams(1) =b , varDBParams(0) =c");
    EXPECT_TRUE(trell.ShowVar("$MODE_OP", sValue)) << "the fault was for one call";
}

TEST_F(Trell, ErrorTextWithoutParametersEndsWithTheMessageHandle) {
    Connect("[Fault SyncVar.1]\nCalls=1\nnMessageHandle=5\n");
    std::string sValue;
    EXPECT_FALSE(trell.ShowVar("$MODE_OP", sValue));
    EXPECT_TRUE(trell.TrellError().ends_with(" , nMessage=0 , nMessageHandle=5"))
        << trell.TrellError();
}

TEST_F(Trell, UnreadableErrorRecordKeepsTheOldErrorText) {
    Connect("[Fault SyncVar.1]\nCalls=2\nbstrCause=first\n[Fault SyncVarError.1]\nCalls=Always\n");
    std::string sValue;
    EXPECT_FALSE(trell.ShowVar("$MODE_OP", sValue));
    EXPECT_EQ(trell.TrellError(), "");
    ASSERT_FALSE(trell.ShowVar("$NO_SUCH_AT_ALL", sValue));
}

TEST_F(Trell, ConnectFailureStoresNoErrorText) {
    MakeImage("[Fault Factory.1]\nCalls=Always\nbstrCause=refused\n");
    ASSERT_TRUE(trell.Init(&parent));
    EXPECT_FALSE(trell.ConnectToTrell("ConfExtAxData"));
    EXPECT_FALSE(trell.TrellIsConnected());
    EXPECT_EQ(trell.TrellError(), "");
}

TEST_F(Trell, FactoryKnowsTheSevenProgIdsOnly) {
    MakeImage();
    ServerObjectPtr factory = CreateServerFactory();
    ASSERT_NE(factory, nullptr);
    for (std::string_view sProgId :
         {kProgIdSyncVar, kProgIdSyncFile, kProgIdSyncEdit, kProgIdSyncSelect, kProgIdSyncIo,
          kProgIdAsyncVar, kProgIdAdviseMessage}) {
        ServerValue v;
        EXPECT_TRUE(factory->Invoke(1, {std::string(sProgId), std::string("X")}, v)) << sProgId;
        EXPECT_NE(std::get<ServerObjectPtr>(v), nullptr);
    }
    ServerValue v;
    EXPECT_FALSE(factory->Invoke(1, {std::string("PLV_BnxLib.Other"), std::string("X")}, v));
    ServerValue vRecord;
    ASSERT_TRUE(factory->QueryInterface(kErrorInterface)->Invoke(1, {}, vRecord));
    EXPECT_EQ(std::get<MessageRecord>(vRecord).bstrCause, "unknown ProgID PLV_BnxLib.Other");
}

TEST_F(Trell, DirectoryListsTheImageFilesOnePerLine) {
    Connect();
    root.Write("image/R1/SPS.SUB", "");
    std::string sDir;
    ASSERT_TRUE(trell.GetRobotDirectory(sDir));
    EXPECT_EQ(sDir, "R1\\$MACHINE.DAT\nR1\\SPS.SUB\n");
    ASSERT_TRUE(trell.GetRobotDirectory(sDir, "R1\\*.sub"));
    EXPECT_EQ(sDir, "R1\\SPS.SUB\n");
}

TEST_F(Trell, MemoryDownloadTargetsTheResolvedOrTheUpperCasedName) {
    Connect({}, "OLD\r\n");
    std::filesystem::rename(Image() / "R1" / "$MACHINE.DAT", Image() / "R1" / "$machine.Dat");
    ASSERT_TRUE(trell.DownLoadMemToRobot("$MACHINE.dat", "LISTED"));
    EXPECT_EQ(ReadBytes(Image() / "R1" / "$machine.Dat"), "LISTED");
    ASSERT_TRUE(trell.DownLoadMemToRobot("C:\\Temp\\new.dat", "NEW"));
    EXPECT_EQ(ReadBytes(Image() / "R1" / "NEW.DAT"), "NEW");
    EXPECT_EQ(Journal(), (std::vector<std::string>{"WRITE BNX:\\R1\\$machine.Dat 6 bytes",
                                                   "WRITE BNX:\\R1\\NEW.DAT 3 bytes"}));
}

TEST_F(Trell, MemoryDownloadOfANameInsideALongerListedNameMakesANewFile) {
    Connect();
    root.Write("image/R1/BA.DAT", "OTHER");
    ASSERT_TRUE(trell.DownLoadMemToRobot("A.DAT", "MINE"));
    EXPECT_EQ(ReadBytes(Image() / "R1" / "A.DAT"), "MINE");
    EXPECT_EQ(ReadBytes(Image() / "R1" / "BA.DAT"), "OTHER");
}

TEST_F(Trell, FailedListingStillWritesToTheUpperCasedName) {
    Connect("[Fault SyncFile.2]\nCalls=Always\n");
    ASSERT_TRUE(trell.DownLoadMemToRobot("x.dat", "X"));
    EXPECT_EQ(ReadBytes(Image() / "R1" / "X.DAT"), "X");
}

TEST_F(Trell, DiskUploadAddsTheSeparatorToTheCallersPath) {
    Connect({}, "DATA");
    std::string sPath = (root.Path() / "local").string();
    std::filesystem::create_directories(sPath);
    ASSERT_TRUE(trell.UpLoadFromRobotToDisk("$MACHINE.DAT", sPath));
    EXPECT_EQ(sPath, (root.Path() / "local").string() + "/");
    EXPECT_EQ(ReadBytes(root.Path() / "local" / "$MACHINE.DAT"), "DATA");
}

TEST_F(Trell, UploadOfAMissingFileFails) {
    Connect();
    std::string sPath = root.Path().string();
    EXPECT_FALSE(trell.UpLoadFromRobotToDisk("NONE.DAT", sPath));
    EXPECT_NE(trell.TrellError().find("file not found: bnx:\\r1\\NONE.DAT"), std::string::npos);
}

// A write-protected local copy ends the program; a writable one is replaced.
struct LocalCopyCase {
    const char* sLocalName;
    bool bReadOnly;
    bool bOnController;
    const char* sKey; // "" = the upload goes on
};

class LocalCopy : public Trell, public ::testing::WithParamInterface<LocalCopyCase> {};

TEST_P(LocalCopy, EndsTheProgramOnlyWhenReadOnly) {
    const LocalCopyCase& c = GetParam();
    Connect();
    if (!c.bOnController) {
        std::filesystem::remove(Image() / "R1" / "$MACHINE.DAT");
    }
    const std::filesystem::path local = root.Write(std::string("local/") + c.sLocalName, "OLD");
    if (c.bReadOnly) {
        std::filesystem::permissions(local, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    }
    std::string sPath = (root.Path() / "local").string();
    if (*c.sKey) {
        ui.Answer(MsgAnswer::OK);
        EXPECT_THROW(trell.UpLoadFromRobotToDisk("$MACHINE.DAT", sPath), ProgramEnded);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].sText, T(c.sKey) + "\r\n\r\n" + T("Tools is to end"));
        EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Error);
        EXPECT_FALSE(IsReadOnly(local.string())) << "made writable again";
        EXPECT_EQ(ReadBytes(local), "OLD");
    } else {
        EXPECT_TRUE(trell.UpLoadFromRobotToDisk("$MACHINE.DAT", sPath));
        EXPECT_EQ(ReadBytes(root.Path() / "local" / "$MACHINE.DAT"), "DEFDAT\r\n");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LocalCopy,
    ::testing::Values(LocalCopyCase{"$MACHINE.DAT", true, true, "$Machine.dat is Readonly"},
                      LocalCopyCase{"$machine.dat", true, true, "$Machine.dat is Readonly"},
                      LocalCopyCase{"$MACHINE.DAT", true, false,
                                    "the file $Machine.dat is Readonly"},
                      LocalCopyCase{"$MACHINE.DAT", false, true, ""}));

TEST_F(Trell, NameWithoutPointMakesNoServerCall) {
    // One failure is armed for each file method; a call that reached the server would use it.
    Connect("[Fault SyncFile.8]\nCalls=1\n[Fault SyncFile.2]\nCalls=1\n");
    std::string sPath = root.Path().string(), sText, sName = "/R1/SPS";
    EXPECT_FALSE(trell.UpLoadFromRobotToDisk("/R1/SPS", sPath));
    EXPECT_FALSE(trell.DownLoadMemToRobot("MACHINE", "X"));
    EXPECT_FALSE(trell.DownLoadDiskToRobot("/tmp/MACHINE"));
    EXPECT_FALSE(trell.DeleteRobotProgram("SPS"));
    EXPECT_FALSE(trell.SelectModul(sName, ""));
    EXPECT_EQ(sName, "");
    std::string sDir;
    EXPECT_FALSE(trell.GetRobotDirectory(sDir)) << "the armed listing fault is still there";
    EXPECT_EQ(Journal(), std::vector<std::string>{});
}

TEST_F(Trell, ServerRefusesPathsOutOfR1) {
    Connect();
    root.Write("outside.dat", "SECRET");
    ServerObjectPtr factory = CreateServerFactory();
    ServerValue vFile;
    ASSERT_TRUE(factory->Invoke(1, {std::string(kProgIdSyncFile), std::string("T")}, vFile));
    ServerObjectPtr file = std::get<ServerObjectPtr>(vFile);
    const std::string sLocal = (root.Path() / "copy.dat").string();
    for (const char* sPath : {"BNX:\\R1\\..\\..\\outside.dat", "/R1/../../outside.dat",
                              "BNX:\\R1\\sub\\x.dat", "BNX:\\outside.dat", "../outside.dat"}) {
        ServerValue v;
        EXPECT_FALSE(file->Invoke(11, {std::string(sPath), std::int32_t{4160}}, v)) << sPath;
        EXPECT_FALSE(file->Invoke(5, {std::string(sPath), sLocal, std::int32_t{4160}}, v));
        EXPECT_FALSE(file->Invoke(10, {ByteArray{'X'}, std::string(sPath), std::int32_t{4160}}, v));
        EXPECT_FALSE(file->Invoke(4, {std::string(sPath), std::int32_t{-1}}, v));
        ASSERT_TRUE(file->Invoke(8, {std::string(sPath)}, v));
        EXPECT_EQ(std::get<std::string>(v), "");
    }
    EXPECT_EQ(ReadBytes(root.Path() / "outside.dat"), "SECRET");
    EXPECT_FALSE(std::filesystem::exists(sLocal));
}

TEST_F(Trell, DiskDownloadForms) {
    Connect();
    root.Write("pc/A.SRC", "A");
    root.Write("pc/b.src", "B");
    root.Write("pc/NOTE.TXT", "N");
    const std::string sPc = (root.Path() / "pc").string() + "/";
    ASSERT_TRUE(trell.DownLoadDiskToRobot(sPc + "*.src"));
    EXPECT_EQ(ReadBytes(Image() / "R1" / "A.SRC"), "A");
    EXPECT_EQ(ReadBytes(Image() / "R1" / "b.src"), "B");
    EXPECT_FALSE(std::filesystem::exists(Image() / "R1" / "NOTE.TXT"));
    ASSERT_TRUE(trell.DownLoadDiskToRobot(sPc + "NOTE.TXT"));
    EXPECT_EQ(ReadBytes(Image() / "R1" / "NOTE.TXT"), "N");
    ASSERT_TRUE(trell.DownLoadDiskToRobot(" " + sPc + "A.SRC | BNX:\\R1\\COPY.SRC "));
    EXPECT_EQ(ReadBytes(Image() / "R1" / "COPY.SRC"), "A");
    EXPECT_FALSE(trell.DownLoadDiskToRobot(sPc + "*.SRC|BNX:\\R1\\X.SRC"));
    EXPECT_FALSE(trell.DownLoadDiskToRobot(sPc + "NONE.TXT"));
    EXPECT_NE(trell.TrellError().find("PC file cannot be read"), std::string::npos);
}

TEST_F(Trell, MemoryUploadAndDelete) {
    Connect({}, std::string("AB\0CD", 5));
    std::string sText;
    ASSERT_TRUE(trell.UpLoadFromRobotToMem("$MACHINE.DAT", sText));
    EXPECT_EQ(sText, "AB");
    ASSERT_TRUE(trell.DeleteRobotProgram("$machine.dat"));
    EXPECT_FALSE(std::filesystem::exists(Image() / "R1" / "$MACHINE.DAT"));
    EXPECT_FALSE(trell.UpLoadFromRobotToMem("$MACHINE.DAT", sText));
    EXPECT_FALSE(trell.DeleteRobotProgram("$MACHINE.DAT"));
    EXPECT_EQ(Journal(), std::vector<std::string>{"DELETE BNX:\\R1\\$MACHINE.DAT"});
}

TEST_F(Trell, ServerReportsAFileThatIsNotThere) {
    Connect();
    ServerObjectPtr factory = CreateServerFactory();
    ServerValue vFile;
    ASSERT_TRUE(factory->Invoke(1, {std::string(kProgIdSyncFile), std::string("T")}, vFile));
    ServerObjectPtr file = std::get<ServerObjectPtr>(vFile);
    const std::string sPath = "BNX:\\R1\\NONE.DAT";
    const std::pair<int, std::vector<ServerValue>> calls[] = {
        {11, {sPath, std::int32_t{4160}}}, // read into memory
        {4, {sPath, std::int32_t{-1}}},    // delete
    };
    for (const auto& [nMethod, args] : calls) {
        ServerValue v, vRecord;
        EXPECT_FALSE(file->Invoke(nMethod, args, v)) << nMethod;
        ASSERT_TRUE(file->QueryInterface(kErrorInterface)->Invoke(1, {}, vRecord));
        EXPECT_EQ(std::get<MessageRecord>(vRecord).bstrCause, "file not found: " + sPath);
    }
}

// Each operation that resolves a controller name stops at a failed resolution, with the
// server's description of it and nothing done on the controller.
TEST_F(Trell, FailedResolutionStopsEveryFileOperation) {
    MakeImage("[Fault SyncFile.8]\nCalls=Always\nbstrCause=busy\n");
    root.Write("pc/A.SRC", "A");
    const std::string sPc = (root.Path() / "pc").string() + "/";
    const std::function<bool(cTrellComm&)> operations[] = {
        [](cTrellComm& t) { return t.DownLoadMemToRobot("$MACHINE.DAT", "X"); },
        [&](cTrellComm& t) {
            std::string sPath = sPc;
            return t.UpLoadFromRobotToDisk("$MACHINE.DAT", sPath);
        },
        [](cTrellComm& t) {
            std::string sText;
            return t.UpLoadFromRobotToMem("$MACHINE.DAT", sText);
        },
        [&](cTrellComm& t) { return t.DownLoadDiskToRobot(sPc + "A.SRC"); },
        [&](cTrellComm& t) { return t.DownLoadDiskToRobot(sPc + "*.SRC"); },
        [](cTrellComm& t) { return t.DeleteRobotProgram("$MACHINE.DAT"); },
        [](cTrellComm& t) {
            std::string sFile = "$MACHINE.DAT";
            return t.SelectModul(sFile, "");
        },
    };
    for (std::size_t i = 0; i < std::size(operations); ++i) {
        cTrellComm t;
        ASSERT_TRUE(t.Init(&parent));
        ASSERT_TRUE(t.ConnectToTrell("ConfExtAxData"));
        EXPECT_FALSE(operations[i](t)) << i;
        EXPECT_NE(t.TrellError().find("bstrCause=busy"), std::string::npos) << i;
    }
    EXPECT_EQ(Journal(), std::vector<std::string>{});
    EXPECT_EQ(ReadBytes(Image() / "R1" / "$MACHINE.DAT"), "DEFDAT\r\n");
}

TEST_F(Trell, FailedUnsubscribeStoresNoErrorTextAndForgetsTheName) {
    Connect("[Fault AsyncVar.6]\nCalls=1\nbstrCause=busy\n");
    ASSERT_TRUE(trell.SetInfoOn("$MODE_OP"));
    EXPECT_FALSE(trell.SetInfoOff("$MODE_OP"));
    EXPECT_EQ(trell.TrellError(), "");
    EXPECT_FALSE(trell.SetInfoOff("$MODE_OP")) << "the name was forgotten all the same";
}

TEST_F(Trell, FileOperationsWaitForTheConnection) {
    MakeImage();
    std::string sPath = root.Path().string();
    EXPECT_FALSE(trell.DownLoadMemToRobot("$MACHINE.DAT", "X"));
    EXPECT_FALSE(trell.UpLoadFromRobotToDisk("$MACHINE.DAT", sPath));
    EXPECT_FALSE(trell.DownLoadDiskToRobot(sPath + "x.dat"));
    EXPECT_EQ(trell.TrellError(), "");
}

struct RunCase {
    const char* sProgram;
    const char* sJournal;
};

class RunProgram : public Trell, public ::testing::WithParamInterface<RunCase> {};

TEST_P(RunProgram, StripsParenthesesQuotesAndTheName) {
    Connect();
    root.Write("image/R1/CELL.SRC", "");
    ASSERT_TRUE(trell.RunControlLevel(GetParam().sProgram)) << trell.TrellError();
    EXPECT_EQ(Journal(), std::vector<std::string>{GetParam().sJournal});
}

INSTANTIATE_TEST_SUITE_P(Names, RunProgram,
                         ::testing::Values(RunCase{"", "RUN control level /R1/SPS"},
                                           RunCase{"/R1/SPS()", "RUN control level /R1/SPS"},
                                           RunCase{"\"/R1/SPS\"", "RUN control level /R1/SPS"},
                                           RunCase{"$PRO_I_O[]=\"/r1/sps()\"",
                                                   "RUN control level /R1/SPS"},
                                           RunCase{"/R1/CELL()", "SELECT /R1/CELL"}));

TEST_F(Trell, SelectModulResolvesTheFileAndRefusesWhenAProgramIsSelected) {
    Connect();
    root.Write("image/R1/cell.src", "");
    std::string sFile = "C:\\x\\CELL.SRC";
    ASSERT_TRUE(trell.SelectModul(sFile, ""));
    EXPECT_EQ(sFile, "BNX:\\R1\\cell.src");
    std::string sState;
    ASSERT_TRUE(trell.ShowVar("$PRO_STATE", sState));
    EXPECT_EQ(sState, "$PRO_STATE=#P_RESET");
    sFile = "CELL.SRC";
    EXPECT_FALSE(trell.SelectModul(sFile, ""));
    sFile = "CELL.SRC";
    EXPECT_TRUE(trell.SelectModul(sFile, "", true));
}

TEST_F(Trell, CancelWithMinusOneStopsTheControlLevelFirst) {
    Connect();
    ASSERT_TRUE(trell.CancelModul(-1));
    ASSERT_TRUE(trell.CancelModul(3000));
    EXPECT_EQ(Journal(),
              (std::vector<std::string>{"STOP control level", "CANCEL mode 0", "CANCEL mode 1"}));
}

TEST_F(Trell, InterpreterCommandFailuresDescribeTheError) {
    Connect("[Fault SyncSelect.3]\nCalls=2\nnMessage=42\n[Fault SyncIo.1]\nCalls=1\n");
    EXPECT_FALSE(trell.RobotLevelStop());
    EXPECT_NE(trell.TrellError().find("nMessage=42"), std::string::npos);
    EXPECT_FALSE(trell.ControlLevelStop());
    EXPECT_TRUE(trell.ControlLevelStop());
    EXPECT_FALSE(trell.IO_Restart(2));
    EXPECT_TRUE(trell.IO_Restart(2));
    EXPECT_TRUE(trell.BnxOk());
    EXPECT_EQ(Journal(), (std::vector<std::string>{"STOP control level", "IO command 12 bus 2"}));
}

TEST_F(Trell, SubscriptionsReportChangesToTheParentAndNumbersAreNeverReused) {
    Connect();
    ASSERT_TRUE(trell.SetInfoOn("$MODE_OP"));
    ASSERT_TRUE(trell.SetInfoOn("$mode_op")) << "one subscription per name";
    ASSERT_TRUE(trell.SetVar("$MODE_OP", "#T2"));
    EXPECT_EQ(parent.results, std::vector<std::string>{"$MODE_OP=#T2"});
    EXPECT_EQ(parent.commands, std::vector<std::string>{"0:$MODE_OP=#T2"});
    ASSERT_TRUE(trell.SetInfoOff("$MODE_OP"));
    EXPECT_FALSE(trell.SetInfoOff("$MODE_OP"));
    ASSERT_TRUE(trell.SetVar("$MODE_OP", "#AUT"));
    EXPECT_EQ(parent.results.size(), 1u);
    ASSERT_TRUE(trell.SetInfoOn("$MODE_OP"));
    trell.OnSetInfo(1, "old number");
    trell.OnSetInfo(2, "new number");
    EXPECT_EQ(parent.results,
              (std::vector<std::string>{"$MODE_OP=#T2", "=old number", "$MODE_OP=new number"}));
    EXPECT_FALSE(trell.SetInfoOn("$NO_SUCH"));
    EXPECT_NE(trell.TrellError(), "");
}

TEST_F(Trell, MessagesReachTheParentInMessageMode) {
    MakeImage();
    ASSERT_TRUE(trell.Init(&parent));
    EXPECT_FALSE(trell.ConfirmAll()) << "no message object without message mode";
    ASSERT_TRUE(trell.ConnectToTrell("ConfExtAxData", -1));
    EXPECT_TRUE(trell.ConfirmAll());
    MessageRecord r;
    r.nMessageHandle = 9;
    r.bstrCause = "Cause";
    r.eMessageType = 2;
    r.varParams = {"p"};
    trell.OnAddMessage(r);
    EXPECT_EQ(parent.messages, std::vector<std::string>{"9,False,Cause,,,2,0,0,0,0,0=p|2"});
}

TEST_F(Trell, MessageModeFailsWhenTheMessageObjectIsRefused) {
    MakeImage("[Fault AdviseMessage.1]\nCalls=1\n");
    ASSERT_TRUE(trell.Init(&parent));
    EXPECT_FALSE(trell.ConnectToTrell("ConfExtAxData", -1));
    EXPECT_FALSE(trell.TrellIsConnected());
}

struct SplitCase {
    const char* sIn;
    bool bOk;
    const char* sOut;
};

TEST(SplitFileName, KeepsTheLastComponentWhenItHasAPoint) {
    const SplitCase cases[] = {
        {"C:\\Temp\\$MACHINE.DAT", true, "$MACHINE.DAT"},
        {"/home/u/x.servo", true, "x.servo"},
        {"A.B", true, "A.B"},
        {"/R1/SPS", false, ""},
        {"C:\\dir.x\\NAME", false, ""},
        {"", false, ""},
    };
    for (const SplitCase& c : cases) {
        std::string s = c.sIn;
        EXPECT_EQ(cTrellComm::SplitFileName(s), c.bOk) << c.sIn;
        EXPECT_EQ(s, c.sOut) << c.sIn;
    }
}

TEST(ByteConversion, KeepsEveryByteAndStopsAtNul) {
    ByteArray bytes;
    cTrellComm::Str2ByteArray("\xE4\x80 A", bytes);
    EXPECT_EQ(bytes, (ByteArray{0xE4, 0x80, ' ', 'A'}));
    EXPECT_EQ(cTrellComm::BytesToText({'A', 0xE4, 0, 'B'}), "A\xE4");
}

} // namespace
} // namespace morvane::test
