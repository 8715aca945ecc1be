#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/IniFile.h"
#include "config/Paths.h"
#include "controller/ControllerConnection.h"
#include "grids/ChangeLists.h"
#include "madata/ControlType.h"
#include "madata/MadaReader.h"
#include "madata/MadaStore.h"
#include "save/Archive.h"
#include "save/MadaSave.h"
#include "tests/save/SaveFixture.h"

namespace morvane::test {
namespace {

// The shipped demo controller and INI file, on a working copy of the image.
class DemoControllerTest : public SaveTest {
protected:
    void SetUp() override {
        SaveTest::SetUp();
        std::filesystem::copy(SourceDir() / "data" / "demo-controller", image,
                              std::filesystem::copy_options::recursive);
        g_sIniFile = (SourceDir() / "data" / "Morvan.ini").string();
        SetControllerImage(image.string());
        ASSERT_TRUE(ConnectController());
        g_sMachineDat = ControllerFile();
        ASSERT_TRUE(ReadMainData() && ReadMainAxesVar() && ReadExtAxesVar() && ReadExtKinVar());
        g_sControlType = "(V)BN 57";
    }
};

TEST_F(DemoControllerTest, SaveChangesOnlyTheEditedLines) {
    const std::vector<std::string> oldLines = SplitLines(ControllerFile());
    Change("$CURR_COM_EX[8]", "75");
    Change("$JERK_MA.AX.E2", "9000.0");
    Change("$EX_AX_ASYNC[7]", "1");
    Change("$SERVOFILE[8]", "\"MG_45\"");
    ui.Answer(MsgAnswer::Yes);
    ui.Answer(MsgAnswer::OK);

    ASSERT_TRUE(SaveMachineData(false));

    const std::vector<std::string> newLines = SplitLines(ControllerFile());
    ASSERT_EQ(newLines.size(), oldLines.size());
    std::vector<std::string> changed;
    for (std::size_t i = 0; i < oldLines.size(); ++i) {
        if (newLines[i] != oldLines[i]) {
            changed.push_back(newLines[i]);
        }
    }
    EXPECT_EQ(changed, (std::vector<std::string>{
                           "$SERVOFILE8[]=\"MG_45\" ",
                           "$CURR_COM_EX[2]=75 ;% of maximum current",
                           "DECL JERK_STRUC $JERK_MA={AX {E1 5000.0,E2 9000.0,E3 1000.0,E4 1000.0,"
                           "E5 1000.0,E6 1000.0}}",
                           "BIN $EX_AX_ASYNC='B0011' ;E2 turntable moves asynchronously",
                       }));
    EXPECT_EQ(ControllerFile(), g_sMachineDat);
}

TEST_F(DemoControllerTest, ArchiveRoundTripFilesNoChange) {
    const std::string sPath = g_sArchivePath + "demo.dat";
    ui.AnswerFile(sPath);
    ASSERT_TRUE(ExportArchive());
    ui.AnswerFile(sPath);

    EXPECT_TRUE(ImportArchive());

    EXPECT_TRUE(g_colMadaChanges.Empty());
}

} // namespace
} // namespace morvane::test
