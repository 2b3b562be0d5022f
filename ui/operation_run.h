// An operation runs on the GUI thread from its button's click to its end.
// Meanwhile the windows are repainted when the window system asks (a window
// moved away from them) but take no input, and the input that arrived during
// the run is dropped when it ends: a click made while an operation runs can
// neither reach a half-done state nor start the operation a second time.
#pragma once

#include <QElapsedTimer>
#include <QObject>

namespace mw {

class OperationRun : public QObject {
public:
    // Input is held back from now on; slot points at this run until it ends.
    explicit OperationRun(OperationRun*& slot);
    // Drops the input that waited, then lets input through again.
    ~OperationRun() override;

    // Paints what the window system asks to be painted, no more often than
    // every kPaintInterval milliseconds; the progress output calls it.
    void PaintPending();
    static constexpr int kPaintInterval = 40;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    OperationRun*& slot_;
    QElapsedTimer sincePaint_;
};

}  // namespace mw
