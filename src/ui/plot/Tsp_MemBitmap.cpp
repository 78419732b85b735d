#include "Tsp_MemBitmap.h"

#include <cmath>

Tsp_MemBitmap::Tsp_MemBitmap(int Width, int Height, qreal PixelRatio)
    : FWidth(Width)
    , FHeight(Height)
    , FPixelRatio(PixelRatio)
{
    Allocate();
}

void Tsp_MemBitmap::Recreate(int Width, int Height, qreal PixelRatio)
{
    Release();
    FWidth = Width;
    FHeight = Height;
    FPixelRatio = PixelRatio;
    Allocate();
}

void Tsp_MemBitmap::Allocate()
{
    if (FWidth <= 0 || FHeight <= 0 || !(FPixelRatio > 0)) {
        return;
    }
    const int w = static_cast<int>(std::ceil(FWidth * FPixelRatio));
    const int h = static_cast<int>(std::ceil(FHeight * FPixelRatio));
    // QImage yields a null image when the memory cannot be had.
    FImage = QImage(w, h, QImage::Format_RGB32);
    if (!FImage.isNull()) {
        FImage.setDevicePixelRatio(FPixelRatio);
    }
}

void Tsp_MemBitmap::Release()
{
    FLoose = true;
    FImage = QImage();
}
