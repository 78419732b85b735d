#include "TTopMostSuspension.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include <memory>

namespace {

std::unique_ptr<QWidget> ShownWindow(const QRect &geometry, bool onTop)
{
    auto window = std::make_unique<QWidget>();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    window->setGeometry(geometry);
    window->show();
    QApplication::processEvents();
    return window;
}

bool OnTop(const QWidget &window)
{
    return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

} // namespace

// Changing window flags hides a window: a suspension that forgot to show it again would make the
// main window vanish behind a dialog, or for good after it.
TEST(TTopMostSuspension, OnTopWindowsTurnNormalAndBackWithoutMovingOrHiding)
{
    const QRect onTopPlace(120, 90, 300, 200);
    const QRect normalPlace(500, 300, 200, 150);
    const auto onTop = ShownWindow(onTopPlace, true);
    const auto normal = ShownWindow(normalPlace, false);
    const auto hiddenOnTop = std::make_unique<QWidget>();
    hiddenOnTop->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    {
        const TTopMostSuspension suspension;
        QApplication::processEvents();
        EXPECT_FALSE(OnTop(*onTop));
        EXPECT_TRUE(onTop->isVisible());
        EXPECT_EQ(onTop->geometry(), onTopPlace);
        EXPECT_TRUE(OnTop(*hiddenOnTop)) << "a hidden window is left alone";
        EXPECT_FALSE(hiddenOnTop->isVisible());
    }
    QApplication::processEvents();
    EXPECT_TRUE(OnTop(*onTop));
    EXPECT_TRUE(onTop->isVisible());
    EXPECT_EQ(onTop->geometry(), onTopPlace);
    EXPECT_FALSE(OnTop(*normal)) << "a normal window must not be put on top";
    EXPECT_TRUE(normal->isVisible());
    EXPECT_EQ(normal->geometry(), normalPlace);
    EXPECT_FALSE(hiddenOnTop->isVisible());
}

// The dialog's caller may close the main window meanwhile; the restore must not touch freed memory.
TEST(TTopMostSuspension, WindowDeletedMeanwhileIsSkipped)
{
    auto onTop = ShownWindow(QRect(50, 50, 100, 100), true);
    const auto other = ShownWindow(QRect(300, 50, 100, 100), true);
    {
        const TTopMostSuspension suspension;
        onTop.reset();
    }
    EXPECT_TRUE(OnTop(*other));
    EXPECT_TRUE(other->isVisible());
}
