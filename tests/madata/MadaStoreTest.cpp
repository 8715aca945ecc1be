#include <gtest/gtest.h>

#include "common/RunTimeError.h"
#include "madata/MadaStore.h"
#include "tests/madata/MadaFixtures.h"

namespace morvane::test {
namespace {

class MadaStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ResetMadaGlobals(); }
};

struct LineCase {
    const char* sKey;
    const char* sLine;
};

TEST_F(MadaStoreTest, FindsTheLineOfEveryKindOfVariable) {
    const LineCase cases[] = {
        {"$NUM_AX=", "$NUM_AX=6 ;number of robot axes"},
        {"$TRAFONAME[]=", "$TRAFONAME[]=\"#ARM6 57 S\""},
        {"$BRK_MODE=", "$BRK_MODE='B0101'"},
        {"SERVOFILE7[]=", "SERVOFILE7[]=\"MOTOR1\""},
        {"$JERK_MA", "$JERK_MA={AX {E1 100.0,E2 200.0,E3 300.0,E4 400.0,E5 500.0,E6 600.0}}"},
        {"$ET1_TA1BN=", "$ET1_TA1BN={X 0.0,Y 0.0,Z 0.0,A 0.0,B 0.0,C 0.0}"},
        {"$num_ax=", ""},
        {"$RAT_MOT_AX[2]=", ""},
        {"", ""},
    };
    for (std::string_view sEnd : {"\r\n", "\n"}) {
        const std::string sDat = SampleMachineDat(sEnd);
        for (const LineCase& c : cases) {
            EXPECT_EQ(GetLineFromKey(sDat, c.sKey), c.sLine)
                << c.sKey << " LF-only " << (sEnd == "\n");
        }
    }
}

struct WholeNameCase {
    const char* sWhat;
    std::string sText;
    const char* sKey;
    const char* sLine;
};

TEST_F(MadaStoreTest, KeyCountsOnlyAsWholeNameOutsideComments) {
    const WholeNameCase cases[] = {
        {"longer name first", JoinLines({"X$RAT_MOT_AX[1]={N 9,D 9}", "$RAT_MOT_AX[1]={N 1,D 1}"}),
         "$RAT_MOT_AX[1]=", "$RAT_MOT_AX[1]={N 1,D 1}"},
        {"commented-out line first",
         JoinLines({";$RAT_MOT_AX[1]={N 8,D 8}", "  $RAT_MOT_AX[1]={N 1,D 1}"}),
         "$RAT_MOT_AX[1]=", "$RAT_MOT_AX[1]={N 1,D 1}"},
        {"inside another line's comment",
         JoinLines({"INT $NUM_AX=6 ;was $AXIS_TYPE[7]=5", "$AXIS_TYPE[7]=3"}),
         "$AXIS_TYPE[7]=", "$AXIS_TYPE[7]=3"},
        {"name ending the same way", JoinLines({"$MY_SERVOFILE7[]=\"X\"", "$SERVOFILE7[]=\"M\""}),
         "SERVOFILE7[]=", "SERVOFILE7[]=\"M\""},
        {"letter before the dollar", JoinLines({"X$SERVOFILE7[]=\"X\"", "$SERVOFILE7[]=\"M\""}),
         "SERVOFILE7[]=", "SERVOFILE7[]=\"M\""},
        {"longer name after the key",
         JoinLines({"REAL $JERK_MAX=5", "DECL JERK_STRUC $JERK_MA={}"}), "$JERK_MA", "$JERK_MA={}"},
        {"after a type keyword", JoinLines({"DECL FRAME $ET1_TA1BN={X 1}"}),
         "$ET1_TA1BN=", "$ET1_TA1BN={X 1}"},
        {"only false matches", JoinLines({"X$NUM_AX=1", ";$NUM_AX=2"}), "$NUM_AX=", ""},
    };
    for (const WholeNameCase& c : cases) {
        EXPECT_EQ(GetLineFromKey(c.sText, c.sKey), c.sLine) << c.sWhat;
    }
}

TEST_F(MadaStoreTest, RewriteChangesTheLineThatReadingFinds) {
    const std::string sBefore =
        JoinLines({"X$RAT_MOT_AX[1]={N 9,D 9}", ";$RAT_MOT_AX[1]={N 8,D 8}"});
    g_sMachineDat = sBefore + JoinLines({"$RAT_MOT_AX[1]={N 1,D 1}", "ENDDAT"});
    ASSERT_TRUE(ReplaceMadaLine("$RAT_MOT_AX[1]={N 2,D 1} ", "", "$RAT_MOT_AX[1]="));
    EXPECT_EQ(g_sMachineDat, sBefore + JoinLines({"$RAT_MOT_AX[1]={N 2,D 1} ", "ENDDAT"}));
    EXPECT_EQ(GetLineFromKey(g_sMachineDat, "$RAT_MOT_AX[1]="), "$RAT_MOT_AX[1]={N 2,D 1}");
}

