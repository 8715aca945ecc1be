#include "madata/CharacterOps.h"

#include <algorithm>

namespace morvane {

namespace {

std::string ReplaceChar(std::string_view s, char cFind, char cWith) {
    std::string sResult(s);
    std::replace(sResult.begin(), sResult.end(), cFind, cWith);
    return sResult;
}

std::string RemoveChar(std::string_view s, char cFind) {
    std::string sResult(s);
    sResult.erase(std::remove(sResult.begin(), sResult.end(), cFind), sResult.end());
    return sResult;
}

} // namespace

std::string CommaToPoint(std::string_view s) {
    return ReplaceChar(s, ',', '.');
}
std::string PointToComma(std::string_view s) {
    return ReplaceChar(s, '.', ',');
}
std::string RemoveBlanks(std::string_view s) {
    return RemoveChar(s, ' ');
}
std::string RemoveStars(std::string_view s) {
    return RemoveChar(s, '*');
}
std::string RemoveSemicolons(std::string_view s) {
    return RemoveChar(s, ';');
}
std::string TabsToBlanks(std::string_view s) {
    return ReplaceChar(s, '\t', ' ');
}
std::string RemoveQuotes(std::string_view s) {
    return RemoveChar(s, '"');
}

std::string CollapseBlanks(std::string_view s) {
    std::string sResult;
    sResult.reserve(s.size());
    for (char c : s) {
        if (c != ' ' || sResult.empty() || sResult.back() != ' ') {
            sResult += c;
        }
    }
    return sResult;
}

} // namespace morvane
