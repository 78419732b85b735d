#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QVector>

// A list of equally sized pictures addressed by index; tells its users when it
// changes so that they can repaint.
class TImageList final : public QObject {
    Q_OBJECT

public:
    explicit TImageList(QSize size, QObject *parent = nullptr);

    int Width() const { return FSize.width(); }
    int Height() const { return FSize.height(); }
    int Count() const { return static_cast<int>(FImages.size()); }

    // Stores image scaled to the list's size; returns its index.
    int Add(const QImage &image);
    void Replace(int index, const QImage &image);
    void Clear();

    // The picture at index, or a null image when index is out of range.
    QImage GetImage(int index) const;

Q_SIGNALS:
    void OnChange();

private:
    QImage Fit(const QImage &image) const;

    QSize FSize;
    QVector<QImage> FImages;
};
