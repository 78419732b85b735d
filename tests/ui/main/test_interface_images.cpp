#include "InterfaceImages.h"
#include "TImageList.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QObject>
#include <QWidget>

#include <string>


namespace {

constexpr int PictureCount = 15;

// Pixels that are not fully transparent, counted inside the picture's own box.
int VisiblePixels(const QImage &image)
{
    int visible = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            visible += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return visible;
}

class InterfaceImageList : public testing::TestWithParam<int> {};

} // namespace

// A missing or unlinked resource renders as an empty, fully transparent picture.
TEST_P(InterfaceImageList, EveryPictureIsDrawnInsideItsBox)
{
    const int size = GetParam();
    QObject owner;
    TImageList *list = CreateInterfaceImageList(size, &owner);
    ASSERT_EQ(list->Count(), PictureCount);
    EXPECT_EQ(list->Width(), size);
    EXPECT_EQ(list->Height(), size);
    for (int index = 0; index < PictureCount; ++index) {
        const QImage image = list->GetImage(index, 1.0);
        ASSERT_EQ(image.size(), QSize(size, size)) << "picture " << index;
        // Legible pictures cover a good part of their box, not a stray dot.
        EXPECT_GT(VisiblePixels(image), size * size / 5) << "picture " << index;
    }
}

// Two indexes naming the same file would put a wrong picture on every interface of one kind.
TEST_P(InterfaceImageList, NoTwoPicturesAreTheSame)
{
    QObject owner;
    const TImageList *list = CreateInterfaceImageList(GetParam(), &owner);
    for (int first = 0; first < PictureCount; ++first)
        for (int second = first + 1; second < PictureCount; ++second)
            EXPECT_NE(list->GetImage(first, 1.0), list->GetImage(second, 1.0)) << first << " and " << second;
}

// On a 200 % screen a picture upscaled from 16 device pixels is blurred: it must be drawn at 32.
TEST_P(InterfaceImageList, DoubleRatioDrawsTwiceTheDevicePixels)
{
    const int size = GetParam();
    QObject owner;
    TImageList *list = CreateInterfaceImageList(size, &owner);
    list->SetDevicePixelRatio(1.0);
    int changes = 0;
    QObject::connect(list, &TImageList::OnChange, &owner, [&changes] { ++changes; });
    list->SetDevicePixelRatio(2.0);
    EXPECT_EQ(changes, 1);
    for (int index = 0; index < PictureCount; ++index) {
        const QImage image = list->GetImage(index);
        ASSERT_EQ(image.size(), QSize(2 * size, 2 * size)) << "picture " << index;
        EXPECT_EQ(image.devicePixelRatio(), 2.0);
        // Drawn afresh, not scaled up: the double picture has detail the single one lacks.
        const QImage upscaled = list->GetImage(index, 1.0).scaled(2 * size, 2 * size);
        EXPECT_NE(image.convertToFormat(QImage::Format_ARGB32), upscaled.convertToFormat(QImage::Format_ARGB32))
            << "picture " << index;
    }
    EXPECT_EQ(list->GetImage(0, 1.5).size(), QSize(size * 3 / 2, size * 3 / 2));
}

INSTANTIATE_TEST_SUITE_P(Sizes, InterfaceImageList, testing::Values(16, 32),
                         [](const testing::TestParamInfo<int> &row) { return "Pixels" + std::to_string(row.param); });

// A list left at another screen's ratio draws blurred or oversized pictures on the window's screen.
TEST(InterfaceImageList, FollowsTheRatioOfTheWindowItIsShownOn)
{
    QWidget window;
    TImageList *list = CreateInterfaceImageList(16, &window);
    FollowDevicePixelRatio(list, &window);
    list->SetDevicePixelRatio(window.devicePixelRatioF() + 1.0);
    window.show();
    EXPECT_EQ(list->DevicePixelRatio(), window.devicePixelRatioF());
    EXPECT_EQ(list->GetImage(0).size(), QSize(16, 16) * window.devicePixelRatioF());
}

TEST(ApplicationIcon, HasVisiblePicturesAtSmallAndLargeSizes)
{
    const QIcon icon = ApplicationIcon();
    for (const int size : {16, 32, 256}) {
        const QImage image = icon.pixmap(size, size).toImage();
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_GT(VisiblePixels(image), size * size / 2) << size;
    }
}
