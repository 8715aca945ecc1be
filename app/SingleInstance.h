// The one running instance of the tool: an exclusive lock on a file, held until the process
// ends, so that a second start can see the first.
#pragma once

#include <string>

namespace morvane {

// $XDG_RUNTIME_DIR/morvane.lock, else the cache folder's morvane/morvane.lock.
std::string DefaultLockFile();
// True when this process holds the lock on sLockFile (taken now or earlier); false when
// another process holds it. A lock file that cannot be created does not stop the tool.
bool AcquireSingleInstance(const std::string& sLockFile);
// Gives the lock back (for tests that start the tool more than once in one process).
void ReleaseSingleInstance();

} // namespace morvane
