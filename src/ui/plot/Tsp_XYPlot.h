#pragma once

#include "Tsp_Axis.h"
#include "Tsp_AxisPlot.h"
#include "TColor.h"
#include "Tsp_PlotTypes.h"

#include <QCursor>
#include <QFont>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPainter;
class Tsp_DataSeries;
class Tsp_MemBitmap;
class Tsp_PlotMarker;

// The colour value meaning "no colour": a field with it is not painted.
constexpr TColor clNone = 0x1FFFFFFF;

// The gesture in progress and its rectangle (see the gesture states in Tsp_XYPlotGestures.cpp).
struct Tsp_ZoomData {
    Tsp_Rect R;
    std::uint8_t State = 0;
};

// A plot field surrounded by four axes, with grid lines, a frame, axis captions, and the series
// and markers attached to it. Draws through an optional off-screen buffer and redraws only the
// parts marked invalid; the zoom rectangle and the cursor line are painted over the copied
// buffer with inverting composition, so erasing them is a repaint.
//
// Series and markers are owned elsewhere; each side tells the other when it is destroyed.
class Tsp_XYPlot : public QWidget, public Tsp_AxisPlot {
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(Tsp_XYPlot &Sender)>;
    using TGetTickLabelEvent = std::function<void(Tsp_Axis &Sender, int LabelNum, double LabelVal, std::string &LS)>;
    using TZoomAxisEvent = std::function<void(Tsp_Axis &Sender, double &min, double &max, bool &CanZoom)>;
    using TMouseEvent = std::function<void(Tsp_XYPlot &Sender, Qt::KeyboardModifiers Shift, int X, int Y)>;

    explicit Tsp_XYPlot(QWidget *parent = nullptr);
    ~Tsp_XYPlot() override;
    Tsp_XYPlot(const Tsp_XYPlot &) = delete;
    Tsp_XYPlot &operator=(const Tsp_XYPlot &) = delete;

    Tsp_Axis &LeftAxis() { return LA; }
    Tsp_Axis &RightAxis() { return RA; }
    Tsp_Axis &BottomAxis() { return BA; }
    Tsp_Axis &TopAxis() { return TA; }
    void SetLeftAxis(const Tsp_Axis &a) { AssignAxis(LA, a); }
    void SetRightAxis(const Tsp_Axis &a) { AssignAxis(RA, a); }
    void SetBottomAxis(const Tsp_Axis &a) { AssignAxis(BA, a); }
    void SetTopAxis(const Tsp_Axis &a) { AssignAxis(TA, a); }

    // Tsp_AxisPlot
    void Invalidate() override;
    void InvalidateParts(bool Arrange, bool Around, bool Field) override;
    bool AutoScale(Tsp_Axis &Axis) override;
    void GetTickLabel(Tsp_Axis &Sender, int LabelNum, double LabelVal, std::string &LS) override;

    // Surroundings and field invalid, without a repaint request.
    void BufferIsInvalid();
    // Paints the pending invalid area at once.
    void Update() { repaint(); }
    // Draws the whole plot on another painter of W × H pixels; nothing below 10 pixels.
    void DrawPlot(QPainter *DC, int W, int H);
    void CopyToClipboardBitmap();
    // The vector picture goes to the clipboard as SVG.
    void CopyToClipboardMetafile();

    // Draws into the buffer's field, clipped to it, when the buffer holds an up-to-date picture,
    // and requests the copy to the window; false (nothing drawn) otherwise.
    bool PaintIntoField(const std::function<void(QPainter &canvas)> &draw);

    const Tsp_Rect &FieldRect() const { return FR; }
    // The painter of the current drawing pass; null outside drawing.
    QPainter *DCanvas() const { return fDCanvas; }
    std::int32_t DWidth() const { return fDWidth; }
    std::int32_t DHeight() const { return fDHeight; }
    const QFont &VerticalFont() const { return VFont; }

    int SeriesCount() const { return static_cast<int>(fSeries.size()); }
    Tsp_DataSeries *Series(int i) const { return fSeries[static_cast<std::size_t>(i)]; }
    void SeriesChanged(Tsp_DataSeries *S);
    void AddSeries(Tsp_DataSeries *S);
    void RemoveSeries(Tsp_DataSeries *S);
    void BringSeriesToFront(Tsp_DataSeries *S);
    void SendSeriesToBack(Tsp_DataSeries *S);

    void AddMarker(Tsp_PlotMarker *M, Tsp_WhenDrawMarker When);
    void RemoveMarker(Tsp_PlotMarker *M, Tsp_WhenDrawMarker When);
    const std::vector<Tsp_PlotMarker *> &Markers(Tsp_WhenDrawMarker When) const;
    void BringMarkerToFront(Tsp_PlotMarker *M);
    void SendMarkerToBack(Tsp_PlotMarker *M);

