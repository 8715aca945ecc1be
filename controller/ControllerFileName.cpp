#include "controller/ControllerFileName.h"

#include "common/TextFunctions.h"

namespace morvane {

bool IsPlainControllerFileName(std::string_view sName) {
    if (sName.empty() || sName.size() > 255 || sName.find('.') == std::string_view::npos ||
        sName.find("..") != std::string_view::npos) {
        return false;
    }
    for (char c : sName) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            return false;
        }
        switch (c) {
        case '/':
        case '\\':
        case ':':
        case '*':
        case '?':
        case '"':
        case '<':
        case '>':
        case '|':
            return false;
        default:
            break;
        }
    }
    return true;
}

bool MatchesFilePattern(std::string_view sName, std::string_view sPattern) {
    const std::string s = UCase(sName);
    const std::string p = UCase(sPattern);
    std::size_t si = 0, pi = 0, star = std::string::npos, mark = 0;
    while (si < s.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == s[si])) {
            ++si;
            ++pi;
        } else if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            mark = si;
        } else if (star != std::string::npos) {
            pi = star + 1;
            si = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') {
        ++pi;
    }
    return pi == p.size();
}

} // namespace morvane
