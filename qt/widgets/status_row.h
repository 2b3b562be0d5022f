// The row at the foot of the contents and Mods windows: the status bar and,
// beside it while a change runs, its Cancel button (hidden until then).
#pragma once

#include <QString>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace mw {

class StatusBar;

struct StatusRow {
    QHBoxLayout* layout;
    StatusBar* bar;
    QPushButton* cancel;
};

StatusRow MakeStatusRow(QWidget* window, const QString& cancelToolTip);

}  // namespace mw
