#include <filesystem>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/TextFunctions.h"
#include "config/LanguageText.h"
#include "grids/ChangeLists.h"
#include "madata/MadaStore.h"
#include "save/MadaBackup.h"
#include "save/MadaSave.h"
#include "tests/save/SaveFixture.h"

namespace morvane::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::vector<std::string> kSavedJournal = {
    "STOP control level",           "STOP robot level",
    "STOP control level",           "CANCEL mode 0",
    "WRITE BNX:\\R1\\$MACHINE.DAT", "RUN control level /R1/SPS"};

// The journal without the byte count of written files.
std::vector<std::string> Steps(std::vector<std::string> journal) {
    for (std::string& s : journal) {
        if (s.starts_with("WRITE ")) {
            s = s.substr(0, s.rfind(' ', s.rfind(' ') - 1));
        }
    }
    return journal;
}

std::string Paragraphs(const std::string& a, const std::string& b) {
    return a + "\r\n\r\n" + b;
}

class MadaSaveTest : public SaveTest {
protected:
    // Saves one change where a file or folder cannot be written: after the question, the
    // reason naming sPath and the request to try again; the text and the change stay.
    void ExpectSaveRefusedFor(const std::string& sPath) {
        Change("$RAT_MOT_AX[1]", "{N 7,D 1}");
        ui.Answer(MsgAnswer::Yes);
        ui.Answer(MsgAnswer::OK);
        ui.Answer(MsgAnswer::OK);

        EXPECT_FALSE(SaveMachineData(false));

        ASSERT_EQ(ui.boxes.size(), 3U);
        EXPECT_EQ(ui.boxes[1].icon, MsgIcon::Error);
        EXPECT_NE(ui.boxes[1].sText.find(sPath), std::string::npos);
        EXPECT_EQ(ui.boxes[2].sText, T("ErrorOccuredTryItAgain"));
        EXPECT_EQ(g_sMachineDat, TestMachineDat());
        EXPECT_EQ(g_colMadaChanges.Count(), 1);
    }
};

