// The frame that the folder chooser and the Manual Path Entry window share:
// a modeless dialog that stays on top of the desktop and opens centred, in
// the program's look. Enter presses its default button.
#pragma once

#include <QDialog>

namespace mw {

class SmallWindow : public QDialog {
    Q_OBJECT

public:
    SmallWindow(const QString& caption, QSize clientSize);
};

}  // namespace mw
