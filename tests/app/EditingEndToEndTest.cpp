// Whole editing sessions driven only by keys: pendant keys, arrows, Enter, typed text, with
// scripted answers to the boxes and file dialogs; the results checked on disk.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "common/CodePage.h"
#include "common/FileIo.h"
#include "common/TextFunctions.h"
#include "config/LanguageText.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "grids/qt/ParamGrid.h"
#include "log/CLSLog.h"
#include "madata/ControlType.h"
#include "servo/ServoFileModel.h"
#include "tests/app/WindowFixture.h"

namespace morvane::test {
namespace {

// The lines of a CR LF text, byte for byte; a trailing line end gives a last empty line.
std::vector<std::string> Lines(const std::string& sText) {
    std::vector<std::string> lines;
    std::size_t nStart = 0;
    for (std::size_t nEnd = sText.find("\r\n"); nEnd != std::string::npos;
         nEnd = sText.find("\r\n", nStart)) {
        lines.push_back(sText.substr(nStart, nEnd - nStart));
        nStart = nEnd + 2;
    }
    lines.push_back(sText.substr(nStart));
    return lines;
}

// The value of parameter nParam in a servo file's text, "<none>" when it has no line.
std::string ServoValue(const std::string& sText, int nParam) {
    const std::string sStart = "PI    " + std::to_string(nParam) + ",";
    for (const std::string& sLine : Lines(sText)) {
        if (sLine.rfind(sStart, 0) == 0) {
            const std::size_t nEqual = sLine.find('=');
            return Trim(sLine.substr(nEqual + 1, sLine.find(';') - nEqual - 1));
        }
    }
    return "<none>";
}

class EditingEndToEndTest : public WindowTest {
protected:
    // A key as the user gives it: to the open pop-up menu, else to the focused widget.
    void Key(Qt::Key key) {
        QWidget* pTarget = QApplication::activePopupWidget();
        if (!pTarget) {
            pTarget = QApplication::focusWidget();
        }
        QTest::keyClick(pTarget ? pTarget : &W(), key);
        QApplication::processEvents();
    }
    void Type(const char* sText) {
        QWidget* pTarget = QApplication::focusWidget();
        ASSERT_NE(pTarget, nullptr);
        QTest::keyClicks(pTarget, sText);
    }
    ParamGrid* FocusedGrid() const { return qobject_cast<ParamGrid*>(QApplication::focusWidget()); }

    // The menu of a menu key, then its nItem-th command (counted from 1, separators skipped).
    void MenuCommand(Qt::Key menuKey, int nItem) {
        Key(menuKey);
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        for (int i = 0; i < nItem; ++i) {
            Key(Qt::Key_Down);
        }
        Key(Qt::Key_Return);
    }

    // Arrow keys to the row of sName, column nCol, in the grid that has the focus.
    void GoTo(const std::string& sName, int nCol) {
        ParamGrid* pGrid = FocusedGrid();
        ASSERT_NE(pGrid, nullptr);
        int nRow = 1;
        while (nRow < pGrid->Model().Rows() && pGrid->Model().Text(nRow, 0) != sName) {
            ++nRow;
        }
        ASSERT_LT(nRow, pGrid->Model().Rows()) << sName;
        for (int i = 0; i < 40 && pGrid->Row() != nRow; ++i) {
            Key(pGrid->Row() < nRow ? Qt::Key_Down : Qt::Key_Up);
        }
        for (int i = 0; i < 20 && pGrid->Col() != nCol; ++i) {
            Key(pGrid->Col() < nCol ? Qt::Key_Right : Qt::Key_Left);
        }
        ASSERT_EQ(pGrid->Row(), nRow);
        ASSERT_EQ(pGrid->Col(), nCol);
    }

    // Enter opens the text box over the cell, the typed text replaces the selected value,
    // Enter confirms.
    void EditCell(const std::string& sName, int nCol, const char* sText) {
        GoTo(sName, nCol);
        Key(Qt::Key_Return);
        ASSERT_EQ(QApplication::focusWidget(), W().ChangeTb) << sName;
        Type(sText);
        Key(Qt::Key_Return);
        ASSERT_TRUE(W().ChangeTb->isHidden()) << sName;
    }

    // A ratio: numerator in the first box, Down, denominator in the second one.
    void EditRatio(const std::string& sName, int nCol, const char* sNum, const char* sDen) {
        GoTo(sName, nCol);
        Key(Qt::Key_Return);
        ASSERT_EQ(QApplication::focusWidget(), W().ChangeTb);
        Type(sNum);
        Key(Qt::Key_Down);
        ASSERT_EQ(QApplication::focusWidget(), W().ChangeTb2);
        Type(sDen);
        Key(Qt::Key_Return);
        ASSERT_TRUE(W().ChangeTb2->isHidden());
    }

