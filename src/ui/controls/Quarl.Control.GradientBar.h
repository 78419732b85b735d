#pragma once

#include "CaptionText.h"
#include "GradientFillRect.h"
#include "TColor.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <cstdint>

class TDisabledBitmapFactors;
#include "TImageList.h"

enum class TImageAlign : std::uint8_t { iaLeft, iaRight, iaTop };
enum class TSelectionBarPosition : std::uint8_t { sbpLeft, sbpRight, sbpTop, sbpBottom, sbpLeftRight, sbpTopBottom };
enum class TBorderEdge : std::uint8_t { beLeft, beTop, beRight, beBottom };

// A set of edges: bit n stands for the edge of ordinal n.
using TBorderEdges = std::uint8_t;
inline constexpr TBorderEdges BorderEdgeBit(TBorderEdge edge)
{
    return static_cast<TBorderEdges>(1u << static_cast<unsigned>(edge));
}
inline constexpr TBorderEdges AllBorderEdges = 0x0F;

struct TThemeBuffer {
    TColor BorderColor = 0;
    TColor ColorFrom = 0;
    TColor ColorTo = 0;
    TColor DisabledColorFrom = 0;
    TColor DisabledColorTo = 0;
    TColor SelectedColorFrom = 0;
    TColor SelectedColorTo = 0;
    TColor HotColorFrom = 0;
    TColor HotColorTo = 0;
    TColor SelectionBarColor = 0;
    TColor FontColor = 0;
    TColor DisabledFontColor = 0;
    TColor SelectedFontColor = 0;
    TColor HotFontColor = 0;

    bool operator==(const TThemeBuffer &) const = default;
};

// Colour index of the theme buffer, in field order.
enum class TThemeColor : std::uint8_t {
    BorderColor, ColorFrom, ColorTo, DisabledColorFrom, DisabledColorTo, SelectedColorFrom, SelectedColorTo,
    HotColorFrom, HotColorTo, SelectionBarColor, FontColor, DisabledFontColor, SelectedFontColor, HotFontColor
};

// A font together with the colour its text is drawn in.
struct TGradientBarFont {
    QFont Font;
    TColor Color = clWhite;
};

// The rectangles and colours of one paint, worked out before anything is drawn.
struct TGradientBarGeometry {
    QRect Client;
    QRect Fill;           // inside the border lines
    QRect FocusRect;
    QRect Icon;           // empty without an icon
    QRect Text;           // the caption's rectangle
    QRect SelectionBars[2];
    TColor FillFrom = 0;
    TColor FillTo = 0;
    TGradientBarFont CaptionFont;
    TCaptionLayout Caption;
};

// The caption bar heading a panel: a gradient band with optional border lines,
// icon and caption; normal, hot, selected and disabled looks; push button,
// toggle or radio group behaviour; and it can drag its window. Child widgets
// sit on top of it.
class TGradientBar : public QWidget {
    Q_OBJECT

public:
    explicit TGradientBar(QWidget *parent = nullptr);
    ~TGradientBar() override;
    Q_DISABLE_COPY_MOVE(TGradientBar)

    // Colours
    TColor ThemeColor(TThemeColor index) const;
    void SetThemeColor(TThemeColor index, TColor value);
    TColor BorderColor() const { return FThemeBuffer.BorderColor; }
    TColor ColorFrom() const { return FThemeBuffer.ColorFrom; }
    TColor ColorTo() const { return FThemeBuffer.ColorTo; }
    TColor DisabledColorFrom() const { return FThemeBuffer.DisabledColorFrom; }
    TColor DisabledColorTo() const { return FThemeBuffer.DisabledColorTo; }
    TColor SelectedColorFrom() const { return FThemeBuffer.SelectedColorFrom; }
    TColor SelectedColorTo() const { return FThemeBuffer.SelectedColorTo; }
    TColor HotColorFrom() const { return FThemeBuffer.HotColorFrom; }
    TColor HotColorTo() const { return FThemeBuffer.HotColorTo; }
    TColor SelectionBarColor() const { return FThemeBuffer.SelectionBarColor; }
    void SetColors(TColor colorFrom, TColor colorTo);
    void SetSelectedColors(TColor colorFrom, TColor colorTo);
    void SetHotColors(TColor colorFrom, TColor colorTo);
    void SetDisabledColors(TColor colorFrom, TColor colorTo);
    void SetThemeBuffer(const TThemeBuffer &buffer, bool excludeSelectedColor);
    void GetThemeBuffer(TThemeBuffer &buffer) const { buffer = FThemeBuffer; }
    void RestoreThemeBuffer();
    void BackupThemeBuffer();
    // The background colour for the current state: the first colour of its pair.
    TColor Color() const;

    // Fonts of the four states; setting one takes its colour as the state's font colour.
    TGradientBarFont Font() const;
    void SetFont(const TGradientBarFont &value);
    const TGradientBarFont &DisabledFont() const { return FDisabledFont; }
    const TGradientBarFont &SelectedFont() const { return FSelectedFont; }
    const TGradientBarFont &HotFont() const { return FHotFont; }
    void SetDisabledFont(const TGradientBarFont &value);
    void SetSelectedFont(const TGradientBarFont &value);
    void SetHotFont(const TGradientBarFont &value);

