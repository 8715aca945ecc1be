#include "save/SaveProgress.h"

#include "common/UiPort.h"

namespace morvane {

namespace {

constexpr double kMin = 0.0001;

} // namespace

SaveProgress::SaveProgress(int nSteps, bool bFocusAtEnd)
    : m_dMax(nSteps + 2.005), m_dValue(kMin), m_bFocusAtEnd(bFocusAtEnd) {
    Ui().SetBusyPointer(true);
    Show();
}

SaveProgress::~SaveProgress() {
    Ui().HideProgress();
    Ui().SetBusyPointer(false);
    if (m_bFocusAtEnd) {
        Ui().FocusMainWindow();
    }
}

void SaveProgress::Step() {
    m_dValue += 1;
    Show();
}

void SaveProgress::Complete() {
    m_dValue = m_dMax;
    Show();
}

void SaveProgress::Show() const {
    Ui().ShowProgress(kMin, m_dMax, m_dValue);
}

} // namespace morvane
