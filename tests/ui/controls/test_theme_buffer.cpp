#include "BarPixels.h"
#include "ColorAdjustLuma.h"
#include "Quarl.Control.GradientBar.h"
#include "TDisabledBitmapFactors.h"
#include "TImageList.h"
#include "WatcherHeaderPreset.h"

#include <QStyle>
#include <QStyleFactory>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int ColourCount = 14;

TThemeColor Index(int i)
{
    return static_cast<TThemeColor>(i);
}

// Fourteen colours unlike each other and unlike the bar's defaults, set by
// index on a scratch bar.
TThemeBuffer DistinctBuffer()
{
    TGradientBar scratch;
    for (int i = 0; i < ColourCount; ++i)
        scratch.SetThemeColor(Index(i), RGBColor(10 + i, 200 - i, 7 * i));
    TThemeBuffer buffer;
    scratch.GetThemeBuffer(buffer);
    return buffer;
}

TThemeBuffer Current(const TGradientBar &bar)
{
    TThemeBuffer buffer;
    bar.GetThemeBuffer(buffer);
    return buffer;
}

TEST(SetThemeBuffer, CopiesEveryColourButTheSelectionBarColour)
{
    TGradientBar bar;
    const TThemeBuffer before = Current(bar);
    const TThemeBuffer wanted = DistinctBuffer();
    bar.SetThemeBuffer(wanted, false);
    for (int i = 0; i < ColourCount; ++i) {
        const TColor expected =
            Index(i) == TThemeColor::SelectionBarColor ? before.SelectionBarColor : RGBColor(10 + i, 200 - i, 7 * i);
        EXPECT_EQ(bar.ThemeColor(Index(i)), expected) << "colour " << i;
    }
    EXPECT_EQ(bar.Color(), wanted.ColorFrom);
}

TEST(SetThemeBuffer, ExcludingTheSelectedColoursKeepsThatPair)
{
    TGradientBar bar;
    const TThemeBuffer before = Current(bar);
    const TThemeBuffer wanted = DistinctBuffer();
    bar.SetThemeBuffer(wanted, true);
    const TThemeBuffer now = Current(bar);
    EXPECT_EQ(now.SelectedColorFrom, before.SelectedColorFrom);
    EXPECT_EQ(now.SelectedColorTo, before.SelectedColorTo);
    EXPECT_EQ(now.HotColorFrom, wanted.HotColorFrom);
    EXPECT_EQ(now.SelectedFontColor, wanted.SelectedFontColor) << "only the gradient pair is excluded";
}

TEST(SetThemeBuffer, DefaultMarkerLeavesAColourUnchanged)
{
    TGradientBar bar;
    const TThemeBuffer before = Current(bar);
    TThemeBuffer wanted = DistinctBuffer();
    wanted.ColorFrom = clDefaultMarker;
    wanted.HotFontColor = clDefaultMarker;
    bar.SetThemeBuffer(wanted, false);
    const TThemeBuffer now = Current(bar);
    EXPECT_EQ(now.ColorFrom, before.ColorFrom);
    EXPECT_EQ(now.HotFontColor, before.HotFontColor);
    EXPECT_EQ(now.ColorTo, wanted.ColorTo);
}

TEST(SetThemeBuffer, NewColoursArePainted)
{
    TGradientBar bar;
    bar.SetShowCaption(false);
    bar.SetColorCount(1);
    TThemeBuffer wanted = DistinctBuffer();
    wanted.SelectedColorFrom = 0x3070B0;
    bar.SetThemeBuffer(wanted, false);
    EXPECT_EQ(PixelAt(bar.RenderToImage(), 100, 15), ColorAdjustLuma(wanted.ColorFrom, 0, true));
    bar.SetSelected(true);
    EXPECT_EQ(PixelAt(bar.RenderToImage(), 100, 15), 0x3070B0u);
    EXPECT_EQ(bar.Color(), 0x3070B0u);
}

TEST(ThemeBackup, RestoreBringsBackColoursAndFontColours)
{
    TGradientBar bar;
    bar.Loaded();
    const TThemeBuffer backup = Current(bar);
    const TColor hotFont = bar.HotFont().Color;
    bar.SetThemeBuffer(DistinctBuffer(), false);
    bar.SetHotFont({bar.HotFont().Font, 0x0A0B0C});
    bar.SetFont({bar.Font().Font, 0x0D0E0F});
    bar.RestoreThemeBuffer();
    EXPECT_EQ(Current(bar), backup);
    EXPECT_EQ(bar.HotFont().Color, hotFont);
    EXPECT_EQ(bar.Font().Color, backup.FontColor);
}

