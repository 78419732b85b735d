#include "BarPixels.h"
#include "ColorAdjustLuma.h"
#include "Quarl.Control.GradientBar.h"
#include "RowName.h"

#include <QApplication>
#include <QEnterEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace {

TColor Luma(TColor c, int amount)
{
    return ColorAdjustLuma(c, amount, true);
}

// A colour for which the two luminance amounts give different results, found by search.
std::optional<TColor> ColourTellingApart(int amount, std::optional<int> otherAmount)
{
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 51) {
                const TColor c = RGBColor(r, g, b);
                const TColor other = otherAmount ? Luma(c, *otherAmount) : c;
                if (Luma(c, amount) != other)
                    return c;
            }
    return std::nullopt;
}

// A bar with a flat fill and a large caption drawn without anti-aliasing.
void MakeTextBar(TGradientBar &bar, TColor fontColour)
{
    bar.resize(160, 40);
    bar.SetColorCount(1);
    bar.SetColors(0x404040, 0x404040);
    bar.SetDisabledColors(0x606060, 0x606060);
    bar.SetFont({SolidFont(24, true), fontColour});
    bar.SetCaption(QStringLiteral("HHHH"));
}

struct ScaleRow {
    std::string name;
    int scale;
    bool disabled;
    bool againstUnadjusted;  // at scale 0 the only wrong answer is no adjustment at all
};

class FontColourUnderScale : public testing::TestWithParam<ScaleRow> {};

TEST_P(FontColourUnderScale, TextTakesTheOppositeAmountOneStepFurther)
{
    const ScaleRow &row = GetParam();
    const int amount = -(row.scale + 1);
    const std::optional<TColor> witness =
        ColourTellingApart(amount, row.againstUnadjusted ? std::nullopt : std::optional<int>(-row.scale));
    ASSERT_TRUE(witness) << "no colour tells amount " << amount << " apart";

    TGradientBar bar;
    MakeTextBar(bar, *witness);
    bar.SetDisabledFont({SolidFont(24, true), *witness});
    bar.SetLuminosityScale(row.scale);
    bar.setEnabled(!row.disabled);
    const QImage image = bar.RenderToImage();

    const TColor fill = Luma(row.disabled ? 0x606060 : 0x404040, row.scale);
    EXPECT_EQ(PixelAt(image, 155, 38), fill);
    const auto ink = InkIn(image, image.rect(), fill);
    ASSERT_EQ(ink.size(), 1u) << "the caption should be one solid colour";
    EXPECT_EQ(ink.begin()->first, Luma(*witness, amount));
    EXPECT_GT(ink.begin()->second, 50);
}

INSTANTIATE_TEST_SUITE_P(Scales, FontColourUnderScale,
                         testing::Values(ScaleRow{"zero_still_adjusts", 0, false, true},
                                         ScaleRow{"zero_still_adjusts_disabled", 0, true, true},
                                         ScaleRow{"darker_text_on_lighter_fill", 499, false, false},
                                         ScaleRow{"lighter_text_on_darker_fill", -500, false, false},
                                         ScaleRow{"disabled_text_follows_too", 499, true, false}),
                         RowName{});

TEST(PaintScale, SelectedHotBorderAndSelectionBarColoursAreUsedAsTheyAre)
{
    TGradientBar bar;
    bar.resize(60, 20);
    bar.SetShowCaption(false);
    bar.SetColorCount(1);
    bar.SetLuminosityScale(600);
    bar.SetBorder(true);
    bar.SetThemeColor(TThemeColor::BorderColor, 0x102030);
    bar.SetSelectedColors(0x305070, 0x305070);
    bar.SetHotColors(0x607080, 0x607080);
    bar.SetThemeColor(TThemeColor::SelectionBarColor, 0x2080C0);
    bar.SetSelectionBar(true);
    bar.SetSelected(true);
    ASSERT_TRUE(bar.Selected());
    QImage image = bar.RenderToImage();
    EXPECT_EQ(PixelAt(image, 0, 10), 0x102030u);
    EXPECT_EQ(PixelAt(image, 2, 10), 0x2080C0u);
    EXPECT_EQ(PixelAt(image, 30, 10), 0x305070u);

    bar.SetSelected(false);
    bar.SetHotTrack(true);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&bar, &enter);
    image = bar.RenderToImage();
    EXPECT_EQ(PixelAt(image, 30, 10), 0x607080u);
}

