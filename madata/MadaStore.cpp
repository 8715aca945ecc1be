#include "madata/MadaStore.h"

#include <algorithm>
#include <array>

#include "common/RunTimeError.h"
#include "common/TextFunctions.h"
#include "common/TextSearch.h"

namespace morvane {

std::string g_sMachineDat;
KeyedCollection g_colMadaValues;
KeyedCollection g_colMainDataList;
KeyedCollection g_colMainAxesList;
KeyedCollection g_colExtAxesList;
KeyedCollection g_colExtKinList;

bool g_bMainDataRead = false;
bool g_bMainAxesRead = false;
bool g_bExtAxesRead = false;
bool g_bExtKinRead = false;

namespace {

bool IsNameChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_';
}

std::size_t LineStart(std::string_view sText, std::size_t nPos) {
    const std::size_t nLf = nPos == 0 ? std::string_view::npos : sText.rfind('\n', nPos - 1);
    return nLf == std::string_view::npos ? 0 : nLf + 1;
}

bool IsWholeName(std::string_view sText, std::size_t nPos, std::string_view sKey) {
    std::size_t nBefore = nPos;
    while (nBefore > 0 && sText[nBefore - 1] == '$') {
        --nBefore;
    }
    if (nBefore > 0 && IsNameChar(sText[nBefore - 1])) {
        return false;
    }
    const std::size_t nAfter = nPos + sKey.size();
    if (IsNameChar(sKey.back()) && nAfter < sText.size() && IsNameChar(sText[nAfter])) {
        return false;
    }
    const std::size_t nStart = LineStart(sText, nPos);
    return sText.substr(nStart, nPos - nStart).find(';') == std::string_view::npos;
}

// Type keywords that stand before a variable's name and must survive a rewrite of its line.
bool IsKeptPrefix(std::string_view sPrefix) {
    static constexpr std::array<std::string_view, 9> kPrefixes = {
        "REAL", "INT", "BOOL", "CHAR", "BIN", "DECL", "FRAME", "DECL EX_KIN", "DECL ET_AX"};
    return std::find(kPrefixes.begin(), kPrefixes.end(), sPrefix) != kPrefixes.end() ||
           sPrefix.starts_with("DECL ");
}

} // namespace

std::size_t FindMadaKey(std::string_view sText, std::string_view sKey) {
    if (sKey.empty()) {
        return std::string_view::npos;
    }
    std::size_t nFrom = 0;
    while (nFrom + sKey.size() <= sText.size()) {
        const std::size_t nPos = FindText(sText, sKey, nFrom);
        if (nPos == std::string_view::npos) {
            return nPos;
        }
        if (IsWholeName(sText, nPos, sKey)) {
            return nPos;
        }
        nFrom = nPos + 1;
    }
    return std::string_view::npos;
}

std::string GetLineFromKey(std::string_view sText, std::string_view sKey) {
    const std::size_t nPos = FindMadaKey(sText, sKey);
    if (nPos == std::string_view::npos) {
        return {};
    }
    std::size_t nEnd = sText.find('\n', nPos);
    if (nEnd == std::string_view::npos) {
        throw RunTimeError("line without line end: " + std::string(sKey));
    }
    if (nEnd > nPos && sText[nEnd - 1] == '\r') {
        --nEnd;
    }
    return Trim(sText.substr(nPos, nEnd - nPos));
}

std::string GetLineValue(std::string_view sLine) {
    const std::size_t nEq = sLine.find('=');
    if (nEq == std::string_view::npos) {
        return {};
    }
    std::string_view sValue = sLine.substr(nEq + 1);
    return Trim(sValue.substr(0, sValue.find(';')));
}

std::string GetLineValueOrBlank(std::string_view sLine) {
    return sLine.find('=') == std::string_view::npos ? std::string(" ") : GetLineValue(sLine);
}

std::string GetLineComment(std::string_view sLine) {
    const std::size_t nSemi = sLine.find(';');
    return nSemi == std::string_view::npos ? std::string() : Trim(sLine.substr(nSemi));
}

std::string GetTextBetween(std::string_view sText, std::string_view sStartMark,
                           std::string_view sEndMark) {
    const std::string sUpper = UCase(sText);
    const std::size_t nStart = sUpper.find(sStartMark);
    if (nStart == std::string::npos) {
        return {};
    }
    const std::size_t nFrom = nStart + sStartMark.size();
    const std::size_t nEnd = sUpper.find(sEndMark, nFrom);
    if (nEnd == std::string::npos) {
        return {};
    }
    return Trim(sText.substr(nFrom, nEnd - nFrom));
}

std::string GetJerkComponent(std::string_view sLine, std::string_view sComp) {
    if (sLine.find('=') == std::string_view::npos) {
        return {};
    }
    std::string sBody(sLine);
    if (const std::size_t nSemi = sBody.find(';'); nSemi != std::string::npos) {
        sBody = Trim(sBody.substr(0, nSemi));
    }
    const std::size_t nComp = sBody.find(sComp);
    if (sComp.empty() || nComp == std::string::npos) {
        return {};
    }
    const std::size_t nFrom = nComp + sComp.size();
    std::size_t nEnd = std::string::npos;
    if (sComp == "E6") {
        nEnd = sBody.find("}}", nFrom);
        if (nEnd == std::string::npos) {
            nEnd = sBody.find("} }", nFrom);
        }
    } else {
        const char cLast = sComp.back();
        if (cLast >= '0' && cLast <= '8') {
            nEnd = sBody.find("E" + std::string(1, static_cast<char>(cLast + 1)), nFrom);
        }
    }
    if (nEnd == std::string::npos) {
        throw RunTimeError("no end of jerk component " + std::string(sComp));
    }
    std::string sValue = Trim(sBody.substr(nFrom, nEnd - nFrom));
    if (!sValue.empty() && sValue.back() == ',') {
        sValue = Trim(sValue.substr(0, sValue.size() - 1));
    }
    return sValue;
}

bool ReplaceMadaLine(std::string_view sNewLine, std::string_view /*sOldLine*/,
                     std::string_view sKey) {
    const std::size_t nPos = FindMadaKey(g_sMachineDat, sKey);
    if (nPos == std::string::npos) {
        return false;
    }
    const std::size_t nStart = LineStart(g_sMachineDat, nPos);
    std::size_t nEnd = g_sMachineDat.find('\n', nPos);
    if (nEnd == std::string::npos) {
        nEnd = g_sMachineDat.size();
    } else if (nEnd > nStart && g_sMachineDat[nEnd - 1] == '\r') {
        --nEnd;
    }
    std::string sLine(sNewLine);
    if (sKey != "DECL JERK_STRUC $JERK_MA=") {
        const std::string sPrefix =
            UCase(TrimBlanksAndTabs(std::string_view(g_sMachineDat).substr(nStart, nPos - nStart)));
        if (IsKeptPrefix(sPrefix)) {
            sLine = sPrefix + " " + sLine;
        }
    }
    g_sMachineDat.replace(nStart, nEnd - nStart, sLine);
    return true;
}

} // namespace morvane