TEST(ThemeBackup, BackupTakesTheFontsColoursFirst)
{
    TGradientBar bar;
    bar.SetHotFont({bar.HotFont().Font, 0x112233});
    bar.SetThemeColor(TThemeColor::HotFontColor, 0x445566);  // out of step with the font
    bar.SetThemeColor(TThemeColor::ColorFrom, 0x778899);
    bar.BackupThemeBuffer();
    EXPECT_EQ(bar.ThemeColor(TThemeColor::HotFontColor), 0x112233u);
    bar.SetThemeBuffer(DistinctBuffer(), false);
    bar.RestoreThemeBuffer();
    EXPECT_EQ(bar.ThemeColor(TThemeColor::HotFontColor), 0x112233u);
    EXPECT_EQ(bar.ThemeColor(TThemeColor::ColorFrom), 0x778899u);
}

TEST(StyleAware, SwitchingOffRestoresTheBackup)
{
    TGradientBar bar;
    bar.SetShowCaption(false);
    bar.SetColorCount(1);
    bar.SetColors(0x204060, 0x204060);
    bar.Loaded();
    ASSERT_TRUE(bar.StyleAware());
    bar.SetColors(0x608040, 0x608040);
    bar.SetStyleAware(false);
    EXPECT_EQ(bar.ColorFrom(), 0x204060u);
    EXPECT_EQ(PixelAt(bar.RenderToImage(), 100, 15), ColorAdjustLuma(0x204060, 0, true));

    bar.SetColors(0x608040, 0x608040);
    bar.SetStyleAware(false);
    EXPECT_EQ(bar.ColorFrom(), 0x608040u) << "setting the same value does nothing";
}

TEST(StyleAware, SwitchingOnKeepsTheColoursAndBacksThemUp)
{
    TGradientBar bar;
    bar.SetStyleAware(false);
    bar.SetColors(0x123456, 0x654321);
    bar.SetSelectedFont({bar.SelectedFont().Font, 0x0F0F0F});
    bar.SetThemeColor(TThemeColor::SelectedFontColor, 0x0E0E0E);
    bar.SetStyleAware(true);
    EXPECT_EQ(bar.ColorFrom(), 0x123456u) << "Qt's styles count as the system style";
    EXPECT_EQ(bar.ColorTo(), 0x654321u);
    EXPECT_EQ(bar.ThemeColor(TThemeColor::SelectedFontColor), 0x0F0F0Fu) << "taken from the font";
    bar.SetColors(0x111111, 0x222222);
    bar.RestoreThemeBuffer();
    EXPECT_EQ(bar.ColorFrom(), 0x123456u) << "the backup was taken when switching on";
}

TEST(StyleAware, AStyleChangeRestoresTheBackupOnlyWhenStyleAware)
{
    const std::unique_ptr<QStyle> first(QStyleFactory::create(QStringLiteral("Fusion")));
    const std::unique_ptr<QStyle> second(QStyleFactory::create(QStringLiteral("Windows")));
    if (!first || !second)
        GTEST_SKIP() << "needs Qt's Fusion and Windows styles";
    TGradientBar bar;
    bar.SetColors(0x204060, 0x204060);
    bar.Loaded();
    bar.SetColors(0x608040, 0x608040);
    bar.setStyle(first.get());
    EXPECT_EQ(bar.ColorFrom(), 0x204060u);

    bar.SetStyleAware(false);
    bar.SetColors(0x608040, 0x608040);
    bar.setStyle(second.get());
    EXPECT_EQ(bar.ColorFrom(), 0x608040u);
    bar.setStyle(nullptr);
}

// ---- the watcher header ----

struct Header {
    TImageList images{QSize(16, 16)};
    TGradientBar bar;

    Header()
    {
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(QColor(0, 0, 255));
        images.Add(icon);
        ConfigureWatcherHeader(bar, &images);
    }
};

TEST(WatcherHeader, ColoursAreTheHeadersOwn)
{
    Header h;
    const TGradientBar &bar = h.bar;
    EXPECT_EQ(bar.height(), 29);
    EXPECT_EQ(bar.width(), 451);
    EXPECT_FALSE(bar.Border());
    EXPECT_EQ(bar.BorderColor(), clBlack);
    EXPECT_EQ(bar.ColorFrom(), 0xC0DCC0u);
    EXPECT_EQ(bar.ColorTo(), 0xC0DCC0u);
    EXPECT_EQ(bar.DisabledColorFrom(), 0x4F413Cu);
    EXPECT_EQ(bar.DisabledColorTo(), 0x4F413Cu);
    EXPECT_EQ(bar.SelectedColorFrom(), 0x4F413Cu);
    EXPECT_EQ(bar.SelectedColorTo(), 0x362C27u);
    EXPECT_EQ(bar.HotColorFrom(), 0x897267u);
    EXPECT_EQ(bar.HotColorTo(), 0x725A52u);
    EXPECT_EQ(bar.SelectionBarColor(), 0x277FFFu);
    EXPECT_DOUBLE_EQ(bar.DisabledBitmapFactors().RedFactor(), 0.299);
    EXPECT_DOUBLE_EQ(bar.DisabledBitmapFactors().GreenFactor(), 0.587);
    EXPECT_DOUBLE_EQ(bar.DisabledBitmapFactors().BlueFactor(), 0.114);
}

