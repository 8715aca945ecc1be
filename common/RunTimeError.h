// The one exception of the program: a run-time error that travels up to a named handler
// (a missing key of a keyed collection reaching the cell editor, for example).
#pragma once

#include <stdexcept>
#include <string>

namespace morvane {

class RunTimeError : public std::runtime_error {
public:
    explicit RunTimeError(const std::string& sWhat) : std::runtime_error(sWhat) {}
};

} // namespace morvane
