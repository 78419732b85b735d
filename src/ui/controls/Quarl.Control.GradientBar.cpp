#include "Quarl.Control.GradientBar.h"

#include "ColorAdjustLuma.h"
#include "DisabledBitmap.h"
#include "MulDiv.h"
#include "TDisabledBitmapFactors.h"
#include "TImageList.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr std::array<TColor TThemeBuffer::*, 14> ThemeFields = {
    &TThemeBuffer::BorderColor,       &TThemeBuffer::ColorFrom,         &TThemeBuffer::ColorTo,
    &TThemeBuffer::DisabledColorFrom, &TThemeBuffer::DisabledColorTo,   &TThemeBuffer::SelectedColorFrom,
    &TThemeBuffer::SelectedColorTo,   &TThemeBuffer::HotColorFrom,      &TThemeBuffer::HotColorTo,
    &TThemeBuffer::SelectionBarColor, &TThemeBuffer::FontColor,         &TThemeBuffer::DisabledFontColor,
    &TThemeBuffer::SelectedFontColor, &TThemeBuffer::HotFontColor};

TColor Adjusted(TColor color, int amount)
{
    return ColorAdjustLuma(ColorToRGB(color), amount, true);
}

// Font heights in the negative "character height" sense: -pixels.
int FontHeight(const QFont &font)
{
    if (font.pixelSize() > 0)
        return -font.pixelSize();
    return -static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
}

void SetFontHeight(QFont &font, int height)
{
    if (height != 0)
        font.setPixelSize(std::abs(height));
}

// A layout rectangle big enough that measuring never drops a line.
QRect MeasuringRect(const QRect &rect)
{
    return QRect(rect.left(), rect.top(), rect.width(), 1 << 20);
}

} // namespace

TGradientBar::TGradientBar(QWidget *parent)
    : QWidget(parent), FDBF(new TDisabledBitmapFactors(this, this))
{
    connect(FDBF, &TDisabledBitmapFactors::OnChange, this, [this] { update(); });
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    resize(200, 30);

    FThemeBuffer.BorderColor = 0x211713;
    FThemeBuffer.ColorFrom = 0x63524B;
    FThemeBuffer.ColorTo = 0x443631;
    FThemeBuffer.DisabledColorFrom = Adjusted(FThemeBuffer.ColorFrom, -200);
    FThemeBuffer.DisabledColorTo = Adjusted(FThemeBuffer.ColorFrom, -200);
    FThemeBuffer.SelectedColorFrom = Adjusted(FThemeBuffer.ColorFrom, -200);
    FThemeBuffer.SelectedColorTo = Adjusted(FThemeBuffer.ColorTo, -200);
    FThemeBuffer.HotColorFrom = Adjusted(FThemeBuffer.ColorFrom, 200);
    FThemeBuffer.HotColorTo = Adjusted(FThemeBuffer.ColorTo, 200);
    FThemeBuffer.SelectionBarColor = 0x277FFF;
    FThemeBuffer.FontColor = clWhite;
    FThemeBuffer.DisabledFontColor = 0x808080;
    FThemeBuffer.SelectedFontColor = clWhite;
    FThemeBuffer.HotFontColor = clWhite;
    FDisabledFont = {font(), FThemeBuffer.DisabledFontColor};
    FSelectedFont = {font(), FThemeBuffer.SelectedFontColor};
    FHotFont = {font(), FThemeBuffer.HotFontColor};
    // A bar built in code is never "loaded", so the backup is taken here; without
    // it a style change would restore an all-black colour set.
    FBakThemeBuffer = FThemeBuffer;
    AdjustWidth();
}

TGradientBar::~TGradientBar() = default;

// ---- colours ----

TColor TGradientBar::ThemeColor(TThemeColor index) const
{
    return FThemeBuffer.*ThemeFields[static_cast<std::size_t>(index)];
}

void TGradientBar::SetThemeColor(TThemeColor index, TColor value)
{
    FThemeBuffer.*ThemeFields[static_cast<std::size_t>(index)] = value;
    update();
}

