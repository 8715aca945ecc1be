#include <gtest/gtest.h>

#include "common/CodePage.h"
#include "config/IniFile.h"
#include "config/LanguageText.h"
#include "tests/support/TestSupport.h"

using namespace morvane;
using namespace morvane::test;

namespace {

// Joins lines with the given line end.
std::string Lines(std::initializer_list<std::string> lines, const std::string& sEnd) {
    std::string s;
    for (const std::string& line : lines) {
        s += line + sEnd;
    }
    return s;
}

std::string SampleIni(const std::string& sEnd) {
    return Lines({"Orphan=before any section",
                  "; a comment line",
                  "[Values]",
                  "Plain=abc",
                  "Padded=  abc ; note",
                  "Leading=;only a comment",
                  "Empty=",
                  "Blanks=   ",
                  "Tabbed=\tvalue\t",
                  "  Spaced  =  v w  ",
                  "Quoted=\"x\"",
                  "MiXeD=case",
                  "Dup=first",
                  "Dup=second",
                  "Degree=90\xB0",
                  "Long=" + std::string(70, 'a') + "bcdefghijKLMN",
                  "LateSemicolon=" + std::string(79, 'z') + ";x",
                  "Ratio={N 1,D 2} ;gear",
                  "[values]",
                  "Plain=other",
                  "OnlyInSecond=x",
                  "[ Other ]",
                  "Key=v",
                  "NoEqualsSign"},
                 sEnd);
}

struct ValueCase {
    const char* sSection;
    const char* sKey;
    std::string sExpected;
};

const ValueCase kValueCases[] = {
    {"Values", "Plain", "abc"},
    {"Values", "Padded", "abc"},
    {"Values", "Leading", ""},
    {"Values", "Empty", ""},
    {"Values", "Blanks", ""},
    {"Values", "Tabbed", "value"},
    {"Values", "Spaced", "v w"},
    {"Values", "Quoted", "\"x\""},
    {"VALUES", "mixed", "case"},
    {"values", "PLAIN", "abc"},
    {"Values", "Dup", "first"},
    {"Values", "Degree", "90\xB0"},
    {"Values", "Long", std::string(70, 'a') + "bcdefghij"},
    {"Values", "LateSemicolon", std::string(79, 'z')},
    {"Values", "Ratio", "{N 1,D 2}"},
    {"Values", "OnlyInSecond", ""}, // only the first matching section counts
    {"Other", "Key", "v"},
    {"Other", "NoEqualsSign", ""},
    {"Values", "Orphan", ""},
    {"Values", "Missing", ""},
    {"Missing", "Plain", ""},
};

class IniFileTest : public UiTest {
protected:
    void SetUp() override { m_sSavedIni = g_sIniFile; }
    void TearDown() override {
        g_sIniFile = m_sSavedIni;
        UiTest::TearDown();
    }
    std::string Write(const std::string& sName, const std::string& sBytes) {
        return FromPath(dir.Write(sName, sBytes));
    }
    TempDir dir;

private:
    std::string m_sSavedIni;
};

} // namespace

TEST_F(IniFileTest, ValuesFollowTheMatchingRulesWithEitherLineEnd) {
    for (const std::string sEnd : {"\r\n", "\n"}) {
        const std::string sFile = Write(sEnd == "\n" ? "lf.ini" : "crlf.ini", SampleIni(sEnd));
        for (const ValueCase& c : kValueCases) {
            EXPECT_EQ(ReadIniValue(c.sSection, c.sKey, sFile), c.sExpected)
                << "[" << c.sSection << "] " << c.sKey << (sEnd == "\n" ? " (LF)" : " (CR LF)");
        }
    }
}

TEST_F(IniFileTest, AnEmptyFileArgumentReadsTheMainIni) {
    g_sIniFile = Write("Morvan.ini", "[FILES]\r\nLogFile=/var/log/m.log\r\n");
    EXPECT_EQ(ReadIniValue("Files", "LogFile"), "/var/log/m.log");
    EXPECT_EQ(ReadIniValue("Files", "LogFile", ""), "/var/log/m.log");
}

