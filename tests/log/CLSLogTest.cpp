#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "common/CodePage.h"
#include "log/CLSLog.h"
#include "tests/support/TestSupport.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

const std::string kRule(73, '-');
const std::string kVersion = std::to_string(MORVANE_VERSION_MAJOR) + "\\." +
                             std::to_string(MORVANE_VERSION_MINOR) + "\\." +
                             std::to_string(MORVANE_VERSION_PATCH);
const std::string kHeaderPattern = kRule + "\r\n\r\nMorvane Ver\\. " + kVersion +
                                   ": activate \\d\\d\\.\\d\\d\\.\\d{4}, \\d\\d:\\d\\d:\\d\\d\r\n";

// Sets or clears an environment variable for the life of the object.
class EnvOverride {
public:
    EnvOverride(const char* pszName, const std::optional<std::string>& value) : m_name(pszName) {
        if (const char* pszOld = std::getenv(pszName)) {
            m_old = pszOld;
        }
        Set(value);
    }
    ~EnvOverride() { Set(m_old); }
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

private:
    void Set(const std::optional<std::string>& value) {
        if (value) {
            setenv(m_name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(m_name.c_str());
        }
    }
    std::string m_name;
    std::optional<std::string> m_old;
};

class LogTest : public test::UiTest {
protected:
    void SetUp() override { g_sLogFile.clear(); }
    void TearDown() override {
        g_sLogFile.clear();
        UiTest::TearDown();
    }
    fs::path UseLog(const std::string& sName) {
        const fs::path path = dir.Path() / sName;
        g_sLogFile = FromPath(path);
        return path;
    }
    test::TempDir dir;
};

TEST_F(LogTest, EmptyPathLogsToTheUserStateFolder) {
    struct Case {
        bool bStateHome;
        fs::path relative;
    };
    const Case cases[] = {
        {true, "state/morvane/Morvan.log"},
        {false, "home/.local/state/morvane/Morvan.log"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.relative);
        test::TempDir root;
        EnvOverride home("HOME", FromPath(root.Path() / "home"));
        EnvOverride state("XDG_STATE_HOME",
                          c.bStateHome ? std::optional<std::string>(FromPath(root.Path() / "state"))
                                       : std::nullopt);
        g_sLogFile.clear();
        g_oLog().Log("first", false);
        EXPECT_EQ(g_sLogFile, FromPath(root.Path() / c.relative));
        EXPECT_EQ(test::ReadBytes(root.Path() / c.relative), "first\r\n");
    }
}

TEST_F(LogTest, LinesAreTrimmedAndTimedOnRequest) {
    const fs::path path = UseLog("Morvan.log");
    g_oLog().Log("   $NUM_AX = 6  ", false);
    g_oLog().Log(" saved MOTOR1.servo ", true);
    const std::string sText = test::ReadBytes(path);
    EXPECT_TRUE(std::regex_match(
        sText, std::regex("\\$NUM_AX = 6\r\n\\d\\d\\.\\d\\d\\.\\d{4},\\d\\d:\\d\\d:\\d\\d: "
                          "saved MOTOR1\\.servo\r\n")))
        << sText;
}

TEST_F(LogTest, StartCutsAnOversizedLogToItsTailBeforeTheHeader) {
    struct Case {
        std::size_t nSize;
        bool bDefaultPath;
        bool bCut;
    };
    const Case cases[] = {
        {600000, false, true},
        {600000, true, true},
        {500000, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nSize);
        test::TempDir root;
        EnvOverride state("XDG_STATE_HOME", FromPath(root.Path()));
        std::string sOld;
        for (std::size_t i = 0; sOld.size() < c.nSize; ++i) {
            sOld += "line " + std::to_string(i) + "\r\n";
        }
        sOld.resize(c.nSize);
        const fs::path path = root.Write("morvane/Morvan.log", sOld);
        g_sLogFile = c.bDefaultPath ? std::string() : FromPath(path);

        g_oLog().LogFile();

        const std::string sKept = c.bCut ? sOld.substr(sOld.size() - 100000) + "\r\n" : sOld;
        const std::string sText = test::ReadBytes(path);
        ASSERT_GT(sText.size(), sKept.size());
        EXPECT_EQ(sText.substr(0, sKept.size()), sKept);
        EXPECT_TRUE(std::regex_match(sText.substr(sKept.size()), std::regex(kHeaderPattern)));
    }
}

TEST_F(LogTest, EveryStartWritesItsOwnHeader) {
    const fs::path path = UseLog("Morvan.log");
    g_oLog().LogFile();
    g_oLog().LogFile();
    const std::string sText = test::ReadBytes(path);
    EXPECT_TRUE(std::regex_match(sText, std::regex(kHeaderPattern + kHeaderPattern))) << sText;
}

TEST_F(LogTest, UnwritableLogIsLeftAloneWithoutAMessage) {
    const std::string sOld(600000, 'x');
    const fs::path path = UseLog("Morvan.log");
    dir.Write("Morvan.log", sOld);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    g_oLog().LogFile();
    g_oLog().Log("change", true);
    EXPECT_EQ(test::ReadBytes(path), sOld);

    UseLog("missing/Morvan.log");
    g_oLog().LogFile();
    g_oLog().Log("change", false);
    EXPECT_FALSE(fs::exists(dir.Path() / "missing"));
    EXPECT_TRUE(ui.boxes.empty());
}

} // namespace
} // namespace morvane
