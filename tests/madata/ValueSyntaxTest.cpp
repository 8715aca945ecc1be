#include <gtest/gtest.h>

#include "common/RunTimeError.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "madata/CharacterOps.h"
#include "madata/MadaStore.h"
#include "madata/ValueSyntax.h"
#include "tests/madata/MadaFixtures.h"

namespace morvane::test {
namespace {

class ValueSyntaxTest : public ::testing::Test {
protected:
    void SetUp() override { ResetMadaGlobals(); }
};

TEST_F(ValueSyntaxTest, BitDigits) {
    struct Case {
        const char* sValue;
        int n;
        int nDigit;
    };
    const Case cases[] = {
        {"'B0101'", 1, 1},  {"'B0101'", 2, 0},   {"'B0101'", 3, 1}, {"'B0101'", 4, 0},
        {"'B0101'", 5, 0},  {" 'b10' ", 2, 1},   {"", 1, 0},        {"5", 1, 5},
        {"'B'", 1, 0},      {"B", 1, 0},         {"'B01X1'", 2, 0}, {"'B0101'", 0, 0},
        {"'B0101'", -1, 0}, {"'B000101'", 3, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Get_Bin_Bit(c.sValue, c.n), c.nDigit) << c.sValue << " digit " << c.n;
    }
}

TEST_F(ValueSyntaxTest, ComponentsOfStructuredValues) {
    const std::string sKin = "{ET1 #NONE, ET2 #easys,ET3 #NONE,ET4 #NONE,ET5 #NONE,ET6 #last}";
    EXPECT_EQ(Get_Ex_Kin(sKin, 2), "EASYS");
    EXPECT_EQ(Get_Ex_Kin(sKin, 6), "LAST");
    EXPECT_EQ(Get_Ex_Kin(sKin, 7), "");
    const std::string sAx = "{TR_A1 #E1,TR_A2 #NONE,TR_A3 #e3}";
    EXPECT_EQ(Get_ETx_Ax(sAx, 1), "E1");
    EXPECT_EQ(Get_ETx_Ax(sAx, 3), "E3");
    const std::string sFrame = "{X 10.5, Y -3, Z 0, A 0, B 90, C 1.25}";
    const char* frame[] = {"10.5", "-3", "0", "0", "90", "1.25"};
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(Get_ETx_Frame(sFrame, n), frame[n - 1]) << n;
    }
    EXPECT_EQ(Get_ETx_Frame(sFrame, 0), "");
    EXPECT_EQ(Get_ETx_Frame(sFrame, 7), "");
    EXPECT_EQ(Get_ETx_Frame("{X 1,Y 2}", 3), "");
}

TEST_F(ValueSyntaxTest, BuildersReplaceOneComponentOfTheCurrentValue) {
    g_colMadaValues.Add("{ET1 #NONE,ET2 #NONE,ET3 #NONE,ET4 #NONE,ET5 #NONE,ET6 #NONE}", "$EX_KIN");
    g_colMadaValues.Add("{TR_A1 #NONE,TR_A2 #NONE,TR_A3 #NONE}", "$ET1_AX");
    g_colMadaValues.Add("{x 0.0, y 0.0, z 0.0, a 0.0, b 0.0, c 0.0}", "$ET1_TA1BN");
    g_colMadaValues.Add("'B0101'", "$BRK_MODE");
    g_nCurEtNr = 1;
    g_sCurVarName = "$ET1_TA1BN";

    EXPECT_EQ(Build_Ex_Kin(" ebsys ", 3),
              "{ET1 #NONE,ET2 #NONE,ET3 #EBSYS,ET4 #NONE,ET5 #NONE,ET6 #NONE}");
    EXPECT_EQ(Build_Ex_Kin("ebsys", 7), "");
    EXPECT_EQ(Build_ETx_Ax("E2", 2), "{TR_A1 #E2,TR_A2 #NONE,TR_A3 #NONE}");
    EXPECT_EQ(Build_ETx_Ax("E2", 4), "{TR_A1 #NONE,TR_A2 #NONE,TR_A3 #E2}");
    EXPECT_EQ(Build_ETx_Ax("E2", 5), "");
    EXPECT_EQ(Build_ETx_Frame("1.5", 1), "{X 1.5,Y 0.0,Z 0.0,A 0.0,B 0.0,C 0.0}");
    EXPECT_EQ(Build_ETx_Frame("-2", 6), "{X 0.0,Y 0.0,Z 0.0,A 0.0,B 0.0,C -2}");
    EXPECT_EQ(Build_Brk_Mode("1", 3), "'B1101'");
    EXPECT_EQ(Build_Brk_Mode("0", 0), "'B0100'");
    EXPECT_EQ(Build_Brk_Mode("1", 4), "");

    g_nCurEtNr = 0;
    EXPECT_EQ(Build_ETx_Ax("E2", 2), "");
}

TEST_F(ValueSyntaxTest, BuildersStartFromThePendingChange) {
    g_colMadaValues.Add("'B11110000'", "$BRK_MODE");
    EXPECT_EQ(Build_Brk_Mode("1", 0), "'B0001'");
    std::string sPending = "'b0010'";
    PutMadaChange("$BRK_MODE", sPending);
    EXPECT_EQ(Build_Brk_Mode("1", 0), "'B0011'");
}

TEST_F(ValueSyntaxTest, BuildersWithoutACurrentValueGiveNothing) {
    g_nCurEtNr = 2;
    g_sCurVarName = "$ET2_TA1BN";
    EXPECT_EQ(Build_Ex_Kin("A", 1), "");
    EXPECT_EQ(Build_ETx_Ax("A", 2), "");
    EXPECT_EQ(Build_ETx_Frame("1", 1), "");
    EXPECT_EQ(Build_Brk_Mode("1", 0), "");
}

TEST_F(ValueSyntaxTest, BitStringFromPerAxisDigits) {
    struct Case {
        const char* digits; // elements 12 down to 7
        const char* sResult;
    };
    const Case cases[] = {
        {"000101", "'B0101'"}, {"010001", "'B00010001'"}, {"100000", "'B00100000'"},
        {"000000", "'B0000'"}, {"111111", "'B00111111'"}, {"001111", "'B1111'"},
    };
    for (const Case& c : cases) {
        ResetMadaGlobals();
        for (int i = 0; i < 6; ++i) {
            g_colMadaValues.Add(std::string(1, c.digits[i]),
                                "$EX_AX_ASYNC[" + std::to_string(12 - i) + "]");
        }
        EXPECT_EQ(Build_Bin_Value("$EX_AX_ASYNC[9]"), c.sResult) << c.digits;
        EXPECT_EQ(Build_Bin_Value("$EX_AX_ASYNC"), c.sResult) << c.digits;
    }
    EXPECT_THROW(Build_Bin_Value("$ASYNC_T1_FAST"), RunTimeError);
}

TEST_F(ValueSyntaxTest, CharacterOperations) {
    EXPECT_EQ(CollapseBlanks("A    B  C"), "A B C");
    EXPECT_EQ(CommaToPoint("1,5,6"), "1.5.6");
    EXPECT_EQ(PointToComma("1.5"), "1,5");
    EXPECT_EQ(RemoveQuotes("\"ABC\""), "ABC");
    EXPECT_EQ(RemoveBlanks(" {X 1, Y 2} "), "{X1,Y2}");
    EXPECT_EQ(RemoveStars("**a*"), "a");
    EXPECT_EQ(RemoveSemicolons(";a;b"), "ab");
    EXPECT_EQ(TabsToBlanks("a\tb\t"), "a b ");
}

} // namespace
} // namespace morvane::test
