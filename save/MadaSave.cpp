#include "save/MadaSave.h"

#include <set>
#include <string>

#include "common/FileIo.h"
#include "common/RunTimeError.h"
#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/LanguageText.h"
#include "config/Paths.h"
#include "controller/ControllerConnection.h"
#include "grids/ChangeLists.h"
#include "log/CLSLog.h"
#include "madata/MadaStore.h"
#include "madata/ValueSyntax.h"
#include "madata/VariableKeys.h"
#include "save/MadaBackup.h"
#include "save/MadaFileKey.h"
#include "save/SaveProgress.h"

namespace morvane {

namespace {

constexpr std::string_view kJerkLineKey = "DECL JERK_STRUC $JERK_MA=";
constexpr std::string_view kControllerFile = "$MACHINE.dat";

void ErrorBox(const std::string& sText) {
    MsgBox(sText, MsgButtons::OK, MsgIcon::Error);
}

// The line of the search key in the text; a line cut off at the end of the text counts as none,
// so that it is never rewritten.
std::string FindLine(std::string_view sSearchKey) {
    try {
        return GetLineFromKey(g_sMachineDat, sSearchKey);
    } catch (const RunTimeError&) {
        return {};
    }
}

void LogNotChanged(std::string_view sKey, std::string_view sNewValue, std::string_view sOld) {
    g_oLog().Log("Not Changed: " + std::string(sKey) + "=" + std::string(sNewValue) + " | " +
                     std::string(sOld),
                 false);
}

void UpdatePlainLine(std::string_view sKey) {
    const std::string sFileKey = MadaFileKey(sKey);
    const std::string sOldLine = FindLine(sFileKey + "=");
    if (sOldLine.empty()) {
        return;
    }
    const std::string sOldValue = GetLineValue(sOldLine);
    std::string sNewValue;
    if (IsBitArrayKey(sKey)) {
        try {
            sNewValue = Build_Bin_Value(sFileKey);
        } catch (const RunTimeError&) {
            // An element the reader never reached: the bit string cannot be built whole.
            LogNotChanged(sFileKey, "", sOldValue);
            return;
        }
    } else {
        sNewValue = g_colMadaChanges.Item(sKey);
    }
    const std::string sNewLine = sFileKey + "=" + sNewValue + " " + GetLineComment(sOldLine);
    if (!ReplaceMadaLine(sNewLine, sOldLine, sFileKey + "=")) {
        return;
    }
    g_oLog().Log("Changed: " + sFileKey + "=" + sNewValue + " | " + sOldValue, false);
}

// One field E1..E6 of the jerk structure, the rest of the line kept as it is.
void UpdateJerkLine(std::string_view sKey) {
    const std::string sNewValue = g_colMadaChanges.Item(sKey);
    const std::string sOldLine = FindLine(kJerkLineKey);
    const std::string sOldValue = GetLineValue(sOldLine);
    const std::string sField(sKey.substr(sKey.size() >= 2 ? sKey.size() - 2 : 0));
    const bool bLast = sField == "E6";
    const std::string sNextMark =
        bLast ? std::string("}}") : "E" + std::string(1, static_cast<char>(sField.back() + 1));

    const std::size_t nField = sField.size() == 2 ? InStr(sOldValue, sField) : 0;
    // Positions are 1-based; a is the character after the field name, normally a blank.
    const std::size_t a = nField + 2;
    const std::size_t p = nField > 0 ? InStr(sOldValue, sNextMark, a) : 0;
    if (p == 0) {
        LogNotChanged(sKey, sNewValue, sOldValue);
        return;
    }
    const std::string sNewLine = std::string(kJerkLineKey) + sOldValue.substr(0, a) + sNewValue +
                                 (bLast ? "" : ",") + sOldValue.substr(p - 1) +
                                 GetLineComment(sOldLine);
    if (!ReplaceMadaLine(sNewLine, sOldLine, kJerkLineKey)) {
        return;
    }
    const std::size_t nEnd = InStr(sOldValue, bLast ? "}}" : ",", a);
    const std::string sOldField = sOldValue.substr(a - 1, (nEnd > 0 ? nEnd : p) - a);
    g_oLog().Log("Changed: " + std::string(sKey) + "=" + sNewValue + " | " + sOldField, false);
}

// The pending keys in the order of the INI lists; a key in no list is not saved.
KeyedCollection BuildSaveList() {
    KeyedCollection saveList;
    auto keep = [&saveList](const KeyedCollection& keys) {
        for (const auto& entry : keys) {
            if (KeyExists(g_colMadaChanges, entry.sItem) && !KeyExists(saveList, entry.sItem)) {
                saveList.Add(entry.sItem, entry.sItem);
            }
        }
    };
    keep(ExpandIndexedNames(g_colMainDataList, 1, 1));
    keep(ExpandIndexedNames(g_colMainAxesList, 1, 6));
    keep(ExpandIndexedNames(g_colExtAxesList, 7, 12));
    keep(g_colExtKinList);
    return saveList;
}

void RewriteLines(const KeyedCollection& saveList, SaveProgress& progress) {
    g_oLog().Log("Starting to save!", true);
    g_oLog().Log("Changed: Variable = new value | old value", false);
    std::set<std::string> writtenArrays;
    for (const auto& entry : saveList) {
        const std::string& sKey = entry.sItem;
        if (IsBitArrayKey(sKey)) {
            const std::string sArray = ArrayNameOf(sKey);
            if (writtenArrays.insert(sArray).second) {
                UpdateMadaLine(sArray);
            }
        } else {
            UpdateMadaLine(sKey);
        }
        progress.Step();
    }
}

// The saved values become the values read, each moved to the end of the value map.
void CommitSavedValues(const KeyedCollection& saveList) {
    KeyedCollection values;
    for (const auto& entry : g_colMadaValues) {
        if (entry.sKey.empty() || !KeyExists(saveList, entry.sKey)) {
            values.Add(entry.sItem, entry.sKey);
        }
    }
    for (const auto& entry : saveList) {
        values.Add(g_colMadaChanges.Item(entry.sItem), entry.sItem);
    }
    g_colMadaValues = std::move(values);
}

bool WriteBack(const KeyedCollection& saveList) {
    SaveProgress progress(saveList.Count(), true);
    std::string sError;
    if (!BackupMachineData(g_sMadaPath, g_sMachineDat, sError)) {
        ErrorBox(sError);
        ErrorBox(T("ErrorOccuredTryItAgain"));
        return false;
    }
    // A failed save puts the text back: the changes stay pending, and a change withdrawn
    // afterwards must not reach the controller with the next save.
    std::string sTextBefore = g_sMachineDat;
    auto fail = [&sTextBefore](const std::string& sMessage) {
        g_sMachineDat = std::move(sTextBefore);
        ErrorBox(sMessage);
        return false;
    };
    RewriteLines(saveList, progress);
    if (!StopInterpreters()) {
        return fail(Paragraphs(T("CantCancelSubMit"), T("CantSaveChangesvb")));
    }
    const std::string sLocalPath = g_sMadaPath + std::string(kControllerFile);
    if (!WriteWholeFile(sLocalPath, g_sMachineDat)) {
        return fail(T("ErrorOccuredTryItAgain"));
    }
    if (!DownloadTextToController(kControllerFile, g_sMachineDat)) {
        return fail(T("ErrorWritingFile") + "  " + sLocalPath);
    }
    if (!RestartSubmitInterpreter()) {
        MsgBox(T("CantStartSubMit"), MsgButtons::OK, MsgIcon::Information);
    }
    CommitSavedValues(saveList);
    progress.Complete();
    MsgBox(T("ReinitVsk"), MsgButtons::OK, MsgIcon::Information);
    g_colMadaChanges = KeyedCollection();
    return true;
}

bool SaveWithControlsLocked(bool bNoQuestion) {
    if (g_colMadaChanges.Empty()) {
        MsgBox(T("NothingChanged"), MsgButtons::OK, MsgIcon::Information);
        return false;
    }
    std::string sReasons;
    if (!CheckPreconditions(sReasons)) {
        ErrorBox(Paragraphs(sReasons, T("CantSaveChanges")));
        return false;
    }
    if (!bNoQuestion && MsgBox(T("DoYouWantToSaveChanges"), MsgButtons::YesNo, MsgIcon::Question,
                               MsgAnswer::Yes) != MsgAnswer::Yes) {
        return false;
    }
    return WriteBack(BuildSaveList());
}

} // namespace

void UpdateMadaLine(std::string_view sKey) {
    if (InStr(sKey, "$JERK_MA") > 0) {
        UpdateJerkLine(sKey);
    } else {
        UpdatePlainLine(sKey);
    }
}

bool SaveMachineData(bool bNoQuestion) {
    Ui().EnableMainControls(false);
    const bool bSaved = SaveWithControlsLocked(bNoQuestion);
    Ui().EnableMainControls(true);
    return bSaved;
}

} // namespace morvane
