#include "common/CodePage.h"

#include <array>

namespace morvane {

namespace {

// Unicode of the bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined,
// which pass through as the control characters of the same number.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t ToUnicode(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0) {
        return kHigh[b - 0x80];
    }
    return b;
}

void AppendUtf8(std::string& r, char32_t cp) {
    if (cp < 0x80) {
        r += static_cast<char>(cp);
    } else if (cp < 0x800) {
        r += static_cast<char>(0xC0 | (cp >> 6));
        r += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        r += static_cast<char>(0xE0 | (cp >> 12));
        r += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        r += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char FromUnicode(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == cp || (kHigh[i] == 0 && cp == 0x80 + i)) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

} // namespace

std::string Cp1252ToUtf8(std::string_view s) {
    std::string r;
    r.reserve(s.size());
    for (char c : s) {
        AppendUtf8(r, ToUnicode(static_cast<unsigned char>(c)));
    }
    return r;
}

std::string Utf8ToCp1252(std::string_view s) {
    std::string r;
    r.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        int nMore = b < 0x80             ? 0
                    : (b & 0xE0) == 0xC0 ? 1
                    : (b & 0xF0) == 0xE0 ? 2
                    : (b & 0xF8) == 0xF0 ? 3
                                         : -1;
        if (nMore < 0 || (nMore > 0 && i + static_cast<std::size_t>(nMore) >= s.size())) {
            r += '?';
            ++i;
            continue;
        }
        char32_t cp = nMore == 0 ? b : (b & (0x3F >> nMore));
        bool bValid = true;
        for (int k = 1; k <= nMore; ++k) {
            const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((c & 0xC0) != 0x80) {
                bValid = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!bValid) {
            r += '?';
            ++i;
            continue;
        }
        r += FromUnicode(cp);
        i += static_cast<std::size_t>(nMore) + 1;
    }
    return r;
}

std::filesystem::path ToPath(std::string_view sPath) {
    return std::filesystem::path(Cp1252ToUtf8(sPath));
}

std::string FromPath(const std::filesystem::path& path) {
    return Utf8ToCp1252(path.string());
}

} // namespace morvane
