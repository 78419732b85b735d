#include "TImageList.h"

TImageList::TImageList(QSize size, QObject *parent) : QObject(parent), FSize(size) {}

int TImageList::Add(const QImage &image)
{
    FImages.push_back(Fit(image));
    Q_EMIT OnChange();
    return Count() - 1;
}

void TImageList::Replace(int index, const QImage &image)
{
    if (index < 0 || index >= Count())
        return;
    FImages[index] = Fit(image);
    Q_EMIT OnChange();
}

void TImageList::Clear()
{
    FImages.clear();
    Q_EMIT OnChange();
}

QImage TImageList::GetImage(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return FImages[index];
}

QImage TImageList::Fit(const QImage &image) const
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    if (argb.size() == FSize)
        return argb;
    return argb.scaled(FSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
