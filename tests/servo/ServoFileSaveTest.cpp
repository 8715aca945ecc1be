// Saving a servo file: the questions, the name and value checks, the target folder, the log,
// and what the data model holds afterwards.
#include <filesystem>
#include <string>
#include <vector>

#include "common/CodePage.h"
#include "common/FileIo.h"
#include "config/Paths.h"
#include "grids/ChangeLists.h"
#include "log/CLSLog.h"
#include "servo/FileChooser.h"
#include "servo/ServoFileCheck.h"
#include "servo/ServoFileModel.h"
#include "servo/ServoFileReader.h"
#include "servo/ServoFileSave.h"
#include "tests/servo/ServoFixture.h"

namespace morvane::test {
namespace {

constexpr const char* kOldFile = ";**********\r\n;*** OLD  ***\r\n;";

class ServoSave : public ServoTest {
protected:
    // A new file with one pending parameter.
    void SetUp() override {
        ServoTest::SetUp();
        UseIni("[SF_Calc_Par]\r\n1=CLine1\r\n2=PI1079\r\n"
               "[BN40_VarDef]\r\nPI1079=INT|1|16|||\r\n");
        g_colSFViewList = g_colSFCalcList;
        PutSFChange("CLine1", "\"new\"");
        PutSFChange("PI1079", "4");
    }
    static std::string Expected() {
        return ";***********\r\n;*** NEW  ***\r\n;***********\r\n;\r\n"
               "PI    1079,  0 =       4    ;\r\n;";
    }
    std::string Question(const std::string& sPath, const std::string& sKey) const {
        return sPath + "\r\n\r\n" + Text(sKey);
    }
    bool NothingSaved() const {
        return g_colSFChanges.Count() == 2 && !KeyExists(g_colSFValues, "PI1079") &&
               !KeyExists(g_colSFNeededVals, "SERVOFILE_NAME");
    }
};

TEST_F(ServoSave, WritesANewFileAndTakesTheValuesOver) {
    const std::string sPath = MadaFile("e1_track.servo");
    ui.Answer(MsgAnswer::Yes);
    ui.AnswerFile(sPath);
    ASSERT_TRUE(SaveServoFile(false));

    EXPECT_EQ(ReadBytes(mada / "e1_track.servo"), Expected());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText, Text("DoYouWantToSaveSFChanges"));
    EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::YesNo);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_TRUE(ui.dialogs[0].bSave);
    EXPECT_EQ(ui.dialogs[0].sFilter, "Servo-File (*.servo)|*.servo");
    EXPECT_EQ(ui.dialogs[0].sFolder, g_sMadaPath);
    EXPECT_EQ(ui.dialogs[0].sTitle, Text("SaveServoFile"));
    EXPECT_EQ(ui.enableCalls, (std::vector<bool>{false, true}));

    EXPECT_EQ(g_sServoFileName, "E1_TRACK");
    EXPECT_EQ(g_colSFNeededVals.Item("SERVOFILE_NAME"), "E1_TRACK");
    EXPECT_TRUE(g_colSFChanges.Empty());
    EXPECT_EQ(g_colSFValues.Item("PI1079"), "4");
    EXPECT_EQ(g_colSFValues.Item("CLine1"), "\"new\"");

    const std::string sLog = ReadBytes(ToPath(g_sLogFile));
    EXPECT_NE(
        sLog.find(": ServoFile changed\r\nServo-File: " + sPath + "\r\n" + Expected() + "\r\n"),
        std::string::npos)
        << sLog;
}

TEST_F(ServoSave, ProposesTheCurrentNameAndKeepsChangesOutsideTheList) {
    g_sServoFileName = "E2_TURN";
    PutSFChange("PI5555", "1");
    ui.AnswerFile(MadaFile("E2_TURN.servo"));
    ASSERT_TRUE(SaveServoFile(true));
    EXPECT_EQ(ui.dialogs[0].sFileName, "E2_TURN");
    EXPECT_EQ(g_colSFChanges.Count(), 1);
    EXPECT_TRUE(KeyExists(g_colSFChanges, "PI5555"));
}

