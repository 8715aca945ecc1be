// The faults an image is told to show: which method of which server object fails, how often,
// and with which error record.
#pragma once

#include <string_view>
#include <vector>

#include "controller/sim/ControllerIni.h"

namespace morvane::sim {

class FaultTable {
public:
    explicit FaultTable(std::vector<FaultSpec> faults) : m_faults(std::move(faults)) {}
    // True when this call is to fail; record then receives the configured error record. A
    // fault limited to N calls is used up by them.
    bool Take(std::string_view sObject, int nMethod, MessageRecord& record);

private:
    std::vector<FaultSpec> m_faults;
};

} // namespace morvane::sim