TEST_F(MadaStoreTest, LineWithoutLineEndIsAnError) {
    EXPECT_THROW(GetLineFromKey("INT $NUM_AX=6", "$NUM_AX="), RunTimeError);
    EXPECT_EQ(GetLineFromKey("INT $NUM_AX=6\r\nINT $EX_AX_NUM=2", "$NUM_AX="), "$NUM_AX=6");
}

TEST_F(MadaStoreTest, LineValueAndComment) {
    struct Case {
        const char* sLine;
        const char* sValue;
        const char* sValueOrBlank;
        const char* sComment;
    };
    const Case cases[] = {
        {"$NUM_AX=6 ;number of robot axes", "6", "6", ";number of robot axes"},
        {"$ET1_NAME[]=\"A;B\"", "\"A", "\"A", ";B\""},
        {"$A= x = y ", "x = y", "x = y", ""},
        {"$A=", "", "", ""},
        {"CHAR $TRAFONAME[32]", "", " ", ""},
        {"$A=1 ; \xE4\xF6\xFC \x80\xFF ", "1", "1", "; \xE4\xF6\xFC \x80\xFF"},
        {"", "", " ", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetLineValue(c.sLine), c.sValue) << c.sLine;
        EXPECT_EQ(GetLineValueOrBlank(c.sLine), c.sValueOrBlank) << c.sLine;
        EXPECT_EQ(GetLineComment(c.sLine), c.sComment) << c.sLine;
    }
}

TEST_F(MadaStoreTest, TextBetweenMarks) {
    struct Case {
        const char* sText;
        const char* sStart;
        const char* sEnd;
        const char* sResult;
    };
    const Case cases[] = {
        {"{ET1 #easys,ET2 #NONE}", "ET1 #", ",", "easys"},
        {"{X 1, Y 2}", "Y", "}", "2"},
        {"{X 1,Y 2}", "", ",", "{X 1"},
        {"{X 1,Y 2}", "Z", "}", ""},
        {"{X 1,Y 2", "Y", "}", ""},
        {"A,B", "A", "A", ""},
        {"\xE4x\xE4", "\xC4", "\xC4", "x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetTextBetween(c.sText, c.sStart, c.sEnd), c.sResult) << c.sText;
    }
}

TEST_F(MadaStoreTest, JerkComponents) {
    const std::string sLine = "$JERK_MA={AX {E1 10,E2 20,E3 30,E4 40,E5 50,E6 60}} ;limits";
    const char* expected[] = {"10", "20", "30", "40", "50", "60"};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(GetJerkComponent(sLine, "E" + std::to_string(i)), expected[i - 1]) << i;
    }
    const std::string sSpaced = "$JERK_MA={AX {E1  1.5 , E2 2,E3 3,E4 4,E5 5,E6 6.25} }";
    EXPECT_EQ(GetJerkComponent(sSpaced, "E1"), "1.5");
    EXPECT_EQ(GetJerkComponent(sSpaced, "E6"), "6.25");
    EXPECT_EQ(GetJerkComponent("$JERK_MA", "E1"), "");
    EXPECT_EQ(GetJerkComponent("$JERK_MA={AX {E1 1}}", "E4"), "");
}

TEST_F(MadaStoreTest, JerkComponentWithoutItsEndIsAnError) {
    EXPECT_THROW(GetJerkComponent("$JERK_MA={AX {E1 1,E2 2,E3 3,E4 4,E5 5,E6 6}", "E6"),
                 RunTimeError);
    EXPECT_THROW(GetJerkComponent("$JERK_MA={AX {E1 1}}", "E1"), RunTimeError);
}

TEST_F(MadaStoreTest, RewritingEveryLineWithItsOwnTextKeepsTheFileByteExact) {
    const char* keys[] = {"$NUM_AX=",         "$EX_AX_NUM=",
                          "$TRAFONAME[]=",    "$BRK_MODE=",
                          "$RAT_MOT_AX[1]=",  "$AXIS_TYPE[7]=",
                          "$CURR_COM_EX[1]=", "$SERVOFILE7[]=",
                          "$EX_AX_ASYNC=",    "DECL JERK_STRUC $JERK_MA=",
                          "$EX_KIN=",         "$ET1_AX=",
                          "$ET1_NAME[]=",     "$ET1_TA1BN="};
    for (const std::string& sOriginal :
         {SampleMachineDat("\r\n"), SampleMachineDat("\n"),
          std::string("; \xE4\xF6\xFC \x80\xFF\r\n") + SampleMachineDat("\r\n")}) {
        g_sMachineDat = sOriginal;
        for (const char* sKey : keys) {
            const std::string sLine = GetLineFromKey(g_sMachineDat, sKey);
            ASSERT_FALSE(sLine.empty()) << sKey;
            EXPECT_TRUE(ReplaceMadaLine(sLine, sLine, sKey)) << sKey;
            EXPECT_EQ(g_sMachineDat, sOriginal) << sKey;
        }
    }
}

