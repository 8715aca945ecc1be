#include "servo/ServoFileSave.h"

#include <string>

#include "common/FileIo.h"
#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/LanguageText.h"
#include "config/Paths.h"
#include "grids/ChangeLists.h"
#include "log/CLSLog.h"
#include "madata/CharacterOps.h"
#include "servo/FileChooser.h"
#include "servo/ServoFileCheck.h"
#include "servo/ServoFileModel.h"
#include "servo/ServoFileWriter.h"

namespace morvane {

namespace {

// The target path, or "" when the user gave up.
std::string ChooseTarget() {
    for (;;) {
        const std::string sPath = ShowFileDialog(false, "servo", g_sMadaPath, "Servo-File",
                                                 T("SaveServoFile"), g_sServoFileName);
        if (sPath.empty()) {
            return {};
        }
        if (CheckServoFileName(sPath).empty()) {
            continue;
        }
        if (!FileExists(sPath)) {
            return sPath;
        }
        const MsgAnswer answer = MsgBox(Paragraphs(sPath, T("DoYouWantToOverwrite")),
                                        MsgButtons::YesNoCancel, MsgIcon::Question, MsgAnswer::No);
        if (answer == MsgAnswer::Cancel) {
            return {};
        }
        if (answer == MsgAnswer::Yes &&
            MsgBox(Paragraphs(sPath, T("DoYouRealyWantToOverwrite")), MsgButtons::YesNo,
                   MsgIcon::Question, MsgAnswer::No) == MsgAnswer::Yes) {
            return sPath;
        }
    }
}

void CommitSavedValues() {
    for (const auto& entry : g_colSFViewList) {
        const std::string sName = RemoveBlanks(entry.sItem);
        if (!KeyExists(g_colSFChanges, sName)) {
            continue;
        }
        std::string sValue = g_colSFChanges.Item(sName);
        g_colSFValues.RemoveIfPresent(sName);
        g_colSFValues.Add(std::move(sValue), sName);
        g_colSFChanges.Remove(sName);
    }
}

bool SaveWithControlsLocked(bool bNoQuestion) {
    if (g_colSFChanges.Empty()) {
        MsgBox(T("NothingChanged"), MsgButtons::OK, MsgIcon::Information);
        return false;
    }
    if (!bNoQuestion && MsgBox(T("DoYouWantToSaveSFChanges"), MsgButtons::YesNo, MsgIcon::Question,
                               MsgAnswer::Yes) == MsgAnswer::No) {
        return false;
    }
    if (!CheckServoValues()) {
        return false;
    }
    const std::string sPath = ChooseTarget();
    if (sPath.empty()) {
        return false;
    }
    std::string sText;
    if (!BuildServoFileText(sText)) {
        return false;
    }
    if (!WriteTextToFileBinary(sPath, sText)) {
        MsgBox(T("ErrorOccuredTryItAgain"), MsgButtons::OK, MsgIcon::Error);
        return false;
    }
    g_oLog().Log("ServoFile changed", true);
    g_oLog().Log("Servo-File: " + sPath, false);
    g_oLog().Log(sText, false);

    g_sServoFileName = UCase(BaseNameOfPath(sPath));
    g_colSFNeededVals.RemoveIfPresent("SERVOFILE_NAME");
    g_colSFNeededVals.Add(g_sServoFileName, "SERVOFILE_NAME");
    CommitSavedValues();
    return true;
}

} // namespace

bool SaveServoFile(bool bNoQuestion) {
    Ui().EnableMainControls(false);
    const bool bSaved = SaveWithControlsLocked(bNoQuestion);
    Ui().EnableMainControls(true);
    return bSaved;
}

} // namespace morvane