void TGradientBar::SetColors(TColor colorFrom, TColor colorTo)
{
    if (colorFrom != clDefaultMarker)
        FThemeBuffer.ColorFrom = colorFrom;
    if (colorTo != clDefaultMarker)
        FThemeBuffer.ColorTo = colorTo;
    update();
}

void TGradientBar::SetSelectedColors(TColor colorFrom, TColor colorTo)
{
    if (colorFrom != clDefaultMarker)
        FThemeBuffer.SelectedColorFrom = colorFrom;
    if (colorTo != clDefaultMarker)
        FThemeBuffer.SelectedColorTo = colorTo;
    update();
}

void TGradientBar::SetHotColors(TColor colorFrom, TColor colorTo)
{
    if (colorFrom != clDefaultMarker)
        FThemeBuffer.HotColorFrom = colorFrom;
    if (colorTo != clDefaultMarker)
        FThemeBuffer.HotColorTo = colorTo;
    update();
}

void TGradientBar::SetDisabledColors(TColor colorFrom, TColor colorTo)
{
    if (colorFrom != clDefaultMarker)
        FThemeBuffer.DisabledColorFrom = colorFrom;
    if (colorTo != clDefaultMarker)
        FThemeBuffer.DisabledColorTo = colorTo;
    update();
}

void TGradientBar::SetThemeBuffer(const TThemeBuffer &buffer, bool excludeSelectedColor)
{
    for (std::size_t i = 0; i < ThemeFields.size(); ++i) {
        const auto field = ThemeFields[i];
        if (field == &TThemeBuffer::SelectionBarColor)
            continue;
        if (excludeSelectedColor &&
            (field == &TThemeBuffer::SelectedColorFrom || field == &TThemeBuffer::SelectedColorTo))
            continue;
        if (buffer.*field != clDefaultMarker)
            FThemeBuffer.*field = buffer.*field;
    }
    update();
}

void TGradientBar::RestoreThemeBuffer()
{
    FFontColorOfFont = FBakThemeBuffer.FontColor;
    FDisabledFont.Color = FBakThemeBuffer.DisabledFontColor;
    FSelectedFont.Color = FBakThemeBuffer.SelectedFontColor;
    FHotFont.Color = FBakThemeBuffer.HotFontColor;
    FThemeBuffer = FBakThemeBuffer;
}

void TGradientBar::BackupThemeBuffer()
{
    FThemeBuffer.FontColor = FFontColorOfFont;
    FThemeBuffer.DisabledFontColor = FDisabledFont.Color;
    FThemeBuffer.SelectedFontColor = FSelectedFont.Color;
    FThemeBuffer.HotFontColor = FHotFont.Color;
    FBakThemeBuffer = FThemeBuffer;
}

TColor TGradientBar::Color() const
{
    if (!isEnabled())
        return FThemeBuffer.DisabledColorFrom;
    return FSelected ? FThemeBuffer.SelectedColorFrom : FThemeBuffer.ColorFrom;
}

// ---- fonts ----

TGradientBarFont TGradientBar::Font() const
{
    return {font(), FFontColorOfFont};
}

void TGradientBar::SetFont(const TGradientBarFont &value)
{
    FFontColorOfFont = value.Color;
    FThemeBuffer.FontColor = value.Color;
    setFont(value.Font);
    AdjustWidth();
    update();
}

void TGradientBar::SetDisabledFont(const TGradientBarFont &value)
{
    FDisabledFont = value;
    StateFontsChanged();
}

void TGradientBar::SetSelectedFont(const TGradientBarFont &value)
{
    FSelectedFont = value;
    StateFontsChanged();
}

void TGradientBar::SetHotFont(const TGradientBarFont &value)
{
    FHotFont = value;
    StateFontsChanged();
}

void TGradientBar::StateFontsChanged()
{
    FThemeBuffer.DisabledFontColor = FDisabledFont.Color;
    FThemeBuffer.SelectedFontColor = FSelectedFont.Color;
    FThemeBuffer.HotFontColor = FHotFont.Color;
    AdjustWidth();
    update();
}

