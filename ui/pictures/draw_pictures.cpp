#include "ui/pictures/draw_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace mw {

namespace {

const QColor kOutline(0x5a, 0x3a, 0x18);
const QColor kCardboard(0xd2, 0x9b, 0x5a);
const QColor kCardboardSide(0xa8, 0x72, 0x38);
const QColor kCardboardFlap(0xe4, 0xb8, 0x7c);
const QColor kInside(0x6e, 0x48, 0x22);
const QColor kItemBlue(0x2f, 0x6c, 0xd8);
const QColor kItemOrange(0xf2, 0x8c, 0x1c);
const QColor kItemOutline(0x1c, 0x34, 0x6e);
const QColor kTrack(0x3c, 0x3c, 0x44);
const QColor kFolder(0xf4, 0xc8, 0x4a);
const QColor kFolderBack(0xd9, 0xa5, 0x26);
const QColor kFolderOutline(0x8a, 0x62, 0x0e);

void Polygon(QPainter& p, std::initializer_list<QPointF> points, const QColor& fill)
{
    p.setBrush(fill);
    p.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

// The box is drawn in two halves so that an item can stand in its opening:
// the back (rear flap and the dark inside) and the front (faces and left flap).
void DrawBoxBack(QPainter& p)
{
    p.setPen(QPen(kOutline, 0.8));
    Polygon(p, {{5.5, 5.5}, {15.0, 5.5}, {13.5, 1.0}, {4.5, 1.5}}, kCardboardFlap);
    Polygon(p, {{1.5, 8.5}, {5.5, 5.5}, {15.0, 5.5}, {11.5, 8.5}}, kInside);
}

void DrawBoxFront(QPainter& p)
{
    p.setPen(QPen(kOutline, 0.8));
    Polygon(p, {{11.5, 8.5}, {15.0, 5.5}, {15.0, 12.0}, {11.5, 15.0}}, kCardboardSide);
    Polygon(p, {{1.5, 8.5}, {11.5, 8.5}, {11.5, 15.0}, {1.5, 15.0}}, kCardboard);
    Polygon(p, {{1.5, 8.5}, {5.5, 5.5}, {2.5, 2.5}, {0.5, 5.0}}, kCardboardFlap);
    // The tape across the front face.
    p.setPen(QPen(kCardboardSide, 1.0));
    p.drawLine(QPointF(6.5, 9.0), QPointF(6.5, 14.5));
}

// The item: a blue canister with an orange band, in the given rectangle.
void DrawItem(QPainter& p, const QRectF& body)
{
    p.setPen(QPen(kItemOutline, 0.9));
    p.setBrush(kItemBlue);
    p.drawRoundedRect(body, 1.5, 1.5);
    const qreal bandHeight = body.height() / 4.0;
    const QRectF band(body.left(), body.center().y() - bandHeight / 2.0, body.width(), bandHeight);
    p.setBrush(kItemOrange);
    p.drawRect(band);
    // A highlight down the left side gives it some roundness.
    p.setPen(QPen(QColor(255, 255, 255, 140), 1.0));
    p.drawLine(QPointF(body.left() + 1.5, body.top() + 1.5), QPointF(body.left() + 1.5, band.top() - 0.5));
}

void DrawTrack(QPainter& p)
{
    QPainterPath track;
    track.moveTo(3.0, 12.5);
    track.cubicTo(0.5, 11.5, 0.8, 6.0, 3.0, 4.0);
    track.cubicTo(4.8, 2.2, 7.0, 3.5, 7.5, 5.5);
    track.cubicTo(8.0, 7.0, 9.5, 7.0, 10.5, 4.5);
    track.cubicTo(11.5, 2.0, 15.5, 2.5, 14.8, 6.5);
    track.cubicTo(14.3, 9.5, 13.5, 13.5, 10.0, 13.3);
    track.closeSubpath();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kTrack, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(track);
    // The start line, chequered black and white across the straight.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.0, 11.6, 1.2, 1.2));
    p.drawRect(QRectF(7.2, 12.8, 1.2, 1.2));
    p.setBrush(Qt::black);
    p.drawRect(QRectF(6.0, 12.8, 1.2, 1.2));
    p.drawRect(QRectF(7.2, 11.6, 1.2, 1.2));
}

void DrawOpenFolder(QPainter& p)
{
    p.setPen(QPen(kFolderOutline, 0.9));
    // The folder's back with its tab, then the open front leaning forward.
    Polygon(p, {{1.5, 3.5}, {6.0, 3.5}, {7.5, 5.0}, {13.5, 5.0}, {13.5, 13.5}, {1.5, 13.5}}, kFolderBack);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 6.0, 8.5, 5.0));
    p.setPen(QPen(kFolderOutline, 0.9));
    Polygon(p, {{1.5, 13.5}, {4.0, 8.0}, {15.5, 8.0}, {13.5, 13.5}}, kFolder);
}

QImage Blank(int width)
{
    QImage image(width, kPictureSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The picture with every pixel passed through recolour.
template <typename Recolour>
QImage MapPixels(const QImage& picture, Recolour recolour)
{
    QImage mapped = picture.convertToFormat(QImage::Format_ARGB32);
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

QImage DrawPicture(ButtonPicture picture)
{
    QImage image = Blank(kPictureSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (picture) {
    case ButtonPicture::CreateWad:
        DrawBoxBack(p);
        DrawBoxFront(p);
        break;
    case ButtonPicture::UpdateWad:
        DrawBoxBack(p);
        DrawItem(p, QRectF(5.5, 1.0, 5.0, 9.0));
        DrawBoxFront(p);
        break;
    case ButtonPicture::ExtractWad:
        DrawItem(p, QRectF(4.5, 1.5, 7.0, 13.0));
        break;
    case ButtonPicture::UpdateTracks:
        DrawTrack(p);
        break;
    case ButtonPicture::OpenFolder:
        DrawOpenFolder(p);
        break;
    }
    return image;
}

QImage DrawPictureStrip(ButtonPicture picture)
{
    const QImage up = DrawPicture(picture);
    QImage strip = Blank(kPictureSize * kPictureStates);
    QPainter p(&strip);
    const auto at = [](PictureState state) { return static_cast<int>(state) * kPictureSize; };
    p.drawImage(at(PictureState::Up), 0, up);
    p.drawImage(at(PictureState::Disabled), 0, Greyed(up));
    // The pressed look moves the picture by one pixel, cut to its own square.
    p.setClipRect(at(PictureState::Down), 0, kPictureSize, kPictureSize);
    p.drawImage(at(PictureState::Down) + 1, 1, up);
    p.setClipping(false);
    p.drawImage(at(PictureState::Hot), 0, Brightened(up));
    return strip;
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
    }
    return "";
}

}  // namespace mw
