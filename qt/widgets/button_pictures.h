// The button pictures (ButtonPicture): the four operation buttons', the
// file fields' browse button's and the archive field's other buttons'.
// Each is a file of data/pictures (drawn from its SVG source at 16 and 32
// pixels), made here into a horizontal strip of four button states.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "startup/main_window_layout.h"

namespace mw {

inline constexpr int kPictureSize = 16;
inline constexpr int kPictureStates = 4;

// The states in strip order.
enum class PictureState { Up = 0, Disabled = 1, Down = 2, Hot = 3 };

// The strip, 64x16 device-independent pixels: up, disabled (grey), down
// (moved one pixel right and down) and hot (a little brighter). On a screen
// that scales by more than one it is made from the 32-pixel picture.
QPixmap ButtonPictureStrip(ButtonPicture picture);
// One state's 16x16 picture out of a strip.
QPixmap PictureOfState(const QPixmap& strip, PictureState state);
// The picture as a tool button's icon: its up state, and its disabled one.
QIcon ButtonIcon(ButtonPicture picture);
// The file name of a picture, without folder ("create_wad.png").
const char* PictureFileName(ButtonPicture picture);

}  // namespace mw