// The font of the state the bar is in. The state fonts keep their face and style
// but follow the height of Font.
TGradientBarFont TGradientBar::StateFont() const
{
    TGradientBarFont chosen;
    if (!isEnabled())
        chosen = FDisabledFont;
    else if (FSelected)
        chosen = FSelectedFont;
    else if (FHot && FHotTrack)
        chosen = FHotFont;
    else
        return Font();
    const int h = FontHeight(chosen.Font);
    if (h != 0)
        SetFontHeight(chosen.Font, MulDiv(h, MulDiv(FontHeight(font()), 96, h), 96));
    return chosen;
}

// ---- look ----

void TGradientBar::SetBorder(bool value)
{
    FBorder = value;
    UpdateClientMargins();
    AdjustWidth();
    update();
}

void TGradientBar::SetBorderEdges(TBorderEdges value)
{
    FBorderEdges = value & AllBorderEdges;
    UpdateClientMargins();
    AdjustWidth();
    update();
}

// Child widgets laid out in the bar keep clear of the border lines.
void TGradientBar::UpdateClientMargins()
{
    const auto edge = [this](TBorderEdge e) { return FBorder && (FBorderEdges & BorderEdgeBit(e)) ? 1 : 0; };
    setContentsMargins(edge(TBorderEdge::beLeft), edge(TBorderEdge::beTop), edge(TBorderEdge::beRight),
                       edge(TBorderEdge::beBottom));
}

void TGradientBar::SetDirection(TGradientDirection value)
{
    FDirection = value;
    update();
}

void TGradientBar::SetColorCount(std::uint16_t value)
{
    FColorCount = value == 0 ? 1 : value;
    update();
}

void TGradientBar::SetLuminosityScale(int value)
{
    if (value == FLum)
        return;
    FLum = std::clamp(value, -1000, 999);
    update();
}

void TGradientBar::SetLeftIndent(int value)
{
    FLeftIndent = value;
    AdjustWidth();
    update();
}

void TGradientBar::SetRightIndent(int value)
{
    FRightIndent = value;
    AdjustWidth();
    update();
}

void TGradientBar::SetTopIndent(int value)
{
    FTopIndent = value;
    update();
}

void TGradientBar::SetVertTextOffset(int value)
{
    FVTO = value;
    update();
}

void TGradientBar::SetAlignment(TAlignment value)
{
    FAlignment = value;
    update();
}

void TGradientBar::SetWordWrapMode(TWordWrapMode value)
{
    FWWM = value;
    update();
}

void TGradientBar::SetShowCaption(bool value)
{
    FShowCaption = value;
    update();
}

void TGradientBar::SetCaption(const QString &value)
{
    FCaption = value;
    // Painted text is invisible to screen readers; the hint reaches them as the description.
    setAccessibleName(value);
    update();
    AdjustWidth();
}

void TGradientBar::SetSelectionBar(bool value)
{
    FSelectionBar = value;
    update();
}

void TGradientBar::SetSelectionBarPosition(TSelectionBarPosition value)
{
    FSelectionBarPos = value;
    update();
}

void TGradientBar::SetSelectionBarWidth(int value)
{
    FSelectionBarWidth = value;
    update();
}

void TGradientBar::SetDrawFocusRect(bool value)
{
    FDFR = value;
    update();
}

void TGradientBar::SetDisabledBitmapFactors(const TDisabledBitmapFactors &value)
{
    value.AssignTo(*FDBF);
    update();
}

// ---- icon ----

void TGradientBar::SetImages(TImageList *value)
{
    if (FImages)
        disconnect(FImages, &TImageList::OnChange, this, nullptr);
    FImages = value;
    if (FImages)
        connect(FImages, &TImageList::OnChange, this, [this] { update(); });
    AdjustWidth();
    update();
}

void TGradientBar::SetImageIndex(int value)
{
    FImageIndex = value;
    AdjustWidth();
    update();
}

