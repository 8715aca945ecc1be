// The small interface through which the core reaches the user: message boxes, the file
// dialog, the progress bar, the mouse pointer, the main window's lock and ending the program.
#pragma once

#include <functional>
#include <string>

namespace morvane {

enum class MsgButtons { OK, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Error, Question };
enum class MsgAnswer { OK, Yes, No, Cancel };

struct FileDialogRequest {
    bool bSave = false;  // save dialog, else open dialog
    std::string sFilter; // for example "Servo files (*.servo)|*.servo"
    std::string sFolder; // initial folder
    std::string sTitle;
    std::string sFileName; // proposed name
};

class UiPort {
public:
    virtual ~UiPort() = default;
    // The title is always the program's. Texts are Windows-1252.
    virtual MsgAnswer MsgBox(const std::string& sText, MsgButtons buttons, MsgIcon icon,
                             MsgAnswer defaultButton) = 0;
    // The chosen path, or "" when the user cancelled.
    virtual std::string FileDialog(const FileDialogRequest& request) = 0;
    // Shows the progress bar with this range and value and redraws it.
    virtual void ShowProgress(double dMin, double dMax, double dValue) = 0;
    virtual void HideProgress() = 0;
    virtual void SetBusyPointer(bool bBusy) = 0;
    virtual void EnableMainControls(bool bEnable) = 0;
    virtual void FocusMainWindow() = 0;
    // Ends the program at once.
    [[noreturn]] virtual void EndProgram() = 0;
};

// The port in use; a silent default that answers every box with its default button and ends
// the program on EndProgram, until the window or a test installs its own.
UiPort& Ui();
void SetUi(UiPort* pUi);

// Leaving the program from below the window: the real procedure lives with the main window
// and is installed at start-up; until then the program ends at once.
using ExitProgramHandler = std::function<void(bool bAsk)>;
void SetExitProgram(ExitProgramHandler handler);
void ExitProgram(bool bAsk);

// Shorthand for the boxes the core shows.
MsgAnswer MsgBox(const std::string& sText, MsgButtons buttons = MsgButtons::OK,
                 MsgIcon icon = MsgIcon::None, MsgAnswer defaultButton = MsgAnswer::OK);

} // namespace morvane