TEST_F(MadaSaveTest, SaveRewritesExactlyTheChangedLinesEverywhere) {
    StartTool();
    Change("$EX_AX_NUM", "3");
    Change("$RAT_MOT_AX[8]", "{n 2,d 1}");
    Change("$RAT_MOT_AX[7]", "{N 20,D 157}");
    Change("$SERVOFILE[8]", "\"MOTOR9\"");
    Change("$CURR_COM_EX[9]", "80");
    Change("$EX_AX_ASYNC[7]", "0");
    Change("$EX_AX_ASYNC[10]", "1");
    Change("$JERK_MA.AX.E6", "650.0");
    Change("$JERK_MA.AX.E1", "150.0");
    Change("$ET1_AX", "{TR_A1 #E2,TR_A2 #NONE,TR_A3 #NONE}");
    Change("MOTORTYPE[7]", "MOTOR_A");
    const std::string sOld = ControllerFile();
    ui.Answer(MsgAnswer::Yes);
    ui.Answer(MsgAnswer::OK);

    EXPECT_TRUE(SaveMachineData(false));

    std::string sExpected = sOld;
    sExpected = WithLine(sExpected, "INT $EX_AX_NUM=", "INT $EX_AX_NUM=3 ");
    sExpected = WithLine(sExpected, "$RAT_MOT_AX[7]=", "$RAT_MOT_AX[7]={N 20,D 157} ;E1 track");
    sExpected = WithLine(sExpected, "$RAT_MOT_AX[8]=", "$RAT_MOT_AX[8]={N 2,D 1} ");
    sExpected = WithLine(sExpected, "$SERVOFILE8[]=", "$SERVOFILE8[]=\"MOTOR9\" ");
    sExpected = WithLine(sExpected, "$CURR_COM_EX[3]=", "$CURR_COM_EX[3]=80 ");
    sExpected = WithLine(sExpected, "BIN $EX_AX_ASYNC=", "BIN $EX_AX_ASYNC='B1100' ");
    sExpected = WithLine(sExpected, "DECL JERK_STRUC",
                         "DECL JERK_STRUC $JERK_MA={AX {E1 150.0,E2 200.0,E3 300.0,E4 400.0,"
                         "E5 500.0,E6 650.0}};jerk limits");
    sExpected =
        WithLine(sExpected,
                 "DECL ET_AX $ET1_AX=", "DECL ET_AX $ET1_AX={TR_A1 #E2,TR_A2 #NONE,TR_A3 #NONE} ");
    EXPECT_EQ(ControllerFile(), sExpected);
    EXPECT_EQ(g_sMachineDat, sExpected);
    EXPECT_EQ(ReadBytes(LocalCopyPath()), sExpected + "\r\n");
    EXPECT_EQ(Steps(Journal()), kSavedJournal);
    EXPECT_THAT(
        SaveLog(),
        ElementsAre(
            "Starting to save!", "Changed: Variable = new value | old value",
            "Changed: $EX_AX_NUM=3 | 2", "Changed: $SERVOFILE8[]=\"MOTOR9\" | \"MOTOR2\"",
            "Changed: $RAT_MOT_AX[7]={N 20,D 157} | {N 10,D 157}",
            "Changed: $RAT_MOT_AX[8]={N 2,D 1} | {N 120,D 1}", "Changed: $CURR_COM_EX[3]=80 | 103",
            "Changed: $EX_AX_ASYNC='B1100' | 'B000101'", "Changed: $JERK_MA.AX.E1=150.0 |  100.0",
            "Changed: $JERK_MA.AX.E6=650.0 |  600.0",
            "Changed: $ET1_AX={TR_A1 #E2,TR_A2 #NONE,TR_A3 #NONE} | "
            "{TR_A1 #E1,TR_A2 #NONE,TR_A3 #NONE}"));

    EXPECT_TRUE(g_colMadaChanges.Empty());
    EXPECT_EQ(g_colMadaValues.Item("$RAT_MOT_AX[8]"), "{N 2,D 1}");
    EXPECT_EQ(g_colMadaValues.Item("$EX_AX_ASYNC[10]"), "1");
    EXPECT_EQ(g_colMadaValues.Item("MOTORTYPE[7]"), "MOTOR_A");
    // Saved values move to the end of the value map, in the order of the save.
    EXPECT_EQ(g_colMadaValues.KeyAt(g_colMadaValues.Count()), "$ET1_AX");

    ASSERT_EQ(ui.boxes.size(), 2U);
    EXPECT_EQ(ui.boxes[0].sText, T("DoYouWantToSaveChanges"));
    EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Question);
    EXPECT_EQ(ui.boxes[1].sText, T("ReinitVsk"));
    EXPECT_EQ(ui.boxes[1].icon, MsgIcon::Information);
    EXPECT_THAT(ui.enableCalls, ElementsAre(false, true));
    EXPECT_FALSE(ui.bProgressVisible);
    EXPECT_FALSE(ui.bBusy);

    const auto backups = Backups();
    ASSERT_EQ(backups.size(), 1U);
    EXPECT_EQ(ReadBytes(backups[0]), sOld);
}

TEST_F(MadaSaveTest, ProgressCountsTheSavedKeysThenCompletes) {
    StartTool();
    Change("$RAT_MOT_AX[1]", "{N 1,D 1}");
    Change("$RAT_MOT_AX[2]", "{N 2,D 1}");
    Change("$RAT_MOT_AX[3]", "{N 3,D 1}");
    ui.progressValues.clear();
    ui.Answer(MsgAnswer::Yes);
    ui.Answer(MsgAnswer::OK);

    EXPECT_TRUE(SaveMachineData(false));

    EXPECT_DOUBLE_EQ(ui.dProgressMax, 5.005);
    ASSERT_EQ(ui.progressValues.size(), 5U);
    EXPECT_DOUBLE_EQ(ui.progressValues[0], 0.0001);
    EXPECT_DOUBLE_EQ(ui.progressValues[3], 3.0001);
    EXPECT_DOUBLE_EQ(ui.progressValues[4], 5.005);
}

TEST_F(MadaSaveTest, ExitSaveAsksNothingButChecksThePreconditions) {
    StartTool("", "#AUT");
    Change("$RAT_MOT_AX[1]", "{N 1,D 1}");
    ui.Answer(MsgAnswer::OK);

    EXPECT_FALSE(SaveMachineData(true));

    ASSERT_EQ(ui.boxes.size(), 1U);
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Error);
    EXPECT_TRUE(ui.boxes[0].sText.ends_with("\r\n\r\n" + T("CantSaveChanges")));
    EXPECT_NE(ui.boxes[0].sText.find(T("ModeSelectorSwitchNotT1T2")), std::string::npos);
    EXPECT_EQ(g_sMachineDat, TestMachineDat());
    EXPECT_THAT(Journal(), IsEmpty());
}

