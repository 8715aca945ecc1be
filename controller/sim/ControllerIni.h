// Reading controller.ini of an image: the variables the controller answers, the state of its
// interpreters and the faults it is told to show. Lines that mean nothing are skipped.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controller/ServerInterface.h"

namespace morvane::sim {

// A method of a server object that fails, always (nCalls < 0) or for the next nCalls calls.
struct FaultSpec {
    std::string sObject; // "Factory", "SyncVar", ..., or "<Object>Error" for its error interface
    int nMethod = 0;
    int nCalls = -1;
    MessageRecord record;
};

struct ControllerSettings {
    std::vector<std::pair<std::string, std::string>> variables;
    bool bReachable = true;
    bool bControlLevelRunning = true;
    bool bRobotLevelRunning = true;
    std::vector<FaultSpec> faults;
};

ControllerSettings ReadControllerIni(std::string_view sText);

} // namespace morvane::sim
