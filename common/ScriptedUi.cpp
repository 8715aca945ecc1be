#include "common/ScriptedUi.h"

namespace morvane {

namespace {

const char* ButtonsName(MsgButtons b) {
    switch (b) {
    case MsgButtons::OK:
        return "OK";
    case MsgButtons::YesNo:
        return "YesNo";
    case MsgButtons::YesNoCancel:
        return "YesNoCancel";
    }
    return "?";
}

} // namespace

ScriptedUi::ScriptedUi() : m_pPrevious(&Ui()) {
    SetUi(this);
    SetExitProgram([this](bool bAsk) {
        exitCalls.push_back(bAsk);
        if (!m_bExitReturns) {
            EndProgram();
        }
    });
}

ScriptedUi::~ScriptedUi() {
    SetExitProgram(nullptr);
    SetUi(m_pPrevious);
}

void ScriptedUi::Answer(MsgAnswer answer) {
    m_answers.push_back(answer);
}

void ScriptedUi::AnswerFile(std::string sPath) {
    m_files.push_back(std::move(sPath));
}

MsgAnswer ScriptedUi::MsgBox(const std::string& sText, MsgButtons buttons, MsgIcon icon,
                             MsgAnswer defaultButton) {
    if (m_answers.empty()) {
        unexpected.push_back(std::string("box (") + ButtonsName(buttons) + "): " + sText);
        throw UnscriptedUi("unscripted message box: " + sText);
    }
    const MsgAnswer answer = m_answers.front();
    m_answers.pop_front();
    boxes.push_back({sText, buttons, icon, defaultButton, answer});
    return answer;
}

std::string ScriptedUi::FileDialog(const FileDialogRequest& request) {
    dialogs.push_back(request);
    if (m_files.empty()) {
        unexpected.push_back("file dialog: " + request.sTitle);
        throw UnscriptedUi("unscripted file dialog: " + request.sTitle);
    }
    std::string sPath = m_files.front();
    m_files.pop_front();
    return sPath;
}

void ScriptedUi::ShowProgress(double, double dMax, double) {
    ++nProgressSteps;
    bProgressVisible = true;
    dProgressMax = dMax;
}

void ScriptedUi::HideProgress() {
    bProgressVisible = false;
}

void ScriptedUi::SetBusyPointer(bool b) {
    bBusy = b;
}

void ScriptedUi::EnableMainControls(bool bEnable) {
    enableCalls.push_back(bEnable);
}

void ScriptedUi::FocusMainWindow() {}

void ScriptedUi::EndProgram() {
    bEnded = true;
    throw ProgramEnded{};
}

} // namespace morvane
