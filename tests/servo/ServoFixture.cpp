#include "tests/servo/ServoFixture.h"

#include "common/CodePage.h"
#include "config/IniFile.h"
#include "config/LanguageText.h"
#include "config/Paths.h"
#include "grids/CurrentVariable.h"
#include "log/CLSLog.h"
#include "madata/ControlType.h"
#include "servo/ServoFileModel.h"

namespace morvane::test {

const char* const kServoIni = "[SF_Needed_Par]\r\n"
                              "1=MOTOR_TYPE\r\n"
                              "2=VRQ_TYPE\r\n"
                              "3=PPZ_MOTOR\r\n"
                              "4=PPZ_RESOLVER\r\n"
                              "5=RVERK\r\n"
                              "6=LVERK\r\n"
                              "7=BACK_EMF\r\n"
                              "8=SERVOFILE_NAME\r\n"
                              "9=USER_NAME\r\n"
                              "[SF_Calc_Par]\r\n"
                              "1=CLine1\r\n"
                              "2=CLine2\r\n"
                              "3=CLine3\r\n"
                              "4=PI1018\r\n"
                              "5=PI1069\r\n"
                              "6=PI1070\r\n"
                              "7=PI1071\r\n"
                              "8=PI1072\r\n"
                              "9=PI1073\r\n"
                              "10=PI1079\r\n"
                              "11=PI1092\r\n"
                              "[SF_COMMENTS]\r\n"
                              "PI1069=Gain Kp\r\n"
                              "PI1079=Pole pair ratio\r\n"
                              "[VRQ_A]\r\n"
                              "VRQNormVP=1.5\r\n"
                              "VRQNormKi=0.2\r\n"
                              "[VRQ_B]\r\n"
                              "VRQNormVP=2\r\n"
                              "VRQNormKi=1\r\n"
                              "[BN40_VarDef]\r\n"
                              "PI1069=INT|0|30000|||\r\n"
                              "PI1079=INT|1|16|||\r\n"
                              "PI1092=INT|||||\r\n"
                              "CommentLine=CHAR||40|||\r\n";

namespace {

const char* const kTextKeys[] = {"FileNotFound",
                                 "NothingChanged",
                                 "ServoFileDataNotComplett",
                                 "CantSafeServoFile",
                                 "SFValueToBig",
                                 "SFValueToSmall",
                                 "WrongServoFileName",
                                 "DoYouWantToSaveSFChanges",
                                 "SaveServoFile",
                                 "DoYouWantToOverwrite",
                                 "DoYouRealyWantToOverwrite",
                                 "ErrorOccuredTryItAgain",
                                 "MissingParForServofile",
                                 "NoVRQParameterfound",
                                 "CantCreateServofile",
                                 "PPZNotCorrect",
                                 "PPZIsFloat",
                                 "ValuesNotOK",
                                 "ErrCreatingServofile",
                                 "NoParameterInSection"};

} // namespace

void ServoTest::SetUp() {
    mada = dir.Path() / "Mada";
    std::filesystem::create_directories(mada);
    g_sMadaPath = FromPath(mada) + "/";
    g_sLogFile = FromPath(dir.Path() / "servo.log");

    std::string sTable;
    for (const char* pszKey : kTextKeys) {
        sTable += std::string(pszKey) + "=<" + pszKey + ">\n";
    }
    dir.Write("texts/ConfExtAxis.xx.txt", sTable);
    LoadLanguageTexts(FromPath(dir.Path() / "texts") + "/", "xx");

    g_sControlType = "(V)BN 40";
    g_colVarDefs = KeyedCollection();
    g_sServoMode.clear();
    UseIni(kServoIni);
}

void ServoTest::TearDown() {
    LoadLanguageTexts(FromPath(SourceDir() / "data" / "texts") + "/", "en");
    g_sIniFile.clear();
    g_sLogFile.clear();
    UiTest::TearDown();
}

void ServoTest::UseIni(const std::string& sIni) {
    static int nCount = 0;
    const std::string sNeeded = sIni.find("[SF_Needed_Par]") == std::string::npos
                                    ? "[SF_Needed_Par]\r\n1=PPZ_MOTOR\r\n"
                                    : "";
    g_sIniFile = FromPath(dir.Write("Morvan" + std::to_string(++nCount) + ".ini", sNeeded + sIni));
    g_colVarDefs = KeyedCollection();
    InitServoFileData();
}

std::string ServoTest::WriteServoFile(const std::string& sName, const std::string& sBytes) const {
    return FromPath(dir.Write("Mada/" + sName, sBytes));
}

std::string ServoTest::MadaFile(const std::string& sName) const {
    return FromPath(mada / sName);
}

} // namespace morvane::test
