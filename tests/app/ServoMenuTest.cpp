// The servo-file menu of the main window: opening a file, starting a new one and discarding
// the entries, each with the question about pending changes.
#include <QLabel>
#include <QTabBar>

#include "config/LanguageText.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "grids/qt/ParamGrid.h"
#include "servo/ServoFileModel.h"
#include "tests/app/WindowFixture.h"

namespace morvane::test {
namespace {

class ServoMenuTest : public WindowTest {
protected:
    std::string Servo(const char* sName) {
        return (temp.Path() / "image" / "R1" / "Mada" / sName).string();
    }
};

TEST_F(ServoMenuTest, EditOpensTheChosenFileFromAnotherTab) {
    ASSERT_TRUE(Start());
    ui.AnswerFile(Servo("MG_45.servo"));
    W().mnuSubServofile_Click(0);
    EXPECT_EQ(W().SelectedTab(), 4);
    EXPECT_EQ(g_sServoMode, "OPEN");
    EXPECT_EQ(g_sServoFileName, "MG_45.servo");
    EXPECT_TRUE(W().SF_CalcDataGrid->isVisible());
    EXPECT_FALSE(W().SF_CommDataGrid->isVisible());
    EXPECT_EQ(W().Lbl_ParCalc->text().toStdString(), T("File") + " MG_45.servo");
    EXPECT_EQ(ui.dialogs.size(), 1u);
    EXPECT_FALSE(g_bEditActive);
    EXPECT_TRUE(W().BtnCmd[3]->text().isEmpty()); // the calculation is for new files only
}

TEST_F(ServoMenuTest, EditWithPendingChangesAnsweredNoDropsThemAndCancelledDialogOpensNothing) {
    ASSERT_TRUE(Start());
    W().mnusubwindow_Click(4);
    PutSFChange("PI1069", "12");
    ui.Answer(MsgAnswer::No);
    ui.AnswerFile("");
    W().mnuSubServofile_Click(0);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText, T("DoYouWantSaveServoFileChanges"));
    EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(g_colSFChanges.Empty());
    EXPECT_EQ(g_sServoMode, "NEW");
    EXPECT_FALSE(g_bEditActive);
}

TEST_F(ServoMenuTest, NewWithPendingChangesAnsweredCancelChangesNothing) {
    ASSERT_TRUE(Start());
    W().mnusubwindow_Click(4);
    PutSFChange("PI1069", "12");
    ui.Answer(MsgAnswer::Cancel);
    W().mnuSubServofile_Click(1);
    EXPECT_EQ(g_colSFChanges.Count(), 1);
    EXPECT_FALSE(g_bEditActive);
}

TEST_F(ServoMenuTest, DeleteAsksOnlyWithPendingChangesAndShowsEmptyGrids) {
    ASSERT_TRUE(Start());
    ui.AnswerFile(Servo("MG_20.servo"));
    W().mnuSubServofile_Click(0);
    ASSERT_EQ(g_sServoMode, "OPEN");
    W().mnuSubServofile_Click(2); // nothing pending: no question
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(g_sServoMode, "NEW");
    EXPECT_TRUE(W().SF_CommDataGrid->isVisible());
    EXPECT_TRUE(W().Lbl_ParUser->isVisible());
    EXPECT_EQ(W().SF_CalcDataGrid->Model().Text(4, 1), "");
    EXPECT_EQ(W().BtnCmd[3]->text().toStdString(), T("CreateServoFile"));

    PutSFChange("PI1069", "12");
    ui.Answer(MsgAnswer::No);
    W().mnuSubServofile_Click(2);
    EXPECT_EQ(ui.boxes.back().sText, T("DoYouWantDeleteTheEntries"));
    EXPECT_EQ(g_colSFChanges.Count(), 1);
}

} // namespace
} // namespace morvane::test
