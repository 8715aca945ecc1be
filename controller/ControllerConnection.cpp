#include "controller/ControllerConnection.h"

#include <cstdlib>
#include <filesystem>

#include "common/CodePage.h"
#include "common/FileIo.h"
#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/LanguageText.h"
#include "controller/ControllerFileName.h"
#include "controller/Registry.h"
#include "controller/TrellComm.h"
#include "controller/sim/ServerObjects.h"

namespace morvane {

cTrellComm* g_oTrell = nullptr;

namespace {

constexpr std::string_view kUserModeKey =
    "SOFTWARE\\TOVO Zirodir GmbH\\TOVO VSK\\OCX Control's\\UserMode";
constexpr double kExpertGroup = 20;

std::function<void()>& PendantDeactivation() {
    static std::function<void()> deactivate;
    return deactivate;
}

// The main window answers none of the object's notifications.
TrellParent& SilentParent() {
    static TrellParent parent;
    return parent;
}

cTrellComm& Trell() {
    if (!g_oTrell) {
        g_oTrell = new cTrellComm;
    }
    return *g_oTrell;
}

void ReleaseTrell() {
    delete g_oTrell;
    g_oTrell = nullptr;
}

void AddReason(std::string& sReasons, std::string_view sKey) {
    sReasons += std::string(kCrLf) + "- " + T(sKey);
}

} // namespace

void SetControllerImage(std::string_view sDir) {
    SetServerProvider(sim::SimulatedServerProvider(ToPath(sDir)));
    SetRegistryFolder(sDir);
}

void SetPendantDeactivation(std::function<void()> deactivate) {
    PendantDeactivation() = std::move(deactivate);
}

bool ConnectController(void*) {
    Trell().Init(&SilentParent());
    if (Trell().ConnectToTrell("ConfExtAxData", 0)) {
        return true;
    }
    MsgBox(T("NotConnectTrell"), MsgButtons::OK, MsgIcon::Error);
    ReleaseTrell();
    return false;
}

void DisconnectController() {
    if (g_oTrell) {
        g_oTrell->ServerOff();
    }
    ReleaseTrell();
    if (PendantDeactivation()) {
        PendantDeactivation()();
    }
}

bool CheckPreconditions(std::string& sReasons) {
    sReasons.clear();
    bool bOk = true;
    RegistryValue vGroup;
    if (ReadRegistryValue(RegistryHive::HKEY_CURRENT_USER, kUserModeKey, "ActUserMode", vGroup)) {
        double dGroup = 0;
        if (const std::string* p = std::get_if<std::string>(&vGroup)) {
            dGroup = Val(*p);
        } else if (const std::uint32_t* n = std::get_if<std::uint32_t>(&vGroup)) {
            dGroup = *n;
        }
        if (dGroup < kExpertGroup) {
            AddReason(sReasons, "UserGroupExpertNotSelected");
            bOk = false;
        }
    }
    std::string sText;
    if (Trell().ShowVar("$MODE_OP", sText) && sText.find("#T1") == std::string::npos &&
        sText.find("#T2") == std::string::npos) {
        AddReason(sReasons, "ModeSelectorSwitchNotT1T2");
        bOk = false;
    }
    sText.clear();
    if (Trell().ShowVar("$PRO_STATE", sText) && sText.find("#P_FREE") == std::string::npos) {
        AddReason(sReasons, "ProgramNotCanceled");
        bOk = false;
    }
    if (bOk) {
        return true;
    }
    sReasons = T("FollowingConditionsNotFulfilled") + std::string(kCrLf) + sReasons;
    return false;
}

bool StopInterpreters() {
    const bool bControl = Trell().ControlLevelStop(3000);
    const bool bRobot = Trell().RobotLevelStop(3000);
    const bool bCancel = Trell().CancelModul(-1);
    return bControl && bRobot && bCancel;
}

bool RestartSubmitInterpreter() {
    return Trell().RunControlLevel("", 3000);
}

bool UploadFileToText(std::string_view sFile, std::string& sText) {
    // Only a plain name: the local copy is read back under it, inside the templates folder.
    if (!IsPlainControllerFileName(sFile)) {
        return false;
    }
    std::string sFolder = GetTempFolder();
    if (!Trell().UpLoadFromRobotToDisk(sFile, sFolder, "", 15000)) {
        return false;
    }
    return ReadWholeFile(sFolder + std::string(sFile), sText);
}

void LoadControllerFile(std::string_view sFile, std::string& sText) {
    sText.clear();
    if (!UploadFileToText(sFile, sText)) {
        sText.clear();
    }
}

bool DownloadTextToController(std::string_view sFileName, std::string_view sText) {
    if (!IsPlainControllerFileName(sFileName)) {
        return false;
    }
    return Trell().DownLoadMemToRobot(sFileName, sText, 15000, false);
}

std::string GetTempFolder() {
    std::filesystem::path folder;
    const char* pCache = std::getenv("XDG_CACHE_HOME");
    const char* pHome = std::getenv("HOME");
    if (pCache && *pCache == '/') {
        folder = std::filesystem::path(pCache) / "morvane";
    } else if (pHome && *pHome) {
        folder = std::filesystem::path(pHome) / ".cache" / "morvane";
    } else {
        folder = std::filesystem::temp_directory_path() / "morvane";
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::string s = FromPath(folder);
    if (!s.ends_with("/")) {
        s += "/";
    }
    return s;
}

} // namespace morvane
