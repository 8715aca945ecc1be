// The Ui port of the running program: message boxes and file dialogs of Qt, the main window's
// progress bar, lock and focus, the busy pointer, and the immediate end of the process.
#pragma once

#include <QString>
#include <string>

#include "common/UiPort.h"

namespace morvane {

class ConfExtAx;

class QtUi : public UiPort {
public:
    // pWindow may be nullptr until the main window exists.
    void SetMainWindow(ConfExtAx* pWindow) { m_pWindow = pWindow; }

    MsgAnswer MsgBox(const std::string& sText, MsgButtons buttons, MsgIcon icon,
                     MsgAnswer defaultButton) override;
    std::string FileDialog(const FileDialogRequest& request) override;
    void ShowProgress(double dMin, double dMax, double dValue) override;
    void HideProgress() override;
    void SetBusyPointer(bool bBusy) override;
    void EnableMainControls(bool bEnable) override;
    void FocusMainWindow() override;
    [[noreturn]] void EndProgram() override;

private:
    ConfExtAx* m_pWindow = nullptr;
    bool m_bBusy = false;
};

// "Servo files (*.servo)|*.servo|All (*.*)|*.*" in the form of a Qt file dialog's filter.
QString QtFileFilter(const std::string& sFilter);

} // namespace morvane