void TGradientBar::SetImageAlign(TImageAlign value)
{
    FImageAlign = value;
    AdjustWidth();
    update();
}

void TGradientBar::SetUseApplicationIcon(bool value)
{
    FUAI = value;
    if (value)
        FUWI = false;
    AdjustWidth();
    update();
}

void TGradientBar::SetUseWindowIcon(bool value)
{
    FUWI = value;
    if (value)
        FUAI = false;
    AdjustWidth();
    update();
}

void TGradientBar::SetUseApplicationIconSize(int value)
{
    FIconSize = value;
    AdjustWidth();
    update();
}

// The window the bar sits in, when it is not a window itself.
QWidget *TGradientBar::OwnerForm() const
{
    QWidget *form = window();
    return form == this ? nullptr : form;
}

int TGradientBar::OwnerIconSize() const
{
    const QWidget *form = OwnerForm();
    return form ? form->windowIcon().actualSize(QSize(32, 32)).width() : 0;
}

bool TGradientBar::HasIcon() const
{
    return (FImages && FImageIndex >= 0) || FUAI || FUWI;
}

int TGradientBar::IconWidth() const
{
    if (FUAI)
        return FIconSize;
    if (FUWI && OwnerForm())
        return OwnerIconSize();
    const TImageList *images = FImages.data();
    return images ? images->Width() : 0;
}

int TGradientBar::IconHeight() const
{
    if (FUAI)
        return FIconSize;
    if (FUWI && OwnerForm())
        return OwnerIconSize();
    const TImageList *images = FImages.data();
    return images ? images->Height() : 0;
}

QImage TGradientBar::IconImage() const
{
    if (FUAI)
        return QApplication::windowIcon().pixmap(FIconSize, FIconSize).toImage();
    if (const QWidget *form = OwnerForm(); FUWI && form) {
        const int size = OwnerIconSize();
        return form->windowIcon().pixmap(size, size).toImage();
    }
    return FImages ? FImages->GetImage(FImageIndex) : QImage();
}

// ---- width ----

void TGradientBar::SetAutoWidth(bool value)
{
    FAutoWidth = value;
    AdjustWidth();
    update();
}

void TGradientBar::AdjustWidth()
{
    if (!FAutoWidth)
        return;
    const QRect client = contentsRect();
    const QFontMetrics metrics(StateFont().Font, this);
    const TCaptionLayout measured = LayoutCaption(FCaption, metrics, MeasuringRect(client), FWWM, FAlignment);
    int newWidth = measured.Bounds.width() + FLeftIndent + client.left() + FRightIndent + 5;
    if (HasIcon()) {
        const int iconWidth = IconWidth();
        if (FImageAlign != TImageAlign::iaTop)
            newWidth += iconWidth + 5;
        else if (iconWidth > newWidth - client.left())
            newWidth = iconWidth + FLeftIndent + client.left() + FRightIndent;
    }
    int newLeft = x();
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    const bool alignedRight = rightToLeft ? FAlignment == TAlignment::taLeftJustify
                                          : FAlignment == TAlignment::taRightJustify;
    if (alignedRight)
        newLeft += width() - newWidth;
    // The whole height is kept: taking the client height would shrink a bordered
    // bar by its border lines on every adjustment.
    setGeometry(newLeft, y(), newWidth, height());
}

void TGradientBar::ResetWidth()
{
    const QFontMetrics metrics(font(), this);
    int newWidth = metrics.horizontalAdvance(FCaption) + FRightIndent + FLeftIndent;
    if (HasIcon()) {
        const int iconWidth = IconWidth();
        if (FImageAlign != TImageAlign::iaTop)
            newWidth += iconWidth;
        else if (iconWidth > newWidth)
            newWidth = FLeftIndent + FRightIndent + iconWidth;
    }
    resize(newWidth, height());
}

// ---- behaviour ----

bool TGradientBar::HasGroupSibling() const
{
    const QWidget *parent = parentWidget();
    if (!parent || FGroupIndex <= 0)
        return false;
    for (QObject *child : parent->children()) {
        const auto *bar = qobject_cast<TGradientBar *>(child);
        if (bar && bar != this && bar->FGroupIndex == FGroupIndex)
            return true;
    }
    return false;
}

