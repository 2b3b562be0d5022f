#include <gtest/gtest.h>

#include <cstdlib>

#include <QGuiApplication>
#include <QTest>

#include "qt/widgets/button_pictures.h"
#include "qt/widgets/picture_button.h"

namespace mw {
namespace {

const ButtonPicture kAll[] = {ButtonPicture::CreateWad, ButtonPicture::UpdateWad, ButtonPicture::ExtractWad,
                              ButtonPicture::UpdateTracks, ButtonPicture::OpenFolder, ButtonPicture::Undo};

int VisiblePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).alpha() > 0;
    return count;
}

TEST(ButtonPictures, EveryStripIsFourDistinctStatesOfSixteenPixels)
{
    QList<QImage> ups;
    for (ButtonPicture picture : kAll) {
        const QPixmap strip = ButtonPictureStrip(picture);
        ASSERT_EQ(strip.deviceIndependentSize(), QSizeF(64, 16)) << PictureFileName(picture) << " is a resource";
        EXPECT_EQ(strip.devicePixelRatio(), qApp->devicePixelRatio()) << "drawn at the screen's scale";
        const QImage up = PictureOfState(strip, PictureState::Up).toImage();
        EXPECT_GT(VisiblePixels(up), 30) << PictureFileName(picture);
        EXPECT_NE(up, PictureOfState(strip, PictureState::Down).toImage());
        EXPECT_FALSE(ups.contains(up)) << "each picture differs from the others";
        ups << up;

        const QImage disabled = PictureOfState(strip, PictureState::Disabled).toImage();
        for (int y = 0; y < disabled.height(); ++y) {
            for (int x = 0; x < disabled.width(); ++x) {
                const QColor c = disabled.pixelColor(x, y);
                const bool grey = std::abs(c.red() - c.green()) <= 1 && std::abs(c.green() - c.blue()) <= 1;
                ASSERT_TRUE(c.alpha() <= 64 || grey) << "disabled is grey";
            }
        }
    }
}

TEST(PictureButton, ShowsTheStateOfTheButton)
{
    PictureButton button(QStringLiteral("Create wad"));
    const QPixmap strip = ButtonPictureStrip(ButtonPicture::CreateWad);
    button.SetPictureStrip(strip);
    const auto state = [&](PictureState s) { return PictureOfState(strip, s).toImage(); };
    EXPECT_EQ(button.CurrentPicture().toImage(), state(PictureState::Up));
    button.setDown(true);
    EXPECT_EQ(button.CurrentPicture().toImage(), state(PictureState::Down));
    button.setDown(false);
    button.setEnabled(false);
    EXPECT_EQ(button.CurrentPicture().toImage(), state(PictureState::Disabled));
}

}  // namespace
}  // namespace mw
