#include "qt/widgets/status_bar.h"

#include <algorithm>
#include <cstdlib>

#include <QPainter>
#include <QPaintEvent>
#include <qdrawutil.h>

#include "startup/status_bar_fill.h"

namespace mw {

namespace {
constexpr int kBevel = 2;
constexpr int kFull = 100;
}  // namespace

StatusBar::StatusBar(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void StatusBar::SetPosition(std::uint8_t value)
{
    if (value == position_)
        return;
    position_ = std::min<std::uint8_t>(value, kFull);
    const bool bigEnough = std::abs(position_ - paintedPosition_) >= delta_;
    const bool atAnEnd = (position_ == 0 || position_ == kFull) && position_ != paintedPosition_;
    if (bigEnough || atAnEnd)
        repaint();
}

void StatusBar::SetCaption(const QString& text)
{
    if (text == caption_)
        return;
    caption_ = text;
    repaint();
}

void StatusBar::SetDelta(std::uint8_t delta)
{
    delta_ = std::max<std::uint8_t>(delta, 1);
}

void StatusBar::Repaint()
{
    repaint();
}

QRect StatusBar::InnerRect() const
{
    return rect().adjusted(kBevel, kBevel, -kBevel, -kBevel);
}

QColor StatusBar::FillColour()
{
    return QColor(105, 174, 231);
}

void StatusBar::paintEvent(QPaintEvent*)
{
    DrawPicture();
    QPainter(this).drawPixmap(0, 0, picture_);
}

// Background, bevel, fill and caption go into one picture of the bar's
// size, which is then copied to the screen in one step.
void StatusBar::DrawPicture()
{
    const qreal ratio = devicePixelRatioF();
    if (picture_.size() != size() * ratio) {
        picture_ = QPixmap(size() * ratio);
        picture_.setDevicePixelRatio(ratio);
    }
    QPainter p(&picture_);
    p.fillRect(rect(), palette().color(QPalette::Button));
    qDrawWinPanel(&p, rect(), palette(), true);

    const QRect inner = InnerRect();
    const int fill = StatusBarFillWidth(inner.width(), position_);
    if (fill > 0)
        p.fillRect(QRect(inner.left(), inner.top(), fill, inner.height()), FillColour());

    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine, caption_);

    paintedPosition_ = position_;
    ++paintCount_;
}

}  // namespace mw