    // Enter opens the choice list, the arrows move to sChoice, Enter confirms.
    void ChooseInCell(const std::string& sName, int nCol, const QString& sChoice) {
        GoTo(sName, nCol);
        Key(Qt::Key_Return);
        ASSERT_EQ(QApplication::focusWidget(), W().ChangeCombo) << sName;
        const int nTarget = W().ChangeCombo->findText(sChoice);
        ASSERT_GE(nTarget, 0) << sChoice.toStdString();
        for (int i = 0; i < 20 && W().ChangeCombo->currentIndex() != nTarget; ++i) {
            Key(W().ChangeCombo->currentIndex() < nTarget ? Qt::Key_Down : Qt::Key_Up);
        }
        Key(Qt::Key_Return);
        ASSERT_TRUE(W().ChangeCombo->isHidden());
    }

    // Next-tab pendant key until tab nTab is selected.
    void ToTab(int nTab) {
        for (int i = 0; i < 5 && W().SelectedTab() != nTab; ++i) {
            Key(W().SelectedTab() < nTab ? Qt::Key_F17 : Qt::Key_F18);
        }
        ASSERT_EQ(W().SelectedTab(), nTab);
    }

    std::filesystem::path Image() const { return temp.Path() / "image"; }
    std::filesystem::path ControllerMada() const { return Image() / "R1" / "$MACHINE.DAT"; }
    std::filesystem::path Original() const {
        return SourceDir() / "data" / "demo-controller" / "R1" / "$MACHINE.DAT";
    }
    std::string Pending(const std::string& sKey) const {
        return KeyExists(g_colMadaChanges, sKey) ? g_colMadaChanges.Item(sKey) : "<none>";
    }
};

TEST_F(EditingEndToEndTest, GearRatioAndJerkOfAxis7SavedIntoTheController) {
    ASSERT_TRUE(Start());
    ToTab(2);
    ASSERT_EQ(FocusedGrid(), W().ExAxDataGrid);
    EditRatio("$RAT_MOT_AX", 1, "20", "157");
    EditCell("$JERK_MA", 1, "6500.5");
    EXPECT_EQ(Pending("$RAT_MOT_AX[7]"), "{N 20,D 157}");
    EXPECT_EQ(Pending("$JERK_MA.AX.E1"), "6500.5");
    EXPECT_EQ(g_colMadaChanges.Count(), 2);
    ASSERT_TRUE(ui.boxes.empty());

    ui.Answer(MsgAnswer::Yes); // save?
    ui.Answer(MsgAnswer::OK);  // the controller takes the data over
    Key(Qt::Key_F7);
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes[0].sText, T("DoYouWantToSaveChanges"));
    EXPECT_EQ(ui.boxes[1].sText, T("ReinitVsk"));
    EXPECT_TRUE(g_colMadaChanges.Empty());

    const std::vector<std::string> before = Lines(ReadBytes(Original()));
    const std::vector<std::string> after = Lines(ReadBytes(ControllerMada()));
    ASSERT_EQ(after.size(), before.size());
    std::vector<std::string> changed;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] != after[i]) {
            changed.push_back(after[i]);
        }
    }
    EXPECT_EQ(changed,
              (std::vector<std::string>{
                  "$RAT_MOT_AX[7]={N 20,D 157} ;E1 rack and pinion, 15.7 mm per motor revolution",
                  "DECL JERK_STRUC $JERK_MA={AX {E1 6500.5,E2 8000.0,E3 1000.0,E4 1000.0,E5 "
                  "1000.0,E6 1000.0}}"}));

    const std::string sJournal = ReadBytes(Image() / "journal.log");
    const std::size_t nStop = sJournal.find(" STOP control level");
    const std::size_t nWrite = sJournal.find(" WRITE ");
    const std::size_t nRun = sJournal.find(" RUN control level");
    ASSERT_NE(nStop, std::string::npos) << sJournal;
    ASSERT_NE(nWrite, std::string::npos) << sJournal;
    ASSERT_NE(nRun, std::string::npos) << sJournal;
    EXPECT_LT(nStop, nWrite);
    EXPECT_LT(nWrite, nRun);
    EXPECT_NE(sJournal.find("$MACHINE.DAT", nWrite), std::string::npos);

    const std::string sLog = ReadBytes(ToPath(g_sLogFile));
    EXPECT_NE(sLog.find("Changed: $RAT_MOT_AX[7]={N 20,D 157} | {N 10,D 157}\r\n"),
              std::string::npos)
        << sLog;
    EXPECT_NE(sLog.find("Changed: $JERK_MA.AX.E1=6500.5 |  5000.0\r\n"), std::string::npos) << sLog;
}

