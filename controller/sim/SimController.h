// The state of one simulated controller, loaded from its image folder: variables, files,
// interpreters, faults, journal and the variable subscriptions of connected clients.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "controller/ServerInterface.h"
#include "controller/sim/ControllerIni.h"
#include "controller/sim/Faults.h"
#include "controller/sim/FileStore.h"
#include "controller/sim/ImageFolder.h"
#include "controller/sim/Interpreters.h"
#include "controller/sim/Journal.h"
#include "controller/sim/Variables.h"

namespace morvane::sim {

class SimController {
public:
    explicit SimController(std::filesystem::path root);
    SimController(const SimController&) = delete;
    SimController& operator=(const SimController&) = delete;

    bool Reachable() const { return m_bReachable; }

    // Change notifications of a variable for one client object (pOwner), until it unsubscribes
    // or goes away.
    void Subscribe(const void* pOwner, ITQCallbackVar* pCallback, int nID, std::string sName);
    bool Unsubscribe(const void* pOwner, int nID);
    void UnsubscribeAll(const void* pOwner);

    ImageFolder image;
    ControllerSettings settings;
    Journal journal;
    VariableStore vars;
    FaultTable faults;
    FileStore files;
    Interpreters interpreters;

private:
    struct Subscription {
        const void* pOwner;
        ITQCallbackVar* pCallback;
        int nID;
        std::string sName;
    };
    void Notify(const std::string& sName, const std::string& sValue);

    bool m_bReachable;
    std::vector<Subscription> m_subscriptions;
};

} // namespace morvane::sim
