// The pictures of the four operation buttons (and the file fields' browse
// button), drawn with QPainter: each a
// 16x16 picture repeated as a horizontal strip of four button states.
#pragma once

#include <QImage>

namespace mw {

enum class ButtonPicture {
    CreateWad,     // an empty open cardboard box
    UpdateWad,     // the open box with a blue and orange item inside
    ExtractWad,    // that item alone
    UpdateTracks,  // the outline of a race track
    OpenFolder,    // a small open folder, on the file fields' browse buttons
};

inline constexpr int kPictureSize = 16;
inline constexpr int kPictureStates = 4;

// The states in strip order.
enum class PictureState { Up = 0, Disabled = 1, Down = 2, Hot = 3 };

// One 16x16 picture in its normal look, on a transparent background.
QImage DrawPicture(ButtonPicture picture);
// The 64x16 strip: up, disabled (grey), down (moved one pixel right and
// down) and hot (a little brighter).
QImage DrawPictureStrip(ButtonPicture picture);
// The file name of a picture's strip, without folder ("create_wad.png").
const char* PictureFileName(ButtonPicture picture);

}  // namespace mw
