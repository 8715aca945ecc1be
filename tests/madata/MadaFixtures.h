// Shared pieces of the machine-data tests: a small $MACHINE.DAT in the controller's form and
// the reset of every global the machine-data modules and their tests touch.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace morvane::test {

// The lines joined by sEnd, each one ended by it.
std::string JoinLines(std::initializer_list<std::string_view> lines,
                      std::string_view sEnd = "\r\n");

// A machine-data file for a robot with a track: header, typed and untyped lines, comments.
std::string SampleMachineDat(std::string_view sEnd = "\r\n");

// Empties the store, the value map, the change lists and the controller-type state.
void ResetMadaGlobals();

} // namespace morvane::test
