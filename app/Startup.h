// The start of the tool: the main window loaded and initialised once, the general-data tab
// built, the safety screen acknowledged and the log header written, in this order.
#pragma once

namespace morvane {

class ConfExtAx;

// Runs the start sequence on the window; returns when the program runs on events only.
void Main(ConfExtAx& window);
// The modal safety screen, once per run.
bool ShowSafetyScreen(ConfExtAx& window);

} // namespace morvane
