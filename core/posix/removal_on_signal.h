// Named temporary files removed when SIGINT, SIGTERM, SIGHUP, SIGPIPE or
// SIGXFSZ arrives while they exist, so that an interrupted write leaves
// nothing behind. What the process did on the signal before (end, or run
// its own handler) then happens as it would have.
#pragma once

#include <string>

namespace mw {

// From now on the signals remove name (at most 63 bytes) in the folder open
// as folderFd, besides the other files armed (an undo of a track batch
// holds seventeen; up to 32 at once); the handler is put in place when it
// is not there.
void ArmRemovalOnSignal(int folderFd, const std::string& name);
// That file is gone or has taken its final name: the signals leave it.
void DisarmRemovalOnSignal(int folderFd, const std::string& name);

}  // namespace mw