TEST_F(MadaSaveTest, ExitSaveWithThePreconditionsMetSavesWithoutAQuestion) {
    StartTool();
    Change("$RAT_MOT_AX[1]", "{N 1,D 1}");
    ui.Answer(MsgAnswer::OK);

    EXPECT_TRUE(SaveMachineData(true));

    ASSERT_EQ(ui.boxes.size(), 1U);
    EXPECT_EQ(ui.boxes[0].sText, T("ReinitVsk"));
    EXPECT_EQ(Steps(Journal()), kSavedJournal);
}

TEST_F(MadaSaveTest, KeyInNoListIsNeitherWrittenNorKept) {
    StartTool();
    g_colMadaValues.Add("1", "$NOT_LISTED");
    g_colMadaChanges.Add("2", "$NOT_LISTED");
    Change("$RAT_MOT_AX[1]", "{N 1,D 1}");
    ui.Answer(MsgAnswer::Yes);
    ui.Answer(MsgAnswer::OK);

    EXPECT_TRUE(SaveMachineData(false));

    EXPECT_TRUE(g_colMadaChanges.Empty());
    EXPECT_EQ(g_colMadaValues.Item("$NOT_LISTED"), "1");
    EXPECT_EQ(SaveLog().size(), 3U);
}

// --- ways a save ends early or fails ---

struct Failure {
    const char* sName;
    const char* sFaults; // appended to controller.ini
    const char* sModeOp;
    bool bPending;      // a change is pending
    MsgAnswer question; // the answer to the save question, OK = no question expected
    // What the user sees: the box texts, built from the language texts.
    std::vector<std::string> (*boxes)(const std::string& sLocalPath);
    bool bTextRewritten; // g_sMachineDat holds the new line afterwards (only after a save)
    bool bLocalCopyNew;
    bool bControllerNew;
    bool bSaved;
    std::vector<std::string> journal;
};

std::string NewLine() {
    return "$RAT_MOT_AX[1]={N 7,D 1} ";
}

const Failure kFailures[] = {
    {"NothingChanged",
     "",
     "#T1",
     false,
     MsgAnswer::OK,
     [](const std::string&) { return std::vector<std::string>{T("NothingChanged")}; },
     false,
     false,
     false,
     false,
     {}},
    {"QuestionAnsweredNo",
     "",
     "#T1",
     true,
     MsgAnswer::No,
     [](const std::string&) { return std::vector<std::string>{T("DoYouWantToSaveChanges")}; },
     false,
     false,
     false,
     false,
     {}},
    {"InterpretersNotStopped",
     "[Fault SyncSelect.3]\r\nCalls=Always\r\n",
     "#T1",
     true,
     MsgAnswer::Yes,
     [](const std::string&) {
         return std::vector<std::string>{T("DoYouWantToSaveChanges"),
                                         Paragraphs(T("CantCancelSubMit"), T("CantSaveChangesvb"))};
     },
     false,
     false,
     false,
     false,
     {"CANCEL mode 0"}},
    {"DownloadFails",
     "[Fault SyncFile.10]\r\nCalls=Always\r\n",
     "#T1",
     true,
     MsgAnswer::Yes,
     [](const std::string& sLocal) {
         return std::vector<std::string>{T("DoYouWantToSaveChanges"),
                                         T("ErrorWritingFile") + "  " + sLocal};
     },
     false,
     true,
     false,
     false,
     {"STOP control level", "STOP robot level", "STOP control level", "CANCEL mode 0"}},
    {"RestartFails",
     "[Fault SyncSelect.5]\r\nCalls=Always\r\n",
     "#T1",
     true,
     MsgAnswer::Yes,
     [](const std::string&) {
         return std::vector<std::string>{T("DoYouWantToSaveChanges"), T("CantStartSubMit"),
                                         T("ReinitVsk")};
     },
     true,
     true,
     true,
     true,
     {"STOP control level", "STOP robot level", "STOP control level", "CANCEL mode 0",
      "WRITE BNX:\\R1\\$MACHINE.DAT"}},
};

