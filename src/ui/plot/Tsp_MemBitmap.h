#pragma once

#include <QImage>

// The plot's off-screen buffer: an image in device pixels (logical size × pixel ratio), so the
// graph stays sharp on a high-DPI screen. Painters draw on it in logical coordinates.
class Tsp_MemBitmap final {
public:
    Tsp_MemBitmap(int Width, int Height, qreal PixelRatio = 1.0);
    Tsp_MemBitmap(const Tsp_MemBitmap &) = delete;
    Tsp_MemBitmap &operator=(const Tsp_MemBitmap &) = delete;

    void Recreate(int Width, int Height, qreal PixelRatio = 1.0);

    // False after a failed allocation (an empty or too large size): the plot then draws directly.
    bool Valid() const { return !FImage.isNull(); }
    // Set on every release of the image.
    bool Lost() const { return FLoose; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    qreal PixelRatio() const { return FPixelRatio; }
    QImage &Canvas() { return FImage; }
    const QImage &Canvas() const { return FImage; }

private:
    void Allocate();
    void Release();

    QImage FImage;
    bool FLoose = false;
    int FWidth = 0;
    int FHeight = 0;
    qreal FPixelRatio = 1.0;
};