TEST(PaintScale, NormalAndDisabledFillsFollowTheScale)
{
    TGradientBar bar;
    bar.resize(60, 20);
    bar.SetShowCaption(false);
    bar.SetColorCount(1);
    bar.SetColors(0x336699, 0x336699);
    bar.SetDisabledColors(0x996633, 0x996633);
    bar.SetLuminosityScale(-400);
    EXPECT_EQ(PixelAt(bar.RenderToImage(), 30, 10), Luma(0x336699, -400));
    bar.setEnabled(false);
    EXPECT_EQ(PixelAt(bar.RenderToImage(), 30, 10), Luma(0x996633, -400));
}

// ---- state fonts ----

// The state font's height as the paint works it out: h * (F * 96 / h) / 96 with
// each division rounded, in character-height terms (negative pixels).
int FollowedHeight(int fontPixels, int statePixels)
{
    const long scaled = std::lround(static_cast<double>(fontPixels) * 96 / statePixels);
    return static_cast<int>(std::lround(static_cast<double>(statePixels) * scaled / 96));
}

struct StateFontRow {
    std::string name;
    int fontPixels;
    int statePixels;
};

class StateFontHeight : public testing::TestWithParam<StateFontRow> {};

TEST_P(StateFontHeight, StateFontsFollowTheHeightOfFontButKeepTheirStyle)
{
    const StateFontRow &row = GetParam();
    TGradientBar bar;
    QFont font = SolidFont(row.fontPixels);
    bar.SetFont({font, clWhite});
    QFont state(QStringLiteral("DejaVu Serif"));
    state.setPixelSize(row.statePixels);
    state.setBold(true);
    state.setItalic(true);
    bar.SetSelectedFont({state, 0x00FFFF});
    bar.SetHotFont({state, 0x00FF00});
    bar.SetDisabledFont({state, 0x0000FF});

    const int want = FollowedHeight(row.fontPixels, row.statePixels);
    const auto check = [&](const char *what) {
        const QFont used = bar.Measure(&bar).CaptionFont.Font;
        EXPECT_EQ(used.pixelSize(), want) << what;
        EXPECT_TRUE(used.bold()) << what;
        EXPECT_TRUE(used.italic()) << what;
        EXPECT_EQ(used.family(), QStringLiteral("DejaVu Serif")) << what;
    };
    bar.SetSelected(true);
    check("selected");
    EXPECT_EQ(bar.Measure(&bar).CaptionFont.Color, 0x00FFFFu);
    bar.SetSelected(false);
    bar.SetHotTrack(true);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&bar, &enter);
    check("hot");
    bar.setEnabled(false);
    check("disabled");
}

INSTANTIATE_TEST_SUITE_P(Heights, StateFontHeight,
                         testing::Values(StateFontRow{"smaller_state_font", 20, 9},
                                         StateFontRow{"larger_state_font", 12, 30},
                                         StateFontRow{"rounding_loses_a_pixel", 23, 300}),
                         RowName{});

TEST(StateFontHeight, NormalStateUsesFontUnchanged)
{
    TGradientBar bar;
    bar.SetFont({SolidFont(17, true), 0x112233});
    QFont state(QStringLiteral("DejaVu Serif"));
    state.setPixelSize(8);
    bar.SetHotFont({state, clWhite});
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&bar, &enter);  // hot, but HotTrack is off
    const TGradientBarFont used = bar.Measure(&bar).CaptionFont;
    EXPECT_EQ(used.Font.pixelSize(), 17);
    EXPECT_TRUE(used.Font.bold());
    EXPECT_EQ(used.Font.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(used.Color, Luma(0x112233, -1));
}

TEST(StateFontHeight, SettingAStateFontTakesItsColour)
{
    TGradientBar bar;
    bar.SetHotFont({SolidFont(10), 0x010203});
    bar.SetSelectedFont({SolidFont(10), 0x040506});
    bar.SetDisabledFont({SolidFont(10), 0x070809});
    EXPECT_EQ(bar.ThemeColor(TThemeColor::HotFontColor), 0x010203u);
    EXPECT_EQ(bar.ThemeColor(TThemeColor::SelectedFontColor), 0x040506u);
    EXPECT_EQ(bar.ThemeColor(TThemeColor::DisabledFontColor), 0x070809u);
    bar.SetFont({SolidFont(10), 0x0A0B0C});
    EXPECT_EQ(bar.ThemeColor(TThemeColor::FontColor), 0x0A0B0Cu);
}

