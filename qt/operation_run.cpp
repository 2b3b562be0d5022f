#include "qt/operation_run.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace mw {
namespace {

// What a person does to a window: pointer, keys, wheel, touch, pen, drops,
// and the close box.
bool IsUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

}  // namespace

OperationRun::OperationRun(OperationRun*& slot) : slot_(slot)
{
    slot_ = this;
    ++running_;
    qApp->installEventFilter(this);
    sincePaint_.start();
}

OperationRun::OperationRun(OperationRun*& slot, std::function<void()> cancel, QWidget* cancelButton)
    : OperationRun(slot)
{
    cancel_ = std::move(cancel);
    cancelButton_ = cancelButton;
}

OperationRun::~OperationRun()
{
    // Whatever input waits now arrived during the run: deliver it into the
    // filter, which drops it.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    qApp->removeEventFilter(this);
    slot_ = nullptr;
    --running_;
}

void OperationRun::PaintPending()
{
    if (sincePaint_.elapsed() < kPaintInterval)
        return;
    // Input stays queued (and is dropped at the end); timers and sockets
    // wait for the event loop.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers |
                                    QEventLoop::X11ExcludeTimers);
    sincePaint_.restart();
}

bool OperationRun::eventFilter(QObject* watched, QEvent* event)
{
    // A dialog that the operation opens (the save dialog, a message box)
    // takes input as usual; Qt keeps it from the windows it blocks.
    if (!IsUserInput(event->type()) || QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return QObject::eventFilter(watched, event);
    if (cancel_ && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        cancel_();
    if (cancelButton_) {
        // The window system's event reaches its window first, which hands
        // it to the widget under the pointer: only there is it decided.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget && watched->isWindowType() && event->type() != QEvent::Close)
            return QObject::eventFilter(watched, event);
        if (widget == cancelButton_ && cancelButton_->isVisible())
            return QObject::eventFilter(watched, event);
    }
    event->ignore();
    return true;
}

}  // namespace mw