TEST_F(EditingEndToEndTest, FewerExternalAxesFileTheInactiveDefaultsAndAMotorFillsItsValues) {
    ASSERT_TRUE(Start());
    Key(Qt::Key_F21); // next field: the external-axis part of the general tab
    ASSERT_EQ(FocusedGrid(), W().GenExAxData);
    ui.Answer(MsgAnswer::Yes); // fewer axes?
    ChooseInCell("$EX_AX_NUM", 1, "1");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText, T("DoYouWantToDecreaseAxisNum"));
    EXPECT_EQ(Pending("$EX_AX_NUM"), "1");
    // Axis 8 goes inactive: its values that differ from the defaults become pending.
    EXPECT_EQ(Pending("$AXIS_TYPE[8]"), "1");
    EXPECT_EQ(Pending("$RAT_MOT_AX[8]"), "{N 1,D 1}");
    EXPECT_EQ(Pending("$MOT_RPM_NOM[8]"), "3000.0");
    EXPECT_EQ(Pending("$AXIS_DIR[8]"), "<none>"); // already the default
    EXPECT_EQ(Pending("$CURR_LIM[8]"), "<none>");
    EXPECT_EQ(g_colMadaChanges.Count(), 4);

    ToTab(2);
    ParamGrid& grid = *W().ExAxDataGrid;
    ASSERT_EQ(FocusedGrid(), &grid);
    EXPECT_EQ(grid.Model().Cols(), 2); // the name column and axis 7
    ui.Answer(MsgAnswer::Yes);         // this motor?
    ChooseInCell("MOTORTYPE", 1, "MG_20, 3.2 Nm, 6000 rpm");
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_NE(ui.boxes[1].sText.find("MG_20, 3.2 Nm, 6000 rpm"), std::string::npos);
    const struct {
        const char* sName;
        const char* sValue;
    } kMotorValues[] = {{"MOTORTYPE", "MG_20, 3.2 NM, 6000 RPM"},
                        {"$SERVOFILE", "\"MG_20\""},
                        {"$RAT_MOT_ENC", "{N 1,D 1}"},
                        {"$MOT_RPM_NOM", "6000.0"},
                        {"$CURR_LIM", "100"},
                        {"$CURR_COM_EX", "70"}};
    for (const auto& motor : kMotorValues) {
        int nRow = 1;
        while (nRow < grid.Model().Rows() && grid.Model().Text(nRow, 0) != motor.sName) {
            ++nRow;
        }
        ASSERT_LT(nRow, grid.Model().Rows()) << motor.sName;
        EXPECT_EQ(UCase(grid.Model().Text(nRow, 1)), motor.sValue) << motor.sName;
    }
    EXPECT_EQ(Pending("$SERVOFILE[7]"), "\"MG_20\"");
    EXPECT_EQ(Pending("$CURR_COM_EX[7]"), "70");
    EXPECT_EQ(Pending("$RAT_MOT_ENC[7]"), "<none>"); // the motor's ratio is the file's
    EXPECT_EQ(FocusedGrid(), &grid);
}

