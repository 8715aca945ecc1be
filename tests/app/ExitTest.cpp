// Leaving the tool: the exit question, the two save questions in their order with every
// answer, the preconditions before a save, and the controller released on the way out.
#include <fstream>

#include "app/ProgramExit.h"
#include "config/LanguageText.h"
#include "controller/ControllerConnection.h"
#include "grids/ChangeLists.h"
#include "madata/MadaStore.h"
#include "tests/app/WindowFixture.h"

namespace morvane::test {
namespace {

class ExitTest : public WindowTest {
protected:
    void PendingServoChange() { g_colSFChanges.Add("12", "PI1069"); }
    void PendingMadaChange() {
        std::string sValue = "{N 1,D 7}";
        PutMadaChange("$RAT_MOT_AX[1]", sValue);
    }
    // Runs the exit; true when the program ended.
    bool Exit(bool bAsk) {
        try {
            RunExitProgram(bAsk);
        } catch (const ProgramEnded&) {
            return true;
        }
        return false;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const BoxRecord& box : ui.boxes) {
            texts.push_back(box.sText);
        }
        return texts;
    }
};

TEST_F(ExitTest, WithoutChangesOneQuestionDecides) {
    ASSERT_TRUE(Start());
    ui.Answer(MsgAnswer::No);
    EXPECT_FALSE(Exit(true));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText, T("DoYouWantToExit"));
    EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ui.boxes[0].defaultButton, MsgAnswer::No);
    EXPECT_NE(g_oTrell, nullptr);

    ui.Answer(MsgAnswer::Yes);
    EXPECT_TRUE(Exit(true));
    EXPECT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(g_oTrell, nullptr);
}

TEST_F(ExitTest, ServoQuestionComesFirstAndCancelAtTheSecondStays) {
    ASSERT_TRUE(Start());
    PendingServoChange();
    PendingMadaChange();
    ui.Answer(MsgAnswer::Yes);    // exit
    ui.Answer(MsgAnswer::No);     // servo file
    ui.Answer(MsgAnswer::Cancel); // machine data
    EXPECT_FALSE(Exit(true));
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{T("DoYouWantToExit"), T("DoYouWantToSaveSFChanges"),
                                        T("DoYouWantToSaveChanges")}));
    EXPECT_EQ(ui.boxes[1].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(ui.boxes[1].defaultButton, MsgAnswer::Yes);
    EXPECT_EQ(g_colMadaChanges.Count(), 1);
    EXPECT_EQ(g_colSFChanges.Count(), 1);
    EXPECT_NE(g_oTrell, nullptr);
}

TEST_F(ExitTest, CancelAtTheServoQuestionStays) {
    ASSERT_TRUE(Start());
    PendingServoChange();
    PendingMadaChange();
    ui.Answer(MsgAnswer::Yes);
    ui.Answer(MsgAnswer::Cancel);
    EXPECT_FALSE(Exit(true));
    EXPECT_EQ(ui.boxes.size(), 2u);
}

TEST_F(ExitTest, NoToBothQuestionsEndsAndLosesTheChanges) {
    ASSERT_TRUE(Start());
    PendingServoChange();
    PendingMadaChange();
    const std::string sBefore = ReadBytes(temp.Path() / "image" / "R1" / "$MACHINE.DAT");
    ui.Answer(MsgAnswer::Yes);
    ui.Answer(MsgAnswer::No);
    ui.Answer(MsgAnswer::No);
    EXPECT_TRUE(Exit(true));
    EXPECT_EQ(g_oTrell, nullptr);
    EXPECT_TRUE(g_colMadaChanges.Empty());
    EXPECT_EQ(ReadBytes(temp.Path() / "image" / "R1" / "$MACHINE.DAT"), sBefore);
}

TEST_F(ExitTest, YesToTheMachineDataQuestionSavesThenEnds) {
    ASSERT_TRUE(Start());
    PendingMadaChange();
    ui.Answer(MsgAnswer::Yes); // exit
    ui.Answer(MsgAnswer::Yes); // save machine data
    ui.Answer(MsgAnswer::OK);  // the save's own notice
    EXPECT_TRUE(Exit(true));
    EXPECT_EQ(ui.boxes[2].sText, T("ReinitVsk"));
    EXPECT_NE(ReadBytes(temp.Path() / "image" / "R1" / "$MACHINE.DAT").find("{N 1,D 7}"),
              std::string::npos);
    EXPECT_EQ(g_oTrell, nullptr);
}

TEST_F(ExitTest, FailedMachineDataSaveKeepsTheUserAndTheChanges) {
    std::ofstream(temp.Path() / "image" / "controller.ini", std::ios::app)
        << "\r\n[Fault SyncFile.10]\r\nCalls=Always\r\n";
    ASSERT_TRUE(Start());
    PendingMadaChange();
    ui.Answer(MsgAnswer::Yes); // exit
    ui.Answer(MsgAnswer::Yes); // save machine data
    ui.Answer(MsgAnswer::OK);  // the download failed
    EXPECT_FALSE(Exit(true));
    EXPECT_EQ(ui.boxes.back().sText.substr(0, T("ErrorWritingFile").size()), T("ErrorWritingFile"));
    EXPECT_EQ(g_colMadaChanges.Count(), 1);
    EXPECT_NE(g_oTrell, nullptr);
}

TEST_F(ExitTest, FailingPreconditionsKeepTheUserInTheProgram) {
    ASSERT_TRUE(Start());
    PendingServoChange();
    PendingMadaChange();
    EditControllerIni("$MODE_OP=#T1", "$MODE_OP=#AUT");
    DisconnectController(); // a fresh controller of the image reads the changed mode
    SetControllerImage(options.sControllerDir);
    ASSERT_TRUE(ConnectController());
    for (MsgAnswer servo : {MsgAnswer::Yes, MsgAnswer::No}) {
        ui.boxes.clear();
        ui.Answer(MsgAnswer::Yes);
        ui.Answer(servo);
        if (servo == MsgAnswer::No) {
            ui.Answer(MsgAnswer::Yes);
        }
        ui.Answer(MsgAnswer::OK);
        EXPECT_FALSE(Exit(true));
        const std::string& sLast = ui.boxes.back().sText;
        EXPECT_EQ(ui.boxes.back().icon, MsgIcon::Error);
        EXPECT_NE(sLast.find(T("ModeSelectorSwitchNotT1T2")), std::string::npos);
        EXPECT_EQ(sLast.substr(sLast.size() - T("CantSaveChanges").size()), T("CantSaveChanges"));
    }
    EXPECT_EQ(g_colMadaChanges.Count(), 1);
    EXPECT_NE(g_oTrell, nullptr);
}

TEST_F(ExitTest, WithoutAskingTheChangesAreDropped) {
    ASSERT_TRUE(Start());
    PendingServoChange();
    PendingMadaChange();
    EXPECT_TRUE(Exit(false));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(g_oTrell, nullptr);
}

} // namespace
} // namespace morvane::test
