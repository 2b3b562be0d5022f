#include "qt/small_window.h"

#include "qt/window_look.h"

namespace mw {

SmallWindow::SmallWindow(const QString& caption, QSize clientSize) : QDialog(nullptr)
{
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    setSizeGripEnabled(false);
    // Only the main window's closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    ApplyWindowLook(*this);
    resize(clientSize);
    CentreOnScreen(*this);
}

}  // namespace mw
