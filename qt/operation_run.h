// While an operation runs the windows take no input, and the input that
// arrived during the run is dropped when it ends: a click made while an
// operation runs can neither reach a half-done state nor start the
// operation a second time. An operation on the GUI thread has the windows
// repainted when the window system asks (a window moved away from them);
// one on a worker thread leaves the GUI thread's event loop running, and
// Escape and its Cancel button stop it.
#pragma once

#include <functional>

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QWidget;

namespace mw {

class OperationRun : public QObject {
public:
    // Input is held back from now on; slot points at this run until it ends.
    explicit OperationRun(OperationRun*& slot);
    // Escape calls cancel; cancelButton, when given, takes its clicks.
    OperationRun(OperationRun*& slot, std::function<void()> cancel, QWidget* cancelButton);
    // Drops the input that waited, then lets input through again.
    ~OperationRun() override;

    // Paints what the window system asks to be painted, no more often than
    // every kPaintInterval milliseconds; the progress output calls it.
    void PaintPending();
    static constexpr int kPaintInterval = 40;

    // Whether an operation runs in any window.
    static bool AnyRuns() { return running_ > 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    OperationRun*& slot_;
    QElapsedTimer sincePaint_;
    std::function<void()> cancel_;
    QPointer<QWidget> cancelButton_;
    static inline int running_ = 0;
};

}  // namespace mw
