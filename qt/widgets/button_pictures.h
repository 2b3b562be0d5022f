// The pictures of the four operation buttons, the file fields' browse
// button and the undo button. Each is a file of ui/pictures (drawn from its SVG source at 16
// and 32 pixels), made here into a horizontal strip of four button states.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace mw {

enum class ButtonPicture {
    CreateWad,     // an empty open cardboard box
    UpdateWad,     // the open box with a blue and orange item inside
    ExtractWad,    // that item alone
    UpdateTracks,  // the outline of a race track
    OpenFolder,    // a small open folder, on the file fields' browse buttons
    Undo,          // an arrow turning back, on "Undo last update"
    Contents,      // a page listing entries, on the button that shows what a wad holds
    Mods,          // three stacked sheets, on the button that opens the Mods window
};

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
