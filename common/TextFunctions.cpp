#include "common/TextFunctions.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace morvane {

std::string Trim(std::string_view s) {
    return LTrim(RTrim(s));
}

std::string LTrim(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') {
        ++i;
    }
    return std::string(s.substr(i));
}

std::string RTrim(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') {
        --n;
    }
    return std::string(s.substr(0, n));
}

std::string_view TrimBlanksAndTabs(std::string_view s) {
    const std::size_t nFirst = s.find_first_not_of(" \t");
    if (nFirst == std::string_view::npos) {
        return {};
    }
    return s.substr(nFirst, s.find_last_not_of(" \t") - nFirst + 1);
}

std::string Paragraphs(std::string_view sFirst, std::string_view sSecond) {
    std::string s(sFirst);
    s += kCrLf;
    s += kCrLf;
    s += sSecond;
    return s;
}

char UpperChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) {
        return static_cast<char>(u - 0x20);
    }
    switch (u) {
    case 0x9A:
        return static_cast<char>(0x8A);
    case 0x9C:
        return static_cast<char>(0x8C);
    case 0x9E:
        return static_cast<char>(0x8E);
    case 0xFF:
        return static_cast<char>(0x9F);
    default:
        return c;
    }
}

char LowerChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) {
        return static_cast<char>(u + 0x20);
    }
    switch (u) {
    case 0x8A:
        return static_cast<char>(0x9A);
    case 0x8C:
        return static_cast<char>(0x9C);
    case 0x8E:
        return static_cast<char>(0x9E);
    case 0x9F:
        return static_cast<char>(0xFF);
    default:
        return c;
    }
}

std::string UCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) {
        c = UpperChar(c);
    }
    return r;
}

std::string LCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) {
        c = LowerChar(c);
    }
    return r;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperChar(a[i]) != UpperChar(b[i])) {
            return false;
        }
    }
    return true;
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool MatchOne(char c, char p) {
    return p == '?' || (p == '#' && IsDigit(c)) || (p != '#' && p == c);
}

} // namespace

bool Like(std::string_view s, std::string_view sPattern) {
    // Greedy matching with one back-track point per "*", linear in practice.
    std::size_t si = 0, pi = 0;
    std::size_t starP = std::string_view::npos, starS = 0;
    while (si < s.size()) {
        if (pi < sPattern.size() && sPattern[pi] == '*') {
            starP = pi++;
            starS = si;
        } else if (pi < sPattern.size() && MatchOne(s[si], sPattern[pi])) {
            ++si;
            ++pi;
        } else if (starP != std::string_view::npos) {
            pi = starP + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < sPattern.size() && sPattern[pi] == '*') {
        ++pi;
    }
    return pi == sPattern.size();
}

std::size_t InStr(std::string_view s, std::string_view sFind, std::size_t nStart) {
    if (nStart < 1) {
        nStart = 1;
    }
    if (nStart > s.size() + 1) {
        return 0;
    }
    const std::size_t pos = s.find(sFind, nStart - 1);
    return pos == std::string_view::npos ? 0 : pos + 1;
}

std::string Replace(std::string_view s, std::string_view sFind, std::string_view sWith) {
    if (sFind.empty()) {
        return std::string(s);
    }
    std::string r;
    std::size_t from = 0;
    for (std::size_t pos = s.find(sFind); pos != std::string_view::npos;
         pos = s.find(sFind, from)) {
        r.append(s.substr(from, pos - from)).append(sWith);
        from = pos + sFind.size();
    }
    r.append(s.substr(from));
    return r;
}

namespace {

// Length of the number at the start of s: sign, digits, point, digits, exponent.
std::size_t NumberPrefix(std::string_view s, bool& bHasDigit) {
    std::size_t i = 0;
    bHasDigit = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        bHasDigit = true;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            bHasDigit = true;
        }
    }
    if (bHasDigit && i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i;
}

double ParseNumber(std::string_view s) {
    std::string t(s);
    for (char& c : t) {
        if (c == 'D' || c == 'd') {
            c = 'E';
        }
    }
    std::size_t start = (!t.empty() && t[0] == '+') ? 1 : 0;
    double d = 0;
    std::from_chars(t.data() + start, t.data() + t.size(), d);
    return d;
}

bool ParseRadix(std::string_view s, double& d, std::size_t& nLen) {
    if (s.size() < 2 || s[0] != '&') {
        return false;
    }
    const char kind = UpperChar(s[1]);
    const int base = kind == 'H' ? 16 : kind == 'O' ? 8 : 0;
    if (base == 0) {
        return false;
    }
    long long v = 0;
    auto res = std::from_chars(s.data() + 2, s.data() + s.size(), v, base);
    nLen = static_cast<std::size_t>(res.ptr - s.data());
    d = static_cast<double>(v);
    return res.ec == std::errc();
}

} // namespace

double Val(std::string_view s) {
    std::string t;
    for (char c : s) {
        if (c != ' ' && c != '\t' && c != '\n') {
            t += c;
        }
    }
    double d = 0;
    std::size_t nLen = 0;
    if (ParseRadix(t, d, nLen)) {
        return d;
    }
    bool bHasDigit = false;
    const std::size_t n = NumberPrefix(t, bHasDigit);
    return bHasDigit ? ParseNumber(std::string_view(t).substr(0, n)) : 0.0;
}

