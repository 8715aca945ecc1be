// Computing a new servo file from motor and drive data: the worked results, the checks of the
// entries and of the drive factors, and what is filed after a failure.
#include <map>
#include <string>
#include <vector>

#include "common/TextFunctions.h"
#include "grids/ChangeLists.h"
#include "servo/ServoCalculation.h"
#include "servo/ServoFileModel.h"
#include "tests/servo/ServoFixture.h"

namespace morvane::test {
namespace {

using Entries = std::map<std::string, std::string>;

// Example 1 of the drive data: a = 8, b = 2, l = 5, r = 2, e = 50 on drive VRQ_A.
Entries Example() {
    return {{"MOTOR_TYPE", "\"MOT-1\""},
            {"VRQ_TYPE", "VRQ_A"},
            {"PPZ_MOTOR", "8"},
            {"PPZ_RESOLVER", "2"},
            {"RVERK", "2"},
            {"LVERK", "5"},
            {"BACK_EMF", "50"},
            {"SERVOFILE_NAME", "\"E1_TRACK\""},
            {"USER_NAME", "\"ME\""}};
}

class ServoCalc : public ServoTest {
protected:
    void Enter(const Entries& entries) {
        for (const auto& [sName, sValue] : entries) {
            g_colSFNeededVals.RemoveIfPresent(sName);
            if (sValue != "<none>") {
                g_colSFNeededVals.Add(sValue, sName);
            }
        }
    }
    static std::map<std::string, std::string> Filed() {
        std::map<std::string, std::string> filed;
        for (const auto& entry : g_colSFChanges) {
            filed[entry.sKey] = entry.sItem;
        }
        return filed;
    }
};

TEST_F(ServoCalc, FirstExampleCompressesTheIntegralGain) {
    Enter(Example());
    ASSERT_TRUE(CalcServoParameters());
    EXPECT_TRUE(ui.boxes.empty());

    std::vector<std::string> keys;
    for (const auto& entry : g_colSFChanges) {
        keys.push_back(entry.sKey);
    }
    EXPECT_EQ(keys,
              (std::vector<std::string>{"PI1069", "PI1071", "PI1070", "PI1072", "PI1073", "PI1079",
                                        "PI1092", "PI1018", "CLine1", "CLine2", "CLine3"}));
    auto filed = Filed();
    EXPECT_EQ(filed["PI1069"], "15000");
    EXPECT_EQ(filed["PI1071"], "15000");
    EXPECT_EQ(filed["PI1070"], "667");
    EXPECT_EQ(filed["PI1072"], "667");
    EXPECT_EQ(filed["PI1073"], "42");
    EXPECT_EQ(filed["PI1079"], "4");
    EXPECT_EQ(filed["PI1092"], "18");
    EXPECT_EQ(filed["PI1018"], "0");
    EXPECT_EQ(filed["CLine1"], "\"MOTOR-TYPE: MOT-1\"");
    EXPECT_EQ(filed["CLine2"], "\"VRQ-TYPE: VRQ_A\"");
    EXPECT_TRUE(Like(filed["CLine3"], "\"NAME, DATE: ME, ##.##.####\"")) << filed["CLine3"];
    EXPECT_EQ(g_sServoFileName, "E1_TRACK");
}

TEST_F(ServoCalc, SecondExampleReadsDecimalCommas) {
    Enter(Example());
    Enter({{"VRQ_TYPE", "VRQ_B"},
           {"PPZ_MOTOR", "4"},
           {"PPZ_RESOLVER", "1"},
           {"LVERK", "10"},
           {"RVERK", "0,1"},
           {"BACK_EMF", "20"}});
    ASSERT_TRUE(CalcServoParameters());
    auto filed = Filed();
    EXPECT_EQ(filed["PI1069"], "40000");
    EXPECT_EQ(filed["PI1070"], "200");
    EXPECT_EQ(filed["PI1073"], "34");
    EXPECT_EQ(filed["PI1079"], "4");
}

TEST_F(ServoCalc, IntegralGainJustAboveTheLimitIsCompressed) {
    // x2 = 1 * 2000 * 0.3005 / (1 / 1) = 601 -> 400 + 601 / 3 = 600.33
    UseIni(std::string(kServoIni) + "[VRQ_C]\r\nVRQNormVP=1\r\nVRQNormKi=0.3005\r\n");
    Enter(Example());
    Enter({{"LVERK", "1"}, {"RVERK", "1"}, {"VRQ_TYPE", "VRQ_C"}});
    ASSERT_TRUE(CalcServoParameters());
    EXPECT_EQ(Filed()["PI1070"], "600");
}

TEST_F(ServoCalc, ValuesEqualToTheFileWithdrawNothingElse) {
    g_colSFValues.Add("0", "PI1018");
    PutSFChange("PI9999", "5");
    Enter(Example());
    ASSERT_TRUE(CalcServoParameters());
    EXPECT_FALSE(KeyExists(g_colSFChanges, "PI1018"));
    EXPECT_TRUE(KeyExists(g_colSFChanges, "PI9999"));
}

struct CalcFailure {
    const char* pszCase;
    Entries changes;      // applied to the first example ("<none>" removes an entry)
    std::string sFactors; // INI text of the drive section VRQ_X, used when VRQ_TYPE is VRQ_X
    std::string sMessage; // language keys joined as shown, "<...>" each
    MsgIcon icon;
    std::string sUnlisted = {}; // an INI line taken out of the fixture's INI
    friend void PrintTo(const CalcFailure& p, std::ostream* os) { *os << p.pszCase; }
};

class ServoCalcFailure : public ServoCalc, public ::testing::WithParamInterface<CalcFailure> {};

TEST_P(ServoCalcFailure, ShowsItsMessageAndFilesNothing) {
    const CalcFailure& p = GetParam();
    std::string sIni = kServoIni;
    if (!p.sUnlisted.empty()) {
        sIni = Replace(sIni, p.sUnlisted, "");
    }
    UseIni(sIni + "[VRQ_X]\r\n" + p.sFactors);
    Enter(Example());
    Enter(p.changes);
    ui.Answer(MsgAnswer::OK);
    EXPECT_FALSE(CalcServoParameters());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText, p.sMessage);
    EXPECT_EQ(ui.boxes[0].icon, p.icon);
    EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::OK);
    EXPECT_TRUE(g_colSFChanges.Empty());
    EXPECT_EQ(g_sServoFileName, "");
}

