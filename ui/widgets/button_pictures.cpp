#include "ui/widgets/button_pictures.h"

#include <QString>

namespace mw {

QPixmap ButtonPictureStrip(ButtonPicture picture)
{
    return QPixmap(QStringLiteral(":/pictures/") + QString::fromLatin1(PictureFileName(picture)));
}

QPixmap PictureOfState(const QPixmap& strip, PictureState state)
{
    const int width = strip.width() / kPictureStates;
    return strip.copy(static_cast<int>(state) * width, 0, width, strip.height());
}

}  // namespace mw
