#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

#include "config/LanguageText.h"
#include "tests/support/TestSupport.h"

using namespace morvane;
using namespace morvane::test;

namespace {

// Loads tables from a temporary folder and puts the shipped English texts back afterwards.
class LanguageTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("ConfExtAxis.xx.txt", "\xEF\xBB\xBF# comment=not a text\r\n"
                                        "Hello=Hello world\r\n"
                                        "Break=Line one\\nLine two\n"
                                        "Path=C:\\\\Mada\\\\ and \\t stays\n"
                                        "Umlaut=Gr\xC3\xBC\xC3\x9F"
                                        "e \xE2\x82\xAC 90\xC2\xB0 \xE4\xB8\xAD\n"
                                        "  Padded  =  text  \n"
                                        "Equation=a=b\n"
                                        "no equals sign\n");
        dir.Write("Other.xx.txt", "Hello=from the other module\n");
        LoadLanguageTexts(dir.Path().string() + "/", "xx");
    }
    void TearDown() override {
        LoadLanguageTexts((SourceDir() / "data" / "texts").string() + "/", "en");
    }
    TempDir dir;
};

} // namespace

TEST_F(LanguageTextTest, TextsAreLookedUpByKeyAndConverted) {
    const std::pair<const char*, std::string> cases[] = {
        {"Hello", "Hello world"},
        {"hello", "Hello world"},
        {"Break", "Line one\r\nLine two"},
        {"Path", "C:\\Mada\\ and \\t stays"},
        {"Umlaut", "Gr\xFC\xDF"
                   "e \x80 90\xB0 ?"},
        {"Padded", "text"},
        {"Equation", "a=b"},
        {"# comment", ""},
        {"no equals sign", ""},
        {"Unknown", ""},
        {"", ""},
    };
    for (const auto& [sKey, sExpected] : cases) {
        EXPECT_EQ(T(sKey), sExpected) << sKey;
        EXPECT_EQ(GetLanguageText(sKey, "ConfExtAxis"), sExpected) << sKey;
    }
}

TEST_F(LanguageTextTest, OtherModulesReadTheirOwnTable) {
    EXPECT_EQ(GetLanguageText("Hello", "Other"), "from the other module");
    EXPECT_EQ(GetLanguageText("Hello", "Missing"), "");
}

TEST_F(LanguageTextTest, AMissingTableLeavesEveryTextEmpty) {
    LoadLanguageTexts(dir.Path().string(), "zz");
    EXPECT_EQ(T("Hello"), "");
    LoadLanguageTexts(dir.Path().string(), "XX");
    EXPECT_EQ(T("Hello"), "Hello world") << "folder without trailing slash, language in capitals";
}

namespace {

// Sets the language variables for one test and restores them afterwards.
class LanguageChoiceTest : public ::testing::Test {
protected:
    static constexpr const char* kNames[] = {"MORVANE_LANG", "LC_ALL", "LC_MESSAGES", "LANG"};
    void SetUp() override {
        for (const char* sName : kNames) {
            const char* p = std::getenv(sName);
            m_saved.push_back(p ? std::optional<std::string>(p) : std::nullopt);
            ::unsetenv(sName);
        }
    }
    void TearDown() override {
        for (std::size_t i = 0; i < std::size(kNames); ++i) {
            if (m_saved[i]) {
                ::setenv(kNames[i], m_saved[i]->c_str(), 1);
            } else {
                ::unsetenv(kNames[i]);
            }
        }
    }

private:
    std::vector<std::optional<std::string>> m_saved;
};

} // namespace

TEST_F(LanguageChoiceTest, OptionThenVariableThenLocaleThenEnglish) {
    EXPECT_EQ(ChooseLanguage(""), "en");
    ::setenv("LANG", "fr_FR.UTF-8", 1);
    EXPECT_EQ(ChooseLanguage(""), "fr");
    ::setenv("LC_MESSAGES", "C", 1);
    EXPECT_EQ(ChooseLanguage(""), "en") << "the first locale variable set decides";
    ::setenv("LC_ALL", "de_AT.UTF-8@euro", 1);
    EXPECT_EQ(ChooseLanguage(""), "de");
    ::setenv("MORVANE_LANG", "EN", 1);
    EXPECT_EQ(ChooseLanguage(""), "en");
    EXPECT_EQ(ChooseLanguage("de"), "de");
}
