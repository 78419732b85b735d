#include "TImageList.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

qreal SaneRatio(qreal ratio)
{
    return std::max<qreal>(ratio, 1.0);
}

QSize DeviceSize(QSize logical, qreal ratio)
{
    return QSize(static_cast<int>(std::lround(logical.width() * ratio)),
                 static_cast<int>(std::lround(logical.height() * ratio)));
}

} // namespace

TImageList::TImageList(QSize size, QObject *parent) : QObject(parent), FSize(size) {}

int TImageList::Add(const QImage &image)
{
    TEntry entry{image, {}, {}};
    entry.Rendered = Render(entry, FDevicePixelRatio);
    FEntries.push_back(std::move(entry));
    Q_EMIT OnChange();
    return Count() - 1;
}

int TImageList::AddSource(TImageSource source)
{
    TEntry entry{{}, std::move(source), {}};
    entry.Rendered = Render(entry, FDevicePixelRatio);
    FEntries.push_back(std::move(entry));
    Q_EMIT OnChange();
    return Count() - 1;
}

void TImageList::Replace(int index, const QImage &image)
{
    if (index < 0 || index >= Count())
        return;
    TEntry &entry = FEntries[index];
    entry = TEntry{image, {}, {}};
    entry.Rendered = Render(entry, FDevicePixelRatio);
    Q_EMIT OnChange();
}

void TImageList::Clear()
{
    FEntries.clear();
    Q_EMIT OnChange();
}

void TImageList::SetDevicePixelRatio(qreal ratio)
{
    ratio = SaneRatio(ratio);
    if (qFuzzyCompare(ratio, FDevicePixelRatio))
        return;
    FDevicePixelRatio = ratio;
    for (TEntry &entry : FEntries)
        entry.Rendered = Render(entry, ratio);
    Q_EMIT OnChange();
}

QImage TImageList::GetImage(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return FEntries[index].Rendered;
}

QImage TImageList::GetImage(int index, qreal devicePixelRatio) const
{
    if (index < 0 || index >= Count())
        return {};
    devicePixelRatio = SaneRatio(devicePixelRatio);
    if (qFuzzyCompare(devicePixelRatio, FDevicePixelRatio))
        return FEntries[index].Rendered;
    return Render(FEntries[index], devicePixelRatio);
}

QImage TImageList::Render(const TEntry &entry, qreal ratio) const
{
    const QSize device = DeviceSize(FSize, ratio);
    QImage image = entry.Source ? entry.Source(device) : entry.Original;
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (image.size() != device)
        image = image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(ratio);
    return image;
}
