// Start-up: the order of its steps on the demo controller, and every refusal with its box.
#include <QTabBar>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

#include "app/Startup.h"
#include "config/LanguageText.h"
#include "controller/ControllerConnection.h"
#include "grids/qt/ParamGrid.h"
#include "madata/ControlType.h"
#include "madata/MadaStore.h"
#include "tests/app/WindowFixture.h"

namespace morvane::test {
namespace {

std::filesystem::path LogFile(const TempDir& temp) {
    return temp.Path() / "state" / "morvane" / "Morvan.log";
}

using StartupTest = WindowTest;

TEST_F(StartupTest, BuildsTheGeneralTabBeforeTheSafetyScreenAndLogsAfterIt) {
    bool bGridBuiltFirst = false;
    bool bLogWrittenFirst = true;
    ASSERT_TRUE(StartAnswering([&](frmSplash& splash) {
        bGridBuiltFirst = W().GenAxData->Model().Text(1, 1) == "6" && g_bControlTypeRead;
        bLogWrittenFirst = std::filesystem::exists(LogFile(temp)) &&
                           ReadBytes(LogFile(temp)).find("Morvane") != std::string::npos;
        EXPECT_EQ(splash.Cmd_Cont->text().toStdString(), T("Continue"));
        splash.Cmd_Cont->click();
    }));
    EXPECT_EQ(nSafetyShown, 1);
    EXPECT_TRUE(bGridBuiltFirst);
    EXPECT_FALSE(bLogWrittenFirst);
    EXPECT_GT(std::filesystem::file_size(LogFile(temp)), 0u);
    EXPECT_TRUE(W().g_bInitFormdone);
    EXPECT_EQ(W().SelectedTab(), 0);
    EXPECT_EQ(W().LsrTab->tabText(3).toStdString(), T("ExtKinData"));
    EXPECT_EQ(W().BtnCmd[6]->text().toStdString(), T("Exit"));
    EXPECT_TRUE(W().BtnMenu[0]->isEnabled());
    EXPECT_EQ(W().size(), QSize(645, 485));
    EXPECT_EQ(W().pos(), QPoint(0, 0));
    EXPECT_TRUE(W().windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(g_sControlType, "(V)BN 57");
    EXPECT_FALSE(g_sMachineDat.empty());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(StartupTest, FormLoadAgainDoesNotInitialiseAgain) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(W().GenAxData->isVisible());
    W().Form_Load();
    EXPECT_TRUE(W().GenAxData->isVisible()); // InitForm would have hidden every grid
    EXPECT_TRUE(ui.boxes.empty());
}

struct Refusal {
    const char* sName;
    std::function<void(WindowTest&, StartOptions&)> prepare;
    const char* sKey; // the first box's text begins with this text and the suffix
    std::string sSuffix;
    MsgIcon icon;
};

void PrintTo(const Refusal& refusal, std::ostream* pOut) {
    *pOut << refusal.sName;
}

class StartupRefusalTest : public WindowTest, public ::testing::WithParamInterface<Refusal> {
public:
    void Prepare() { GetParam().prepare(*this, options); }
};

TEST_P(StartupRefusalTest, ShowsItsBoxEndsAndReleasesTheController) {
    Prepare();
    ui.Answer(MsgAnswer::OK);
    EXPECT_FALSE(Start());
    ASSERT_EQ(ui.boxes.size(), 1u);
    const std::string sStart = T(GetParam().sKey) + GetParam().sSuffix;
    EXPECT_EQ(ui.boxes[0].sText.substr(0, sStart.size()), sStart);
    EXPECT_EQ(ui.boxes[0].icon, GetParam().icon);
    EXPECT_TRUE(ui.bEnded);
    EXPECT_EQ(nSafetyShown, 0);
    EXPECT_EQ(g_oTrell, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, StartupRefusalTest,
    ::testing::Values(
        Refusal{"NoControllerImage", [](WindowTest&, StartOptions& o) { o.sControllerDir = ""; },
                "NotConnectTrell", "", MsgIcon::Error},
        Refusal{"UnreachableServer",
                [](WindowTest& t, StartOptions&) {
                    t.EditControllerIni("\nReachable=Yes", "\nReachable=No");
                },
                "NotConnectTrell", "", MsgIcon::Error},
        Refusal{"AutomaticMode",
                [](WindowTest& t, StartOptions&) {
                    t.EditControllerIni("$MODE_OP=#T1", "$MODE_OP=#AUT");
                },
                "FollowingConditionsNotFulfilled", "", MsgIcon::Information},
        Refusal{"MissingIni",
                [](WindowTest&, StartOptions& o) { o.sIniFile = "/nonexistent/Morvan.ini"; },
                "FileNotFound", ": /nonexistent/Morvan.ini", MsgIcon::Error}),
    [](const auto& info) { return std::string(info.param.sName); });

TEST_F(StartupTest, FailingPreconditionsListTheReasonAndTheClosingLine) {
    EditControllerIni("$PRO_STATE=#P_FREE", "$PRO_STATE=#P_ACTIVE");
    ui.Answer(MsgAnswer::OK);
    EXPECT_FALSE(Start());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_NE(ui.boxes[0].sText.find("- " + T("ProgramNotCanceled")), std::string::npos);
    const std::string sClosing = "\r\n\r\n" + T("TheToolWillBeClosed");
    EXPECT_EQ(ui.boxes[0].sText.substr(ui.boxes[0].sText.size() - sClosing.size()), sClosing);
}

TEST_F(StartupTest, UnknownControllerEndsBeforeTheSafetyScreen) {
    EditMachineDat("$TRAFONAME[]=\"#ARM6 57 S\"", "$TRAFONAME[]=\"#ARM6 X\"");
    EditMachineDat("$AXIS_RESO[1]=4096", "$AXIS_RESO[1]=2048");
    ui.Answer(MsgAnswer::OK);
    EXPECT_FALSE(Start());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText.rfind(T("UnknownControlType"), 0), 0u);
    EXPECT_EQ(ui.exitCalls, std::vector<bool>{false});
    EXPECT_EQ(nSafetyShown, 0);
}

TEST_F(StartupTest, UnreadableMachineDataAsksToExit) {
    EditControllerIni("\n[Server]", "\n[Fault SyncFile.5]\nCalls=Always\n\n[Server]");
    ui.Answer(MsgAnswer::OK);
    EXPECT_FALSE(Start());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText, T("CanNotReadMachineDat"));
    EXPECT_EQ(ui.exitCalls, std::vector<bool>{true});
    EXPECT_EQ(nSafetyShown, 0);
}

TEST_F(StartupTest, IniListWithoutFirstEntryEndsWithoutQuestions) {
    std::string sIni = ReadBytes(SourceDir() / "data" / "Morvan.ini");
    const std::size_t pos = sIni.find("1=$AXIS_TYPE");
    ASSERT_NE(pos, std::string::npos);
    sIni.replace(pos, 1, "0");
    options.sIniFile = temp.Write("ini/Morvan.ini", sIni).string();
    ui.Answer(MsgAnswer::OK);
    EXPECT_FALSE(Start());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText.rfind(T("NoParameterInSection"), 0), 0u);
    EXPECT_EQ(ui.exitCalls, std::vector<bool>{false});
}

TEST_F(StartupTest, WithoutLanguageTablesTheWindowStillComesUp) {
    LoadLanguageTexts(temp.Path().string() + "/no-texts/", "en");
    const bool bStarted = Start();
    LoadLanguageTexts((SourceDir() / "data" / "texts").string() + "/", "en");
    ASSERT_TRUE(bStarted);
    EXPECT_EQ(W().LsrTab->tabText(0), QString());
    EXPECT_EQ(W().mnusubfile[0]->text(), QString("&0 "));
    EXPECT_EQ(W().GenAxData->Model().Text(1, 0), "$NUM_AX");
}

TEST_F(StartupTest, SecondStartShowsAppIsRunningAndLeavesTheFirstAlone) {
    const int fd = ::open(options.sLockFile.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0); // the first instance
    ui.Answer(MsgAnswer::OK);
    EXPECT_FALSE(Start());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].sText, T("AppIsRunning"));
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Information);
    EXPECT_EQ(g_oTrell, nullptr); // never connected
    EXPECT_TRUE(std::filesystem::exists(options.sLockFile));
    EXPECT_NE(::flock(::open(options.sLockFile.c_str(), O_RDWR), LOCK_EX | LOCK_NB), 0);
    ::close(fd);
}

} // namespace
} // namespace morvane::test
