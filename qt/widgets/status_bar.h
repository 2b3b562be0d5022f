// The status bar: a progress bar that carries every status text, a fill
// growing from the left with the caption centred over it.
#pragma once

#include <cstdint>

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace mw {

class StatusBar : public QWidget {
    Q_OBJECT

public:
    explicit StatusBar(QWidget* parent = nullptr);

    // 0 to 100; a larger value is stored as 100. Setting the value it has
    // does nothing; otherwise the bar is painted at once when the change
    // from the last painted position reaches Delta, or when it moves to 0
    // or 100.
    std::uint8_t Position() const { return position_; }
    void SetPosition(std::uint8_t value);

    // Setting a different text paints the whole bar at once.
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& text);

    // The smallest painted change of Position, at least 1.
    std::uint8_t Delta() const { return delta_; }
    void SetDelta(std::uint8_t delta);

    // Paints the whole bar at once, at its current position.
    void Repaint();

    // The area inside the lowered bevel.
    QRect InnerRect() const;
    // The fill is StatusBarFillWidth of the inner width, as in every window.
    static QColor FillColour();

    // The off-screen picture of the last paint, and how many paints there were.
    const QPixmap& Picture() const { return picture_; }
    int PaintCount() const { return paintCount_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawPicture();

    std::uint8_t position_ = 0;
    std::uint8_t paintedPosition_ = 0;
    std::uint8_t delta_ = 1;
    QString caption_;
    QPixmap picture_;
    int paintCount_ = 0;
};

}  // namespace mw