TEST_F(EditingEndToEndTest, ServoFileCreatedFromMotorDataSavedReopenedEditedAndSavedAgain) {
    ASSERT_TRUE(Start());
    MenuCommand(Qt::Key_F11, 2); // servo menu: New
    ASSERT_EQ(W().SelectedTab(), 4);
    ASSERT_EQ(g_sServoMode, "NEW");
    ASSERT_EQ(FocusedGrid(), W().SF_CommDataGrid);
    EditCell("MOTOR_TYPE", 1, "MG 33 TEST");
    ChooseInCell("VRQ_TYPE", 1, "VRQ_20A");
    EditCell("PPZ_MOTOR", 1, "6");
    EditCell("PPZ_RESOLVER", 1, "1");
    EditCell("RVERK", 1, "1.5");
    EditCell("LVERK", 1, "4.5");
    EditCell("BACK_EMF", 1, "60");
    EditCell("SERVOFILE_NAME", 1, "MG_33");
    EditCell("USER_NAME", 1, "TESTER");
    ASSERT_TRUE(ui.boxes.empty()) << ui.boxes[0].sText;

    Key(Qt::Key_F5); // create the servo file's parameters
    ASSERT_TRUE(ui.boxes.empty()) << ui.boxes[0].sText;
    EXPECT_EQ(g_colSFChanges.Item("PI1069"), "14400");
    ParamGrid& calc = *W().SF_CalcDataGrid;
    int nRow = 1;
    while (nRow < calc.Model().Rows() && calc.Model().Text(nRow, 0) != "PI1070") {
        ++nRow;
    }
    ASSERT_LT(nRow, calc.Model().Rows());
    EXPECT_EQ(calc.Model().Text(nRow, 1), "720");

    const std::filesystem::path file = Image() / "R1" / "Mada" / "MG_33.servo";
    ui.Answer(MsgAnswer::Yes); // save the servo file?
    ui.AnswerFile(file.string());
    Key(Qt::Key_F7);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText, T("DoYouWantToSaveSFChanges"));
    ASSERT_TRUE(std::filesystem::exists(file));
    const std::string sCreated = ReadBytes(file);
    const struct {
        int nParam;
        const char* sValue;
    } kCreated[] = {{1018, "0"},   {1069, "14400"}, {1070, "720"}, {1071, "14400"},
                    {1072, "720"}, {1073, "67"},    {1079, "6"},   {1092, "18"}};
    for (const auto& param : kCreated) {
        EXPECT_EQ(ServoValue(sCreated, param.nParam), param.sValue) << param.nParam;
    }
    EXPECT_NE(sCreated.find("MOTOR-TYPE: MG 33 TEST"), std::string::npos) << sCreated;
    EXPECT_TRUE(g_colSFChanges.Empty());

    ui.AnswerFile(file.string());
    MenuCommand(Qt::Key_F11, 1); // servo menu: Edit
    ASSERT_EQ(g_sServoMode, "OPEN");
    ASSERT_EQ(FocusedGrid(), &calc);
    GoTo(T("PI1092"), 1);
    Key(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), W().ChangeTb);
    Type("25");
    Key(Qt::Key_Return);
    EXPECT_EQ(calc.CurrentText().toStdString(), "25");

    ui.Answer(MsgAnswer::Yes); // save?
    ui.AnswerFile(file.string());
    ui.Answer(MsgAnswer::Yes); // overwrite?
    ui.Answer(MsgAnswer::Yes); // really?
    Key(Qt::Key_F7);
    ASSERT_EQ(ui.boxes.size(), 4u);
    const std::vector<std::string> before = Lines(sCreated);
    const std::vector<std::string> after = Lines(ReadBytes(file));
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(ServoValue(ReadBytes(file), 1092), "25");
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].rfind("PI    1092,", 0) != 0) {
            EXPECT_EQ(after[i], before[i]);
        }
    }
}

TEST_F(EditingEndToEndTest, EditorOfTheFirstOfSeveralGridsWritesIntoThatGrid) {
    ASSERT_TRUE(Start());
    ToTab(3);
    ASSERT_EQ(FocusedGrid(), W().ExKinDataGrid);
    ChooseInCell("$EX_KIN", 1, "EBSYS");
    EXPECT_EQ(g_sActiveKinGrid, "ExKinDataGrid");
    EXPECT_EQ(FocusedGrid(), W().ExKinDataGrid);
    EXPECT_EQ(W().ExKinDataGrid->CurrentText().toStdString(), "EBSYS");
    EXPECT_EQ(Pending("$EX_KIN"), "{ET1 #EBSYS,ET2 #NONE,ET3 #NONE,ET4 #NONE,ET5 #NONE,ET6 #NONE}");
}

TEST_F(EditingEndToEndTest, ImportingTheExportedArchiveWithdrawsTheEditsMadeSince) {
    ASSERT_TRUE(Start());
    const std::filesystem::path archive = temp.Path() / "ExtAxesData1.dat";
    ui.AnswerFile(archive.string());
    MenuCommand(Qt::Key_F9, 1); // file menu: archive
    ASSERT_TRUE(std::filesystem::exists(archive));
    const std::string sArchive = ReadBytes(archive);
    EXPECT_EQ(sArchive.rfind("BNXVERSION=" + g_sControlType + "\r\n", 0), 0u) << sArchive;
    EXPECT_NE(sArchive.find("\r\n$RAT_MOT_AX[7]={N 10,D 157}\r\n"), std::string::npos);
    EXPECT_NE(sArchive.find("\r\n$JERK_MA.AX.E1=5000.0\r\n"), std::string::npos);

    ToTab(2);
    EditRatio("$RAT_MOT_AX", 1, "30", "157");
    EditCell("$JERK_MA", 1, "7000");
    EditCell("$CURR_LIM", 2, "50");
    ASSERT_EQ(g_colMadaChanges.Count(), 3);

    ui.AnswerFile(archive.string());
    MenuCommand(Qt::Key_F9, 2); // file menu: load
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(g_colMadaChanges.Empty());
    EXPECT_EQ(W().SelectedTab(), 0);
    ToTab(2);
    ParamGrid& grid = *W().ExAxDataGrid;
    GoTo("$RAT_MOT_AX", 1);
    EXPECT_EQ(grid.CurrentText(), "{N 10,D 157}");
    GoTo("$JERK_MA", 1);
    EXPECT_EQ(grid.CurrentText(), "5000.0");
}

} // namespace
} // namespace morvane::test