void TGradientBar::SetSelected(bool value)
{
    const bool sibling = HasGroupSibling();
    if (!FButtonMode) {
        // A group of one has nothing to be chosen against, so it stays unselected.
        FSelected = value && !(FGroupIndex > 0 && !sibling);
        update();
        return;
    }
    if (FSelected && FGroupIndex > 0 && !sibling)
        FSelected = false;
    else
        FSelected = value;
    update();
    if (sibling && FSelected) {
        for (QObject *child : parentWidget()->children()) {
            auto *bar = qobject_cast<TGradientBar *>(child);
            if (bar && bar != this && bar->FGroupIndex == FGroupIndex)
                bar->SetSelected(false);
        }
    }
}

bool TGradientBar::TabStop() const
{
    return (focusPolicy() & Qt::TabFocus) != 0;
}

// Tab focus only: a press takes the focus in mousePressEvent, and only with the
// left button; Qt's click focus would take it for any button.
void TGradientBar::SetTabStop(bool value)
{
    setFocusPolicy(value ? Qt::TabFocus : Qt::NoFocus);
}

void TGradientBar::SetStyleAware(bool value)
{
    if (value == FStyleAware)
        return;
    FStyleAware = value;
    if (value) {
        BackupThemeBuffer();
        UpdateStyleColors();
    } else {
        RestoreThemeBuffer();
    }
    update();
}

// Qt's styles all count as the system style: their colours never replace ours.
void TGradientBar::UpdateStyleColors()
{
    RestoreThemeBuffer();
}

void TGradientBar::DisableControls()
{
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->setEnabled(false);
}

void TGradientBar::EnableControls()
{
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->setEnabled(true);
}

void TGradientBar::Loaded()
{
    BackupThemeBuffer();
    if (FStyleAware)
        UpdateStyleColors();
    AdjustWidth();
}

// ---- measuring and painting ----

TThemeBuffer TGradientBar::PaintColors() const
{
    TThemeBuffer colors = FThemeBuffer;
    colors.ColorFrom = Adjusted(colors.ColorFrom, FLum);
    colors.ColorTo = Adjusted(colors.ColorTo, FLum);
    colors.DisabledColorFrom = Adjusted(colors.DisabledColorFrom, FLum);
    colors.DisabledColorTo = Adjusted(colors.DisabledColorTo, FLum);
    // The font colours go through the opposite adjustment, one step further, so
    // they pass through the luminance routine even at a scale of 0.
    colors.FontColor = Adjusted(colors.FontColor, -(FLum + 1));
    colors.DisabledFontColor = Adjusted(colors.DisabledFontColor, -(FLum + 1));
    return colors;
}

