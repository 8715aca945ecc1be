// The installation data fit together: the sample INI, both language tables and the demo
// controller's machine data.
#include <gtest/gtest.h>
#include <map>
#include <set>

#include "common/CodePage.h"
#include "common/TextFunctions.h"
#include "config/IniFile.h"
#include "config/LanguageText.h"
#include "config/Paths.h"
#include "tests/support/TestSupport.h"

using namespace morvane;
using namespace morvane::test;

namespace {

// Every key the program asks for under a fixed name.
const char* const kFixedKeys[] = {"AppIsRunning",
                                  "FileNotFound",
                                  "TheToolWillBeClosed",
                                  "GeneralData",
                                  "MainAxData",
                                  "ExtAxData",
                                  "ExtKinData",
                                  "ServofileData",
                                  "mnuFile",
                                  "mnuArchivExtAx",
                                  "mnuLoadExtAx",
                                  "Exit",
                                  "mnuWindow",
                                  "mnuServoFile",
                                  "EditServoFile",
                                  "NewServoFile",
                                  "DeleteServoFile",
                                  "SaveServoFile",
                                  "mnuInfo",
                                  "Version",
                                  "Change",
                                  "Save",
                                  "CreateServoFile",
                                  "DoYouWantToExit",
                                  "DoYouWantToSaveSFChanges",
                                  "DoYouWantToSaveChanges",
                                  "CantSaveChanges",
                                  "ToolDescription",
                                  "IniFile",
                                  "MdbFile",
                                  "Safety",
                                  "SafetyText",
                                  "Continue",
                                  "ExitProgram",
                                  "NoParameterInSection",
                                  "ErrorReadIniFile",
                                  "CanNotReadMachineDat",
                                  "NotSupportedControlType",
                                  "UnknownControlType",
                                  "Axis",
                                  "Variable",
                                  "Value",
                                  "ControlType",
                                  "RobotType",
                                  "SystemInfo",
                                  "R1_MadaVersion",
                                  "TransformationName",
                                  "PleaseSetTheParameter",
                                  "ServoParAutSet",
                                  "File",
                                  "CantChange",
                                  "ChangesInMainAxesNotAllowed",
                                  "ExKinNotDefined",
                                  "FixedValueCantChange",
                                  "IntegerExpected",
                                  "MissingChar",
                                  "NoNumber",
                                  "UnExpectedError",
                                  "ValueNotAllowed",
                                  "WrongValueForDseChannel",
                                  "DoYouWantSelectThisMotor",
                                  "DoYouWantTheBigVal",
                                  "DoYouWantTheSmallVal",
                                  "DoYouWantToIncreaseAxisNum",
                                  "DoYouWantToDecreaseAxisNum",
                                  "CantSetMotorParameter",
                                  "FileNotExisting",
                                  "FollowingParaCantSet",
                                  "NoMotorParameterFound",
                                  "ValueNotFound",
                                  "CantSaveChangesvb",
                                  "CantCancelSubMit",
                                  "CantStartSubMit",
                                  "ErrorOccuredTryItAgain",
                                  "ErrorWritingFile",
                                  "NothingChanged",
                                  "ReinitVsk",
                                  "DoYouWantToOverwrite",
                                  "CantLoadData",
                                  "WrongControlType",
                                  "WrongServoFileName",
                                  "DoYouRealyWantToOverwrite",
                                  "CantSafeServoFile",
                                  "ServoFileDataNotComplett",
                                  "SFValueToBig",
                                  "SFValueToSmall",
                                  "MissingParForServofile",
                                  "NoVRQParameterfound",
                                  "CantCreateServofile",
                                  "PPZNotCorrect",
                                  "PPZIsFloat",
                                  "ValuesNotOK",
                                  "ErrCreatingServofile",
                                  "OpenServoFile",
                                  "DoYouWantDeleteTheEntries",
                                  "DoYouWantSaveServoFileChanges",
                                  "$Machine.dat is Readonly",
                                  "the file $Machine.dat is Readonly",
                                  "Tools is to end",
                                  "NotConnectTrell",
                                  "UserGroupExpertNotSelected",
                                  "ModeSelectorSwitchNotT1T2",
                                  "ProgramNotCanceled",
                                  "FollowingConditionsNotFulfilled"};

const char* const kVariableLists[] = {"MainData", "MainAxesVar", "ExtAxesVar", "ExtKinVar"};

std::vector<std::string> Entries(const KeyedCollection& col) {
    std::vector<std::string> v;
    for (const auto& entry : col) {
        v.push_back(entry.sItem);
    }
    return v;
}

bool Contains(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

// The keys and raw values of one section, straight from the file: the reader has no way to
// list the keys of a section.
std::vector<std::pair<std::string, std::string>> RawSection(const std::string& sFile,
                                                            const std::string& sSection) {
    std::vector<std::pair<std::string, std::string>> entries;
    const std::string sText = ReadBytes(ToPath(sFile));
    bool bInside = false;
    std::size_t from = 0;
    while (from < sText.size()) {
        std::size_t end = sText.find('\n', from);
        end = end == std::string::npos ? sText.size() : end;
        std::string sLine = sText.substr(from, end - from);
        from = end + 1;
        if (!sLine.empty() && sLine.back() == '\r') {
            sLine.pop_back();
        }
        sLine = Trim(sLine);
        if (sLine.starts_with("[")) {
            bInside = EqualsNoCase(sLine, "[" + sSection + "]");
        } else if (bInside && !sLine.starts_with(";") && sLine.find('=') != std::string::npos) {
            const std::size_t eq = sLine.find('=');
            entries.emplace_back(Trim(sLine.substr(0, eq)), Trim(sLine.substr(eq + 1)));
        }
    }
    return entries;
}

class ShippedDataTest : public UiTest {
protected:
    void SetUp() override {
        m_sSavedIni = g_sIniFile;
        g_sIniFile = FromPath(SourceDir() / "data" / "Morvan.ini");
    }
    void TearDown() override {
        g_sIniFile = m_sSavedIni;
        LoadLanguageTexts(TextFolder(), "en");
        UiTest::TearDown();
    }
    static std::string TextFolder() { return (SourceDir() / "data" / "texts").string() + "/"; }

    // The variable names of the four lists as the definitions and help texts know them.
    static std::vector<std::string> ListedVariables() {
        std::vector<std::string> names;
        for (const char* sList : kVariableLists) {
            for (const std::string& sName : Entries(ReadIniSection(sList))) {
                if (sName == "$BRK_MODE") {
                    for (int b = 0; b < 4; ++b) {
                        names.push_back("$BRK_MODE_BIT" + std::to_string(b));
                    }
                }
                names.push_back(sName);
            }
        }
        return names;
    }
    static std::vector<std::string> ServoParameters() {
        std::vector<std::string> names = Entries(ReadIniSection("SF_Needed_Par"));
        for (const std::string& sName : Entries(ReadIniSection("SF_Calc_Par"))) {
            if (!Like(sName, "CLine*")) {
                names.push_back(sName);
            }
        }
        names.push_back("CommentLine");
        return names;
    }

private:
    std::string m_sSavedIni;
};

} // namespace

TEST_F(ShippedDataTest, BothLanguagesHaveEveryFixedKeyAndEveryDescription) {
    const std::vector<std::string> variables = ListedVariables();
    const std::vector<std::string> servo = ServoParameters();
    for (const char* sLanguage : {"en", "de"}) {
        LoadLanguageTexts(TextFolder(), sLanguage);
        for (const char* sKey : kFixedKeys) {
            EXPECT_NE(T(sKey), "") << sLanguage << ": " << sKey;
        }
        for (const std::vector<std::string>* pNames : {&variables, &servo}) {
            for (const std::string& sName : *pNames) {
                EXPECT_NE(T("sDesc_" + sName), "") << sLanguage << ": sDesc_" << sName;
                EXPECT_NE(T("Desc_" + sName), "") << sLanguage << ": Desc_" << sName;
            }
        }
        for (const std::string& sName : Entries(ReadIniSection("SF_Calc_Par"))) {
            if (!Like(sName, "CLine*")) {
                EXPECT_NE(T(sName), "") << sLanguage << ": caption of " << sName;
            }
        }
    }
    LoadLanguageTexts(TextFolder(), "de");
    EXPECT_EQ(T("Change"), "\xC4ndern") << "umlauts arrive as Windows-1252";
}

TEST_F(ShippedDataTest, EveryVariableHasADefinitionForEachControllerType) {
    const std::pair<const char*, const char*> types[] = {{"BN40_VarDef", "BN40_VarDef"},
                                                         {"BN40L_VarDef", "BN40_VarDef"},
                                                         {"BN57_VarDef", "BN40_VarDef"}};
    for (const std::string& sName : ListedVariables()) {
        if (sName == "$BRK_MODE") {
            continue; // defined by its four bits
        }
        for (const auto& [sFirst, sFallBack] : types) {
            std::string sDefinition = ReadIniValue(sFirst, sName);
            if (sDefinition.empty()) {
                sDefinition = ReadIniValue(sFallBack, sName);
            }
            EXPECT_NE(sDefinition, "") << sFirst << ": " << sName;
        }
    }
    for (const std::string& sName : ServoParameters()) {
        EXPECT_NE(ReadIniValue("BN57_VarDef", sName), "") << sName;
    }
}

TEST_F(ShippedDataTest, DefinitionStringsHaveSixFieldsWithinTheValueLength) {
    const std::set<std::string> kTypes = {"INT", "REAL", "CHAR", "BIN", "ENUM"};
    for (const char* sSection : {"BN40_VarDef", "BN40L_VarDef", "BN57_VarDef"}) {
        const auto entries = RawSection(g_sIniFile, sSection);
        EXPECT_FALSE(entries.empty()) << sSection;
        for (const auto& [sKey, sRaw] : entries) {
            const std::string sWhere = std::string(sSection) + ": " + sKey;
            EXPECT_LE(sRaw.size(), 79u) << sWhere;
            EXPECT_EQ(sRaw.find(';'), std::string::npos) << sWhere;
            std::vector<std::string> fields;
            std::size_t from = 0;
            for (std::size_t bar; (bar = sRaw.find('|', from)) != std::string::npos;
                 from = bar + 1) {
                fields.push_back(Trim(sRaw.substr(from, bar - from)));
            }
            fields.push_back(Trim(sRaw.substr(from)));
            ASSERT_EQ(fields.size(), 6u) << sWhere;
            EXPECT_TRUE(kTypes.contains(fields[0])) << sWhere;
            if ((fields[0] == "INT" || fields[0] == "REAL") && !fields[1].empty() &&
                !fields[2].empty()) {
                EXPECT_LE(Val(fields[1]), Val(fields[2])) << sWhere;
                if (IsNumeric(fields[3])) {
                    EXPECT_GE(Val(fields[3]), Val(fields[1])) << sWhere << " default";
                    EXPECT_LE(Val(fields[3]), Val(fields[2])) << sWhere << " default";
                }
            }
        }
    }
}

TEST_F(ShippedDataTest, TheIniNamesItsFilesAndVersion) {
    EXPECT_EQ(ReadIniValue("Files", "MdbFile"), "Versions.db");
    EXPECT_NE(ReadIniValue("General", "IniVersion"), "");
    const std::string sUserIni = ResolveIniPath(ReadIniValue("USER_Section", "UserIniFile"));
    EXPECT_EQ(sUserIni, FromPath(SourceDir() / "data" / "MorvanUser.ini"));
}

TEST_F(ShippedDataTest, MotorAndDriveDataAreComplete) {
    const std::vector<std::string> extAxes = Entries(ReadIniSection("ExtAxesVar"));
    const std::vector<std::string> mainAxes = Entries(ReadIniSection("MainAxesVar"));
    std::vector<std::string> motorVars = Entries(ReadIniSection("MotorVar"));
    for (const std::string& s : Entries(ReadIniSection("BN57_MotorVar"))) {
        motorVars.push_back(s);
    }
    for (const std::string& sVar : motorVars) {
        EXPECT_TRUE(Contains(extAxes, sVar)) << "motor variable outside ExtAxesVar: " << sVar;
    }
    const std::string sUserIni = ResolveIniPath(ReadIniValue("USER_Section", "UserIniFile"));
    for (const auto& [sFile, sList] :
         {std::pair{std::string(), "TOVO_MOTORTYPES"}, std::pair{sUserIni, "User_Motortypes"}}) {
        for (const std::string& sType : Entries(ReadIniSection(sList, sFile))) {
            if (sType == "NONE") {
                continue;
            }
            const std::string sSection = "Motor_" + sType.substr(0, sType.find(','));
            for (const std::string& sVar : motorVars) {
                EXPECT_NE(ReadIniValue(sSection, sVar, sFile), "") << sSection << ": " << sVar;
            }
        }
    }
    for (const std::string& sVar : Entries(ReadIniSection("DefVar_InAvtiveAxes"))) {
        EXPECT_TRUE(Contains(mainAxes, sVar) && Contains(extAxes, sVar))
            << "reset for main and external axes, so listed for both: " << sVar;
        EXPECT_NE(ReadIniValue("DefVarVal_InActiveAxes", sVar), "") << sVar;
    }
    for (const std::string& sDrive : Entries(ReadIniSection("VRQ_Types"))) {
        for (const char* sKey : {"VRQNormVP", "VRQNormKi"}) {
            const std::string sValue = ReadIniValue(sDrive, sKey);
            EXPECT_TRUE(IsNumeric(sValue) && Val(sValue) != 0) << sDrive << ": " << sKey;
        }
    }
    const std::vector<std::string> calc = Entries(ReadIniSection("SF_Calc_Par"));
    ASSERT_GE(calc.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(calc.begin(), calc.begin() + 3),
              (std::vector<std::string>{"CLine1", "CLine2", "CLine3"}));
    for (const std::string& sName : calc) {
        if (Like(sName, "PI#*")) {
            EXPECT_NE(ReadIniValue("SF_COMMENTS", sName), "") << sName;
        }
    }
    for (const char* sNeeded : {"PPZ_MOTOR", "PPZ_RESOLVER", "RVERK", "LVERK", "BACK_EMF",
                                "VRQ_TYPE", "SERVOFILE_NAME", "MOTOR_TYPE", "USER_NAME"}) {
        EXPECT_TRUE(Contains(Entries(ReadIniSection("SF_Needed_Par")), sNeeded)) << sNeeded;
    }
}

namespace {

// The demo controller's machine data and the search keys of its reader.
class DemoMachineDataTest : public ShippedDataTest {
protected:
    void SetUp() override {
        ShippedDataTest::SetUp();
        sText = ReadBytes(SourceDir() / "data" / "demo-controller" / "R1" / "$MACHINE.DAT");
    }
    // The line of the first occurrence of the key and the text before the key on that line.
    bool FindLine(const std::string& sKey, std::string& sLine, std::string& sBefore) const {
        const std::size_t pos = sText.find(sKey);
        if (pos == std::string::npos) {
            return false;
        }
        const std::size_t start = sText.rfind("\r\n", pos);
        const std::size_t lineStart = start == std::string::npos ? 0 : start + 2;
        const std::size_t end = sText.find("\r\n", pos);
        sLine = sText.substr(pos, end - pos);
        sBefore = Trim(sText.substr(lineStart, pos - lineStart));
        return end != std::string::npos;
    }
    // The key is on a line of its own variable and the line carries a value.
    void ExpectVariable(const std::string& sKey, const std::string& sItem) const {
        static const std::set<std::string> kPrefixes = {"",
                                                        "REAL",
                                                        "INT",
                                                        "BOOL",
                                                        "CHAR",
                                                        "BIN",
                                                        "DECL",
                                                        "FRAME",
                                                        "DECL EX_KIN",
                                                        "DECL ET_AX",
                                                        "DECL JERK_STRUC",
                                                        "$"};
        std::string sLine, sBefore;
        ASSERT_TRUE(FindLine(sKey, sLine, sBefore)) << sItem << " as " << sKey;
        EXPECT_TRUE(kPrefixes.contains(sBefore)) << sKey << " found inside: " << sBefore;
        const std::string sValue =
            Trim(sLine.substr(sLine.find('=') + 1, sLine.find(';') - sLine.find('=') - 1));
        EXPECT_NE(sValue, "") << sItem;
    }
    std::string sText;
};

} // namespace

TEST_F(DemoMachineDataTest, IsADataListWithCrLfLines) {
    ASSERT_FALSE(sText.empty());
    EXPECT_TRUE(sText.starts_with("&ACCESS RV\r\nDEFDAT  $MACHINE PUBLIC\r\n"));
    EXPECT_TRUE(sText.ends_with("\r\nENDDAT\r\n"));
    for (std::size_t i = 0; i < sText.size(); ++i) {
        if (sText[i] == '\n') {
            ASSERT_TRUE(i > 0 && sText[i - 1] == '\r') << "lone LF at byte " << i;
        }
    }
    EXPECT_NE(sText.find('\xB0'), std::string::npos) << "Windows-1252 degree sign in a comment";
}

TEST_F(DemoMachineDataTest, HoldsEveryListedVariable) {
    for (const std::string& sItem : Entries(ReadIniSection("MainData"))) {
        ExpectVariable(UCase(sItem) + "=", sItem);
    }
    for (const std::string& sItem : Entries(ReadIniSection("MainAxesVar"))) {
        for (int i = 1; i <= 6; ++i) {
            ExpectVariable(UCase(sItem) + "[" + std::to_string(i) + "]=", sItem);
        }
    }
    for (const std::string& sEntry : Entries(ReadIniSection("ExtAxesVar"))) {
        const std::string sItem = UCase(sEntry);
        for (int n = 7; n <= 12; ++n) {
            if (sItem == "MOTORTYPE") {
                break; // not in the file
            }
            if (sItem == "$SERVOFILE") {
                ExpectVariable("SERVOFILE" + std::to_string(n) + "[]=", sItem);
            } else if (sItem == "$CURR_COM_EX" || sItem == "$INC_EXTAX") {
                ExpectVariable(sItem + "[" + std::to_string(n - 6) + "]=", sItem);
            } else if (sItem == "$ASYNC_T1_FAST" || sItem == "$EX_AX_ASYNC" ||
                       sItem == "$ASYNC_EX_AX_DECOUPLE") {
                std::string sLine, sBefore;
                ASSERT_TRUE(FindLine(sItem + "=", sLine, sBefore)) << sItem;
                EXPECT_TRUE(Like(sLine, sItem + "='B######'*")) << sLine;
            } else if (sItem == "$JERK_MA") {
                std::string sLine, sBefore;
                ASSERT_TRUE(FindLine("$JERK_MA", sLine, sBefore));
                EXPECT_TRUE(Like(sLine, "$JERK_MA={AX {E1 *,E2 *,E3 *,E4 *,E5 *,E6 *}}*")) << sLine;
            } else {
                ExpectVariable(sItem + "[" + std::to_string(n) + "]=", sItem);
            }
        }
    }
    for (const std::string& sEntry : Entries(ReadIniSection("ExtKinVar"))) {
        const std::string sItem = UCase(sEntry);
        const std::size_t hash = sItem.find('#');
        if (hash == std::string::npos) {
            ExpectVariable(sItem + "=", sItem);
            continue;
        }
        for (int k = 1; k <= 6; ++k) {
            const std::string sKey = sItem.substr(0, hash) + std::to_string(k) +
                                     sItem.substr(hash + 1) +
                                     (sItem.starts_with("$ET#_NAME") ? "[]" : "");
            ExpectVariable(sKey + "=", sItem);
        }
    }
}

TEST_F(DemoMachineDataTest, IsASixAxisRobotOfGeneration57WithTwoExternalAxes) {
    std::string sLine, sBefore;
    ASSERT_TRUE(FindLine("$TRAFONAME[]=", sLine, sBefore));
    const std::string sName = UCase(Trim(sLine.substr(13, sLine.find(';') - 13)));
    EXPECT_TRUE(Like(sName, "* 57 *")) << sName;
    EXPECT_FALSE(Like(sName, "*BN#* 57 *")) << "all tabs must stay available: " << sName;
    ASSERT_TRUE(FindLine("$NUM_AX=", sLine, sBefore));
    EXPECT_TRUE(sLine.starts_with("$NUM_AX=6 "));
    ASSERT_TRUE(FindLine("$EX_AX_NUM=", sLine, sBefore));
    EXPECT_TRUE(sLine.starts_with("$EX_AX_NUM=2 "));
    ASSERT_TRUE(FindLine("$EX_KIN=", sLine, sBefore));
    EXPECT_TRUE(sLine.starts_with("$EX_KIN={ET1 #EASYS,ET2 #NONE,"));
}