bool IsNumeric(std::string_view s) {
    const std::string t = Trim(s);
    double d = 0;
    std::size_t nLen = 0;
    if (ParseRadix(t, d, nLen)) {
        return nLen == t.size();
    }
    bool bHasDigit = false;
    return !t.empty() && NumberPrefix(t, bHasDigit) == t.size() && bHasDigit;
}

namespace {

// Decimal digits and exponent of |d| to 15 significant digits: d = 0.DIGITS * 10^exp.
void SignificantDigits(double d, std::string& sDigits, int& nExp) {
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(d), std::chars_format::scientific, 14);
    const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::size_t e = sci.find('e');
    sDigits.clear();
    for (char c : sci.substr(0, e)) {
        if (IsDigit(c)) {
            sDigits += c;
        }
    }
    int exp10 = 0;
    std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                    exp10);
    nExp = exp10 + 1;
}

} // namespace

std::string FormatNumber(double d, std::string_view sFormat) {
    const std::size_t point = sFormat.find('.');
    const std::string_view intPart = sFormat.substr(0, point);
    const std::string_view decPart =
        point == std::string_view::npos ? std::string_view{} : sFormat.substr(point + 1);
    std::size_t nMinInt = 0;
    for (char c : intPart) {
        nMinInt += c == '0';
    }
    std::size_t nMinDec = 0;
    for (char c : decPart) {
        nMinDec += c == '0';
    }
    const int nMaxDec = static_cast<int>(decPart.size());
    if (!std::isfinite(d)) {
        return "";
    }

    // Digits of the value, rounded half away from zero at the last allowed decimal.
    std::string sDigits;
    int nExp = 0;
    std::string sInt, sDec;
    if (d != 0) {
        SignificantDigits(d, sDigits, nExp);
        const int nKeep = nExp + nMaxDec; // digits left of the cut
        if (nKeep < 0) {
            sDigits.clear();
        } else if (nKeep < static_cast<int>(sDigits.size())) {
            const bool bUp = sDigits[static_cast<std::size_t>(nKeep)] >= '5';
            sDigits.resize(static_cast<std::size_t>(nKeep));
            if (bUp) {
                int i = nKeep - 1;
                while (i >= 0 && sDigits[static_cast<std::size_t>(i)] == '9') {
                    sDigits[static_cast<std::size_t>(i)] = '0';
                    --i;
                }
                if (i < 0) {
                    sDigits.insert(sDigits.begin(), '1');
                    ++nExp;
                } else {
                    ++sDigits[static_cast<std::size_t>(i)];
                }
            }
        }
        for (int i = 0; i < static_cast<int>(sDigits.size()); ++i) {
            (i < nExp ? sInt : sDec) += sDigits[static_cast<std::size_t>(i)];
        }
        if (nExp > static_cast<int>(sDigits.size())) {
            sInt.append(static_cast<std::size_t>(nExp - static_cast<int>(sDigits.size())), '0');
        }
        if (nExp < 0) {
            sDec.insert(0, static_cast<std::size_t>(-nExp), '0');
        }
        sDec = sDec.substr(0, static_cast<std::size_t>(nMaxDec));
    }
    while (!sDec.empty() && sDec.size() > nMinDec && sDec.back() == '0') {
        sDec.pop_back();
    }
    while (sDec.size() < nMinDec) {
        sDec += '0';
    }
    while (sInt.size() > 1 && sInt.front() == '0') {
        sInt.erase(sInt.begin());
    }
    if (sInt == "0" && nMinInt == 0) {
        sInt.clear();
    }
    while (sInt.size() < nMinInt) {
        sInt.insert(sInt.begin(), '0');
    }
    const bool bZero = sInt.find_first_not_of('0') == std::string::npos &&
                       sDec.find_first_not_of('0') == std::string::npos;
    std::string r = (d < 0 && !bZero) ? "-" : "";
    r += sInt;
    if (!sDec.empty()) {
        r += '.';
        r += sDec;
    }
    return r;
}

std::string NumberToText(double d) {
    if (d == 0 || !std::isfinite(d)) {
        return "0";
    }
    std::string sDigits;
    int nExp = 0;
    SignificantDigits(d, sDigits, nExp);
    while (sDigits.size() > 1 && sDigits.back() == '0') {
        sDigits.pop_back();
    }
    std::string r = d < 0 ? "-" : "";
    const int n = static_cast<int>(sDigits.size());
    if (nExp > 15 || nExp < -3) {
        r += sDigits[0];
        if (n > 1) {
            r += '.';
            r += sDigits.substr(1);
        }
        const int e = nExp - 1;
        r += e < 0 ? "E-" : "E+";
        const std::string sE = std::to_string(std::abs(e));
        r += (sE.size() < 2 ? "0" : "") + sE;
    } else if (nExp <= 0) {
        r += "0." + std::string(static_cast<std::size_t>(-nExp), '0') + sDigits;
    } else if (nExp >= n) {
        r += sDigits + std::string(static_cast<std::size_t>(nExp - n), '0');
    } else {
        r += sDigits.substr(0, static_cast<std::size_t>(nExp)) + "." +
             sDigits.substr(static_cast<std::size_t>(nExp));
    }
    return r;
}

} // namespace morvane