TGradientBarGeometry TGradientBar::Measure(const QPaintDevice *device) const
{
    TGradientBarGeometry g;
    g.Client = rect();
    const auto bordered = [this](TBorderEdge e) { return FBorder && (FBorderEdges & BorderEdgeBit(e)); };
    g.Fill = g.Client.adjusted(bordered(TBorderEdge::beLeft) ? 1 : 0, bordered(TBorderEdge::beTop) ? 1 : 0,
                               bordered(TBorderEdge::beRight) ? -1 : 0, bordered(TBorderEdge::beBottom) ? -1 : 0);
    g.FocusRect = g.Fill;

    const TThemeBuffer colors = PaintColors();
    g.CaptionFont = StateFont();
    bool selectedLook = false;
    if (!isEnabled()) {
        g.FillFrom = colors.DisabledColorFrom;
        g.FillTo = colors.DisabledColorTo;
        g.CaptionFont.Color = colors.DisabledFontColor;
    } else if (FSelected) {
        g.FillFrom = colors.SelectedColorFrom;
        g.FillTo = colors.SelectedColorTo;
        g.CaptionFont.Color = colors.SelectedFontColor;
        selectedLook = true;
    } else if (FHot && FHotTrack) {
        g.FillFrom = colors.HotColorFrom;
        g.FillTo = colors.HotColorTo;
        g.CaptionFont.Color = colors.HotFontColor;
    } else {
        g.FillFrom = colors.ColorFrom;
        g.FillTo = colors.ColorTo;
        g.CaptionFont.Color = colors.FontColor;
    }

    if (selectedLook && FSelectionBar) {
        const QRect &f = g.Fill;
        const int w = FSelectionBarWidth;
        const QRect left(f.left(), f.top(), w, f.height());
        const QRect right(f.left() + f.width() - w, f.top(), w, f.height());
        const QRect top(f.left(), f.top(), f.width(), w);
        const QRect bottom(f.left(), f.top() + f.height() - w, f.width(), w);
        switch (FSelectionBarPos) {
        case TSelectionBarPosition::sbpLeft: g.SelectionBars[0] = left; break;
        case TSelectionBarPosition::sbpRight: g.SelectionBars[0] = right; break;
        case TSelectionBarPosition::sbpTop: g.SelectionBars[0] = top; break;
        case TSelectionBarPosition::sbpBottom: g.SelectionBars[0] = bottom; break;
        case TSelectionBarPosition::sbpLeftRight: g.SelectionBars[0] = left; g.SelectionBars[1] = right; break;
        case TSelectionBarPosition::sbpTopBottom: g.SelectionBars[0] = top; g.SelectionBars[1] = bottom; break;
        }
    }

    // Insets are taken from the whole client area: the border does not move the caption.
    int left = g.Client.left() + FLeftIndent;
    int right = g.Client.left() + g.Client.width() - FRightIndent;
    int top = g.Client.top() + FTopIndent;
    const QFontMetrics metrics(g.CaptionFont.Font, const_cast<QPaintDevice *>(device));
    if (HasIcon()) {
        const int w = IconWidth();
        const int h = IconHeight();
        const int line = std::max(metrics.height(), h);
        const int iconY = top + (line - h) / 2;
        int iconX = left;
        switch (FImageAlign) {
        case TImageAlign::iaLeft: left += w + 5; break;
        case TImageAlign::iaRight: iconX = right - w; right -= w + 5; break;
        case TImageAlign::iaTop: iconX = left + ((right - left) - w) / 2; top += h + 5; break;
        }
        g.Icon = QRect(iconX, iconY, w, h);
    }

    const int textTop = top + FVTO;
    const int fillBottom = g.Fill.top() + g.Fill.height();
    g.Text = QRect(left, textTop, right - left, fillBottom - textTop);
    if (FCaption.contains(QStringLiteral("\r\n"))) {
        const TCaptionLayout measured = LayoutCaption(FCaption, metrics, MeasuringRect(g.Text), FWWM, FAlignment);
        g.Text.setHeight(measured.Bounds.height());
    }
    if (FShowCaption)
        g.Caption = LayoutCaption(FCaption, metrics, g.Text, FWWM, FAlignment);
    return g;
}