// ---- selection bar ----

struct StripRow {
    std::string name;
    TSelectionBarPosition position;
    bool border;
};

class SelectionBarStrip : public testing::TestWithParam<StripRow> {};

TEST_P(SelectionBarStrip, StripIsPaintedInsideTheBorderAlongItsEdges)
{
    const StripRow &row = GetParam();
    constexpr int W = 40, H = 16, Thick = 4;
    constexpr TColor Border = 0x0000C0, Strip = 0x30A0F0, Fill = 0x205020;
    TGradientBar bar;
    bar.resize(W, H);
    bar.SetShowCaption(false);
    bar.SetColorCount(1);
    bar.SetSelectedColors(Fill, Fill);
    bar.SetBorder(row.border);
    bar.SetThemeColor(TThemeColor::BorderColor, Border);
    bar.SetThemeColor(TThemeColor::SelectionBarColor, Strip);
    bar.SetSelectionBar(true);
    bar.SetSelectionBarWidth(Thick);
    bar.SetSelectionBarPosition(row.position);
    bar.SetSelected(true);
    const QImage image = bar.RenderToImage();

    const int b = row.border ? 1 : 0;
    const QRect inner(b, b, W - 2 * b, H - 2 * b);
    const QRect left(inner.left(), inner.top(), Thick, inner.height());
    const QRect right(inner.right() - Thick + 1, inner.top(), Thick, inner.height());
    const QRect top(inner.left(), inner.top(), inner.width(), Thick);
    const QRect bottom(inner.left(), inner.bottom() - Thick + 1, inner.width(), Thick);
    const auto inStrip = [&](int x, int y) {
        switch (row.position) {
        case TSelectionBarPosition::sbpLeft: return left.contains(x, y);
        case TSelectionBarPosition::sbpRight: return right.contains(x, y);
        case TSelectionBarPosition::sbpTop: return top.contains(x, y);
        case TSelectionBarPosition::sbpBottom: return bottom.contains(x, y);
        case TSelectionBarPosition::sbpLeftRight: return left.contains(x, y) || right.contains(x, y);
        case TSelectionBarPosition::sbpTopBottom: return top.contains(x, y) || bottom.contains(x, y);
        }
        return false;
    };
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const TColor want = !inner.contains(x, y) ? Border : inStrip(x, y) ? Strip : Fill;
            ASSERT_EQ(PixelAt(image, x, y), want) << "pixel " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Positions, SelectionBarStrip,
    testing::Values(StripRow{"left", TSelectionBarPosition::sbpLeft, false},
                    StripRow{"right", TSelectionBarPosition::sbpRight, false},
                    StripRow{"top", TSelectionBarPosition::sbpTop, false},
                    StripRow{"bottom", TSelectionBarPosition::sbpBottom, false},
                    StripRow{"left_and_right", TSelectionBarPosition::sbpLeftRight, false},
                    StripRow{"top_and_bottom", TSelectionBarPosition::sbpTopBottom, false},
                    StripRow{"left_inside_border", TSelectionBarPosition::sbpLeft, true},
                    StripRow{"right_inside_border", TSelectionBarPosition::sbpRight, true},
                    StripRow{"top_and_bottom_inside_border", TSelectionBarPosition::sbpTopBottom, true}),
    RowName{});

TEST(SelectionBarStrip, OnlyASelectedBarWithSelectionBarShowsIt)
{
    TGradientBar bar;
    bar.resize(40, 16);
    bar.SetShowCaption(false);
    bar.SetColorCount(1);
    bar.SetThemeColor(TThemeColor::SelectionBarColor, 0x30A0F0);
    bar.SetSelectionBar(true);
    EXPECT_NE(PixelAt(bar.RenderToImage(), 1, 8), 0x30A0F0u) << "unselected";
    bar.SetSelectionBar(false);
    bar.SetSelected(true);
    EXPECT_NE(PixelAt(bar.RenderToImage(), 1, 8), 0x30A0F0u) << "selected without the bar";
    bar.SetSelectionBar(true);
    EXPECT_EQ(PixelAt(bar.RenderToImage(), 1, 8), 0x30A0F0u) << "selected with the bar";
    bar.setEnabled(false);
    EXPECT_NE(PixelAt(bar.RenderToImage(), 1, 8), 0x30A0F0u) << "disabled";
}

} // namespace
