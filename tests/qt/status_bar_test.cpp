#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "qt/widgets/status_bar.h"
#include "startup/status_bar_fill.h"

namespace mw {
namespace {

// A bar of the main window's size (inner rectangle 413 pixels wide), shown.
class StatusBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        bar.resize(417, 16);
        bar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    }

    // Fill-coloured pixels along the inner rectangle's top row of the last paint.
    int FilledPixels() const
    {
        const QImage picture = bar.Picture().toImage();
        const int row = bar.InnerRect().top();
        int count = 0;
        for (int x = 0; x < picture.width(); ++x)
            count += picture.pixelColor(x, row) == StatusBar::FillColour();
        return count;
    }

    StatusBar bar;
};

TEST_F(StatusBarTest, FillWidthFollowsThePositionAndStopsAtTheInnerWidth)
{
    EXPECT_EQ(bar.InnerRect().width(), 413);
    bar.SetPosition(50);
    EXPECT_EQ(FilledPixels(), 206);
    bar.SetPosition(100);
    EXPECT_EQ(FilledPixels(), 413);
    bar.SetPosition(0);
    EXPECT_EQ(FilledPixels(), 0);
    EXPECT_EQ(StatusBarFillWidth(413, 1), 4);
    EXPECT_EQ(StatusBarFillWidth(413, 99), 408);
}

TEST_F(StatusBarTest, PaintsInsideTheSetterWithoutEventProcessing)
{
    const int before = bar.PaintCount();
    bar.SetPosition(10);
    EXPECT_EQ(bar.PaintCount(), before + 1);
    bar.SetCaption(QStringLiteral("Updating cars.wad : 10%"));
    EXPECT_EQ(bar.PaintCount(), before + 2);
    bar.Repaint();
    EXPECT_EQ(bar.PaintCount(), before + 3);
}

TEST_F(StatusBarTest, AboveOneHundredIsFullAndTheSameValueIsNotPaintedAgain)
{
    bar.SetPosition(100);
    const int painted = bar.PaintCount();
    bar.SetPosition(250);
    EXPECT_EQ(bar.Position(), 100);
    EXPECT_EQ(bar.PaintCount(), painted);
    bar.SetPosition(100);
    EXPECT_EQ(bar.PaintCount(), painted);

    bar.SetPosition(0);
    EXPECT_EQ(bar.PaintCount(), painted + 1);
    EXPECT_EQ(FilledPixels(), 0);
}

TEST_F(StatusBarTest, DeltaHoldsBackSmallChangesButNotTheEnds)
{
    bar.SetDelta(10);
    const int start = bar.PaintCount();
    bar.SetPosition(5);
    EXPECT_EQ(bar.PaintCount(), start) << "5 away from the painted 0";
    bar.SetPosition(12);
    EXPECT_EQ(bar.PaintCount(), start + 1);
    bar.SetPosition(95);
    bar.SetPosition(97);
    EXPECT_EQ(bar.PaintCount(), start + 2);
    bar.SetPosition(100);
    EXPECT_EQ(bar.PaintCount(), start + 3) << "an end is painted whatever the step";
    bar.SetPosition(3);
    bar.SetPosition(0);
    EXPECT_EQ(bar.PaintCount(), start + 5);

    bar.SetDelta(0);
    EXPECT_EQ(bar.Delta(), 1);
}

TEST_F(StatusBarTest, TheSameCaptionPaintsOnceAndIsDrawnOverFillAndBackground)
{
    const int start = bar.PaintCount();
    bar.SetCaption(QStringLiteral("Wad created in 1.5s"));
    bar.SetCaption(QStringLiteral("Wad created in 1.5s"));
    EXPECT_EQ(bar.PaintCount(), start + 1);

    // Half filled: the centred text crosses the fill's edge, so text-coloured
    // pixels lie on both sides of it.
    bar.SetPosition(50);
    const QImage picture = bar.Picture().toImage();
    const QColor text = bar.palette().color(QPalette::WindowText);
    const QRect inner = bar.InnerRect();
    const int edge = inner.left() + 206;
    bool onFill = false, onBackground = false;
    for (int y = inner.top(); y <= inner.bottom(); ++y) {
        for (int x = inner.left(); x <= inner.right(); ++x) {
            if (picture.pixelColor(x, y) != text)
                continue;
            (x < edge ? onFill : onBackground) = true;
        }
    }
    EXPECT_TRUE(onFill);
    EXPECT_TRUE(onBackground);
}

}  // namespace
}  // namespace mw
