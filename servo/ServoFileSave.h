// Saving the servo file: the questions, the checks, the choice of the target file, writing,
// logging, and taking the saved values over as the file's values.
#pragma once

namespace morvane {

// True when the file was written; then the pending changes of the listed names are the file's
// values. On every other way out the pending changes stay pending. bNoQuestion skips the
// question whether to save, for callers that have asked already.
bool SaveServoFile(bool bNoQuestion);

} // namespace morvane
