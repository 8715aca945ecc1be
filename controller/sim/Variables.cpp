#include "controller/sim/Variables.h"

#include "common/TextFunctions.h"

namespace morvane::sim {

VariableStore::VariableStore(const std::vector<std::pair<std::string, std::string>>& variables) {
    for (const auto& [sName, sValue] : variables) {
        auto it = Find(sName);
        if (it != m_variables.end()) {
            it->second = sValue;
        } else {
            m_variables.emplace_back(sName, sValue);
        }
    }
}

std::vector<std::pair<std::string, std::string>>::iterator
VariableStore::Find(std::string_view sName) {
    for (auto it = m_variables.begin(); it != m_variables.end(); ++it) {
        if (EqualsNoCase(it->first, sName)) {
            return it;
        }
    }
    return m_variables.end();
}

std::optional<std::string> VariableStore::Read(std::string_view sName) const {
    for (const auto& [sKnown, sValue] : m_variables) {
        if (EqualsNoCase(sKnown, sName)) {
            return sValue;
        }
    }
    return std::nullopt;
}

bool VariableStore::Write(std::string_view sName, std::string_view sValue) {
    auto it = Find(sName);
    if (it == m_variables.end()) {
        return false;
    }
    it->second = sValue;
    if (m_listener) {
        m_listener(it->first, it->second);
    }
    return true;
}

} // namespace morvane::sim