class MadaSaveFailureTest : public SaveTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(MadaSaveFailureTest, LeavesTheStateItReports) {
    const Failure& f = GetParam();
    StartTool(f.sFaults, f.sModeOp);
    if (f.bPending) {
        Change("$RAT_MOT_AX[1]", "{N 7,D 1}");
    }
    const KeyedCollection pendingBefore = g_colMadaChanges;
    const std::string sOld = ControllerFile();
    const std::vector<std::string> expectedBoxes = f.boxes(LocalCopyPath());
    for (std::size_t i = 0; i < expectedBoxes.size(); ++i) {
        ui.Answer(i == 0 && f.question != MsgAnswer::OK ? f.question : MsgAnswer::OK);
    }

    EXPECT_EQ(SaveMachineData(false), f.bSaved);

    std::vector<std::string> shown;
    for (const BoxRecord& box : ui.boxes) {
        shown.push_back(box.sText);
    }
    EXPECT_EQ(shown, expectedBoxes);
    const std::string sNew = WithLine(TestMachineDat(), "$RAT_MOT_AX[1]=", NewLine());
    EXPECT_EQ(g_sMachineDat, f.bTextRewritten ? sNew : TestMachineDat());
    EXPECT_EQ(std::filesystem::exists(LocalCopyPath()), f.bLocalCopyNew);
    if (f.bLocalCopyNew) {
        EXPECT_EQ(ReadBytes(LocalCopyPath()), sNew + "\r\n");
    }
    EXPECT_EQ(ControllerFile(), f.bControllerNew ? sNew : sOld);
    EXPECT_EQ(g_colMadaChanges.Count(), f.bSaved ? 0 : pendingBefore.Count());
    EXPECT_EQ(g_colMadaValues.Item("$RAT_MOT_AX[1]"), f.bSaved ? "{N 7,D 1}" : "{N -89,D 1}");
    EXPECT_EQ(Steps(Journal()), f.journal);
    EXPECT_FALSE(ui.bProgressVisible);
    EXPECT_FALSE(ui.bBusy);
}

INSTANTIATE_TEST_SUITE_P(Rows, MadaSaveFailureTest, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.sName); });

TEST_F(MadaSaveTest, RefusedPreconditionsShowTheReasonsAndChangeNothing) {
    StartTool("", "#AUT");
    Change("$RAT_MOT_AX[1]", "{N 7,D 1}");
    ui.Answer(MsgAnswer::OK);

    EXPECT_FALSE(SaveMachineData(false));

    ASSERT_EQ(ui.boxes.size(), 1U);
    EXPECT_EQ(ui.boxes[0].sText.substr(0, T("FollowingConditionsNotFulfilled").size()),
              T("FollowingConditionsNotFulfilled"));
    EXPECT_TRUE(ui.boxes[0].sText.ends_with("\r\n\r\n" + T("CantSaveChanges")));
    EXPECT_EQ(g_colMadaChanges.Count(), 1);
    EXPECT_EQ(g_sMachineDat, TestMachineDat());
    EXPECT_THAT(Backups(), IsEmpty());
}

TEST_F(MadaSaveTest, ReadOnlyLocalCopyStopsTheSaveBeforeTheController) {
    StartTool();
    const std::string sLocal = LocalCopyPath();
    dir.Write("Mada/$MACHINE.dat", "old copy");
    std::filesystem::permissions(sLocal, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);

    ExpectSaveRefusedFor(sLocal);

    EXPECT_EQ(ReadBytes(sLocal), "old copy");
    EXPECT_EQ(ControllerFile(), TestMachineDat());
    EXPECT_THAT(Steps(Journal()), ElementsAre("STOP control level", "STOP robot level",
                                              "STOP control level", "CANCEL mode 0"));
}

// Without a place for the backup the save does not start: nothing rewritten, nothing stopped.
class MadaFolderTest : public MadaSaveTest, public ::testing::WithParamInterface<bool> {};

