#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/TextFunctions.h"
#include "config/LanguageText.h"
#include "config/Paths.h"
#include "grids/ChangeLists.h"
#include "madata/MadaStore.h"
#include "save/Archive.h"
#include "tests/save/SaveFixture.h"

namespace morvane::test {
namespace {

std::map<std::string, std::string> Pending() {
    std::map<std::string, std::string> pending;
    for (const auto& entry : g_colMadaChanges) {
        pending[entry.sKey] = entry.sItem;
    }
    return pending;
}

std::string Lines(std::initializer_list<const char*> lines) {
    std::string s;
    for (const char* sLine : lines) {
        s += std::string(sLine) + "\r\n";
    }
    return s;
}

class ArchiveTest : public SaveTest {
protected:
    void SetUp() override {
        SaveTest::SetUp();
        StartTool();
    }
    std::string ArchivePath(const std::string& sName) const { return g_sArchivePath + sName; }
    // Imports the archive text from a file the dialog returns.
    bool ImportText(const std::string& sText) {
        const std::string sPath = ArchivePath("in.dat");
        dir.Write("archive/in.dat", sText);
        ui.AnswerFile(sPath);
        return ImportArchive();
    }
};

TEST_F(ArchiveTest, ExportWritesTheCurrentExternalAxisValues) {
    Change("$RAT_MOT_AX[8]", "{n 2,d 1}");
    const std::string sPath = ArchivePath("ExtAxesData1.dat");
    ui.AnswerFile(sPath);

    EXPECT_TRUE(ExportArchive());

    EXPECT_EQ(ReadBytes(sPath),
              Lines({"BNXVERSION=(V)BN 57",
                     "$EX_AX_NUM=2",
                     "$SERVOFILE7[]=\"MOTOR1\"",
                     "$SERVOFILE8[]=\"MOTOR2\"",
                     "$SERVOFILE9[]=\"\"",
                     "$SERVOFILE10[]=\"\"",
                     "$SERVOFILE11[]=\"\"",
                     "$SERVOFILE12[]=\"\"",
                     "$RAT_MOT_AX[7]={N 10,D 157}",
                     "$RAT_MOT_AX[8]={N 2,D 1}",
                     "$RAT_MOT_AX[9]={N 1,D 1}",
                     "$RAT_MOT_AX[10]={N 1,D 1}",
                     "$RAT_MOT_AX[11]={N 1,D 1}",
                     "$RAT_MOT_AX[12]={N 1,D 1}",
                     "$CURR_COM_EX[1]=101",
                     "$CURR_COM_EX[2]=102",
                     "$CURR_COM_EX[3]=103",
                     "$CURR_COM_EX[4]=104",
                     "$CURR_COM_EX[5]=105",
                     "$CURR_COM_EX[6]=106",
                     "$EX_AX_ASYNC='B0101'",
                     "$ASYNC_T1_FAST='B0010'",
                     "$ASYNC_EX_AX_DECOUPLE='B0000'",
                     "$JERK_MA.AX.E1=100.0",
                     "$JERK_MA.AX.E2=200.0",
                     "$JERK_MA.AX.E3=300.0",
                     "$JERK_MA.AX.E4=400.0",
                     "$JERK_MA.AX.E5=500.0",
                     "$JERK_MA.AX.E6=600.0",
                     "$BRK_MODE='B0101'",
                     "$EX_KIN={ET1 #EASYS,ET2 #NONE,ET3 #NONE,ET4 #NONE,ET5 #NONE,ET6 #NONE}",
                     "$ET1_AX={TR_A1 #E1,TR_A2 #NONE,TR_A3 #NONE}",
                     "$ET2_AX=",
                     "$ET3_AX=",
                     "$ET4_AX=",
                     "$ET5_AX=",
                     "$ET6_AX=",
                     "$ET1_NAME[]=\"TRACK\"",
                     "$ET2_NAME[]=",
                     "$ET3_NAME[]=",
                     "$ET4_NAME[]=",
                     "$ET5_NAME[]=",
                     "$ET6_NAME[]=",
                     "ENDDAT",
                     ""}));
    ASSERT_EQ(ui.dialogs.size(), 1U);
    EXPECT_TRUE(ui.dialogs[0].bSave);
    EXPECT_EQ(ui.dialogs[0].sFolder, g_sArchivePath);
    EXPECT_EQ(ui.dialogs[0].sTitle, T("mnuArchivExtAx"));
    EXPECT_EQ(ui.dialogs[0].sFileName, "ExtAxesData1");
    EXPECT_NE(ui.dialogs[0].sFilter.find("*.dat"), std::string::npos);
    EXPECT_EQ(ui.enableCalls, (std::vector<bool>{false, true}));
    EXPECT_FALSE(ui.bProgressVisible);
    EXPECT_FALSE(ui.bBusy);
    EXPECT_EQ(Pending().size(), 1U);
}

TEST_F(ArchiveTest, ExistingTargetIsAskedAboutUntilTheUserDecides) {
    const std::string sOld = ArchivePath("old.dat");
    const std::string sOther = ArchivePath("other.dat");
    dir.Write("archive/old.dat", "keep");
    dir.Write("archive/other.dat", "keep too");
    const std::string sQuestion = sOld + "\r\n\r\n" + T("DoYouWantToOverwrite");

    ui.AnswerFile(sOld);
    ui.Answer(MsgAnswer::No);
    ui.AnswerFile(sOther);
    ui.Answer(MsgAnswer::Cancel);
    EXPECT_FALSE(ExportArchive());
    EXPECT_EQ(ReadBytes(sOld), "keep");
    EXPECT_EQ(ReadBytes(sOther), "keep too");
    ASSERT_EQ(ui.boxes.size(), 2U);
    EXPECT_EQ(ui.boxes[0].sText, sQuestion);
    EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Question);
    EXPECT_EQ(ui.boxes[0].defaultButton, MsgAnswer::No);