    TColor Color() const { return fColor; }
    void SetColor(TColor c);
    TColor FieldColor() const { return FBColor; }
    void SetFieldColor(TColor c);
    Tsp_BorderStyle BorderStyle() const { return fFrameStyle; }
    void SetBorderStyle(Tsp_BorderStyle s);
    bool BufferedDisplay() const;
    void SetBufferedDisplay(bool b);
    const Tsp_MemBitmap *Buffer() const { return fDDBBuf.get(); }

    bool ValidArrangement() const { return ValidArrange; }
    bool ValidFieldBuffer() const { return ValidField; }
    bool ValidAroundBuffer() const { return ValidAround; }

    // Mouse gestures and the cursor line.
    Tsp_zpDirections Zoom() const { return fZoomEnabled; }
    void SetZoom(Tsp_zpDirections d) { fZoomEnabled = d; }
    Tsp_zpDirections Pan() const { return fPanEnabled; }
    void SetPan(Tsp_zpDirections d) { fPanEnabled = d; }
    Qt::CursorShape PanCursor() const { return fPanCursor; }
    void SetPanCursor(Qt::CursorShape c) { fPanCursor = c; }
    std::uint8_t ZoomShiftKeys() const { return ToShiftKeys(fZoomShift); }
    void SetZoomShiftKeys(std::uint8_t keys) { fZoomShift = ToModifiers(keys); }
    std::uint8_t PanShiftKeys() const { return ToShiftKeys(fPanShift); }
    void SetPanShiftKeys(std::uint8_t keys) { fPanShift = ToModifiers(keys); }
    const Tsp_ZoomData &ZoomData() const { return fZoomData; }
    bool XCursorOn() const { return fXCursOn; }
    void SetXCursorOn(bool b);
    double XCursorVal() const { return fXCursVal; }
    void SetXCursorVal(double v);
    std::int32_t XCursorPos() const { return fXCursPos; }
    void StoreAxesMinMax();
    void RestoreAxesMinMax();

    TNotifyEvent OnFieldDraw;
    TNotifyEvent OnDrawEnd;
    TGetTickLabelEvent OnGetTickLabel;
    TZoomAxisEvent OnAxisZoom;
    TMouseEvent OnMouseMove;
    TNotifyEvent OnDblClick;

protected:
    virtual void DoDrawEnd();
    virtual void DoFieldDraw();

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // Points the drawing pass at a painter and size, and back to the control however it ends.
    class DrawTarget;

    void AssignAxis(Tsp_Axis &own, const Tsp_Axis &a);
    void BuildVerticalFont();
    void Arrange(std::int32_t FntWidth, std::int32_t FntHeight);
    void ArrangeForCanvas();
    void DrawSequence();
    void DrawAround();
    void DrawCaptions();
    void DrawField();
    void DrawGrid(Tsp_Axis &axis);
    void DrawFrame();
    void DrawOverlays(QPainter &painter);
    void PaintBuffered(QPainter &widgetPainter);

    // Gestures.
    void ZoomTo(const Tsp_Rect &r);
    void ZoomAxis(Tsp_Axis &axis, std::int32_t p1, std::int32_t p2);
    void PanBy();
    void SetApplicationCursor(Qt::CursorShape shape);
    void ReleaseApplicationCursor();
    static Qt::KeyboardModifiers ToModifiers(std::uint8_t keys);
    static std::uint8_t ToShiftKeys(Qt::KeyboardModifiers modifiers);

    Tsp_Axis LA;
    Tsp_Axis RA;
    Tsp_Axis BA;
    Tsp_Axis TA;
    Tsp_Rect FR;
    QPainter *fDCanvas = nullptr;
    std::int32_t fDWidth = 180;
    std::int32_t fDHeight = 120;
    std::unique_ptr<Tsp_MemBitmap> fDDBBuf;
    QFont VFont;
    Tsp_BorderStyle fFrameStyle = Tsp_BorderStyle::bs_None;
    TColor fColor = clBtnFace;
    TColor FBColor = clWhite;
    std::vector<Tsp_DataSeries *> fSeries;
    std::vector<Tsp_PlotMarker *> fBSML;
    std::vector<Tsp_PlotMarker *> fASML;
    Qt::CursorShape fPanCursor = Qt::ArrowCursor;
    Tsp_zpDirections fZoomEnabled = Tsp_zpDirections::zpdBoth;
    Tsp_zpDirections fPanEnabled = Tsp_zpDirections::zpdBoth;
    // Keys that must be held, exactly, with the left button alone.
    Qt::KeyboardModifiers fZoomShift = Qt::ShiftModifier;
    Qt::KeyboardModifiers fPanShift = Qt::ControlModifier;
    Tsp_ZoomData fZoomData;
    bool fAppCursorSet = false;
    QSize fLastSize;
    bool fXCursOn = false;
    double fXCursVal = 0;
    std::int32_t fXCursPos = 0;
    bool ValidArrange = false;
    bool ValidField = false;
    bool ValidAround = false;
};
