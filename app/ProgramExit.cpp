#include "app/ProgramExit.h"

#include <string>

#include "common/TextFunctions.h"
#include "common/UiPort.h"
#include "config/LanguageText.h"
#include "controller/ControllerConnection.h"
#include "grids/ChangeLists.h"
#include "save/MadaSave.h"
#include "servo/ServoFileSave.h"

namespace morvane {

namespace {

// A wanted save needs the preconditions; when they fail the user learns why and stays.
bool PreconditionsAllowSave() {
    std::string sReasons;
    if (CheckPreconditions(sReasons)) {
        return true;
    }
    MsgBox(Paragraphs(sReasons, T("CantSaveChanges")), MsgButtons::OK, MsgIcon::Error);
    return false;
}

} // namespace

void RunExitProgram(bool bAsk) {
    if (bAsk) {
        if (MsgBox(T("DoYouWantToExit"), MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No) !=
            MsgAnswer::Yes) {
            return;
        }
        if (!g_colSFChanges.Empty()) {
            switch (MsgBox(T("DoYouWantToSaveSFChanges"), MsgButtons::YesNoCancel,
                           MsgIcon::Question, MsgAnswer::Yes)) {
            case MsgAnswer::Yes:
                if (!PreconditionsAllowSave() || !SaveServoFile(true)) {
                    return;
                }
                break;
            case MsgAnswer::No:
                break;
            default:
                return;
            }
        }
        if (!g_colMadaChanges.Empty()) {
            switch (MsgBox(T("DoYouWantToSaveChanges"), MsgButtons::YesNoCancel, MsgIcon::Question,
                           MsgAnswer::Yes)) {
            case MsgAnswer::Yes:
                // A failed save keeps the user in the program with the changes still pending.
                if (!PreconditionsAllowSave() || !SaveMachineData(true)) {
                    return;
                }
                break;
            case MsgAnswer::No:
                break;
            default:
                return;
            }
        }
    }
    DisconnectController();
    g_colMadaChanges = KeyedCollection();
    Ui().EndProgram();
}

void InstallExitProgram() {
    SetExitProgram(RunExitProgram);
}

} // namespace morvane
