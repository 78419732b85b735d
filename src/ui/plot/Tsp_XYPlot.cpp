#include "Tsp_XYPlot.h"

#include "Tsp_DataSeries.h"
#include "Tsp_MemBitmap.h"
#include "Tsp_PlotMarker.h"

#include <QBuffer>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QResizeEvent>
#include <QSvgGenerator>

#include <algorithm>

namespace {

template<typename T>
void MoveToEnd(std::vector<T *> &list, T *item)
{
    const auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end()) {
        std::rotate(it, it + 1, list.end());
    }
}

template<typename T>
void MoveToStart(std::vector<T *> &list, T *item)
{
    const auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end()) {
        std::rotate(list.begin(), it, it + 1);
    }
}

template<typename T>
void Erase(std::vector<T *> &list, T *item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

} // namespace

Tsp_XYPlot::Tsp_XYPlot(QWidget *parent)
    : QWidget(parent)
    , LA(Tsp_ScaleFlags::Vertical)
    , RA(Tsp_ScaleFlags::Vertical | Tsp_ScaleFlags::NoTicks | Tsp_ScaleFlags::NoTicksLabel | Tsp_ScaleFlags::FarSide)
    , BA(0)
    , TA(Tsp_ScaleFlags::NoTicks | Tsp_ScaleFlags::NoTicksLabel | Tsp_ScaleFlags::FarSide)
{
    // Opaque: the plot paints every pixel itself, so Qt never erases it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    for (Tsp_Axis *axis : {&LA, &RA, &BA, &TA}) {
        axis->SetPlot(this);
    }
    LA.GridAttr().SetVisible(true);
    BA.GridAttr().SetVisible(true);
    resize(180, 120);
    ValidAround = false;
    ValidField = false;
    ValidArrange = false;
    BuildVerticalFont();
}

Tsp_XYPlot::~Tsp_XYPlot()
{
    ReleaseApplicationCursor();
    for (Tsp_PlotMarker *m : fBSML) {
        m->ForgetPlot();
    }
    for (Tsp_PlotMarker *m : fASML) {
        m->ForgetPlot();
    }
    for (Tsp_DataSeries *s : fSeries) {
        s->ForgetPlot();
    }
    for (Tsp_Axis *axis : {&LA, &RA, &BA, &TA}) {
        axis->SetPlot(nullptr);
    }
}

void Tsp_XYPlot::AssignAxis(Tsp_Axis &own, const Tsp_Axis &a)
{
    if (&own != &a) {
        own.Assign(a);
    }
}

void Tsp_XYPlot::BuildVerticalFont()
{
    // Qt rotates text at drawing time, so the vertical font is the bold copy; DrawCaptions turns it.
    VFont = font();
    VFont.setBold(true);
}

void Tsp_XYPlot::Invalidate()
{
    ValidArrange = false;
    ValidAround = false;
    ValidField = false;
    update();
}

void Tsp_XYPlot::InvalidateParts(bool Arrange, bool Around, bool Field)
{
    if (Arrange) {
        ValidArrange = false;
    }
    if (Around) {
        ValidAround = false;
    }
    if (Field) {
        ValidField = false;
    }
    update();
}

void Tsp_XYPlot::BufferIsInvalid()
{
    ValidAround = false;
    ValidField = false;
}

void Tsp_XYPlot::GetTickLabel(Tsp_Axis &Sender, int LabelNum, double LabelVal, std::string &LS)
{
    if (OnGetTickLabel) {
        OnGetTickLabel(Sender, LabelNum, LabelVal, LS);
    }
}

bool Tsp_XYPlot::AutoScale(Tsp_Axis &Axis)
{
    if (!Axis.AutoMin() && !Axis.AutoMax()) {
        return false;
    }
    const bool horizontal = &Axis == &BA || &Axis == &TA;
    bool foundLo = false;
    bool foundHi = false;
    double lo = 0;
    double hi = 0;
    for (Tsp_DataSeries *s : fSeries) {
        if (!s->Active() || (horizontal ? &s->XAxisObj() : &s->YAxisObj()) != &Axis) {
            continue;
        }
        double v = 0;
        if (Axis.AutoMin() && (horizontal ? s->GetXMin(v) : s->GetYMin(v)) && (!foundLo || v < lo)) {
            lo = v;
            foundLo = true;
        }
        if (Axis.AutoMax() && (horizontal ? s->GetXMax(v) : s->GetYMax(v)) && (!foundHi || v > hi)) {
            hi = v;
            foundHi = true;
        }
    }
    if (!foundLo && !foundHi) {
        return false;
    }
    if (!foundLo) {
        lo = Axis.Min();
    }
    if (!foundHi) {
        hi = Axis.Max();
    }
    const double pad = (hi - lo) * 0.025;
    if (foundLo) {
        lo -= pad;
    }
    if (foundHi) {
        hi += pad;
    }
    if (lo != Axis.Min() || hi != Axis.Max()) {
        Axis.ChangeMinMax(lo, hi);
    }
    return true;
}

