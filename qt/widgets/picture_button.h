// A push button with a caption and a 16x16 picture kept as a
// horizontal strip of four states (up, disabled, down, hot).
#pragma once

#include <QPixmap>
#include <QPushButton>

namespace mw {

class PictureButton : public QPushButton {
    Q_OBJECT

public:
    explicit PictureButton(const QString& caption, QWidget* parent = nullptr);

    // A strip four pictures wide; an empty pixmap shows no picture.
    void SetPictureStrip(const QPixmap& strip);
    const QPixmap& PictureStrip() const { return strip_; }
    // The picture the button shows in its present state.
    QPixmap CurrentPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap strip_;
};

}  // namespace mw
