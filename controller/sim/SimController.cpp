#include "controller/sim/SimController.h"

#include "common/CodePage.h"
#include "common/FileIo.h"
#include "common/TextFunctions.h"

namespace morvane::sim {

namespace {
ControllerSettings LoadSettings(const ImageFolder& image) {
    std::string sText;
    if (!image.IsReachable() || !ReadWholeFile(FromPath(image.ControllerIni()), sText)) {
        ControllerSettings none;
        none.bReachable = false;
        return none;
    }
    return ReadControllerIni(sText);
}
} // namespace

SimController::SimController(std::filesystem::path root)
    : image{std::move(root)}, settings(LoadSettings(image)), journal(image.JournalFile()),
      vars(settings.variables), faults(settings.faults), files(image.R1()),
      interpreters(vars, journal, settings.bControlLevelRunning, settings.bRobotLevelRunning),
      m_bReachable(settings.bReachable) {
    vars.SetListener(
        [this](const std::string& sName, const std::string& sValue) { Notify(sName, sValue); });
}

void SimController::Subscribe(const void* pOwner, ITQCallbackVar* pCallback, int nID,
                              std::string sName) {
    m_subscriptions.push_back({pOwner, pCallback, nID, std::move(sName)});
}

bool SimController::Unsubscribe(const void* pOwner, int nID) {
    for (auto it = m_subscriptions.begin(); it != m_subscriptions.end(); ++it) {
        if (it->pOwner == pOwner && it->nID == nID) {
            m_subscriptions.erase(it);
            return true;
        }
    }
    return false;
}

void SimController::UnsubscribeAll(const void* pOwner) {
    std::erase_if(m_subscriptions, [pOwner](const Subscription& s) { return s.pOwner == pOwner; });
}

void SimController::Notify(const std::string& sName, const std::string& sValue) {
    // A client may unsubscribe from inside its callback.
    const std::vector<Subscription> subscriptions = m_subscriptions;
    for (const Subscription& s : subscriptions) {
        if (EqualsNoCase(s.sName, sName)) {
            s.pCallback->OnSetInfo(s.nID, sValue);
        }
    }
}

} // namespace morvane::sim
