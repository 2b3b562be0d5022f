#include "qt/widgets/button_pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

namespace mw {

namespace {

// The picture at the screen's scale: the 32-pixel file ("@2x") when the
// screen scales by more than one.
QImage LoadPicture(ButtonPicture picture)
{
    QString name = QStringLiteral(":/pictures/") + QString::fromLatin1(PictureFileName(picture));
    const bool large = qApp != nullptr && qApp->devicePixelRatio() > 1.0;
    if (large)
        name.insert(name.size() - 4, QStringLiteral("@2x"));
    QImage image(name);
    image.setDevicePixelRatio(large ? 2.0 : 1.0);
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The picture with every pixel passed through recolour.
template <typename Recolour>
QImage MapPixels(const QImage& picture, Recolour recolour)
{
    QImage mapped = picture;
    for (int y = 0; y < mapped.height(); ++y)
        for (int x = 0; x < mapped.width(); ++x)
            mapped.setPixelColor(x, y, recolour(mapped.pixelColor(x, y)));
    return mapped;
}

QImage Greyed(const QImage& picture)
{
    return MapPixels(picture, [](const QColor& c) {
        const int level = 128 + qGray(c.rgb()) / 2;
        return QColor(level, level, level, c.alpha() * 3 / 4);
    });
}

QImage Brightened(const QImage& picture)
{
    return MapPixels(picture, [](const QColor& c) {
        QColor lighter = c.lighter(115);
        lighter.setAlpha(c.alpha());
        return lighter;
    });
}

}  // namespace

QPixmap ButtonPictureStrip(ButtonPicture picture)
{
    const QImage up = LoadPicture(picture);
    const qreal scale = up.devicePixelRatio();
    QImage strip(up.width() * kPictureStates, up.height(), QImage::Format_ARGB32_Premultiplied);
    strip.setDevicePixelRatio(scale);
    strip.fill(Qt::transparent);
    // The painter works in device-independent pixels.
    QPainter p(&strip);
    const auto at = [](PictureState state) { return static_cast<int>(state) * kPictureSize; };
    p.drawImage(at(PictureState::Up), 0, up);
    p.drawImage(at(PictureState::Disabled), 0, Greyed(up));
    // The pressed look moves the picture by one pixel, cut to its own square.
    p.setClipRect(at(PictureState::Down), 0, kPictureSize, kPictureSize);
    p.drawImage(at(PictureState::Down) + 1, 1, up);
    p.setClipping(false);
    p.drawImage(at(PictureState::Hot), 0, Brightened(up));
    p.end();
    return QPixmap::fromImage(strip);
}

QPixmap PictureOfState(const QPixmap& strip, PictureState state)
{
    const int width = strip.width() / kPictureStates;
    return strip.copy(static_cast<int>(state) * width, 0, width, strip.height());
}

QIcon ButtonIcon(ButtonPicture picture)
{
    const QPixmap strip = ButtonPictureStrip(picture);
    QIcon icon;
    icon.addPixmap(PictureOfState(strip, PictureState::Up), QIcon::Normal);
    icon.addPixmap(PictureOfState(strip, PictureState::Disabled), QIcon::Disabled);
    return icon;
}

const char* PictureFileName(ButtonPicture picture)
{
    switch (picture) {
    case ButtonPicture::CreateWad:
        return "create_wad.png";
    case ButtonPicture::UpdateWad:
        return "update_wad.png";
    case ButtonPicture::ExtractWad:
        return "extract_wad.png";
    case ButtonPicture::UpdateTracks:
        return "update_tracks.png";
    case ButtonPicture::OpenFolder:
        return "open_folder.png";
    case ButtonPicture::Undo:
        return "undo.png";
    case ButtonPicture::Contents:
        return "contents.png";
    case ButtonPicture::Mods:
        return "mods.png";
    }
    return "";
}

}  // namespace mw
