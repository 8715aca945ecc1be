// The plain forward substring search under every machine-data lookup: the first occurrence,
// compared byte for byte, with a vector filter on processors that have one.
#pragma once

#include <cstddef>
#include <string_view>

namespace morvane {

// Position of the first occurrence of sFind in sText at or after nFrom; npos when there is none
// (also for an empty sFind).
std::size_t FindText(std::string_view sText, std::string_view sFind, std::size_t nFrom = 0);

} // namespace morvane
