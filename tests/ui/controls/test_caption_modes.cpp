#include "BarPixels.h"
#include "ColorAdjustLuma.h"
#include "Quarl.Control.GradientBar.h"
#include "RowName.h"
#include "TImageList.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <string>

namespace {

const QString Ellipsis = QStringLiteral("\u2026");
constexpr TColor Fill = 0x203040;

// A flat bar with a solid caption font, so ink is easy to find.
void MakeCaptionBar(TGradientBar &bar, int width, int height, TWordWrapMode mode, const QString &caption)
{
    bar.resize(width, height);
    bar.SetColorCount(1);
    bar.SetColors(Fill, Fill);
    bar.SetFont({SolidFont(12), clWhite});
    bar.SetWordWrapMode(mode);
    bar.SetCaption(caption);
}

TColor FillSeen()
{
    return ColorAdjustLuma(Fill, 0, true);
}

// The smallest rectangle holding every pixel that is not the fill.
QRect InkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (PixelAt(image, x, y) != FillSeen())
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

struct ElideRow {
    std::string name;
    TWordWrapMode mode;
    QString caption;
};

class EllipsisModes : public testing::TestWithParam<ElideRow> {};

TEST_P(EllipsisModes, ShortenedCaptionEndsOrBreaksWithAnEllipsisAndFits)
{
    const ElideRow &row = GetParam();
    TGradientBar bar;
    MakeCaptionBar(bar, 120, 30, row.mode, row.caption);
    const TGradientBarGeometry g = bar.Measure(&bar);
    ASSERT_EQ(g.Caption.Lines.size(), 1u);
    const QString shown = g.Caption.Lines[0].Text;
    const QFontMetrics metrics(bar.font(), &bar);
    ASSERT_GT(metrics.horizontalAdvance(row.caption), g.Text.width()) << "the caption must be too long to begin with";
    EXPECT_TRUE(shown.contains(Ellipsis)) << shown.toStdString();
    EXPECT_LE(metrics.horizontalAdvance(shown), g.Text.width()) << shown.toStdString();
    EXPECT_LT(shown.size(), row.caption.size());

    switch (row.mode) {
    case TWordWrapMode::wwmEndEllipsis: {
        ASSERT_TRUE(shown.endsWith(Ellipsis));
        const QString kept = shown.chopped(1);
        EXPECT_FALSE(kept.isEmpty());
        EXPECT_TRUE(row.caption.startsWith(kept)) << shown.toStdString();
        break;
    }
    case TWordWrapMode::wwmWordEllipsis: {
        ASSERT_TRUE(shown.endsWith(Ellipsis));
        const QString kept = shown.chopped(1);
        ASSERT_TRUE(row.caption.startsWith(kept)) << shown.toStdString();
        EXPECT_EQ(row.caption.at(kept.size()), QLatin1Char(' ')) << "a word was cut: " << shown.toStdString();
        break;
    }
    case TWordWrapMode::wwmPathEllipsis: {
        const QString file = row.caption.mid(row.caption.lastIndexOf(QLatin1Char('\\')));
        EXPECT_TRUE(shown.endsWith(file)) << shown.toStdString();
        EXPECT_TRUE(shown.startsWith(row.caption.left(1))) << shown.toStdString();
        break;
    }
    default: FAIL() << "not an ellipsis mode";
    }

    // What is painted stays inside the text rectangle.
    const QRect ink = InkBounds(bar.RenderToImage());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(g.Text.contains(ink)) << "ink reaches " << ink.right() << ", text ends at " << g.Text.right();
}

INSTANTIATE_TEST_SUITE_P(
    Modes, EllipsisModes,
    testing::Values(
        ElideRow{"end_ellipsis", TWordWrapMode::wwmEndEllipsis,
                 QStringLiteral("Wired connection to the office switch")},
        ElideRow{"word_ellipsis_keeps_whole_words", TWordWrapMode::wwmWordEllipsis,
                 QStringLiteral("Wired connection to the office switch")},
        ElideRow{"path_ellipsis_keeps_the_file_name", TWordWrapMode::wwmPathEllipsis,
                 QStringLiteral("C:\\Program Files\\Vorlix\\Settings\\vorlix.ini")}),
    RowName{});

TEST(CaptionModes, EllipsisModesLeaveACaptionThatFitsAlone)
{
    for (const TWordWrapMode mode :
         {TWordWrapMode::wwmEndEllipsis, TWordWrapMode::wwmWordEllipsis, TWordWrapMode::wwmPathEllipsis}) {
        TGradientBar bar;
        MakeCaptionBar(bar, 300, 30, mode, QStringLiteral("eth0 \\ lan"));
        const TGradientBarGeometry g = bar.Measure(&bar);
        ASSERT_EQ(g.Caption.Lines.size(), 1u);
        EXPECT_EQ(g.Caption.Lines[0].Text, QStringLiteral("eth0 \\ lan")) << static_cast<int>(mode);
    }
}

TEST(CaptionModes, NoWrapKeepsTheLineWholeAndClipsItAtTheTextRectangle)
{
    const QString caption = QStringLiteral("Wired connection to the office switch");
    TGradientBar bar;
    MakeCaptionBar(bar, 120, 30, TWordWrapMode::wwmNone, caption);
    const TGradientBarGeometry g = bar.Measure(&bar);
    ASSERT_EQ(g.Caption.Lines.size(), 1u);
    EXPECT_EQ(g.Caption.Lines[0].Text, caption);
    const QRect ink = InkBounds(bar.RenderToImage());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_EQ(ink.right(), g.Text.right()) << "text cut exactly at the right inset";
}

TEST(CaptionModes, BreakWrapsAtSpacesIntoLinesThatFitFromTheTop)
{
    const QString caption = QStringLiteral("one two three four five six seven");
    TGradientBar bar;
    MakeCaptionBar(bar, 80, 90, TWordWrapMode::wwmBreak, caption);
    const TGradientBarGeometry g = bar.Measure(&bar);
    const QFontMetrics metrics(bar.font(), &bar);
    ASSERT_GE(g.Caption.Lines.size(), 3u);
    QStringList words;
    for (std::size_t i = 0; i < g.Caption.Lines.size(); ++i) {
        const TCaptionLine &line = g.Caption.Lines[i];
        EXPECT_LE(metrics.horizontalAdvance(line.Text), g.Text.width()) << line.Text.toStdString();
        EXPECT_EQ(line.Rect.top(), bar.TopIndent() + static_cast<int>(i) * metrics.height());
        words += line.Text.split(QLatin1Char(' '));
    }
    EXPECT_EQ(words.join(QLatin1Char(' ')), caption) << "no word lost or split";

    // Ink on the second and third line, inside the text rectangle.
    const QImage image = bar.RenderToImage();
    const int h = metrics.height();
    EXPECT_GT(InkCount(image, QRect(0, bar.TopIndent() + h, 80, h), FillSeen()), 0);
    EXPECT_GT(InkCount(image, QRect(0, bar.TopIndent() + 2 * h, 80, h), FillSeen()), 0);
    EXPECT_TRUE(g.Text.contains(InkBounds(image)));
}

TEST(CaptionModes, WithoutBreakALongCaptionStaysOnOneLine)
{
    for (const TWordWrapMode mode : {TWordWrapMode::wwmNone, TWordWrapMode::wwmEndEllipsis,
                                     TWordWrapMode::wwmWordEllipsis, TWordWrapMode::wwmPathEllipsis}) {
        TGradientBar bar;
        MakeCaptionBar(bar, 80, 90, mode, QStringLiteral("one two three four five six seven"));
        const QImage image = bar.RenderToImage();
        const int h = QFontMetrics(bar.font(), &bar).height();
        EXPECT_EQ(InkCount(image, QRect(0, bar.TopIndent() + h, 80, 90), FillSeen()), 0) << static_cast<int>(mode);
    }
}

TEST(CaptionModes, AlignmentPlacesTheLineAtTheRightOrCentre)
{
    TGradientBar bar;
    MakeCaptionBar(bar, 200, 30, TWordWrapMode::wwmNone, QStringLiteral("eth0"));
    const QFontMetrics metrics(bar.font(), &bar);
    const int textWidth = metrics.horizontalAdvance(QStringLiteral("eth0"));

    bar.SetAlignment(TAlignment::taRightJustify);
    TGradientBarGeometry g = bar.Measure(&bar);
    EXPECT_EQ(g.Caption.Lines[0].Rect.left(), 200 - bar.RightIndent() - textWidth);
    QRect ink = InkBounds(bar.RenderToImage());
    EXPECT_GT(ink.left(), 100);
    EXPECT_LE(ink.right(), 200 - bar.RightIndent() - 1);

    bar.SetAlignment(TAlignment::taCenter);
    g = bar.Measure(&bar);
    EXPECT_EQ(g.Caption.Lines[0].Rect.left(), bar.LeftIndent() + (200 - 10 - textWidth) / 2);
    ink = InkBounds(bar.RenderToImage());
    EXPECT_GT(ink.left(), 60);
    EXPECT_LT(ink.right(), 140);
}

TEST(CaptionModes, VertTextOffsetMovesTheTextDownAndShowCaptionHidesIt)
{
    TGradientBar bar;
    MakeCaptionBar(bar, 200, 40, TWordWrapMode::wwmNone, QStringLiteral("HHH"));
    const int top = InkBounds(bar.RenderToImage()).top();
    bar.SetVertTextOffset(6);
    EXPECT_EQ(InkBounds(bar.RenderToImage()).top(), top + 6);
    bar.SetShowCaption(false);
    EXPECT_TRUE(InkBounds(bar.RenderToImage()).isEmpty());
}

// ---- icon placement ----

struct IconRow {
    std::string name;
    TImageAlign align;
};

class IconPlacement : public testing::TestWithParam<IconRow> {};

TEST_P(IconPlacement, IconAndCaptionShareTheInsetRectangle)
{
    constexpr int W = 200, H = 60, Icon = 16;
    TImageList images(QSize(Icon, Icon));
    QImage red(Icon, Icon, QImage::Format_ARGB32);
    red.fill(QColor(255, 0, 0));
    images.Add(red);
    TGradientBar bar;
    MakeCaptionBar(bar, W, H, TWordWrapMode::wwmNone, QStringLiteral("HH"));
    bar.SetImages(&images);
    bar.SetImageIndex(0);
    bar.SetImageAlign(GetParam().align);
    const QFontMetrics metrics(bar.font(), &bar);
    const int line = std::max(metrics.height(), Icon);
    const int iconY = 5 + (line - Icon) / 2;

    QRect icon;
    QRect text;
    switch (GetParam().align) {
    case TImageAlign::iaLeft:
        icon = QRect(5, iconY, Icon, Icon);
        text = QRect(5 + Icon + 5, 5, W - 5 - (5 + Icon + 5), H - 5);
        break;
    case TImageAlign::iaRight:
        icon = QRect(W - 5 - Icon, iconY, Icon, Icon);
        text = QRect(5, 5, W - 5 - Icon - 5 - 5, H - 5);
        break;
    case TImageAlign::iaTop:
        icon = QRect(5 + (W - 10 - Icon) / 2, iconY, Icon, Icon);
        text = QRect(5, 5 + Icon + 5, W - 10, H - (5 + Icon + 5));
        break;
    }
    const TGradientBarGeometry g = bar.Measure(&bar);
    EXPECT_EQ(g.Icon, icon);
    EXPECT_EQ(g.Text, text);

    const QImage image = bar.RenderToImage();
    const auto redInk = InkIn(image, image.rect(), FillSeen());
    ASSERT_TRUE(redInk.count(0x0000FF));
    EXPECT_EQ(redInk.at(0x0000FF), Icon * Icon);
    EXPECT_EQ(PixelAt(image, icon.left(), icon.top()), 0x0000FFu);
    EXPECT_EQ(PixelAt(image, icon.right(), icon.bottom()), 0x0000FFu);
}

INSTANTIATE_TEST_SUITE_P(Aligns, IconPlacement,
                         testing::Values(IconRow{"left", TImageAlign::iaLeft}, IconRow{"right", TImageAlign::iaRight},
                                         IconRow{"top", TImageAlign::iaTop}),
                         RowName{});

} // namespace