TEST_F(ServoSave, NoToTheSaveQuestionSavesNothing) {
    ui.Answer(MsgAnswer::No);
    EXPECT_FALSE(SaveServoFile(false));
    EXPECT_TRUE(NothingSaved());
    EXPECT_EQ(ui.enableCalls, (std::vector<bool>{false, true}));
}

TEST_F(ServoSave, NothingPendingIsReported) {
    g_colSFChanges.Clear();
    ui.Answer(MsgAnswer::OK);
    EXPECT_FALSE(SaveServoFile(true));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText, Text("NothingChanged"));
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Information);
    EXPECT_EQ(ui.enableCalls, (std::vector<bool>{false, true}));
}

TEST_F(ServoSave, WrongNameOpensTheDialogAgain) {
    ui.AnswerFile(MadaFile("E1-TRACK.servo"));
    ui.Answer(MsgAnswer::OK);
    ui.AnswerFile(MadaFile("E1_TRACK.servo"));
    ASSERT_TRUE(SaveServoFile(true));
    EXPECT_EQ(ui.boxes[0].sText, Text("WrongServoFileName") + ": E1-TRACK.servo");
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Error);
    EXPECT_FALSE(FileExists(MadaFile("E1-TRACK.servo")));
    EXPECT_EQ(ReadBytes(mada / "E1_TRACK.servo"), Expected());
}

TEST_F(ServoSave, CancelledDialogSavesNothing) {
    ui.AnswerFile("");
    EXPECT_FALSE(SaveServoFile(true));
    EXPECT_TRUE(NothingSaved());
    EXPECT_TRUE(std::filesystem::is_empty(mada));
}

struct Overwrite {
    const char* pszCase;
    std::vector<MsgAnswer> answers; // to the questions about the existing file, in order
    bool bSecondDialog;             // the dialog opens again and is then cancelled
    bool bOverwritten;
    friend void PrintTo(const Overwrite& p, std::ostream* os) { *os << p.pszCase; }
};

class ServoOverwrite : public ServoSave, public ::testing::WithParamInterface<Overwrite> {};

