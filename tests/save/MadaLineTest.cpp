#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "grids/ChangeLists.h"
#include "madata/MadaStore.h"
#include "save/MadaSave.h"
#include "tests/save/SaveFixture.h"

namespace morvane::test {
namespace {

struct LineCase {
    const char* sName;
    std::string sText;
    std::vector<std::pair<std::string, std::string>> values; // value map besides the key
    std::string sKey;
    std::string sNewValue;
    std::string sExpectedText;
    std::vector<std::string> expectedLog;
};

const std::string kJerk2 = "DECL JERK_STRUC $JERK_MA={AX {E1 100.0,E2 200.0}} ;limits\r\n";

const LineCase kLineCases[] = {
    {"CommentKeptAfterOneBlank",
     "A\r\n$AXIS_TYPE[7]=3   ;linear\r\nB\r\n",
     {},
     "$AXIS_TYPE[7]",
     "1",
     "A\r\n$AXIS_TYPE[7]=1 ;linear\r\nB\r\n",
     {"Changed: $AXIS_TYPE[7]=1 | 3"}},
    {"JerkFirstFieldOfTwo",
     kJerk2,
     {},
     "$JERK_MA.AX.E1",
     "150.0",
     "DECL JERK_STRUC $JERK_MA={AX {E1 150.0,E2 200.0}};limits\r\n",
     {"Changed: $JERK_MA.AX.E1=150.0 |  100.0"}},
    {"JerkFieldMissing",
     kJerk2,
     {},
     "$JERK_MA.AX.E3",
     "300.0",
     kJerk2,
     {"Not Changed: $JERK_MA.AX.E3=300.0 | {AX {E1 100.0,E2 200.0}}"}},
    {"JerkEndMarkMissing",
     "DECL JERK_STRUC $JERK_MA={AX {E1 1,E2 2,E3 3,E4 4,E5 5,E6 6}\r\n",
     {},
     "$JERK_MA.AX.E6",
     "7",
     "DECL JERK_STRUC $JERK_MA={AX {E1 1,E2 2,E3 3,E4 4,E5 5,E6 6}\r\n",
     {"Not Changed: $JERK_MA.AX.E6=7 | {AX {E1 1,E2 2,E3 3,E4 4,E5 5,E6 6}"}},
    {"NoJerkLine",
     "A\r\n",
     {},
     "$JERK_MA.AX.E1",
     "1.0",
     "A\r\n",
     {"Not Changed: $JERK_MA.AX.E1=1.0 |"}},
    {"KeyWithoutLine", "A\r\n", {}, "MOTORTYPE[7]", "M1", "A\r\n", {}},
    {"LineCutOffAtTheEnd",
     "A\r\n$AXIS_TYPE[7]=3",
     {},
     "$AXIS_TYPE[7]",
     "1",
     "A\r\n$AXIS_TYPE[7]=3",
     {}},
    {"BitStringOfAnUnreadElement",
     "BIN $EX_AX_ASYNC='B0001'\r\n",
     {{"$EX_AX_ASYNC[8]", "0"}, {"$EX_AX_ASYNC[9]", "0"}},
     "$EX_AX_ASYNC[7]",
     "0",
     "BIN $EX_AX_ASYNC='B0001'\r\n",
     {"Not Changed: $EX_AX_ASYNC= | 'B0001'"}},
};

class MadaLineTest : public SaveTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(MadaLineTest, RewritesOrKeepsTheLine) {
    const LineCase& c = GetParam();
    g_sMachineDat = c.sText;
    g_colMadaValues.Add("", c.sKey);
    for (const auto& [sKey, sValue] : c.values) {
        g_colMadaValues.Add(sValue, sKey);
    }
    g_colMadaChanges.Add(c.sNewValue, c.sKey);

    UpdateMadaLine(c.sKey);

    EXPECT_EQ(g_sMachineDat, c.sExpectedText);
    EXPECT_EQ(LogLines(), c.expectedLog);
}

INSTANTIATE_TEST_SUITE_P(Cases, MadaLineTest, ::testing::ValuesIn(kLineCases),
                         [](const auto& info) { return std::string(info.param.sName); });

} // namespace
} // namespace morvane::test
