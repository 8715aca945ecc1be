// The controller variables of the simulated controller, names compared without case; every
// change is reported to the listener so that subscriptions see it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvane::sim {

class VariableStore {
public:
    using Listener = std::function<void(const std::string& sName, const std::string& sValue)>;

    explicit VariableStore(const std::vector<std::pair<std::string, std::string>>& variables);
    void SetListener(Listener listener) { m_listener = std::move(listener); }
    std::optional<std::string> Read(std::string_view sName) const;
    // Only a variable the controller knows can be written.
    bool Write(std::string_view sName, std::string_view sValue);

private:
    std::vector<std::pair<std::string, std::string>>::iterator Find(std::string_view sName);

    std::vector<std::pair<std::string, std::string>> m_variables;
    Listener m_listener;
};

} // namespace morvane::sim
