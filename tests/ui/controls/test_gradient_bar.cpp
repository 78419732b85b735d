#include "ColorAdjustLuma.h"
#include "GradientFillRect.h"
#include "Quarl.Control.GradientBar.h"
#include "TImageList.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace {

TColor PixelAt(const QImage &image, int x, int y)
{
    return FromQColor(image.pixelColor(x, y));
}

} // namespace

TEST(GradientBands, EqualColoursGiveAFlatFillOfTwoBands)
{
    const auto bands = GradientBands(QRect(0, 0, 50, 20), 0x123456, 0x123456, TGradientDirection::gdTopToBottom, 255);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].Color, 0x123456u);
    EXPECT_EQ(bands[1].Color, 0x123456u);
}

TEST(GradientBands, ColorCountOneFillsWithTheFromColour)
{
    const auto bands = GradientBands(QRect(0, 0, 50, 20), 0x0000FF, 0xFF0000, TGradientDirection::gdTopToBottom, 1);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].Color, 0x0000FFu);
    EXPECT_EQ(bands[0].Rect, QRect(0, 0, 50, 20));
}

TEST(GradientBands, TenPixelsHighGiveTenOverlappingBandsStoppingShort)
{
    const auto bands = GradientBands(QRect(0, 0, 30, 10), 0x000000, 0x0000FF, TGradientDirection::gdTopToBottom, 255);
    ASSERT_EQ(bands.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(bands[i].Rect.top(), i);
        EXPECT_EQ(bands[i].Rect.height(), i == 9 ? 1 : 2) << "band " << i;
    }
    EXPECT_EQ(GetRValue(bands[9].Color), 230);  // 255 * 9 / 10, rounded: one step short
}

TEST(GradientBands, BottomToTopStartsWithTheToColour)
{
    const auto bands = GradientBands(QRect(0, 0, 30, 10), 0x000000, 0x0000FF, TGradientDirection::gdBottomToTop, 255);
    ASSERT_EQ(bands.size(), 10u);
    EXPECT_EQ(bands.front().Color, 0x0000FFu);
    EXPECT_EQ(GetRValue(bands.back().Color), 25);  // 255 - 229.5 rounded away from zero
}

TEST(GradientBands, EmptyRectangleGivesNoBands)
{
    EXPECT_TRUE(GradientBands(QRect(0, 0, 0, 10), 1, 2, TGradientDirection::gdLeftToRight, 255).empty());
}

TEST(GradientBar, ColorCountZeroBehavesAsOne)
{
    TGradientBar bar;
    bar.SetColorCount(0);
    EXPECT_EQ(bar.ColorCount(), 1);
    bar.SetColors(0x0000FF, 0xFF0000);
    bar.SetLuminosityScale(0);
    const QImage image = bar.RenderToImage();
    EXPECT_EQ(PixelAt(image, 100, 0), PixelAt(image, 100, 29));
}

TEST(GradientBar, LuminosityScaleIsClamped)
{
    TGradientBar bar;
    bar.SetLuminosityScale(1500);
    EXPECT_EQ(bar.LuminosityScale(), 999);
    bar.SetLuminosityScale(-2000);
    EXPECT_EQ(bar.LuminosityScale(), -1000);
}

TEST(GradientBar, MomentaryButtonIsSelectedOnlyWhileHeld)
{
    TGradientBar bar;
    bar.SetButtonMode(true);
    bar.show();
    QSignalSpy clicks(&bar, &TGradientBar::Click);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(bar.Selected());
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(bar.Selected());
    EXPECT_EQ(clicks.count(), 1);
}

TEST(GradientBar, RadioGroupOfThreeKeepsOneSelected)
{
    QWidget parent;
    TGradientBar a(&parent), b(&parent), c(&parent);
    for (TGradientBar *bar : {&a, &b, &c}) {
        bar->SetButtonMode(true);
        bar->SetGroupIndex(1);
    }
    parent.show();
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(b.Selected());
    QTest::mouseClick(&a, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(a.Selected());
    EXPECT_FALSE(b.Selected());
    EXPECT_FALSE(c.Selected());
    QTest::mouseClick(&a, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(a.Selected());
}

TEST(GradientBar, LoneGroupMemberTogglesInButtonModeAndRefusesOtherwise)
{
    QWidget parent;
    TGradientBar bar(&parent);
    bar.SetGroupIndex(2);
    bar.SetSelected(true);
    EXPECT_FALSE(bar.Selected());
    bar.SetButtonMode(true);
    parent.show();
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(bar.Selected());
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(bar.Selected());
}

TEST(GradientBar, DisablingUnselectsAndPaintsTheDisabledLook)
{
    TGradientBar bar;
    bar.SetSelected(true);
    bar.SetColorCount(1);
    bar.SetDisabledColors(0x4F413C, 0x4F413C);
    bar.setEnabled(false);
    EXPECT_FALSE(bar.Selected());
    const QImage image = bar.RenderToImage();
    EXPECT_EQ(PixelAt(image, 150, 25), ColorAdjustLuma(0x4F413C, 0, true));
}

TEST(GradientBar, HotColoursOnlyWithHotTrack)
{
    TGradientBar bar;
    bar.SetColorCount(1);
    bar.SetHotColors(0x00FF00, 0x00FF00);
    bar.show();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&bar, &enter);
    ASSERT_TRUE(bar.Hot());
    EXPECT_NE(PixelAt(bar.RenderToImage(), 150, 25), 0x00FF00u);
    bar.SetHotTrack(true);
    EXPECT_EQ(PixelAt(bar.RenderToImage(), 150, 25), 0x00FF00u);
}

TEST(GradientBar, DisabledIconIsGreyWithWhiteLeftTransparent)
{
    TImageList images(QSize(16, 16));
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::white);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x)
            icon.setPixelColor(x, y, QColor(200, 0, 0));
    images.Add(icon);
    TGradientBar bar;
    bar.SetColorCount(1);
    bar.SetDisabledColors(0x00FF00, 0x00FF00);
    bar.SetImages(&images);
    bar.SetImageIndex(0);
    bar.SetShowCaption(false);
    bar.setEnabled(false);
    const QImage image = bar.RenderToImage();
    const TColor background = ColorAdjustLuma(0x00FF00, 0, true);
    const int grey = static_cast<int>(std::lround(200 * 0.299));
    EXPECT_EQ(PixelAt(image, 5 + 2, 5 + 2), RGBColor(grey, grey, grey));
    EXPECT_EQ(PixelAt(image, 5 + 12, 5 + 2), background);  // white part of the icon
}

TEST(GradientBar, CaptionWithCrLfIsLaidOutAsLinesFromTheTop)
{
    TGradientBar bar;
    bar.SetCaption(QStringLiteral("one\r\ntwo\r\nthree"));
    const TGradientBarGeometry g = bar.Measure(&bar);
    ASSERT_EQ(g.Caption.Lines.size(), 3u);
    EXPECT_EQ(g.Caption.Lines[0].Text, QStringLiteral("one"));
    EXPECT_EQ(g.Caption.Lines[0].Rect.top(), bar.TopIndent());
    EXPECT_GT(g.Caption.Lines[2].Rect.top(), g.Caption.Lines[1].Rect.top());
    EXPECT_EQ(g.Text.height(), 3 * g.Caption.Lines[0].Rect.height());
}
