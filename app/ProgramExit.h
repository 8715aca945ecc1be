// The one way out of the tool after start-up: the exit question, the offers to save pending
// servo-file and machine-data changes, releasing the controller and ending the process.
#pragma once

namespace morvane {

// Returns only when the user stays (or a wanted save was refused); otherwise the process ends.
void RunExitProgram(bool bAsk);
// Makes RunExitProgram the ExitProgram of the Ui port, for the modules below the window.
void InstallExitProgram();

} // namespace morvane
