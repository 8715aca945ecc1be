// The teach pendant as the window sees it: its keys arrive as the function keys F2..F22 with
// the codes 113..133, and its activation and deactivation are recorded in the log.
#pragma once

namespace morvane {

// 113 for F2 up to 133 for F22; 0 for every other key.
int PendantKeyCode(int nQtKey);
// From now on the pendant's keys reach the main window; DisconnectController ends this.
void ActivatePendant();

} // namespace morvane
