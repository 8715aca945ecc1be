// The written form of a servo file and what survives reading it and writing it back.
#include <algorithm>
#include <string>
#include <vector>

#include "common/FileIo.h"
#include "grids/ChangeLists.h"
#include "servo/ServoFileModel.h"
#include "servo/ServoFileReader.h"
#include "servo/ServoFileWriter.h"
#include "tests/servo/ServoFixture.h"

namespace morvane::test {
namespace {

std::vector<std::string> Items(const KeyedCollection& col) {
    std::vector<std::string> items;
    for (const auto& entry : col) {
        items.push_back(entry.sItem);
    }
    return items;
}

std::string Value(std::string_view sKey) {
    bool bChanged = false;
    return GetSFValue(sKey, bChanged);
}

std::string BuiltText() {
    std::string sText;
    EXPECT_TRUE(BuildServoFileText(sText));
    return sText;
}

using ServoLayout = ServoTest;

TEST_F(ServoLayout, NewFileIsWrittenWithFramedCommentsAndAlignedParameters) {
    UseIni("[SF_Calc_Par]\r\n1=CLine1\r\n2=CLine2\r\n3=PI1069\r\n4=PI1079\r\n5=PI 1092\r\n"
           "6=MOTOR_NOTE\r\n"
           "[SF_COMMENTS]\r\nPI1069=Gain Kp\r\n");
    g_colSFViewList = g_colSFCalcList;
    PutSFChange("CLine1", "\"motor-type: mot-1\"");
    PutSFChange("CLine2", "\"VRQ_A\"");
    PutSFChange("PI1069", "15000");
    PutSFChange("PI1079", "4");
    PutSFChange("PI1092", "123456789");
    PutSFChange("MOTOR_NOTE", "X");

    EXPECT_EQ(BuiltText(), ";*************************\r\n"
                           ";*** MOTOR-TYPE: MOT-1  ***\r\n"
                           ";*** VRQ_A              ***\r\n"
                           ";*************************\r\n"
                           ";\r\n"
                           "PI    1069,  0 =   15000    ;Gain Kp\r\n"
                           "PI    1079,  0 =       4    ;\r\n"
                           "PI    1092,  0 =123456789    ;\r\n"
                           ";");
}

TEST_F(ServoLayout, FileWithoutCommentsHasATwoStarFrame) {
    UseIni("[SF_Calc_Par]\r\n1=PI1079\r\n");
    g_colSFViewList = g_colSFCalcList;
    PutSFChange("PI1079", "2");
    EXPECT_EQ(BuiltText(), ";********\r\n;********\r\n;\r\nPI    1079,  0 =       2    ;\r\n;");
}

TEST_F(ServoLayout, FileWithoutParametersClosesAfterTheComments) {
    UseIni("[SF_Calc_Par]\r\n1=CLine1\r\n");
    g_colSFViewList = g_colSFCalcList;
    PutSFChange("CLine1", "\"AB\"");
    EXPECT_EQ(BuiltText(), ";**********\r\n;*** AB  ***\r\n;");
}

// An opened file keeps its comments, the parameters the INI does not list (at their place by
// number) and the first of two lines of one parameter; a line with another sub-index and a
// missing PI1079 do not survive as they were.
TEST_F(ServoLayout, ReadModifyWriteKeepsWhatTheFileHeld) {
    UseIni("[SF_Calc_Par]\r\n1=CLine1\r\n2=CLine2\r\n3=CLine3\r\n4=PI1018\r\n5=PI1069\r\n"
           "6=PI1079\r\n[SF_COMMENTS]\r\nPI1069=Gain Kp\r\n");
    const std::string sPath = WriteServoFile("OLD.servo", ";*****************\r\n"
                                                          ";*** Axis 7 track ***\r\n"
                                                          ";*****************\r\n"
                                                          ";\r\n"
                                                          "PI    1018,  0 =       0    ;\r\n"
                                                          "PI    2000,  0 =       3    ;\r\n"
                                                          "PI    1050,  0 =      77    ;\r\n"
                                                          "PI    1069,  0 =   15000    ;\r\n"
                                                          "PI    1069,  0 =   99999    ;\r\n"
                                                          "PI    1075,  1 =       5    ;\r\n"
                                                          ";\r\n");
    ReadServoFile(sPath);

    EXPECT_EQ(Items(g_colSFCalcList),
              (std::vector<std::string>{"CLine1", "PI1018", "PI1069", "PI1079"}));
    EXPECT_EQ(Value("CLine1"), "\"AXIS 7 TRACK\"");
    EXPECT_EQ(g_colSFValues.Item("CLine1"), "\"Axis 7 track\"");
    EXPECT_EQ(Value("PI1069"), "15000");
    EXPECT_EQ(Value("PI1079"), "1");

    PutSFChange("PI1069", "16000");
    EXPECT_EQ(BuiltText(), ";********************\r\n"
                           ";*** AXIS 7 TRACK  ***\r\n"
                           ";********************\r\n"
                           ";\r\n"
                           "PI    1018,  0 =       0    ;\r\n"
                           "PI    1050,  0 =      77    ;\r\n"
                           "PI    1069,  0 =   16000    ;Gain Kp\r\n"
                           "PI    1079,  0 =       1    ;\r\n"
                           "PI    2000,  0 =       3    ;\r\n"
                           ";");
}

TEST_F(ServoLayout, FurtherParametersGoBeforeTheFirstHigherNumber) {
    UseIni("[SF_Calc_Par]\r\n1=CLine1\r\n2=PI1069\r\n3=PI1018\r\n4=PI1079\r\n");
    ReadServoFile(WriteServoFile("F.servo", ";*** note ***\r\n"
                                            "PI1050,0=1\r\nPI1020,0=2\r\nPI1100,0=3\r\n"
                                            "PI1070,0=4\r\nPI1050,0=5\r\nPI01069,0=6\r\n"));
    EXPECT_EQ(Items(g_colSFViewList),
              (std::vector<std::string>{"CLine1", "PI1020", "PI1050", "PI1069", "PI1018", "PI01069",
                                        "PI1070", "PI1079", "PI1100"}));
    EXPECT_EQ(Value("PI1050"), "1");
}

TEST_F(ServoLayout, ShippedSamplesWriteBackUnchanged) {
    for (const char* pszName : {"MG_45.servo", "MG_20.servo"}) {
        UseIni(ReadBytes(SourceDir() / "data" / "Morvan.ini"));
        const auto path = SourceDir() / "data" / "demo-controller" / "R1" / "Mada" / pszName;
        ReadServoFile(path.string());
        EXPECT_EQ(BuiltText(), ReadBytes(path)) << pszName;
    }
}

TEST_F(ServoLayout, MissingFileIsReportedAndReadsEmpty) {
    const std::string sPath = MadaFile("NONE.servo");
    ui.Answer(MsgAnswer::OK);
    ReadServoFile(sPath);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText, Text("FileNotFound") + ": " + sPath);
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::None);
    EXPECT_EQ(ui.enableCalls, std::vector<bool>{true});
    EXPECT_EQ(g_colServoFileLines.Count(), 0);
    EXPECT_EQ(Value("PI1079"), "1");
    EXPECT_EQ(Value("PI1069"), "");
}

