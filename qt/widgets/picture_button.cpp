#include "qt/widgets/picture_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "qt/widgets/button_pictures.h"

namespace mw {

PictureButton::PictureButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setIconSize(QSize(kPictureSize, kPictureSize));
}

void PictureButton::SetPictureStrip(const QPixmap& strip)
{
    strip_ = strip;
    update();
}

QPixmap PictureButton::CurrentPicture() const
{
    if (strip_.isNull())
        return {};
    PictureState state = PictureState::Up;
    if (!isEnabled())
        state = PictureState::Disabled;
    else if (isDown())
        state = PictureState::Down;
    else if (underMouse())
        state = PictureState::Hot;
    return PictureOfState(strip_, state);
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QPixmap picture = CurrentPicture();
    if (!picture.isNull()) {
        // The strip already holds the disabled look: the style must not grey it again.
        QIcon icon;
        for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected})
            icon.addPixmap(picture, mode);
        option.icon = icon;
        option.iconSize = iconSize();
    }
    painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace mw
