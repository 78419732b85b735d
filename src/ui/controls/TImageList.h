#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QVector>

#include <functional>

// A list of equally sized pictures addressed by index; tells its users when it
// changes so that they can repaint. Width and Height are logical pixels: the
// stored images have Width × device pixel ratio device pixels and carry that
// ratio, so QPainter draws them at their logical size and sharp on the screen.
class TImageList final : public QObject {
    Q_OBJECT

public:
    // Draws a picture at the given size in device pixels (an SVG, for instance).
    using TImageSource = std::function<QImage(QSize devicePixels)>;

    explicit TImageList(QSize size, QObject *parent = nullptr);

    int Width() const { return FSize.width(); }
    int Height() const { return FSize.height(); }
    int Count() const { return static_cast<int>(FEntries.size()); }

    // Stores image scaled to the list's size; returns its index.
    int Add(const QImage &image);
    // Stores a picture that is drawn again whenever the device pixel ratio changes; returns its index.
    int AddSource(TImageSource source);
    void Replace(int index, const QImage &image);
    void Clear();

    qreal DevicePixelRatio() const { return FDevicePixelRatio; }
    // Renders every picture again for a screen with this ratio; a ratio below 1 counts as 1.
    void SetDevicePixelRatio(qreal ratio);

    // The picture at index at the list's ratio, or a null image when index is out of range.
    QImage GetImage(int index) const;
    // The picture at index for another ratio, rendered for the caller without changing the list.
    QImage GetImage(int index, qreal devicePixelRatio) const;

Q_SIGNALS:
    void OnChange();

private:
    struct TEntry {
        QImage Original; // a fixed picture as given
        TImageSource Source;
        QImage Rendered; // at FDevicePixelRatio
    };

    QImage Render(const TEntry &entry, qreal ratio) const;

    QSize FSize;
    qreal FDevicePixelRatio = 1.0;
    QVector<TEntry> FEntries;
};
