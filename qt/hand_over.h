// The hand-over of an archive to the program already running, on Linux: a
// local socket in the user's runtime folder ($XDG_RUNTIME_DIR, which only
// the user may enter). Without a runtime folder every start opens its own
// window, as it did before. The start sends the archive's path and a line
// end; the running program answers "taken" or "busy" and closes.
#pragma once

#include <functional>
#include <string>

#include <QLocalServer>
#include <QObject>

namespace mw {

// Hands archive to the running program; true when it took it. Waits at
// most a few seconds for a program that does not answer.
bool HandToRunningProgram(const std::string& archive);

// The running program's end: listens from its creation, unless another
// program listens already; take says whether an archive is taken.
class HandOverListener : public QObject {
public:
    explicit HandOverListener(std::function<bool(const std::string&)> take);

private:
    void Answer();

    std::function<bool(const std::string&)> take_;
    QLocalServer server_;
};

}  // namespace mw