const std::string kCant = "\r\n\r\n<CantCreateServofile>";

INSTANTIATE_TEST_SUITE_P(
    Checks, ServoCalcFailure,
    ::testing::Values(
        CalcFailure{"MissingEntry",
                    {{"RVERK", "<none>"}},
                    "",
                    "<MissingParForServofile>",
                    MsgIcon::Information},
        CalcFailure{"EmptyEntry",
                    {{"USER_NAME", ""}},
                    "",
                    "<MissingParForServofile>",
                    MsgIcon::Information},
        CalcFailure{"NoDriveTypeEntry",
                    {{"VRQ_TYPE", "<none>"}},
                    "",
                    "<NoVRQParameterfound>" + kCant,
                    MsgIcon::Error,
                    "2=VRQ_TYPE\r\n"},
        CalcFailure{"UnknownDriveType",
                    {{"VRQ_TYPE", "VRQ_NONE"}},
                    "",
                    "<NoVRQParameterfound>: VRQ_NONE, VRQNormVP" + kCant,
                    MsgIcon::Error},
        CalcFailure{"FactorZero",
                    {{"VRQ_TYPE", " vrq_x"}},
                    "VRQNormVP=0\r\nVRQNormKi=1\r\n",
                    "<NoVRQParameterfound>: VRQ_X, VRQNormVP" + kCant,
                    MsgIcon::Error},
        CalcFailure{"FactorEmpty",
                    {{"VRQ_TYPE", "VRQ_X"}},
                    "VRQNormVP=\r\nVRQNormKi=1\r\n",
                    "<NoVRQParameterfound>: VRQ_X, VRQNormVP" + kCant,
                    MsgIcon::Error},
        CalcFailure{"FactorNotANumber",
                    {{"VRQ_TYPE", "VRQ_X"}},
                    "VRQNormVP=1.5x\r\nVRQNormKi=1\r\n",
                    "<NoVRQParameterfound>: VRQ_X, VRQNormVP" + kCant,
                    MsgIcon::Error},
        CalcFailure{"SecondFactorZero",
                    {{"VRQ_TYPE", "VRQ_X"}},
                    "VRQNormVP=1,5\r\nVRQNormKi=0,0\r\n",
                    "<NoVRQParameterfound>: VRQ_X, VRQNormKi" + kCant,
                    MsgIcon::Error},
        CalcFailure{"SecondFactorMissing",
                    {{"VRQ_TYPE", "VRQ_X"}},
                    "VRQNormVP=2\r\n",
                    "<NoVRQParameterfound>: VRQ_X, VRQNormKi" + kCant,
                    MsgIcon::Error},
        CalcFailure{"RatioNotWhole",
                    {{"PPZ_MOTOR", "3"}, {"PPZ_RESOLVER", "2"}},
                    "",
                    "<PPZIsFloat>" + kCant,
                    MsgIcon::Error},
        CalcFailure{"MotorBelowResolver",
                    {{"PPZ_MOTOR", "2"}, {"PPZ_RESOLVER", "4"}},
                    "",
                    "<PPZNotCorrect>" + kCant,
                    MsgIcon::Error},
        CalcFailure{
            "ResolverZero", {{"PPZ_RESOLVER", "0"}}, "", "<PPZNotCorrect>" + kCant, MsgIcon::Error},
        CalcFailure{"MotorNotANumber",
                    {{"PPZ_MOTOR", "x8"}},
                    "",
                    "<PPZNotCorrect>" + kCant,
                    MsgIcon::Error},
        CalcFailure{
            "ResistanceZero", {{"RVERK", "0"}}, "", "<ValuesNotOK>" + kCant, MsgIcon::Error},
        CalcFailure{
            "InductanceNegative", {{"LVERK", "-5"}}, "", "<ValuesNotOK>" + kCant, MsgIcon::Error},
        CalcFailure{"BackEmfNotANumber",
                    {{"BACK_EMF", "abc"}},
                    "",
                    "<ValuesNotOK>" + kCant,
                    MsgIcon::Error}),
    [](const auto& info) { return std::string(info.param.pszCase); });

// A name the computation needs but the INI does not ask for fails after the parameters were
// filed; they stay pending.
TEST_F(ServoCalc, MissingCommentEntryFailsLate) {
    UseIni(Replace(kServoIni, "9=USER_NAME\r\n", ""));
    Enter(Example());
    Enter({{"USER_NAME", "<none>"}});
    ui.Answer(MsgAnswer::OK);
    EXPECT_FALSE(CalcServoParameters());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText, "<ErrCreatingServofile>");
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Error);
    EXPECT_EQ(Filed()["PI1069"], "15000");
    EXPECT_EQ(Filed()["CLine2"], "\"VRQ-TYPE: VRQ_A\"");
    EXPECT_FALSE(KeyExists(g_colSFChanges, "CLine3"));
}

} // namespace
} // namespace morvane::test
