// The connection to the controller and the procedures built on the communication object:
// connecting, the safety preconditions, interpreter control and moving files both ways.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace morvane {

class cTrellComm;
extern cTrellComm* g_oTrell; // the one communication object, from connection to exit

// The controller the program talks to: the image folder of the simulated controller (its
// registry file included). Without one the server cannot be reached.
void SetControllerImage(std::string_view sDir);
// The pendant's deactivation, installed by the main window; run by DisconnectController.
void SetPendantDeactivation(std::function<void()> deactivate);

// oParent is the main window; it answers none of the object's notifications, so they go to a
// parent whose hooks do nothing.
bool ConnectController(void* oParent = nullptr);
void DisconnectController();
// True when the expert group is active, the mode is T1 or T2 and no program is selected;
// otherwise sReasons holds the text listing what failed.
bool CheckPreconditions(std::string& sReasons);
bool StopInterpreters();
bool RestartSubmitInterpreter();
// sFile is a plain controller file name; the copy is left in the templates folder.
bool UploadFileToText(std::string_view sFile, std::string& sText);
// sText = the controller file's text, "" on any failure (nothing shown).
void LoadControllerFile(std::string_view sFile, std::string& sText);
bool DownloadTextToController(std::string_view sFileName, std::string_view sText);
// The user's templates folder, ending with "/"; created when missing.
std::string GetTempFolder();

} // namespace morvane