TEST_P(MadaFolderTest, UnusableMadaFolderStopsTheSaveBeforeAnything) {
    const bool bMissing = GetParam();
    StartTool();
    if (bMissing) {
        std::filesystem::remove_all(mada);
    } else {
        std::filesystem::permissions(mada, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    }

    ExpectSaveRefusedFor(mada.string());

    EXPECT_EQ(std::filesystem::exists(mada), !bMissing);
    EXPECT_FALSE(std::filesystem::exists(mada / "backup"));
    EXPECT_FALSE(std::filesystem::exists(LocalCopyPath()));
    EXPECT_THAT(Journal(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(MissingOrReadOnly, MadaFolderTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Missing" : "ReadOnly"; });

// A failed download puts the text back; the next save rewrites the line from the value read,
// which the log shows as the old one, and completes.
TEST_F(MadaSaveTest, SaveAfterAFailedDownloadCompletes) {
    StartTool("[Fault SyncFile.10]\r\nCalls=1\r\n");
    Change("$RAT_MOT_AX[1]", "{N 7,D 1}");
    ui.Answer(MsgAnswer::Yes);
    ui.Answer(MsgAnswer::OK);
    ASSERT_FALSE(SaveMachineData(false));
    ui.Answer(MsgAnswer::Yes);
    ui.Answer(MsgAnswer::OK);

    EXPECT_TRUE(SaveMachineData(false));

    const std::string sNew = WithLine(TestMachineDat(), "$RAT_MOT_AX[1]=", NewLine());
    EXPECT_EQ(ControllerFile(), sNew);
    EXPECT_EQ(ui.boxes.back().sText, T("ReinitVsk"));
    EXPECT_THAT(SaveLog(),
                ElementsAre("Starting to save!", "Changed: Variable = new value | old value",
                            "Changed: $RAT_MOT_AX[1]={N 7,D 1} | {N -89,D 1}"));
    EXPECT_EQ(Backups().size(), 2U);
}

// A change withdrawn after a failed save never reaches the controller with a later save.
TEST_F(MadaSaveTest, ChangeWithdrawnAfterAFailedSaveStaysOutOfTheController) {
    StartTool("[Fault SyncFile.10]\r\nCalls=1\r\n");
    Change("$RAT_MOT_AX[1]", "{N 7,D 1}");
    ui.Answer(MsgAnswer::Yes);
    ui.Answer(MsgAnswer::OK);
    ASSERT_FALSE(SaveMachineData(false));
    Change("$RAT_MOT_AX[1]", "{N -89,D 1}");
    ASSERT_EQ(g_colMadaChanges.Count(), 0);
    Change("$RAT_MOT_AX[2]", "{N 5,D 1}");
    ui.Answer(MsgAnswer::Yes);
    ui.Answer(MsgAnswer::OK);

    EXPECT_TRUE(SaveMachineData(false));

    const std::string sController = ControllerFile();
    EXPECT_EQ(GetLineFromKey(sController, "$RAT_MOT_AX[1]="),
              GetLineFromKey(TestMachineDat(), "$RAT_MOT_AX[1]="));
    EXPECT_NE(GetLineFromKey(sController, "$RAT_MOT_AX[2]=").find("{N 5,D 1}"), std::string::npos);
}

TEST_F(MadaSaveTest, KeepsTheNewestBackupsOnly) {
    StartTool();
    for (int i = 0; i < kKeptMadaBackups + 2; ++i) {
        const std::string sStamp = "200101" + std::to_string(10 + i) + "-120000";
        dir.Write("Mada/backup/$MACHINE." + sStamp + ".DAT", sStamp);
    }
    dir.Write("Mada/backup/notes.txt", "mine");
    Change("$RAT_MOT_AX[1]", "{N 7,D 1}");
    ui.Answer(MsgAnswer::Yes);
    ui.Answer(MsgAnswer::OK);

    ASSERT_TRUE(SaveMachineData(false));

    std::vector<std::string> names;
    for (const auto& path : Backups()) {
        names.push_back(path.filename().string());
    }
    ASSERT_EQ(names.size(), static_cast<std::size_t>(kKeptMadaBackups) + 1);
    EXPECT_EQ(names.front(), "$MACHINE.20010113-120000.DAT");
    EXPECT_EQ(names.back(), "notes.txt");
    EXPECT_EQ(ReadBytes(Backups()[kKeptMadaBackups - 1]), TestMachineDat());
}

} // namespace
} // namespace morvane::test
