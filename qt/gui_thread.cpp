#include "qt/gui_thread.h"

#include <QEventLoop>
#include <QMetaObject>

namespace mw {

void GuiThread::Post(std::function<void()> call)
{
    QMetaObject::invokeMethod(&context_, std::move(call), Qt::QueuedConnection);
}

void GuiThread::HandleEventsUntil(const std::function<bool()>& done)
{
    QEventLoop loop;
    while (!done())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace mw
