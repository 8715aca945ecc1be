#include <gtest/gtest.h>

#include "common/TextFunctions.h"

using namespace morvane;

TEST(TextFunctions, TrimRemovesBlanksOnly) {
    EXPECT_EQ(Trim("  ab c  "), "ab c");
    EXPECT_EQ(Trim("\tab\t"), "\tab\t");
    EXPECT_EQ(Trim("   "), "");
}

TEST(TextFunctions, TrimBlanksAndTabsKeepsInnerTabs) {
    EXPECT_EQ(TrimBlanksAndTabs(" \t ab\tc \t"), "ab\tc");
    EXPECT_EQ(TrimBlanksAndTabs(" \t "), "");
}

TEST(TextFunctions, ParagraphsStandAnEmptyLineApart) {
    EXPECT_EQ(Paragraphs("a", "b c"), "a\r\n\r\nb c");
    EXPECT_EQ(Paragraphs("", ""), "\r\n\r\n");
}

TEST(TextFunctions, UpperCaseFollowsTheCodePage) {
    EXPECT_EQ(UCase("abc$_1"), "ABC$_1");
    EXPECT_EQ(UCase("\xE4\xF6\xFC\xF7\xFF\x9A"), "\xC4\xD6\xDC\xF7\x9F\x8A");
    EXPECT_EQ(UCase("\xDF"), "\xDF") << "sharp s has no single upper-case byte";
    EXPECT_EQ(LCase("\xC4Z"), "\xE4z");
    EXPECT_TRUE(EqualsNoCase("$Ex_Kin", "$EX_KIN"));
}

TEST(TextFunctions, LikeMatchesStarDigitAndAnyChar) {
    struct Case {
        const char* s;
        const char* pattern;
        bool match;
    } cases[] = {
        {"\"#BN7 57 X\"", "*BN#* 57 *", true},
        {"\"#LINEAR 57 X\"", "*BN#* 57 *", false},
        {"\"#LINEAR 57 X\"", "* 57 *", true},
        {"57 X", "* 57 *", false},
        {"ABC", "A?C", true},
        {"AC", "A?C", false},
        {"A1", "A#", true},
        {"AX", "A#", false},
        {"", "*", true},
        {"X 86L Y", "*BN* 86L *", false},
        {"BN X 86L Y", "*BN* 86L *", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Like(c.s, c.pattern), c.match) << c.s << " ~ " << c.pattern;
    }
}

TEST(TextFunctions, ValReadsTheLeadingNumber) {
    struct Case {
        const char* s;
        double v;
    } cases[] = {{"12abc", 12}, {" 1 2 3", 123}, {"-4.5", -4.5}, {"1.5E3", 1500},
                 {"2e", 2},     {"abc", 0},      {"", 0},        {"&H1F", 31},
                 {".5", 0.5},   {"+7", 7},       {"3,5", 3},     {"1D2", 100}};
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(Val(c.s), c.v) << c.s;
    }
}

TEST(TextFunctions, IsNumericAcceptsOneWholeNumber) {
    for (const char* s : {"1", " -1.5 ", "+3", "1E5", ".5", "5.", "&H10"}) {
        EXPECT_TRUE(IsNumeric(s)) << s;
    }
    for (const char* s : {"", " ", "1a", "1.2.3", "-", ".", "E5", "1,5", "\"1\""}) {
        EXPECT_FALSE(IsNumeric(s)) << s;
    }
}

TEST(TextFunctions, NumberFormatsUseAPointAndRoundHalvesAway) {
    struct Case {
        double d;
        const char* format;
        const char* text;
    } cases[] = {
        {1, "##########0.0###", "1.0"},
        {1.23456, "##########0.0###", "1.2346"},
        {-0.5, "##########0.0###", "-0.5"},
        {0.125, "##########0.0#", "0.13"},
        {1.005, "##########0.0#", "1.01"},
        {2.5, "###########", "3"},
        {-2.5, "###########", "-3"},
        {0, "###########", ""},
        {0, "##########0.0###", "0.0"},
        {-0.00001, "##########0.0###", "0.0"},
        {123456.7, "##########0.0#", "123456.7"},
        {9.99996, "##########0.0###", "10.0"},
        {1e12, "###########", "1000000000000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatNumber(c.d, c.format), c.text) << c.d << " " << c.format;
    }
}

TEST(TextFunctions, NumberToTextIsShortAndExact) {
    struct Case {
        double d;
        const char* text;
    } cases[] = {
        {0.1, "0.1"},    {100, "100"},       {-2.5, "-2.5"},     {1.0 / 3, "0.333333333333333"},
        {1e20, "1E+20"}, {0.0001, "0.0001"}, {0.00001, "1E-05"}, {0, "0"}};
    for (const Case& c : cases) {
        EXPECT_EQ(NumberToText(c.d), c.text) << c.d;
    }
}

TEST(TextFunctions, InStrAndReplace) {
    EXPECT_EQ(InStr("abcabc", "c"), 3u);
    EXPECT_EQ(InStr("abcabc", "c", 4), 6u);
    EXPECT_EQ(InStr("abc", "x"), 0u);
    EXPECT_EQ(Replace("a  b  c", "  ", " "), "a b c");
    EXPECT_EQ(Replace("1,5", ",", "."), "1.5");
}
