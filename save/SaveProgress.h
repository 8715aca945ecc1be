// The progress bar and hourglass of one save, export or import: shown on creation, one step per
// variable, and hidden with the normal pointer back however the operation ends.
#pragma once

namespace morvane {

class SaveProgress {
public:
    // Range 0.0001 .. nSteps + 2.005, starting at its minimum. bFocusAtEnd gives the main window
    // the focus back at the end.
    SaveProgress(int nSteps, bool bFocusAtEnd);
    ~SaveProgress();
    SaveProgress(const SaveProgress&) = delete;
    SaveProgress& operator=(const SaveProgress&) = delete;

    void Step();
    void Complete();

private:
    void Show() const;

    double m_dMax;
    double m_dValue;
    bool m_bFocusAtEnd;
};

} // namespace morvane