struct BadFile {
    const char* pszCase;
    std::string sBytes;
    std::vector<std::string> calcList; // after reading
    std::vector<std::pair<std::string, std::string>> values;
    friend void PrintTo(const BadFile& p, std::ostream* os) { *os << p.pszCase; }
};

class ServoBadFile : public ServoTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(ServoBadFile, ReadsWhatCanBeRead) {
    UseIni("[SF_Calc_Par]\r\n1=CLine1\r\n2=PI1069\r\n3=PI1079\r\n");
    ReadServoFile(WriteServoFile("BAD.servo", GetParam().sBytes));
    EXPECT_EQ(Items(g_colSFCalcList), GetParam().calcList);
    for (const auto& [sKey, sValue] : GetParam().values) {
        EXPECT_EQ(Value(sKey), sValue) << sKey;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ServoBadFile,
    ::testing::Values(
        BadFile{"Tabs",
                ";***\tAxis\t\t7 ***\r\nPI\t1069,\t0 =\t15000\t;x\r\nPI\t1075,\t0=\t9\r\n",
                {"CLine1", "PI1069", "PI1079"},
                {{"CLine1", "\"AXIS 7\""}, {"PI1069", "15000"}, {"PI1075", "9"}}},
        BadFile{"BlankOnlyComments",
                ";***      ***\r\n;\t\t\r\n;***\r\n;*** A ***\r\nPI1069,0=1\r\n",
                {"CLine1", "PI1069", "PI1079"},
                {{"CLine1", "\"A\""}, {"CLine2", ""}}},
        BadFile{"DuplicatedParameters",
                "PI1069,0=1\r\nPI1069,0=2\r\nPI1075,0=3\r\nPI1075,0=4\r\nPI1079,0=5\r\n",
                {"PI1069", "PI1079"},
                {{"PI1069", "1"}, {"PI1075", "3"}, {"PI1079", "5"}}},
        BadFile{"OtherSubIndex",
                "PI1069,1=7\r\nPI1079,2=6\r\n",
                {"PI1069", "PI1079"},
                {{"PI1069", ""}, {"PI1079", "1"}}},
        BadFile{"NoFinalLineEnd",
                "PI1069,0=1\r\n; last\r\nPI1079,0=3",
                {"CLine1", "PI1069", "PI1079"},
                {{"CLine1", "\"LAST\""}, {"PI1079", "3"}}},
        BadFile{"LineFeedsOnly",
                "; c\nPI1069,0=1\nPI1079,0=3\n",
                {"CLine1", "PI1069", "PI1079"},
                {{"PI1069", "1"}, {"PI1079", "3"}}},
        BadFile{"ParameterWithoutValue",
                "PI1069\r\nPI1079,0=\r\n",
                {"PI1069", "PI1079"},
                {{"PI1069", ""}, {"PI1079", ""}}}),
    [](const auto& info) { return std::string(info.param.pszCase); });

// Two megabytes: random bytes, then as many distinct parameter lines as fit. The reader
// finishes, and what it read can be written and read again unchanged.
TEST_F(ServoLayout, TwoMegabytesOfGarbageReadAndWriteBack) {
    std::string sBytes = "PI1069,0=123\r\n";
    unsigned nSeed = 12345;
    while (sBytes.size() < 1'500'000) {
        nSeed = nSeed * 1103515245u + 12345u;
        sBytes += static_cast<char>((nSeed >> 16) & 0xFF);
    }
    for (int n = 1; sBytes.size() < 2'000'000; ++n) {
        sBytes += "\r\nPI" + std::to_string(3'000'000 - n) + ",0=" + std::to_string(n);
    }
    ReadServoFile(WriteServoFile("GARBAGE.servo", sBytes));
    EXPECT_EQ(Value("PI1069"), "123");
    const std::string sText = BuiltText();
    const KeyedCollection viewList = g_colSFViewList;
    ASSERT_TRUE(WriteTextToFileBinary(MadaFile("AGAIN.servo"), sText));

    UseIni(kServoIni);
    ReadServoFile(MadaFile("AGAIN.servo"));
    EXPECT_EQ(Items(g_colSFViewList).size(), Items(viewList).size());
    const std::string sAgain = BuiltText();
    const auto diff = std::mismatch(sAgain.begin(), sAgain.end(), sText.begin(), sText.end());
    EXPECT_TRUE(diff.first == sAgain.end() && diff.second == sText.end())
        << "texts differ from byte " << (diff.first - sAgain.begin());
}

} // namespace
} // namespace morvane::test