TEST_P(ServoOverwrite, AsksTwiceBeforeReplacingAFile) {
    const std::string sPath = WriteServoFile("E1_TRACK.servo", kOldFile);
    ui.AnswerFile(sPath);
    for (MsgAnswer answer : GetParam().answers) {
        ui.Answer(answer);
    }
    if (GetParam().bSecondDialog) {
        ui.AnswerFile("");
    }
    EXPECT_EQ(SaveServoFile(true), GetParam().bOverwritten);

    EXPECT_EQ(ReadBytes(sPath), GetParam().bOverwritten ? Expected() : kOldFile);
    EXPECT_EQ(NothingSaved(), !GetParam().bOverwritten);
    const std::vector<std::string> keys{"DoYouWantToOverwrite", "DoYouRealyWantToOverwrite"};
    ASSERT_EQ(ui.boxes.size(), GetParam().answers.size());
    for (std::size_t i = 0; i < ui.boxes.size(); ++i) {
        EXPECT_EQ(ui.boxes[i].sText, Question(sPath, keys[i]));
        EXPECT_EQ(ui.boxes[i].buttons, i == 0 ? MsgButtons::YesNoCancel : MsgButtons::YesNo);
        EXPECT_EQ(ui.boxes[i].icon, MsgIcon::Question);
        EXPECT_EQ(ui.boxes[i].defaultButton, MsgAnswer::No);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ServoOverwrite,
    ::testing::Values(Overwrite{"YesYes", {MsgAnswer::Yes, MsgAnswer::Yes}, false, true},
                      Overwrite{"YesNo", {MsgAnswer::Yes, MsgAnswer::No}, true, false},
                      Overwrite{"No", {MsgAnswer::No}, true, false},
                      Overwrite{"Cancel", {MsgAnswer::Cancel}, false, false}),
    [](const auto& info) { return std::string(info.param.pszCase); });

TEST_F(ServoSave, NoToOverwritingLetsTheUserChooseAnotherFile) {
    const std::string sOld = WriteServoFile("E1_TRACK.servo", kOldFile);
    ui.AnswerFile(sOld);
    ui.Answer(MsgAnswer::No);
    ui.AnswerFile(MadaFile("E1_NEW.servo"));
    ASSERT_TRUE(SaveServoFile(true));
    EXPECT_EQ(ReadBytes(sOld), kOldFile);
    EXPECT_EQ(ReadBytes(mada / "E1_NEW.servo"), Expected());
    EXPECT_EQ(g_sServoFileName, "E1_NEW");
}

// A folder that cannot be written keeps the old file, the pending changes and no stray files.
struct BadFolder {
    const char* pszCase;
    bool bMissing;    // else read-only
    bool bFileExists; // a file to be replaced
    bool bFileReadOnly;
    friend void PrintTo(const BadFolder& p, std::ostream* os) { *os << p.pszCase; }
};

class ServoBadFolder : public ServoSave, public ::testing::WithParamInterface<BadFolder> {};

TEST_P(ServoBadFolder, FailedWriteLosesNothing) {
    const BadFolder& p = GetParam();
    std::filesystem::path folder = mada;
    if (p.bMissing) {
        folder = dir.Path() / "gone";
    }
    const std::string sPath = FromPath(folder / "E1_TRACK.servo");
    if (p.bFileExists) {
        WriteServoFile("E1_TRACK.servo", kOldFile);
        ui.Answer(MsgAnswer::Yes);
        ui.Answer(MsgAnswer::Yes);
    }
    if (p.bFileReadOnly) {
        std::filesystem::permissions(folder / "E1_TRACK.servo", std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    } else if (!p.bMissing) {
        std::filesystem::permissions(folder, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    }
    ui.AnswerFile(sPath);
    ui.Answer(MsgAnswer::OK);
    ui.Answer(MsgAnswer::OK);
    EXPECT_FALSE(SaveServoFile(true));

    ASSERT_GE(ui.boxes.size(), 2u);
    const BoxRecord& reason = ui.boxes[ui.boxes.size() - 2];
    EXPECT_EQ(reason.icon, MsgIcon::Error);
    EXPECT_NE(reason.sText.find(sPath), std::string::npos) << reason.sText;
    EXPECT_GT(reason.sText.size(), sPath.size() + 2);
    EXPECT_EQ(ui.boxes.back().sText, Text("ErrorOccuredTryItAgain"));
    EXPECT_EQ(ui.boxes.back().icon, MsgIcon::Error);
    EXPECT_TRUE(NothingSaved());
    EXPECT_EQ(ui.enableCalls, (std::vector<bool>{false, true}));
    if (p.bMissing) {
        EXPECT_FALSE(std::filesystem::exists(folder));
    } else {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        EXPECT_EQ(names, p.bFileExists ? std::vector<std::string>{"E1_TRACK.servo"}
                                       : std::vector<std::string>{});
        if (p.bFileExists) {
            EXPECT_EQ(ReadBytes(folder / "E1_TRACK.servo"), kOldFile);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Folders, ServoBadFolder,
                         ::testing::Values(BadFolder{"Missing", true, false, false},
                                           BadFolder{"ReadOnly", false, false, false},
                                           BadFolder{"ReadOnlyWithOldFile", false, true, false},
                                           BadFolder{"ReadOnlyFile", false, true, true}),
                         [](const auto& info) { return std::string(info.param.pszCase); });

struct NameCase {
    const char* pszPath;
    const char* pszResult;
    const char* pszShown; // the name in the error box, "" = no box
    friend void PrintTo(const NameCase& p, std::ostream* os) { *os << p.pszPath; }
};

class ServoFileName : public ServoTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(ServoFileName, AcceptsShortNamesOfLettersDigitsAndUnderscores) {
    const bool bBox = *GetParam().pszShown != '\0';
    if (bBox) {
        ui.Answer(MsgAnswer::OK);
    }
    EXPECT_EQ(CheckServoFileName(GetParam().pszPath), GetParam().pszResult);
    ASSERT_EQ(ui.boxes.size(), bBox ? 1u : 0u);
    if (bBox) {
        EXPECT_EQ(ui.boxes[0].sText,
                  Text("WrongServoFileName") + ": " + GetParam().pszShown + ".servo");
        EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, ServoFileName,
    ::testing::Values(NameCase{"/m/servo_7a.servo", "SERVO_7A", ""},
                      NameCase{"/m/my servo 1.servo", "MYSERVO1", ""},
                      NameCase{"/m/ABCDEFGHIJKLMN.servo", "ABCDEFGHIJKLMN", ""},
                      NameCase{"/m/e1_track", "E1_TRACK", ""}, NameCase{"/m/.servo", "", ""},
                      NameCase{"/m/servo-7a.servo", "", "SERVO-7A"},
                      NameCase{"/m/ABCDEFGHIJKLMNO.servo", "", "ABCDEFGHIJKLMNO"},
                      NameCase{"/m/a.b.servo", "", "A.B"},
                      NameCase{"/m/\xe4x.servo", "", "\xc4X"}));

struct ValueCase {
    const char* pszCase;
    const char* pszDefinition; // of PI1079
    const char* pszValue;
    const char* pszBox; // key of the message, "" = none
    bool bResult;
    friend void PrintTo(const ValueCase& p, std::ostream* os) { *os << p.pszCase; }
};

class ServoValues : public ServoTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(ServoValues, ChecksTheLimitsOfEveryDefinedValue) {
    const ValueCase& p = GetParam();
    UseIni(std::string("[SF_Calc_Par]\r\n1=CLine1\r\n2=PI 1079\r\n[BN40_VarDef]\r\n") +
           (*p.pszDefinition ? std::string("PI1079=") + p.pszDefinition + "\r\n" : ""));
    g_colSFViewList = g_colSFCalcList;
    PutSFChange("CLine1", "\"c\"");
    PutSFChange("PI1079", p.pszValue);
    const bool bBox = *p.pszBox != '\0';
    if (bBox) {
        ui.Answer(MsgAnswer::OK);
    }
    EXPECT_EQ(CheckServoValues(), p.bResult);
    ASSERT_EQ(ui.boxes.size(), bBox ? 1u : 0u);
    if (bBox) {
        EXPECT_EQ(ui.boxes[0].sText,
                  Text(p.pszBox) + ": PI1079\r\n\r\n" + Text("CantSafeServoFile"));
        EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, ServoValues,
    ::testing::Values(ValueCase{"AtMaximum", "INT|1|16|||", "16", "", true},
                      ValueCase{"AtMinimum", "INT|1|16|||", "1", "", true},
                      ValueCase{"AboveMaximum", "INT|1|16|||", "16.5", "SFValueToBig", false},
                      ValueCase{"BelowMinimum", "INT|1|16|||", "0", "SFValueToSmall", false},
                      ValueCase{"NoMaximum", "INT|1||||", "99999", "", true},
                      ValueCase{"NoMinimum", "INT||16|||", "-5", "", true},
                      ValueCase{"NoDefinition", "", "99999", "", false}),
    [](const auto& info) { return std::string(info.param.pszCase); });

TEST_F(ServoTest, IncompleteDataCannotBeSaved) {
    UseIni("[SF_Calc_Par]\r\n1=PI1069\r\n2=PI1079\r\n");
    g_colSFViewList = g_colSFCalcList;
    PutSFChange("PI1079", "4");
    ui.Answer(MsgAnswer::OK);
    EXPECT_FALSE(CheckServoValues());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText,
              Text("ServoFileDataNotComplett") + "\r\n\r\n" + Text("CantSafeServoFile"));
}

TEST_F(ServoTest, FileDialogOffersTheFolderWithASlash) {
    std::string sFolder = "/data/mada";
    ui.AnswerFile("/data/mada/A.servo");
    EXPECT_EQ(ShowFileDialog(true, "servo", sFolder, "Servo-File", "Open", "IGNORED"),
              "/data/mada/A.servo");
    EXPECT_EQ(sFolder, "/data/mada/");
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_FALSE(ui.dialogs[0].bSave);
    EXPECT_EQ(ui.dialogs[0].sFolder, "/data/mada/");
    EXPECT_EQ(ui.dialogs[0].sTitle, "Open");
    EXPECT_EQ(ui.dialogs[0].sFileName, "");
}

} // namespace
} // namespace morvane::test