TEST_F(IniFileTest, AMissingOrVanishedFileReadsEmpty) {
    const std::string sFile = Write("gone.ini", "[A]\nKey=1\n");
    EXPECT_EQ(ReadIniValue("A", "Key", sFile), "1");
    std::filesystem::remove(ToPath(sFile));
    EXPECT_EQ(ReadIniValue("A", "Key", sFile), "");
    EXPECT_EQ(ReadIniValue("A", "Key", FromPath(dir.Path() / "never.ini")), "");
}

TEST_F(IniFileTest, AChangedFileIsReadAgainEvenWithItsSizeAndTimeUnchanged) {
    const std::string sFile = Write("edit.ini", "[A]\nKey=1\n");
    EXPECT_EQ(ReadIniValue("A", "Key", sFile), "1");
    const auto stamp = std::filesystem::last_write_time(ToPath(sFile));
    Write("edit.ini", "[A]\nKey=2\n");
    std::filesystem::last_write_time(ToPath(sFile), stamp);
    EXPECT_EQ(ReadIniValue("A", "Key", sFile), "2");
    Write("edit.ini", "[A]\nKey=three\n");
    EXPECT_EQ(ReadIniValue("A", "Key", sFile), "three");
}

TEST(CutAtNul, EndsTheTextAtTheFirstNul) {
    EXPECT_EQ(CutAtNul(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(CutAtNul("abc"), "abc");
    EXPECT_EQ(CutAtNul(std::string("\0x", 2)), "");
}

TEST_F(IniFileTest, ListsEndAtTheFirstEmptyKey) {
    const std::string sFile = Write("lists.ini", "[Gap]\r\n1=$NUM_AX\r\n2= $ex_ax_num ;lower\r\n"
                                                 "4=after the gap\r\n"
                                                 "[Comment]\r\n1=first\r\n2=;only a comment\r\n"
                                                 "3=never read\r\n");
    const KeyedCollection gap = ReadIniSection("gap", sFile);
    ASSERT_EQ(gap.Count(), 2);
    EXPECT_EQ(gap.Item(1), "$NUM_AX");
    EXPECT_EQ(gap.Item(2), "$ex_ax_num");
    EXPECT_EQ(gap.KeyAt(1), "") << "entries are stored without keys";
    EXPECT_EQ(ReadIniSection("Comment", sFile).Count(), 1);
}

TEST_F(IniFileTest, AListWithoutEntryOneShowsTheSectionAndEndsTheProgram) {
    g_sIniFile = Write("Morvan.ini", "[MainData]\r\n1=\r\n2=$NUM_AX\r\n");
    for (const char* sSection : {"MainData", "NoSuchSection"}) {
        ui.Answer(MsgAnswer::OK);
        EXPECT_THROW(ReadIniSection(sSection), ProgramEnded);
        ASSERT_FALSE(ui.boxes.empty());
        EXPECT_FALSE(T("NoParameterInSection").empty());
        EXPECT_EQ(ui.boxes.back().sText,
                  T("NoParameterInSection") + "  [" + std::string(sSection) + "]");
        EXPECT_EQ(ui.boxes.back().icon, MsgIcon::Error);
        EXPECT_EQ(ui.boxes.back().buttons, MsgButtons::OK);
    }
    EXPECT_EQ(ui.exitCalls, (std::vector<bool>{false, false})) << "no exit question";
}

TEST_F(IniFileTest, AListWithoutEntryOneIsEmptyWhenTheExitReturns) {
    ui.SetExitReturns(true);
    ui.Answer(MsgAnswer::OK);
    EXPECT_TRUE(ReadIniSection("Missing", Write("a.ini", "[Other]\n1=x\n")).Empty());
    EXPECT_EQ(ui.exitCalls.size(), 1u);
}