void Tsp_XYPlot::SeriesChanged(Tsp_DataSeries *S)
{
    if (S == nullptr) {
        return;
    }
    const bool a = AutoScale(S->XAxis() == Tsp_WhatXAxis::dsxBottom ? BA : TA);
    const bool b = AutoScale(S->YAxis() == Tsp_WhatYAxis::dsyLeft ? LA : RA);
    if (a || b) {
        Invalidate();
    } else {
        InvalidateParts(false, false, true);
    }
}

void Tsp_XYPlot::AddSeries(Tsp_DataSeries *S)
{
    if (S == nullptr || std::find(fSeries.begin(), fSeries.end(), S) != fSeries.end()) {
        return;
    }
    fSeries.push_back(S);
    if (S->Active()) {
        SeriesChanged(S);
    }
}

void Tsp_XYPlot::RemoveSeries(Tsp_DataSeries *S)
{
    Erase(fSeries, S);
    if (S != nullptr && S->Active()) {
        SeriesChanged(S);
    }
}

void Tsp_XYPlot::BringSeriesToFront(Tsp_DataSeries *S)
{
    MoveToEnd(fSeries, S);
}

void Tsp_XYPlot::SendSeriesToBack(Tsp_DataSeries *S)
{
    MoveToStart(fSeries, S);
}

const std::vector<Tsp_PlotMarker *> &Tsp_XYPlot::Markers(Tsp_WhenDrawMarker When) const
{
    return When == Tsp_WhenDrawMarker::dmBeforeSeries ? fBSML : fASML;
}

void Tsp_XYPlot::AddMarker(Tsp_PlotMarker *M, Tsp_WhenDrawMarker When)
{
    if (M == nullptr) {
        return;
    }
    auto &list = When == Tsp_WhenDrawMarker::dmBeforeSeries ? fBSML : fASML;
    if (std::find(list.begin(), list.end(), M) == list.end()) {
        list.push_back(M);
    }
    if (M->Visible()) {
        InvalidateParts(false, false, true);
    }
}

void Tsp_XYPlot::RemoveMarker(Tsp_PlotMarker *M, Tsp_WhenDrawMarker When)
{
    Erase(When == Tsp_WhenDrawMarker::dmBeforeSeries ? fBSML : fASML, M);
    if (M != nullptr && M->Visible()) {
        InvalidateParts(false, false, true);
    }
}

void Tsp_XYPlot::BringMarkerToFront(Tsp_PlotMarker *M)
{
    MoveToEnd(M->WhenDraw() == Tsp_WhenDrawMarker::dmBeforeSeries ? fBSML : fASML, M);
}

void Tsp_XYPlot::SendMarkerToBack(Tsp_PlotMarker *M)
{
    MoveToStart(M->WhenDraw() == Tsp_WhenDrawMarker::dmBeforeSeries ? fBSML : fASML, M);
}

void Tsp_XYPlot::SetColor(TColor c)
{
    if (c != fColor) {
        fColor = c;
        Invalidate();
    }
}

void Tsp_XYPlot::SetFieldColor(TColor c)
{
    if (c != FBColor) {
        FBColor = c;
        InvalidateParts(false, false, true);
    }
}

void Tsp_XYPlot::SetBorderStyle(Tsp_BorderStyle s)
{
    if (s == fFrameStyle) {
        return;
    }
    fFrameStyle = s;
    if (BufferedDisplay()) {
        BufferIsInvalid();
    }
    // Qt draws only in paint events: the new frame appears with the repaint.
    update();
}

bool Tsp_XYPlot::BufferedDisplay() const
{
    return fDDBBuf != nullptr && fDDBBuf->Valid();
}

void Tsp_XYPlot::SetBufferedDisplay(bool b)
{
    if (b == BufferedDisplay()) {
        return;
    }
    if (b) {
        fDDBBuf = std::make_unique<Tsp_MemBitmap>(width(), height(), devicePixelRatioF());
        if (!fDDBBuf->Valid()) {
            fDDBBuf.reset();
        }
    } else {
        fDDBBuf.reset();
    }
    Invalidate();
}

void Tsp_XYPlot::DoDrawEnd()
{
    if (OnDrawEnd) {
        OnDrawEnd(*this);
    }
}

void Tsp_XYPlot::DoFieldDraw()
{
    if (OnFieldDraw) {
        OnFieldDraw(*this);
    }
}

