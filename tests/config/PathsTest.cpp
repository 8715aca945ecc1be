#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

#include "common/CodePage.h"
#include "config/IniFile.h"
#include "config/Paths.h"
#include "tests/support/TestSupport.h"

using namespace morvane;
using namespace morvane::test;

namespace {

// A main INI in a temporary folder, with HOME and XDG_DATA_HOME under the test's control.
class PathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_sSavedIni = g_sIniFile;
        for (const char* sName : {"HOME", "XDG_DATA_HOME"}) {
            const char* p = std::getenv(sName);
            m_saved.emplace_back(sName, p ? std::optional<std::string>(p) : std::nullopt);
        }
        ::setenv("HOME", "/home/service", 1);
        ::unsetenv("XDG_DATA_HOME");
        m_sFolder = FromPath(dir.Path()) + "/";
    }
    void TearDown() override {
        g_sIniFile = m_sSavedIni;
        for (const auto& [sName, value] : m_saved) {
            if (value) {
                ::setenv(sName.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(sName.c_str());
            }
        }
    }
    void LoadWith(const std::string& sMada, const std::string& sArchive) {
        g_sIniFile = FromPath(dir.Write("Morvan.ini", "[FILES]\r\nBNXMadaPath=" + sMada +
                                                          "\r\nArchivePath=" + sArchive + "\r\n"));
        LoadPaths();
    }
    TempDir dir;
    std::string m_sFolder;

private:
    std::string m_sSavedIni;
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

} // namespace

TEST_F(PathsTest, EmptyValuesTakeThePlatformDefaults) {
    LoadWith("", "  ");
    EXPECT_EQ(g_sMadaPath, "/home/service/.local/share/morvane/Mada/");
    EXPECT_EQ(g_sArchivePath, "/home/service/");
    ::setenv("XDG_DATA_HOME", "/data/xdg", 1);
    LoadPaths();
    EXPECT_EQ(g_sMadaPath, "/data/xdg/morvane/Mada/");
    ::setenv("XDG_DATA_HOME", "relative/xdg", 1);
    LoadPaths();
    EXPECT_EQ(g_sMadaPath, "/home/service/.local/share/morvane/Mada/")
        << "a relative XDG_DATA_HOME is ignored";
}

TEST_F(PathsTest, GivenFoldersEndWithASlashAndRelativeOnesStartAtTheIni) {
    const std::pair<std::string, std::string> cases[] = {
        {"/srv/mada", "/srv/mada/"},
        {"/srv/mada/", "/srv/mada/"},
        {"Mada", m_sFolder + "Mada/"},
        {"./local/../Mada/ ;comment", m_sFolder + "Mada/"},
        {"/srv/\xC4nderung", "/srv/\xC4nderung/"},
    };
    for (const auto& [sValue, sExpected] : cases) {
        LoadWith(sValue, sValue);
        EXPECT_EQ(g_sMadaPath, sExpected) << sValue;
        EXPECT_EQ(g_sArchivePath, sExpected) << sValue;
    }
}

TEST_F(PathsTest, IniPathsAreResolvedAgainstTheIniFolder) {
    g_sIniFile = m_sFolder + "Morvan.ini";
    EXPECT_EQ(ResolveIniPath("MorvanUser.ini"), m_sFolder + "MorvanUser.ini");
    EXPECT_EQ(ResolveIniPath("db/Versions.db"), m_sFolder + "db/Versions.db");
    EXPECT_EQ(ResolveIniPath("/etc/morvane/MorvanUser.ini"), "/etc/morvane/MorvanUser.ini");
    EXPECT_EQ(ResolveIniPath(""), "");
}
