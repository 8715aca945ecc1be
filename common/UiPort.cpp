#include "common/UiPort.h"

#include <cstdlib>

namespace morvane {

namespace {

// Answers every box with its default button; used only before a real port is installed.
class SilentUi : public UiPort {
public:
    MsgAnswer MsgBox(const std::string&, MsgButtons, MsgIcon, MsgAnswer defaultButton) override {
        return defaultButton;
    }
    std::string FileDialog(const FileDialogRequest&) override { return ""; }
    void ShowProgress(double, double, double) override {}
    void HideProgress() override {}
    void SetBusyPointer(bool) override {}
    void EnableMainControls(bool) override {}
    void FocusMainWindow() override {}
    [[noreturn]] void EndProgram() override { std::exit(0); }
};

SilentUi g_silentUi;
UiPort* g_pUi = &g_silentUi;
ExitProgramHandler g_exitProgram;

} // namespace

UiPort& Ui() {
    return *g_pUi;
}

void SetUi(UiPort* pUi) {
    g_pUi = pUi ? pUi : &g_silentUi;
}

void SetExitProgram(ExitProgramHandler handler) {
    g_exitProgram = std::move(handler);
}

void ExitProgram(bool bAsk) {
    if (g_exitProgram) {
        g_exitProgram(bAsk);
        return;
    }
    Ui().EndProgram();
}

MsgAnswer MsgBox(const std::string& sText, MsgButtons buttons, MsgIcon icon,
                 MsgAnswer defaultButton) {
    return Ui().MsgBox(sText, buttons, icon, defaultButton);
}

} // namespace morvane
