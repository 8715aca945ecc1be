#include "tests/save/SaveFixture.h"

#include <algorithm>

#include "config/IniFile.h"
#include "config/Paths.h"
#include "controller/ControllerConnection.h"
#include "grids/ChangeLists.h"
#include "log/CLSLog.h"
#include "madata/ControlType.h"
#include "madata/MadaReader.h"
#include "madata/MadaStore.h"

namespace morvane::test {

namespace {

constexpr const char* kIni = "[MainData]\r\n"
                             "1=$NUM_AX\r\n"
                             "2=$EX_AX_NUM\r\n"
                             "3=$BRK_MODE\r\n"
                             "[MainAxesVar]\r\n"
                             "1=$RAT_MOT_AX\r\n"
                             "[ExtAxesVar]\r\n"
                             "1=MOTORTYPE\r\n"
                             "2=$SERVOFILE\r\n"
                             "3=$RAT_MOT_AX\r\n"
                             "4=$CURR_COM_EX\r\n"
                             "5=$EX_AX_ASYNC\r\n"
                             "6=$ASYNC_T1_FAST\r\n"
                             "7=$ASYNC_EX_AX_DECOUPLE\r\n"
                             "8=$JERK_MA\r\n"
                             "[ExtKinVar]\r\n"
                             "1=$EX_KIN\r\n"
                             "2=$ET#_AX\r\n"
                             "3=$ET#_NAME\r\n";

void ResetGlobals() {
    g_sMachineDat.clear();
    g_colMadaValues = KeyedCollection();
    g_colMadaChanges = KeyedCollection();
    g_colMainDataList = KeyedCollection();
    g_colMainAxesList = KeyedCollection();
    g_colExtAxesList = KeyedCollection();
    g_colExtKinList = KeyedCollection();
    g_bMainDataRead = g_bMainAxesRead = g_bExtAxesRead = g_bExtKinRead = false;
    g_sControlType.clear();
}

} // namespace

void ProgressUi::ShowProgress(double dMin, double dMax, double dValue) {
    progressValues.push_back(dValue);
    ScriptedUi::ShowProgress(dMin, dMax, dValue);
}

std::string TestMachineDat() {
    std::string s = "&ACCESS RV\r\n"
                    "DEFDAT  $MACHINE PUBLIC\r\n"
                    ";== general ==\r\n"
                    "INT $NUM_AX=6 ;number of robot axes\r\n"
                    "INT $EX_AX_NUM=2\r\n"
                    "BIN $BRK_MODE='B0101' ;brakes\r\n";
    for (int i = 1; i <= 6; ++i) {
        s += "$RAT_MOT_AX[" + std::to_string(i) + "]={N -89,D 1}\r\n";
    }
    s += "$RAT_MOT_AX[7]={N 10,D 157} ;E1 track\r\n"
         "$RAT_MOT_AX[8]={N 120,D 1}\r\n";
    for (int i = 9; i <= 12; ++i) {
        s += "$RAT_MOT_AX[" + std::to_string(i) + "]={N 1,D 1}\r\n";
    }
    for (int i = 1; i <= 6; ++i) {
        s += "$CURR_COM_EX[" + std::to_string(i) + "]=" + std::to_string(100 + i) + "\r\n";
    }
    s += "CHAR $SERVOFILE7[32]\r\n"
         "$SERVOFILE7[]=\"MOTOR1\"\r\n"
         "$SERVOFILE8[]=\"MOTOR2\"\r\n";
    for (int i = 9; i <= 12; ++i) {
        s += "$SERVOFILE" + std::to_string(i) + "[]=\"\"\r\n";
    }
    s += "BIN $EX_AX_ASYNC='B000101'\r\n"
         "BIN $ASYNC_T1_FAST='B0010'\r\n"
         "BIN $ASYNC_EX_AX_DECOUPLE='B0000'\r\n"
         "DECL JERK_STRUC $JERK_MA={AX {E1 100.0,E2 200.0,E3 300.0,E4 400.0,E5 500.0,E6 "
         "600.0}} ;jerk limits\r\n"
         "DECL EX_KIN $EX_KIN={ET1 #EASYS,ET2 #NONE,ET3 #NONE,ET4 #NONE,ET5 #NONE,ET6 #NONE}\r\n"
         "DECL ET_AX $ET1_AX={TR_A1 #E1,TR_A2 #NONE,TR_A3 #NONE}\r\n"
         "$ET1_NAME[]=\"TRACK\"\r\n"
         "ENDDAT\r\n";
    return s;
}

std::vector<std::string> SplitLines(const std::string& sText) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < sText.size()) {
        std::size_t lf = sText.find('\n', from);
        std::string sLine = sText.substr(from, lf == std::string::npos ? lf : lf - from);
        if (!sLine.empty() && sLine.back() == '\r') {
            sLine.pop_back();
        }
        lines.push_back(sLine);
        if (lf == std::string::npos) {
            break;
        }
        from = lf + 1;
    }
    return lines;
}

