// The GUI thread as operations off it reach it: calls posted to Qt's event
// loop, and that loop run while the window waits for an operation.
#pragma once

#include <QObject>

#include "startup/window_thread.h"

namespace mw {

class GuiThread final : public WindowThread {
public:
    void Post(std::function<void()> call) override;
    void HandleEventsUntil(const std::function<bool()>& done) override;

private:
    QObject context_;  // posted calls die with it
};

}  // namespace mw
