#include "controller/sim/Faults.h"

#include "common/TextFunctions.h"

namespace morvane::sim {

bool FaultTable::Take(std::string_view sObject, int nMethod, MessageRecord& record) {
    for (FaultSpec& fault : m_faults) {
        if (fault.nMethod != nMethod || !EqualsNoCase(fault.sObject, sObject) ||
            fault.nCalls == 0) {
            continue;
        }
        if (fault.nCalls > 0) {
            --fault.nCalls;
        }
        record = fault.record;
        return true;
    }
    return false;
}

} // namespace morvane::sim
