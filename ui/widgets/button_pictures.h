// The buttons' picture strips, from the library's resources.
#pragma once

#include <QPixmap>

#include "ui/pictures/draw_pictures.h"

namespace mw {

QPixmap ButtonPictureStrip(ButtonPicture picture);
// One state's 16x16 picture out of a strip.
QPixmap PictureOfState(const QPixmap& strip, PictureState state);

}  // namespace mw
