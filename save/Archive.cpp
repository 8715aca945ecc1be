#include "save/Archive.h"

#include <set>
#include <string_view>

#include "common/FileIo.h"
#include "common/RunTimeError.h"
#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/LanguageText.h"
#include "config/Paths.h"
#include "grids/ChangeLists.h"
#include "madata/CharacterOps.h"
#include "madata/ControlType.h"
#include "madata/MadaStore.h"
#include "madata/ValueSyntax.h"
#include "save/MadaFileKey.h"
#include "save/SaveProgress.h"
#include "servo/FileChooser.h"

namespace morvane {

namespace {

constexpr std::string_view kVersionKey = "BNXVERSION=";
constexpr std::string_view kEndLine = "ENDDAT";

void ErrorBox(const std::string& sText) {
    MsgBox(sText, MsgButtons::OK, MsgIcon::Error);
}

bool IsExternalAxis(int nIndex) {
    return nIndex >= 7 && nIndex <= 12;
}

std::string JerkKeyOfAxis(int nIndex) {
    return "$JERK_MA.AX.E" + std::to_string(nIndex - 6);
}

// The per-axis keys of the external-axis list, grouped by variable, then the named ones.
KeyedCollection ArchiveKeys(bool bAxisCountFirst) {
    KeyedCollection keys;
    if (bAxisCountFirst) {
        keys.Add("$EX_AX_NUM");
    }
    for (const auto& entry : g_colExtAxesList) {
        for (int i = 7; i <= 12; ++i) {
            keys.Add(UCase(entry.sItem) + "[" + std::to_string(i) + "]");
        }
    }
    if (!bAxisCountFirst) {
        keys.Add("$EX_AX_NUM");
    }
    keys.Add("$BRK_MODE");
    for (const auto& entry : g_colExtKinList) {
        keys.Add(entry.sItem);
    }
    return keys;
}

// --- export ---

// The archive path the user chose, "" when he gave up.
std::string ChooseExportTarget() {
    for (;;) {
        const std::string sPath = ShowFileDialog(false, "dat", g_sArchivePath, "DAT-File",
                                                 T("mnuArchivExtAx"), "ExtAxesData1");
        if (sPath.empty() || !FileExists(sPath)) {
            return sPath;
        }
        const MsgAnswer answer = MsgBox(Paragraphs(sPath, T("DoYouWantToOverwrite")),
                                        MsgButtons::YesNoCancel, MsgIcon::Question, MsgAnswer::No);
        if (answer == MsgAnswer::Yes) {
            return sPath;
        }
        if (answer == MsgAnswer::Cancel) {
            return {};
        }
    }
}

// The current value of a key; false when the value map does not know it (its section was not
// read completely), so that the key is left out rather than written empty.
bool CurrentValue(std::string_view sKey, bool bBitString, std::string& sValue) {
    try {
        sValue = bBitString ? Build_Bin_Value(sKey) : GetMadaValue(sKey);
        return true;
    } catch (const RunTimeError&) {
        return false;
    }
}

std::string BuildArchiveText(const KeyedCollection& keys, SaveProgress& progress) {
    std::string sText = std::string(kVersionKey) + g_sControlType + std::string(kCrLf);
    std::set<std::string> writtenArrays;
    for (const auto& entry : keys) {
        std::string sKey = entry.sItem;
        const bool bBitString = IsBitArrayKey(sKey);
        const bool bFirstOfArray = !bBitString || writtenArrays.insert(ArrayNameOf(sKey)).second;
        const std::string sName = bFirstOfArray ? ArchiveName(sKey) : std::string();
        std::string sValue;
        if (!sName.empty() &&
            CurrentValue(bBitString ? ArrayNameOf(sKey) : sKey, bBitString, sValue)) {
            sText += sName + "=" + sValue + std::string(kCrLf);
        }
        progress.Step();
    }
    return sText + std::string(kEndLine) + std::string(kCrLf);
}

bool Export() {
    const std::string sPath = ChooseExportTarget();
    if (sPath.empty()) {
        return false;
    }
    const KeyedCollection keys = ArchiveKeys(true);
    SaveProgress progress(keys.Count(), true);
    if (!WriteWholeFile(sPath, BuildArchiveText(keys, progress))) {
        ErrorBox(T("ErrorOccuredTryItAgain"));
        return false;
    }
    return true;
}

// --- import ---

// An archive ends with its end line; anything else was cut off or is no archive.
bool HasEndLine(std::string_view sText) {
    const std::size_t nLast = sText.find_last_not_of("\r\n \t");
    if (nLast == std::string_view::npos) {
        return false;
    }
    const std::string_view sBody = sText.substr(0, nLast + 1);
    const std::size_t nLf = sBody.rfind('\n');
    return EqualsNoCase(Trim(sBody.substr(nLf == std::string_view::npos ? 0 : nLf + 1)), kEndLine);
}

// The value of the first archive line with the search text.
std::string Lookup(std::string_view sText, std::string_view sSearch) {
    return Trim(GetLineValue(GetLineFromKey(sText, sSearch)));
}

std::string LookupWithBrackets(std::string_view sText, const std::string& sKey) {
    const std::string sValue = Lookup(sText, sKey + "=");
    return sValue.empty() ? Lookup(sText, sKey + "[]=") : sValue;
}

// The archive's value of one key of the import list under the key it is filed as; "" skips it.
std::string ArchivedValue(std::string_view sText, std::string& sKey) {
    const int i = KeyIndex(sKey);
    if (Like(sKey, "$SERVOFILE*")) {
        return Lookup(sText, "SERVOFILE" + std::to_string(i) + "[]=");
    }
    if (Like(sKey, "$CURR_COM_EX*") || Like(sKey, "$INC_EXTAX*")) {
        return IsExternalAxis(i) ? Lookup(sText, MadaFileKey(sKey) + "=") : std::string();
    }
    if (IsBitArrayKey(sKey)) {
        return IsExternalAxis(i)
                   ? std::to_string(Get_Bin_Bit(Lookup(sText, ArrayNameOf(sKey) + "="), i - 6))
                   : std::string();
    }
    if (Like(sKey, "MOTORTYPE*")) {
        return "NONE";
    }
    if (Like(sKey, "$JERK_MA*")) {
        if (!IsExternalAxis(i)) {
            return {};
        }
        sKey = JerkKeyOfAxis(i);
        return Lookup(sText, sKey);
    }
    if (Like(sKey, "$BRK_MODE*")) {
        const std::string sBits = LookupWithBrackets(sText, "$BRK_MODE");
        return Trim(Build_Brk_Mode(std::to_string(Get_Bin_Bit(sBits, 4)), 3));
    }
    return LookupWithBrackets(sText, sKey);
}

bool IsSameControlType(std::string_view sText) {
    const std::string sArchiveType = RemoveBlanks(UCase(Lookup(sText, kVersionKey)));
    return !sArchiveType.empty() && sArchiveType == RemoveBlanks(g_sControlType);
}

bool Import() {
    const std::string sPath =
        ShowFileDialog(true, "dat", g_sArchivePath, "DAT-File", T("mnuLoadExtAx"), "");
    if (sPath.empty()) {
        return false;
    }
    std::string sText;
    if (!ReadWholeFile(sPath, sText) || !HasEndLine(sText)) {
        ErrorBox(Paragraphs(sPath, T("CantLoadData")));
        return false;
    }
    if (!IsSameControlType(sText)) {
        ErrorBox(Paragraphs(T("WrongControlType"), T("CantLoadData")));
        return false;
    }
    const KeyedCollection keys = ArchiveKeys(false);
    SaveProgress progress(keys.Count(), false);
    for (const auto& entry : keys) {
        std::string sKey = entry.sItem;
        std::string sValue = ArchivedValue(sText, sKey);
        // A key the value map lacks has no grid row to show a change in.
        if (!sValue.empty() && KeyExists(g_colMadaValues, sKey)) {
            PutMadaChange(sKey, sValue);
        }
        progress.Step();
    }
    return true;
}

} // namespace

std::string ArchiveName(std::string& sKey) {
    const int i = KeyIndex(sKey);
    if (Like(sKey, "$SERVOFILE*") || Like(sKey, "$INC_EXTAX*") || Like(sKey, "$CURR_COM_EX*")) {
        return IsExternalAxis(i) ? MadaFileKey(sKey) : std::string();
    }
    if (Like(sKey, "$ET#_NAME*")) {
        return sKey;
    }
    if (IsBitArrayKey(sKey)) {
        return MadaFileKey(sKey);
    }
    if (Like(sKey, "MOTORTYPE*")) {
        return {};
    }
    if (Like(sKey, "$JERK_MA*")) {
        if (!IsExternalAxis(i)) {
            return {};
        }
        sKey = JerkKeyOfAxis(i);
        return sKey;
    }
    if (sKey.find_first_of("[]") != std::string::npos && !IsExternalAxis(i)) {
        return {};
    }
    return sKey;
}

bool ExportArchive() {
    Ui().EnableMainControls(false);
    const bool bDone = Export();
    Ui().EnableMainControls(true);
    return bDone;
}

bool ImportArchive() {
    Ui().EnableMainControls(false);
    const bool bDone = Import();
    Ui().EnableMainControls(true);
    return bDone;
}

} // namespace morvane