void TGradientBar::PaintTo(QPainter &painter) const
{
    const TGradientBarGeometry g = Measure(painter.device());
    const QRect &c = g.Client;

    if (FBorder) {
        const QColor pen = ToQColor(FThemeBuffer.BorderColor);
        if (FBorderEdges & BorderEdgeBit(TBorderEdge::beLeft))
            painter.fillRect(QRect(c.left(), c.top(), 1, c.height()), pen);
        if (FBorderEdges & BorderEdgeBit(TBorderEdge::beTop))
            painter.fillRect(QRect(c.left(), c.top(), c.width(), 1), pen);
        if (FBorderEdges & BorderEdgeBit(TBorderEdge::beRight))
            painter.fillRect(QRect(c.left() + c.width() - 1, c.top(), 1, c.height()), pen);
        if (FBorderEdges & BorderEdgeBit(TBorderEdge::beBottom))
            painter.fillRect(QRect(c.left(), c.top() + c.height() - 1, c.width(), 1), pen);
    }

    GradientFillRect(painter, g.Fill, g.FillFrom, g.FillTo, FDirection, FColorCount);
    for (const QRect &bar : g.SelectionBars)
        if (!bar.isEmpty())
            painter.fillRect(bar, ToQColor(FThemeBuffer.SelectionBarColor));

    if (!g.Icon.isEmpty()) {
        const QImage icon = IconImage();
        if (isEnabled() || FUAI || (FUWI && OwnerForm())) {
            painter.drawImage(g.Icon.topLeft(), icon);
        } else if (!icon.isNull()) {
            // The icon on white, greyed, with white left out.
            QImage onWhite(icon.size(), QImage::Format_ARGB32);
            onWhite.fill(Qt::white);
            {
                QPainter scratch(&onWhite);
                scratch.drawImage(0, 0, icon);
            }
            DrawTransparentBitmap(painter, g.Icon.left(), g.Icon.top(), clWhite, MakeDisabledBitmap(onWhite, *FDBF));
        }
    }

    if (FShowCaption) {
        painter.setFont(g.CaptionFont.Font);
        painter.setPen(ToQColor(g.CaptionFont.Color));
        DrawCaption(painter, g.Caption);
    }

    if (hasFocus() && FDFR) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = g.FocusRect;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

QImage TGradientBar::RenderToImage() const
{
    QImage image(size(), QImage::Format_ARGB32);
    // Same logical resolution as the widget, so point-sized fonts measure alike.
    image.setDotsPerMeterX(static_cast<int>(std::lround(logicalDpiX() / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(logicalDpiY() / 0.0254)));
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintTo(painter);
    return image;
}

QSize TGradientBar::sizeHint() const
{
    return QSize(200, 30);
}

// ---- events ----

void TGradientBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintTo(painter);
}

void TGradientBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    update();
}

void TGradientBar::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled())
            FSelected = false;
        update();
        break;
    case QEvent::FontChange:
        FThemeBuffer.FontColor = FFontColorOfFont;
        AdjustWidth();
        update();
        break;
    case QEvent::StyleChange:
        if (FStyleAware) {
            UpdateStyleColors();
            update();
        }
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void TGradientBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        if (TabStop() && isEnabled() && isVisible())
            setFocus(Qt::MouseFocusReason);
        if (FButtonMode)
            SetSelected(true);
        if (FMoveForm && !FMoving) {
            FMoving = true;
            FDragOrigin = event->globalPosition().toPoint();
        }
    }
    event->accept();
}

void TGradientBar::mouseMoveEvent(QMouseEvent *event)
{
    QWidget *form = OwnerForm();
    if (FMoving && FMoveForm && form) {
        FMoving = false;
        QWindow *handle = form->windowHandle();
        if (!handle || !handle->startSystemMove()) {
            FDragging = true;
            FWindowOrigin = form->pos();
        }
    }
    if (FDragging && form)
        form->move(FWindowOrigin + event->globalPosition().toPoint() - FDragOrigin);
    event->accept();
}

void TGradientBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const bool dragged = FDragging;
    FDragging = false;
    FMoving = false;
    if (!dragged && rect().contains(event->position().toPoint()))
        Q_EMIT Click();
    if (FButtonMode && FGroupIndex == 0)
        SetSelected(false);
    event->accept();
}

void TGradientBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT DblClick();
    event->accept();
}

void TGradientBar::enterEvent(QEnterEvent *event)
{
    FHot = true;
    update();
    QWidget::enterEvent(event);
}

void TGradientBar::leaveEvent(QEvent *event)
{
    FHot = false;
    update();
    QWidget::leaveEvent(event);
}

void TGradientBar::keyPressEvent(QKeyEvent *event)
{
    QWidget::keyPressEvent(event);
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers shifts = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (enter && !(event->modifiers() & shifts)) {
        event->accept();
        Q_EMIT Click();
    }
}

void TGradientBar::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (!TabStop() && parentWidget())
        focusNextChild();
    update();
}

void TGradientBar::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}