TEST_F(MadaStoreTest, RewriteKeepsNeighbouringLinesAndLineEndsByteExact) {
    struct Case {
        const char* sWhat;
        std::string sBefore;
        std::string sLine;
        std::string sAfter;
    };
    const Case cases[] = {
        {"blanks at the line borders", "  ;head  \r\n", "INT $NUM_AX=6\r\n",
         "   $EX_AX_NUM=2  \r\n"},
        {"first line of the text", "", "INT $NUM_AX=6\r\n", "ENDDAT\r\n"},
        {"last line without line end", "ENDDAT\r\n", "INT $NUM_AX=6", ""},
        {"LF line ends", "A\n", "INT $NUM_AX=6\n", "B\n"},
        {"empty lines around", "\r\n\r\n", "INT $NUM_AX=6\r\n", "\r\n"},
    };
    for (const Case& c : cases) {
        g_sMachineDat = c.sBefore + c.sLine + c.sAfter;
        ASSERT_TRUE(ReplaceMadaLine("$NUM_AX=4 ", "", "$NUM_AX=")) << c.sWhat;
        const std::size_t nEnd = c.sLine.find_first_of("\r\n");
        const std::string sEnd = nEnd == std::string::npos ? "" : c.sLine.substr(nEnd);
        EXPECT_EQ(g_sMachineDat, c.sBefore + "INT $NUM_AX=4 " + sEnd + c.sAfter) << c.sWhat;
    }
}

TEST_F(MadaStoreTest, RewriteKeepsTypeKeywordsAndDropsOtherPrefixes) {
    struct Case {
        const char* sLine;
        const char* sKey;
        const char* sNew;
        const char* sResult;
    };
    const Case cases[] = {
        {"INT $NUM_AX=6", "$NUM_AX=", "$NUM_AX=4", "INT $NUM_AX=4"},
        {"  real $R=1.0", "$R=", "$R=2.0", "REAL $R=2.0"},
        {"DECL EX_KIN $EX_KIN={}", "$EX_KIN=", "$EX_KIN={ET1 #A}", "DECL EX_KIN $EX_KIN={ET1 #A}"},
        {"DECL FRAME $ET1_TA1BN={}", "$ET1_TA1BN=", "$ET1_TA1BN={X 1}",
         "DECL FRAME $ET1_TA1BN={X 1}"},
        {"decl int $I[2]=1", "$I[2]=", "$I[2]=3", "DECL INT $I[2]=3"},
        {"BOOL $B=TRUE", "$B=", "$B=FALSE", "BOOL $B=FALSE"},
        {"SIGNAL $S=1", "$S=", "$S=2", "$S=2"},
        {"  $U=1", "$U=", "$U=2", "$U=2"},
        {"DECL JERK_STRUC $JERK_MA={AX {E1 1}}", "DECL JERK_STRUC $JERK_MA=",
         "DECL JERK_STRUC $JERK_MA={AX {E1 2}}", "DECL JERK_STRUC $JERK_MA={AX {E1 2}}"},
    };
    for (const Case& c : cases) {
        g_sMachineDat = JoinLines({";x", c.sLine, "ENDDAT"});
        ASSERT_TRUE(ReplaceMadaLine(c.sNew, c.sLine, c.sKey)) << c.sLine;
        EXPECT_EQ(g_sMachineDat, JoinLines({";x", c.sResult, "ENDDAT"})) << c.sLine;
    }
}

TEST_F(MadaStoreTest, RewriteOfAMissingKeyChangesNothing) {
    g_sMachineDat = JoinLines({"X$NUM_AX=1", ";$NUM_AX=2"});
    const std::string sBefore = g_sMachineDat;
    EXPECT_FALSE(ReplaceMadaLine("$NUM_AX=3", "", "$NUM_AX="));
    EXPECT_FALSE(ReplaceMadaLine("$NUM_AX=3", "", ""));
    EXPECT_EQ(g_sMachineDat, sBefore);
}

} // namespace
} // namespace morvane::test
