// The look that every window of the program shares, and where it opens.
#pragma once

#include <QFont>
#include <QSize>

class QLabel;
class QWidget;

namespace mw {

// "MS Sans Serif" 11 pixels high, or a similar sans-serif face where that
// one does not exist.
QFont WindowFont();

// Window font, button-face background and window-text colour.
void ApplyWindowLook(QWidget& window);

// Places a label and, like a self-sizing label, widens it when the font
// needs more room for its text than the given width.
QLabel* PlaceLabel(QLabel* label, int left, int top, int width, int height);

// Moves a top-level window so that it stands in the middle of its screen.
void CentreOnScreen(QWidget& window);

// Moves a window that has not been shown yet beside anchor, on anchor's screen.
void PlaceBeside(QWidget& window, const QWidget& anchor);

// Shows a modeless window, or brings it to the front when it is open.
void ShowInFront(QWidget& window);
// The same for a window the main window opens, which leaves the focus in
// a text field of another window: what the user types there stays there.
void ShowInFrontLeavingTyping(QWidget& window);

// The client size of a window whose outer size (with a sizeable border and
// a caption bar of the classic desktop metrics) is given.
QSize ClientSizeOf(QSize outerSize);

}  // namespace mw
