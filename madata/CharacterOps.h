// Character-level clean-up of values and servo-file texts: each operation replaces every
// occurrence of one character (or blank pair) throughout the text.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

std::string CommaToPoint(std::string_view s);
std::string PointToComma(std::string_view s);
std::string RemoveBlanks(std::string_view s);
std::string RemoveStars(std::string_view s);
std::string RemoveSemicolons(std::string_view s);
std::string TabsToBlanks(std::string_view s);
// Until no two blanks stand side by side.
std::string CollapseBlanks(std::string_view s);
std::string RemoveQuotes(std::string_view s);

} // namespace morvane
