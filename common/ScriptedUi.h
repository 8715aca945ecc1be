// The Ui port for tests: records every box, dialog and progress step and answers from a
// queue; a box or dialog nobody scripted is recorded as unexpected and raises UnscriptedUi.
#pragma once

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/UiPort.h"

namespace morvane {

// Raised by ScriptedUi::EndProgram, so that a test sees the end of the program.
struct ProgramEnded {};

class UnscriptedUi : public std::logic_error {
public:
    explicit UnscriptedUi(const std::string& sWhat) : std::logic_error(sWhat) {}
};

struct BoxRecord {
    std::string sText;
    MsgButtons buttons;
    MsgIcon icon;
    MsgAnswer defaultButton;
    MsgAnswer answer;
};

class ScriptedUi : public UiPort {
public:
    // Installs itself as the port and makes ExitProgram record the call and end the program;
    // the destructor puts the previous port back.
    ScriptedUi();
    ~ScriptedUi() override;
    ScriptedUi(const ScriptedUi&) = delete;
    ScriptedUi& operator=(const ScriptedUi&) = delete;

    // The answer of the next box, in order.
    void Answer(MsgAnswer answer);
    // The result of the next file dialog, in order ("" = cancelled).
    void AnswerFile(std::string sPath);
    // Whether ExitProgram ends the program (default) or returns, as after No to the exit
    // question.
    void SetExitReturns(bool bReturns) { m_bExitReturns = bReturns; }

    MsgAnswer MsgBox(const std::string& sText, MsgButtons buttons, MsgIcon icon,
                     MsgAnswer defaultButton) override;
    std::string FileDialog(const FileDialogRequest& request) override;
    void ShowProgress(double dMin, double dMax, double dValue) override;
    void HideProgress() override;
    void SetBusyPointer(bool bBusy) override;
    void EnableMainControls(bool bEnable) override;
    void FocusMainWindow() override;
    [[noreturn]] void EndProgram() override;

    std::vector<BoxRecord> boxes;
    std::vector<FileDialogRequest> dialogs;
    std::vector<std::string> unexpected; // descriptions of unscripted boxes and dialogs
    std::vector<bool> exitCalls;         // bAsk of every ExitProgram call
    std::vector<bool> enableCalls;
    int nProgressSteps = 0;
    bool bProgressVisible = false;
    double dProgressMax = 0;
    bool bBusy = false;
    bool bEnded = false;
    int nPendingAnswers() const { return static_cast<int>(m_answers.size() + m_files.size()); }

private:
    std::deque<MsgAnswer> m_answers;
    std::deque<std::string> m_files;
    bool m_bExitReturns = false;
    UiPort* m_pPrevious;
};

} // namespace morvane