class Tsp_XYPlot::DrawTarget {
public:
    DrawTarget(Tsp_XYPlot &plot, QPainter &painter, int w, int h)
        : fPlot(plot)
    {
        fPlot.fDCanvas = &painter;
        fPlot.fDWidth = w;
        fPlot.fDHeight = h;
    }
    ~DrawTarget()
    {
        fPlot.fDCanvas = nullptr;
        fPlot.fDWidth = fPlot.width();
        fPlot.fDHeight = fPlot.height();
    }
    DrawTarget(const DrawTarget &) = delete;
    DrawTarget &operator=(const DrawTarget &) = delete;

private:
    Tsp_XYPlot &fPlot;
};

void Tsp_XYPlot::paintEvent(QPaintEvent *)
{
    QPainter widgetPainter(this);
    if (BufferedDisplay()) {
        const qreal ratio = devicePixelRatioF();
        if (fDDBBuf->Width() != width() || fDDBBuf->Height() != height() || fDDBBuf->PixelRatio() != ratio) {
            fDDBBuf->Recreate(width(), height(), ratio);
            if (!fDDBBuf->Valid()) {
                DrawTarget target(*this, widgetPainter, width(), height());
                DrawSequence();
                return;
            }
            ValidArrange = false;
            ValidAround = false;
            ValidField = false;
        }
        PaintBuffered(widgetPainter);
    } else {
        DrawTarget target(*this, widgetPainter, width(), height());
        DrawSequence();
    }
    DrawOverlays(widgetPainter);
}

void Tsp_XYPlot::PaintBuffered(QPainter &widgetPainter)
{
    QImage &image = fDDBBuf->Canvas();
    {
        QPainter painter(&image);
        DrawTarget target(*this, painter, width(), height());
        if (!ValidArrange) {
            ArrangeForCanvas();
        }
        if (!ValidAround) {
            DrawAround();
            ValidAround = true;
        }
        if (!ValidField) {
            DrawField();
            ValidField = true;
        }
        DoDrawEnd();
        DrawFrame();
    }
    widgetPainter.drawImage(0, 0, image);
}

bool Tsp_XYPlot::PaintIntoField(const std::function<void(QPainter &canvas)> &draw)
{
    if (!BufferedDisplay() || !ValidArrange || !ValidAround || !ValidField || fDDBBuf->Width() != width()
        || fDDBBuf->Height() != height()) {
        return false;
    }
    {
        QPainter painter(&fDDBBuf->Canvas());
        DrawTarget target(*this, painter, width(), height());
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setClipRect(QRect(FR.Left, FR.Top, FR.Width(), FR.Height()));
        draw(painter);
    }
    update(QRect(FR.Left, FR.Top, FR.Width(), FR.Height()));
    return true;
}

void Tsp_XYPlot::DrawPlot(QPainter *DC, int W, int H)
{
    if (DC == nullptr || W < 10 || H < 10) {
        return;
    }
    struct RearrangeAfter {
        Tsp_XYPlot &plot;
        ~RearrangeAfter() { plot.ValidArrange = false; }
    } rearrange{*this};
    DrawTarget target(*this, *DC, W, H);
    ValidArrange = false;
    DrawSequence();
}

void Tsp_XYPlot::CopyToClipboardBitmap()
{
    QImage image(width(), height(), QImage::Format_RGB32);
    if (image.isNull()) {
        return;
    }
    {
        QPainter painter(&image);
        DrawPlot(&painter, width(), height());
    }
    QGuiApplication::clipboard()->setImage(image);
}

void Tsp_XYPlot::CopyToClipboardMetafile()
{
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(size());
    generator.setViewBox(QRect(QPoint(0, 0), size()));
    // The control is the reference device: text measures as it does on screen.
    generator.setResolution(logicalDpiX());
    {
        QPainter painter(&generator);
        DrawPlot(&painter, width(), height());
    }
    auto *mime = new QMimeData; // the clipboard takes ownership
    mime->setData(QStringLiteral("image/svg+xml"), svg.data());
    QGuiApplication::clipboard()->setMimeData(mime);
}

void Tsp_XYPlot::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fDWidth = width();
    fDHeight = height();
    // A hidden widget gets its pending resize again with every render; only a real change counts.
    if (event->size() != fLastSize) {
        fLastSize = event->size();
        Invalidate();
    }
}

void Tsp_XYPlot::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::FontChange:
        ValidArrange = false;
        ValidAround = false;
        ValidField = false;
        BuildVerticalFont();
        update();
        break;
    case QEvent::PaletteChange:
        // System colours are read at drawing time: the buffer is drawn afresh with them.
        if (BufferedDisplay()) {
            fDDBBuf->Recreate(width(), height(), devicePixelRatioF());
            if (fDDBBuf->Valid()) {
                QPainter painter(&fDDBBuf->Canvas());
                DrawPlot(&painter, width(), height());
            }
            update();
        }
        break;
    case QEvent::WindowTitleChange:
        Invalidate();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}