    ui.AnswerFile(sOld);
    ui.Answer(MsgAnswer::Yes);
    EXPECT_TRUE(ExportArchive());
    EXPECT_TRUE(ReadBytes(sOld).starts_with("BNXVERSION=(V)BN 57\r\n"));
}

TEST_F(ArchiveTest, CancelledDialogWritesNothing) {
    ui.AnswerFile("");
    EXPECT_FALSE(ExportArchive());
    ui.AnswerFile("");
    EXPECT_FALSE(ImportArchive());
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(std::filesystem::is_empty(g_sArchivePath));
}

TEST_F(ArchiveTest, FailedExportWriteKeepsTheOldFile) {
    const std::string sPath = ArchivePath("locked.dat");
    dir.Write("archive/locked.dat", "keep");
    std::filesystem::permissions(sPath, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    ui.AnswerFile(sPath);
    ui.Answer(MsgAnswer::Yes);
    ui.Answer(MsgAnswer::OK);
    ui.Answer(MsgAnswer::OK);

    EXPECT_FALSE(ExportArchive());

    ASSERT_EQ(ui.boxes.size(), 3U);
    EXPECT_NE(ui.boxes[1].sText.find(sPath), std::string::npos);
    EXPECT_EQ(ui.boxes[1].icon, MsgIcon::Error);
    EXPECT_EQ(ui.boxes[2].sText, T("ErrorOccuredTryItAgain"));
    EXPECT_EQ(ReadBytes(sPath), "keep");
    EXPECT_FALSE(ui.bProgressVisible);
}

TEST_F(ArchiveTest, RoundTripFilesNoChange) {
    const std::string sPath = ArchivePath("trip.dat");
    ui.AnswerFile(sPath);
    ASSERT_TRUE(ExportArchive());
    ui.AnswerFile(sPath);

    EXPECT_TRUE(ImportArchive());

    EXPECT_TRUE(Pending().empty());
    ASSERT_EQ(ui.dialogs.size(), 2U);
    EXPECT_FALSE(ui.dialogs[1].bSave);
    EXPECT_EQ(ui.dialogs[1].sTitle, T("mnuLoadExtAx"));
}

TEST_F(ArchiveTest, ImportFilesTheArchivedValuesAsPendingChanges) {
    Change("MOTORTYPE[7]", "MOTOR_A");
    Change("$RAT_MOT_AX[7]", "{N 3,D 3}");
    Change("$RAT_MOT_AX[9]", "{N 5,D 1}");
    const std::string sArchive =
        Lines({"BNXVERSION=(V)BN57", "$EX_AX_NUM=3", "$SERVOFILE7[]=\"MOTOR1\"",
               "$SERVOFILE8[]=\"motor5\"", "$RAT_MOT_AX[7]={N 10,D 157}", "$CURR_COM_EX[1]=90",
               "$EX_AX_ASYNC='B001000'", "$JERK_MA.AX.E2=250.0", "$BRK_MODE='B1000'",
               "$ET1_NAME[]=\"TABLE\"", "ENDDAT"});

    EXPECT_TRUE(ImportText(sArchive));

    EXPECT_EQ(Pending(), (std::map<std::string, std::string>{
                             {"$EX_AX_NUM", "3"},
                             {"$SERVOFILE[8]", "\"MOTOR5\""},
                             {"$RAT_MOT_AX[9]", "{N 5,D 1}"},
                             {"$CURR_COM_EX[7]", "90"},
                             {"$EX_AX_ASYNC[7]", "0"},
                             {"$EX_AX_ASYNC[9]", "0"},
                             {"$EX_AX_ASYNC[10]", "1"},
                             {"$ASYNC_T1_FAST[8]", "0"},
                             {"$JERK_MA.AX.E2", "250.0"},
                             {"$BRK_MODE", "'B1101'"},
                             {"$ET1_NAME[]", "\"TABLE\""},
                         }));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_FALSE(ui.bProgressVisible);
    EXPECT_EQ(ui.enableCalls, (std::vector<bool>{false, true}));
}

TEST_F(ArchiveTest, ArchiveWithoutBrakeModeClearsOnlyTheExternalAxisBit) {
    Change("$BRK_MODE", "'B1111'");
    EXPECT_TRUE(ImportText(Lines({"BNXVERSION=(V)BN 57", "ENDDAT"})));
    EXPECT_EQ(Pending().at("$BRK_MODE"), "'B0111'");
}

TEST_F(ArchiveTest, LineFeedOnlyArchiveReadsAsWithCrLf) {
    const std::string sArchive = Lines({"BNXVERSION=(V)BN 57", "$CURR_COM_EX[2]=80",
                                        "$ASYNC_T1_FAST='B1'", "$JERK_MA.AX.E6=1.5", "ENDDAT"});
    ASSERT_TRUE(ImportText(sArchive));
    const auto withCrLf = Pending();
    g_colMadaChanges = KeyedCollection();

    EXPECT_TRUE(ImportText(Replace(sArchive, "\r\n", "\n")));

    EXPECT_EQ(Pending(), withCrLf);
    EXPECT_EQ(withCrLf.at("$CURR_COM_EX[8]"), "80");
    EXPECT_EQ(withCrLf.at("$JERK_MA.AX.E6"), "1.5");
}

// A section read only in part leaves keys out of the value map; they are neither exported nor
// imported, and the rest goes through.
TEST_F(ArchiveTest, KeysTheValueMapLacksAreLeftOut) {
    g_colMadaValues.Remove("$BRK_MODE");
    g_colMadaValues.Remove("$EX_AX_NUM");
    const std::string sPath = ArchivePath("part.dat");
    ui.AnswerFile(sPath);
    ASSERT_TRUE(ExportArchive());
    const std::string sExported = ReadBytes(sPath);
    EXPECT_EQ(sExported.find("$BRK_MODE"), std::string::npos);
    EXPECT_EQ(sExported.find("$EX_AX_NUM"), std::string::npos);
    EXPECT_TRUE(sExported.ends_with("\r\nENDDAT\r\n\r\n"));

    EXPECT_TRUE(ImportText(Lines({"BNXVERSION=(V)BN 57", "$EX_AX_NUM=3", "$BRK_MODE='B1000'",
                                  "$CURR_COM_EX[1]=90", "ENDDAT"})));

    // Bit-string flags missing from the archive read as 0.
    EXPECT_EQ(Pending(), (std::map<std::string, std::string>{{"$CURR_COM_EX[7]", "90"},
                                                             {"$EX_AX_ASYNC[7]", "0"},
                                                             {"$EX_AX_ASYNC[9]", "0"},
                                                             {"$ASYNC_T1_FAST[8]", "0"}}));
}

struct BadArchive {
    const char* sName;
    const char* sText; // nullptr = no such file
    bool bWrongType;   // the controller-type message, else the unreadable-archive one
};

const BadArchive kBadArchives[] = {
    {"OtherControllerType", "BNXVERSION=(V)BN 86T\r\n$EX_AX_NUM=3\r\nENDDAT\r\n", true},
    {"NoVersionLine", "$EX_AX_NUM=3\r\nENDDAT\r\n", true},
    {"EmptyVersion", "BNXVERSION=\r\n$EX_AX_NUM=3\r\nENDDAT\r\n", true},
    {"CutOffInALine", "BNXVERSION=(V)BN 57\r\n$EX_AX_NUM=3\r\n$RAT_MOT_AX[7]={N 1", false},
    {"CutOffAfterALine", "BNXVERSION=(V)BN 57\r\n$EX_AX_NUM=3\r\n", false},
    {"EmptyFile", "", false},
    {"Missing", nullptr, false},
};

class BadArchiveTest : public ArchiveTest, public ::testing::WithParamInterface<BadArchive> {};

TEST_P(BadArchiveTest, ImportsNothing) {
    const BadArchive& b = GetParam();
    Change("$RAT_MOT_AX[9]", "{N 5,D 1}");
    const auto before = Pending();
    const std::string sPath = ArchivePath("bad.dat");
    if (b.sText) {
        dir.Write("archive/bad.dat", b.sText);
    }
    ui.AnswerFile(sPath);
    ui.Answer(MsgAnswer::OK);

    EXPECT_FALSE(ImportArchive());

    ASSERT_EQ(ui.boxes.size(), 1U);
    EXPECT_EQ(ui.boxes[0].sText, b.bWrongType
                                     ? T("WrongControlType") + "\r\n\r\n" + T("CantLoadData")
                                     : sPath + "\r\n\r\n" + T("CantLoadData"));
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Error);
    EXPECT_EQ(Pending(), before);
    EXPECT_EQ(ui.enableCalls, (std::vector<bool>{false, true}));
}

INSTANTIATE_TEST_SUITE_P(Rows, BadArchiveTest, ::testing::ValuesIn(kBadArchives),
                         [](const auto& info) { return std::string(info.param.sName); });

struct NameCase {
    const char* sKey;
    const char* sName;
    const char* sKeyAfter;
};

const NameCase kNames[] = {
    {"$SERVOFILE[7]", "$SERVOFILE7[]", "$SERVOFILE[7]"},
    {"$SERVOFILE[3]", "", "$SERVOFILE[3]"},
    {"$CURR_COM_EX[7]", "$CURR_COM_EX[1]", "$CURR_COM_EX[7]"},
    {"$INC_EXTAX[12]", "$INC_EXTAX[6]", "$INC_EXTAX[12]"},
    {"$INC_EXTAX[6]", "", "$INC_EXTAX[6]"},
    {"$EX_AX_ASYNC[9]", "$EX_AX_ASYNC", "$EX_AX_ASYNC[9]"},
    {"$ASYNC_T1_FAST", "$ASYNC_T1_FAST", "$ASYNC_T1_FAST"},
    {"$ET3_NAME[]", "$ET3_NAME[]", "$ET3_NAME[]"},
    {"MOTORTYPE[8]", "", "MOTORTYPE[8]"},
    {"$JERK_MA[9]", "$JERK_MA.AX.E3", "$JERK_MA.AX.E3"},
    {"$JERK_MA[2]", "", "$JERK_MA[2]"},
    {"$RAT_MOT_AX[10]", "$RAT_MOT_AX[10]", "$RAT_MOT_AX[10]"},
    {"$RAT_MOT_AX[1]", "", "$RAT_MOT_AX[1]"},
    {"$EX_KIN", "$EX_KIN", "$EX_KIN"},
};

TEST(ArchiveNameTest, NamesEveryKindOfKey) {
    for (const NameCase& c : kNames) {
        std::string sKey = c.sKey;
        EXPECT_EQ(ArchiveName(sKey), c.sName) << c.sKey;
        EXPECT_EQ(sKey, c.sKeyAfter) << c.sKey;
    }
}

} // namespace
} // namespace morvane::test
