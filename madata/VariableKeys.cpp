#include "madata/VariableKeys.h"

#include <string>

#include "common/TextFunctions.h"

namespace morvane {

namespace {

std::string PrepareEntry(std::string_view sEntry) {
    std::string s = Trim(UCase(sEntry));
    if (const std::size_t nSemi = s.find(';'); nSemi != std::string::npos) {
        s = Trim(s.substr(0, nSemi));
    }
    return s;
}

} // namespace

KeyedCollection ExpandIndexedNames(const KeyedCollection& list, int nFirst, int nLast) {
    KeyedCollection items;
    for (const auto& entry : list) {
        const std::string sName = PrepareEntry(entry.sItem);
        if (nFirst == 1 && nLast == 1) {
            items.Add(sName);
            continue;
        }
        for (int i = nFirst; i <= nLast; ++i) {
            items.Add(sName == "$JERK_MA" ? "$JERK_MA.AX.E" + std::to_string(i - 6)
                                          : sName + "[" + std::to_string(i) + "]");
        }
    }
    return items;
}

KeyedCollection ExpandKinematicNames(const KeyedCollection& list, int nFirst, int nLast) {
    KeyedCollection items;
    for (const auto& entry : list) {
        const std::string sName = PrepareEntry(entry.sItem);
        if (sName == "$EX_KIN") {
            items.Add(sName);
            continue;
        }
        const std::size_t nHash = sName.find('#');
        if (nHash == std::string::npos) {
            continue;
        }
        const bool bName = sName.starts_with("$ET#_NAME");
        for (int i = nFirst; i <= nLast; ++i) {
            items.Add(sName.substr(0, nHash) + std::to_string(i) + sName.substr(nHash + 1) +
                      (bName ? "[]" : ""));
        }
    }
    return items;
}

} // namespace morvane