std::string WithLine(std::string sText, const std::string& sLineStart,
                     const std::string& sNewLine) {
    const std::size_t nStart = sText.find("\n" + sLineStart) + 1;
    EXPECT_GT(nStart, 0U) << "no line " << sLineStart;
    const std::size_t nEnd = sText.find("\r\n", nStart);
    return sText.replace(nStart, nEnd - nStart, sNewLine);
}

void SaveTest::SetUp() {
    ResetGlobals();
    image = dir.Path() / "controller";
    mada = dir.Path() / "Mada";
    std::filesystem::create_directories(mada);
    g_sMadaPath = mada.string() + "/";
    g_sArchivePath = (dir.Path() / "archive").string() + "/";
    std::filesystem::create_directories(g_sArchivePath);
    g_sLogFile = (dir.Path() / "Morvan.log").string();
    g_sIniFile = dir.Write("Morvan.ini", kIni).string();
}

void SaveTest::TearDown() {
    DisconnectController();
    ResetGlobals();
    for (const std::string& s : ui.unexpected) {
        ADD_FAILURE() << "unscripted " << s;
    }
    EXPECT_EQ(ui.nPendingAnswers(), 0) << "scripted answers were left over";
}

void SaveTest::StartTool(const std::string& sFaults, const std::string& sModeOp) {
    dir.Write("controller/R1/$MACHINE.DAT", TestMachineDat());
    dir.Write("controller/controller.ini", "[Variables]\r\n$MODE_OP=" + sModeOp +
                                               "\r\n$PRO_STATE=#P_FREE\r\n"
                                               "$PRO_I_O[]=\"/R1/SPS()\"\r\n"
                                               "[Interpreters]\r\nControlLevel=Running\r\n"
                                               "RobotLevel=Running\r\n" +
                                               sFaults);
    dir.Write("controller/HKEY_CURRENT_USER.reg",
              "Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_CURRENT_USER\\SOFTWARE\\TOVO Zirodir GmbH\\TOVO VSK\\OCX Control's\\UserMode]"
              "\r\n\"ActUserMode\"=dword:00000014\r\n");
    SetControllerImage(image.string());
    ASSERT_TRUE(ConnectController());
    g_sMachineDat = TestMachineDat();
    ASSERT_TRUE(ReadMainData() && ReadMainAxesVar() && ReadExtAxesVar() && ReadExtKinVar());
    g_sControlType = "(V)BN 57";
}

void SaveTest::Change(const std::string& sKey, std::string sValue) {
    PutMadaChange(sKey, sValue);
}

std::string SaveTest::ControllerFile() const {
    return ReadBytes(image / "R1" / "$MACHINE.DAT");
}

std::string SaveTest::LocalCopyPath() const {
    return (mada / "$MACHINE.dat").string();
}

std::vector<std::string> SaveTest::Journal() const {
    std::vector<std::string> actions;
    for (const std::string& sLine : SplitLines(ReadBytes(image / "journal.log"))) {
        if (sLine.size() > 24) {
            actions.push_back(sLine.substr(24));
        }
    }
    return actions;
}

std::vector<std::string> SaveTest::LogLines() const {
    return SplitLines(ReadBytes(dir.Path() / "Morvan.log"));
}

std::vector<std::string> SaveTest::SaveLog() const {
    std::vector<std::string> lines = LogLines();
    auto it = std::find_if(lines.rbegin(), lines.rend(),
                           [](const std::string& s) { return s.ends_with(": Starting to save!"); });
    if (it == lines.rend()) {
        return {};
    }
    std::vector<std::string> saved(it.base() - 1, lines.end());
    saved.front() = "Starting to save!";
    return saved;
}

std::vector<std::filesystem::path> SaveTest::Backups() const {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(mada / "backup", ec)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace morvane::test
