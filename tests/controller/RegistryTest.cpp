#include <gtest/gtest.h>

#include "controller/Registry.h"
#include "tests/support/TestSupport.h"

namespace morvane::test {
namespace {

constexpr const char* kKey = "SOFTWARE\\TOVO Zirodir GmbH\\TOVO VSK\\OCX Control's\\UserMode";

class Registry : public ::testing::Test {
protected:
    void SetUp() override { SetRegistryFolder(dir.Path().string()); }
    void TearDown() override { SetRegistryFolder(""); }
    // Reads ActUserMode from a hive file with these bytes.
    bool Read(const std::string& sFile, RegistryValue& v) {
        dir.Write("HKEY_CURRENT_USER.reg", sFile);
        return ReadRegistryValue(RegistryHive::HKEY_CURRENT_USER, kKey, "ActUserMode", v);
    }
    TempDir dir;
};

const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";
const std::string kSection =
    "[HKEY_CURRENT_USER\\SOFTWARE\\TOVO Zirodir GmbH\\TOVO VSK\\OCX Control's\\UserMode]\r\n";

TEST_F(Registry, ReadsTextAndDwordValues) {
    struct Case {
        const char* sLine;
        RegistryValue expected;
    };
    const Case cases[] = {
        {"\"ActUserMode\"=dword:00000014", std::uint32_t{20}},
        {"\"actusermode\"=dword:FFFFFFFF", std::uint32_t{0xFFFFFFFF}},
        {"\"ActUserMode\"=\"20\"", std::string("20")},
        {"\"ActUserMode\"=\"a\\\\b \\\"q\\\"\"", std::string("a\\b \"q\"")},
        {"\"ActUserMode\" = \"x\" ", std::string("x")},
    };
    for (const Case& c : cases) {
        RegistryValue v;
        EXPECT_TRUE(Read(kHeader + kSection + c.sLine + "\r\n", v)) << c.sLine;
        EXPECT_EQ(v, c.expected) << c.sLine;
    }
}

TEST_F(Registry, OtherTypesAreFoundButLeaveTheValueUnchanged) {
    for (const char* sLine :
         {"\"ActUserMode\"=hex:14,00,\\\r\n  00,00", "\"ActUserMode\"=hex(2):32,00,30,00,00,00"}) {
        RegistryValue v = std::string("before");
        EXPECT_TRUE(Read(kHeader + kSection + sLine + "\r\n", v)) << sLine;
        EXPECT_EQ(v, RegistryValue(std::string("before")));
    }
}

TEST_F(Registry, MissingOrUnusableEntriesAreNotRead) {
    const std::string cases[] = {
        kHeader + kSection + "\"Other\"=dword:00000014\r\n",
        kHeader + "[HKEY_CURRENT_USER\\SOFTWARE\\Elsewhere]\r\n\"ActUserMode\"=dword:14\r\n",
        kHeader + "[HKEY_LOCAL_MACHINE\\" + kKey + "]\r\n\"ActUserMode\"=dword:14\r\n",
        kHeader + kSection + "\"ActUserMode\"=dword:nothex\r\n\"ActUserMode\"=garbage\r\n",
        kHeader + kSection + "\"ActUserMode\"=dword:14\r\n\"ActUserMode\"=-\r\n",
        kHeader + kSection + "\"ActUserMode\"=dword:14\r\n[-" + kSection.substr(1),
        "not a registry file\r\n" + kSection + "\"ActUserMode\"=dword:14\r\n",
        "",
    };
    for (const std::string& s : cases) {
        RegistryValue v;
        EXPECT_FALSE(Read(s, v)) << s;
    }
    std::filesystem::remove(dir.Path() / "HKEY_CURRENT_USER.reg");
    RegistryValue v;
    EXPECT_FALSE(ReadRegistryValue(RegistryHive::HKEY_CURRENT_USER, kKey, "ActUserMode", v));
}

TEST_F(Registry, ReadsTheUtf16ExportsOfTheEditor) {
    const std::string sUtf8 =
        kHeader + "; comment\r\n" + kSection + "\"ActUserMode\"=\"gr\xC3\xBC\xC3\x9F\"\r\n";
    std::string sUtf16 = "\xFF\xFE";
    // Every character of this text is below U+0100, so UTF-16 is the Latin-1 byte and a zero.
    for (std::size_t i = 0; i < sUtf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(sUtf8[i]);
        unsigned char u = c;
        if (c == 0xC3) {
            u = static_cast<unsigned char>(0xC0 + (static_cast<unsigned char>(sUtf8[++i]) - 0x80));
        }
        sUtf16 += static_cast<char>(u);
        sUtf16 += '\0';
    }
    RegistryValue v;
    ASSERT_TRUE(Read(sUtf16, v));
    EXPECT_EQ(v, RegistryValue(std::string("gr\xFC\xDF")));
    ASSERT_TRUE(Read("\xEF\xBB\xBF" + sUtf8, v));
    EXPECT_EQ(v, RegistryValue(std::string("gr\xFC\xDF")));
}

} // namespace
} // namespace morvane::test
