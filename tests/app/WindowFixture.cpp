#include "tests/app/WindowFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "controller/ControllerConnection.h"
#include "grids/ChangeLists.h"
#include "grids/CurrentVariable.h"
#include "grids/GridFill.h"
#include "madata/ControlType.h"
#include "madata/MadaStore.h"
#include "servo/ServoFileModel.h"

namespace morvane::test {

namespace {

void ReplaceInFile(const std::filesystem::path& file, const std::string& sFind,
                   const std::string& sReplace) {
    std::string sText = ReadBytes(file);
    const std::size_t pos = sText.find(sFind);
    ASSERT_NE(pos, std::string::npos) << sFind << " not in " << file;
    sText.replace(pos, sFind.size(), sReplace);
    std::ofstream(file, std::ios::binary) << sText;
}

// Every global the window's run leaves behind, back to a fresh process's state.
void ResetProgramState() {
    g_sMachineDat.clear();
    g_bVarDefsLoaded = false;
    g_bSafetyActive = false;
    g_bEditActive = false;
    g_sServoMode.clear();
    g_sControlType.clear();
    g_bRobotModelTrafo = true;
    g_nCurEtNr = 0;
    g_sActiveGenGrid.clear();
    g_sActiveKinGrid.clear();
    g_sActiveSFGrid.clear();
    for (bool& bEnabled : g_abWindowMenuEnabled) {
        bEnabled = true;
    }
    g_bServoMenuEnabled = true;
    g_colSFChanges = KeyedCollection();
    g_colMadaChanges = KeyedCollection();
}

} // namespace

void EnsureQtApplication() {
    static QApplication* pApp = [] {
        static int argc = 1;
        static char sName[] = "test_app";
        static char* argv[] = {sName, nullptr};
        return new QApplication(argc, argv);
    }();
    (void)pApp;
}

void WindowTest::SetUp() {
    EnsureQtApplication();
    ResetProgramState();
    const std::string sTemp = temp.Path().string();
    setenv("XDG_STATE_HOME", (sTemp + "/state").c_str(), 1);
    setenv("XDG_CACHE_HOME", (sTemp + "/cache").c_str(), 1);
    setenv("XDG_DATA_HOME", (sTemp + "/data").c_str(), 1);
    const std::filesystem::path image = temp.Path() / "image";
    std::filesystem::copy(SourceDir() / "data" / "demo-controller", image,
                          std::filesystem::copy_options::recursive);
    std::filesystem::create_directories(image / "R1" / "Mada");
    options.sIniFile = (SourceDir() / "data" / "Morvan.ini").string();
    options.sControllerDir = image.string();
    options.sMadaDir = (image / "R1" / "Mada").string() + "/";
    options.sLockFile = sTemp + "/morvane.lock";
}

void WindowTest::TearDown() {
    for (QTimer* pTimer : qApp->findChildren<QTimer*>(Qt::FindDirectChildrenOnly)) {
        delete pTimer;
    }
    m_pWindow.reset();
    DisconnectController();
    ReleaseSingleInstance();
    EXPECT_TRUE(ui.unexpected.empty()) << ui.unexpected.front();
    EXPECT_EQ(ui.nPendingAnswers(), 0) << "scripted answers left over";
}

void WindowTest::EditMachineDat(const std::string& sFind, const std::string& sReplace) {
    ReplaceInFile(temp.Path() / "image" / "R1" / "$MACHINE.DAT", sFind, sReplace);
}

void WindowTest::EditControllerIni(const std::string& sFind, const std::string& sReplace) {
    ReplaceInFile(temp.Path() / "image" / "controller.ini", sFind, sReplace);
}

bool WindowTest::Start() {
    return StartAnswering([](frmSplash& splash) { splash.Cmd_Cont->click(); });
}

bool WindowTest::StartAnswering(std::function<void(frmSplash&)> onSafety) {
    if (options.sControllerDir.empty()) {
        SetServerProvider(nullptr);
    } else {
        SetControllerImage(options.sControllerDir);
    }
    m_pWindow = std::make_unique<ConfExtAx>(options);
    WhenModalShown<frmSplash>([this, onSafety](frmSplash& splash) {
        ++nSafetyShown;
        onSafety(splash);
    });
    try {
        Main(*m_pWindow);
    } catch (const ProgramEnded&) {
        return false;
    }
    m_pWindow->activateWindow();
    QApplication::processEvents();
    return true;
}

} // namespace morvane::test