    // Look
    bool Border() const { return FBorder; }
    void SetBorder(bool value);
    TBorderEdges BorderEdges() const { return FBorderEdges; }
    void SetBorderEdges(TBorderEdges value);
    TGradientDirection Direction() const { return FDirection; }
    void SetDirection(TGradientDirection value);
    int ColorCount() const { return FColorCount; }
    void SetColorCount(std::uint16_t value);
    int LuminosityScale() const { return FLum; }
    void SetLuminosityScale(int value);
    int LeftIndent() const { return FLeftIndent; }
    void SetLeftIndent(int value);
    int RightIndent() const { return FRightIndent; }
    void SetRightIndent(int value);
    int TopIndent() const { return FTopIndent; }
    void SetTopIndent(int value);
    int VertTextOffset() const { return FVTO; }
    void SetVertTextOffset(int value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TWordWrapMode WordWrapMode() const { return FWWM; }
    void SetWordWrapMode(TWordWrapMode value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool value);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &value);
    bool SelectionBar() const { return FSelectionBar; }
    void SetSelectionBar(bool value);
    TSelectionBarPosition SelectionBarPosition() const { return FSelectionBarPos; }
    void SetSelectionBarPosition(TSelectionBarPosition value);
    int SelectionBarWidth() const { return FSelectionBarWidth; }
    void SetSelectionBarWidth(int value);
    bool DrawFocusRect() const { return FDFR; }
    void SetDrawFocusRect(bool value);
    TDisabledBitmapFactors &DisabledBitmapFactors() const { return *FDBF; }
    void SetDisabledBitmapFactors(const TDisabledBitmapFactors &value);

    // Icon
    TImageList *Images() const { return FImages; }
    void SetImages(TImageList *value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TImageAlign ImageAlign() const { return FImageAlign; }
    void SetImageAlign(TImageAlign value);
    bool UseApplicationIcon() const { return FUAI; }
    void SetUseApplicationIcon(bool value);
    bool UseWindowIcon() const { return FUWI; }
    void SetUseWindowIcon(bool value);
    int UseApplicationIconSize() const { return FIconSize; }
    void SetUseApplicationIconSize(int value);
    int IconWidth() const;
    int IconHeight() const;

    // Width
    bool AutoWidth() const { return FAutoWidth; }
    void SetAutoWidth(bool value);
    void AdjustWidth();
    void ResetWidth();

    // Behaviour
    bool Selected() const { return FSelected; }
    void SetSelected(bool value);
    bool Hot() const { return FHot; }
    bool ButtonMode() const { return FButtonMode; }
    void SetButtonMode(bool value) { FButtonMode = value; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool value) { FHotTrack = value; }
    bool MoveForm() const { return FMoveForm; }
    void SetMoveForm(bool value) { FMoveForm = value; }
    bool TabStop() const;
    void SetTabStop(bool value);
    bool StyleAware() const { return FStyleAware; }
    void SetStyleAware(bool value);
    void DisableControls();
    void EnableControls();

    // Stored only
    bool TabMode() const { return FTabMode; }
    void SetTabMode(bool value) { FTabMode = value; }
    bool ExcludeFlag() const { return FExcludeFlag; }
    void SetExcludeFlag(bool value) { FExcludeFlag = value; }
    int RibbonIndex() const { return FRibbonIndex; }
    void SetRibbonIndex(int value) { FRibbonIndex = value; }
    bool TagBool() const { return FTagBool; }
    void SetTagBool(bool value) { FTagBool = value; }
    QString TagString() const { return FTagString; }
    void SetTagString(const QString &value) { FTagString = value; }

    // The end of loading for a bar configured in code: backup, style, width.
    void Loaded();

    // Measures one paint of the bar, then draws it; the widget's own paint and
    // RenderToImage both come here.
    TGradientBarGeometry Measure(const QPaintDevice *device) const;
    void PaintTo(QPainter &painter) const;
    QImage RenderToImage() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void Click();
    void DblClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool HasIcon() const;
    QImage IconImage() const;
    TGradientBarFont StateFont() const;
    TThemeBuffer PaintColors() const;
    void StateFontsChanged();
    void UpdateStyleColors();
    void UpdateClientMargins();
    int OwnerIconSize() const;
    QWidget *OwnerForm() const;
    bool HasGroupSibling() const;

    bool FBorder = false;
    TGradientDirection FDirection = TGradientDirection::gdTopToBottom;
    std::uint16_t FColorCount = 255;
    int FLeftIndent = 5;
    bool FMoveForm = false;
    QPointer<TImageList> FImages;
    int FImageIndex = -1;
    int FTopIndent = 5;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    TBorderEdges FBorderEdges = AllBorderEdges;
    int FGroupIndex = 0;
    bool FSelected = false;
    TGradientBarFont FSelectedFont;
    TGradientBarFont FDisabledFont;
    bool FAutoWidth = false;
    bool FUAI = false;
    bool FUWI = false;
    bool FHotTrack = false;
    TGradientBarFont FHotFont;
    bool FHot = false;
    TImageAlign FImageAlign = TImageAlign::iaLeft;
    int FRightIndent = 5;
    TWordWrapMode FWWM = TWordWrapMode::wwmNone;
    int FIconSize = 32;
    TThemeBuffer FBakThemeBuffer;
    TThemeBuffer FThemeBuffer;
    bool FStyleAware = true;
    bool FButtonMode = false;
    int FLum = 0;
    int FVTO = 0;
    int FRibbonIndex = -1;
    bool FExcludeFlag = false;
    bool FSelectionBar = false;
    TSelectionBarPosition FSelectionBarPos = TSelectionBarPosition::sbpLeft;
    int FSelectionBarWidth = 3;
    bool FDFR = true;
    bool FTagBool = false;
    QString FTagString;
    bool FTabMode = false;
    bool FMoving = false;
    TDisabledBitmapFactors *FDBF;
    bool FShowCaption = true;

    QString FCaption;
    TColor FFontColorOfFont = clWhite;  // the colour that goes with Font
    // Where the system cannot move the window itself, the bar moves it.
    bool FDragging = false;
    QPoint FDragOrigin;
    QPoint FWindowOrigin;
};
