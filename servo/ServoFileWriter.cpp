#include "servo/ServoFileWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "common/CodePage.h"
#include "common/FileIo.h"
#include "common/RunTimeError.h"
#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/IniFile.h"
#include "grids/ChangeLists.h"
#include "madata/CharacterOps.h"
#include "servo/ServoFileModel.h"

namespace morvane {

namespace {

constexpr std::size_t kFieldWidth = 8;

std::string PadLeft(std::string_view s, std::size_t nWidth) {
    std::string sOut(nWidth > s.size() ? nWidth - s.size() : 0, ' ');
    sOut += s;
    return sOut;
}

std::string PadRight(std::string_view s, std::size_t nWidth) {
    std::string sOut(s);
    if (sOut.size() < nWidth) {
        sOut.append(nWidth - sOut.size(), ' ');
    }
    return sOut;
}

std::string CurrentValue(std::string_view sKey) {
    bool bChanged = false;
    return GetSFValue(sKey, bChanged);
}

std::string ParameterLine(const std::string& sName) {
    const std::string sNumber = sName.substr(2);
    return "PI" + PadLeft(sNumber, kFieldWidth) +
           ",  0 =" + PadLeft(CurrentValue(sName), kFieldWidth) + "    ;" +
           ReadIniValue("SF_COMMENTS", "PI" + sNumber);
}

} // namespace

bool BuildServoFileText(std::string& sText) {
    sText.clear();
    try {
        std::vector<std::string> comments;
        std::vector<std::string> parameters;
        for (const auto& entry : g_colSFViewList) {
            const std::string sName = RemoveBlanks(entry.sItem);
            if (IsCommentKey(sName)) {
                comments.push_back(RemoveQuotes(CurrentValue(sName)));
            } else if (IsParameterKey(sName)) {
                parameters.push_back(ParameterLine(UCase(sName)));
            }
        }
        std::size_t nWidth = 0;
        for (const std::string& sComment : comments) {
            nWidth = std::max(nWidth, sComment.size());
        }
        const std::string sFrame = ";***" + std::string(nWidth + 2, '*') + "***";
        std::vector<std::string> lines{sFrame};
        for (const std::string& sComment : comments) {
            lines.push_back(";*** " + PadRight(sComment, nWidth + 2) + "***");
        }
        if (!parameters.empty()) {
            lines.push_back(sFrame);
            lines.push_back(";");
            lines.insert(lines.end(), parameters.begin(), parameters.end());
        }
        lines.push_back(";");
        std::string sJoined;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                sJoined += kCrLf;
            }
            sJoined += lines[i];
        }
        sText = std::move(sJoined);
        return true;
    } catch (const RunTimeError&) {
        return false;
    }
}

bool WriteTextToFileBinary(std::string_view sPath, std::string_view sText) {
    const std::filesystem::path target = ToPath(sPath);
    const std::string sFolder = FromPath(target.has_parent_path() ? target.parent_path() : ".");
    std::string sError;
    bool bWritten = false;
    // Permission bits decide, as for files: a folder without write permission for its owner
    // is read-only even for a user whom the system would let write.
    if (FileExists(sFolder) && IsReadOnly(sFolder)) {
        sError = std::string(sPath) + ": " + Utf8ToCp1252(std::strerror(EACCES));
    } else {
        bWritten = ReplaceFileAtomically(sPath, sText, &sError);
    }
    if (bWritten) {
        return true;
    }
    MsgBox(sError, MsgButtons::OK, MsgIcon::Error, MsgAnswer::OK);
    return false;
}

} // namespace morvane