TEST(WatcherHeader, FontsAreTahomaElevenBoldOnlyWhenNormal)
{
    Header h;
    const TGradientBar &bar = h.bar;
    const auto check = [](const TGradientBarFont &f, bool bold, TColor colour, const char *what) {
        EXPECT_EQ(f.Font.family(), QStringLiteral("Tahoma")) << what;
        EXPECT_EQ(f.Font.pixelSize(), 11) << what;
        EXPECT_EQ(f.Font.bold(), bold) << what;
        EXPECT_EQ(f.Color, colour) << what;
    };
    check(bar.Font(), true, clBlack, "Font");
    check(bar.DisabledFont(), false, clWindowText, "DisabledFont");
    check(bar.SelectedFont(), false, clWindowText, "SelectedFont");
    check(bar.HotFont(), false, clWhite, "HotFont");
    EXPECT_EQ(bar.ThemeColor(TThemeColor::FontColor), clBlack);
    EXPECT_EQ(bar.ThemeColor(TThemeColor::DisabledFontColor), clWindowText);
    EXPECT_EQ(bar.ThemeColor(TThemeColor::SelectedFontColor), clWindowText);
    EXPECT_EQ(bar.ThemeColor(TThemeColor::HotFontColor), clWhite);
}

TEST(WatcherHeader, IconAndInsets)
{
    Header h;
    const TGradientBar &bar = h.bar;
    EXPECT_EQ(bar.Images(), &h.images);
    EXPECT_EQ(bar.ImageIndex(), 0);
    EXPECT_EQ(bar.TopIndent(), 7);
    EXPECT_EQ(bar.LeftIndent(), 5);
    EXPECT_FALSE(bar.UseApplicationIcon());
    EXPECT_FALSE(bar.UseWindowIcon());
    EXPECT_EQ(bar.UseApplicationIconSize(), 32);
    EXPECT_FALSE(bar.HotTrack());
}

TEST(WatcherHeader, PaintsAFlatMoneyGreenBandWithTheIconBelowTheTopIndent)
{
    Header h;
    h.bar.SetCaption(QStringLiteral("eth0"));
    const QImage image = h.bar.RenderToImage();
    const TColor green = ColorAdjustLuma(0xC0DCC0, 0, true);
    for (int y = 0; y < 29; ++y)
        ASSERT_EQ(PixelAt(image, 440, y), green) << "row " << y;
    EXPECT_EQ(PixelAt(image, 5, 0), green);
    const QRect icon = h.bar.Measure(&h.bar).Icon;
    EXPECT_EQ(icon.left(), 5);
    EXPECT_GE(icon.top(), 7);
    EXPECT_EQ(PixelAt(image, icon.left(), icon.top()), 0xFF0000u);
    EXPECT_EQ(PixelAt(image, icon.left() + 15, icon.top() + 15), 0xFF0000u);
    EXPECT_EQ(PixelAt(image, icon.left() + 16, icon.top()), green);
}

TEST(WatcherHeader, SelectedHeaderIsDarkAndDisabledHeaderFlat)
{
    Header h;
    h.bar.SetSelected(true);
    QImage image = h.bar.RenderToImage();
    EXPECT_EQ(PixelAt(image, 440, 0), 0x4F413Cu);
    EXPECT_NE(PixelAt(image, 440, 28), 0x4F413Cu);
    h.bar.setEnabled(false);
    image = h.bar.RenderToImage();
    EXPECT_EQ(PixelAt(image, 440, 0), ColorAdjustLuma(0x4F413C, 0, true));
    EXPECT_EQ(PixelAt(image, 440, 28), ColorAdjustLuma(0x4F413C, 0, true));
}

TEST(WatcherHeader, ItsColoursAreTheBackupThatStylesRestore)
{
    Header h;
    h.bar.SetStyleAware(false);
    EXPECT_EQ(h.bar.ColorFrom(), 0xC0DCC0u);
    EXPECT_EQ(h.bar.SelectedColorTo(), 0x362C27u);
    EXPECT_EQ(h.bar.Font().Color, clBlack);
    EXPECT_EQ(h.bar.HotFont().Color, clWhite);
}

} // namespace
