#include "LayoutTestForms.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

// A form at (100, 100) that counts clicks outside, beside another window of the application at (600, 100).
// The offscreen platform's pointer sends real enter, leave and move events when the test moves it.
class ClickOutsideTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != "offscreen")
            GTEST_SKIP() << "needs the offscreen platform, whose pointer a test may move; this runs on "
                         << QGuiApplication::platformName().toStdString();
        FOther.setGeometry(600, 100, 200, 200);
        FOther.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&FOther));
        FForm.setGeometry(100, 100, 300, 200);
        FForm.OnMouseClickOutside = [this](TLMForm *sender) {
            EXPECT_EQ(sender, &FForm);
            ++FClicks;
        };
    }

    void TearDown() override { QCursor::setPos(10, 10); }

    void PointerTo(QPoint AGlobal)
    {
        QCursor::setPos(AGlobal);
        QTest::qWait(1);
    }

    void ShowForm()
    {
        FForm.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&FForm));
    }

    void ClickOther()
    {
        QTest::mouseClick(FOther.windowHandle(), Qt::LeftButton, {}, QPoint(50, 50));
        QTest::qWait(1);
    }

    bool Holding() const { return QWidget::mouseGrabber() == &FForm; }

    static constexpr QPoint Inside{150, 150};
    static constexpr QPoint Outside{650, 150};

    QWidget FOther;
    Tfrm_vx_Managed FForm;
    int FClicks = 0;
};

TEST_F(ClickOutsideTest, ClickInAnotherWindowIsReportedOnceAndEndsTheHold)
{
    PointerTo(Outside);
    ShowForm();
    EXPECT_TRUE(Holding());
    ClickOther();
    EXPECT_EQ(FClicks, 1);
    EXPECT_FALSE(Holding());
    ClickOther();
    EXPECT_EQ(FClicks, 1);
}

TEST_F(ClickOutsideTest, PointerComingBackEndsTheHoldWithoutAClick)
{
    PointerTo(Outside);
    ShowForm();
    PointerTo(Inside);
    EXPECT_FALSE(Holding());
    EXPECT_FALSE(FForm.hasMouseTracking());
    // Leaving again takes the hold again.
    PointerTo(Outside);
    EXPECT_TRUE(Holding());
    ClickOther();
    EXPECT_EQ(FClicks, 1);
}

TEST_F(ClickOutsideTest, FormShownUnderThePointerHoldsNothingUntilThePointerLeaves)
{
    PointerTo(Inside);
    ShowForm();
    EXPECT_FALSE(Holding());
    // The offscreen platform, unlike a window system, tells a window shown under the pointer only at its next move.
    PointerTo(Inside + QPoint(1, 1));
    EXPECT_FALSE(Holding());
    PointerTo(Outside);
    EXPECT_TRUE(Holding());
}

TEST_F(ClickOutsideTest, WithoutAHandlerTheFormNeverTakesOtherWindowsClicks)
{
    FForm.OnMouseClickOutside = nullptr;
    PointerTo(Outside);
    ShowForm();
    PointerTo(Inside);
    PointerTo(Outside);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    bool otherPressed = false;
    class TPressWatch : public QObject {
    public:
        explicit TPressWatch(bool &APressed) : FPressed(APressed) {}
        bool eventFilter(QObject *, QEvent *event) override
        {
            FPressed = FPressed || event->type() == QEvent::MouseButtonPress;
            return false;
        }

    private:
        bool &FPressed;
    } watch(otherPressed);
    FOther.installEventFilter(&watch);
    ClickOther();
    EXPECT_TRUE(otherPressed);
}

TEST_F(ClickOutsideTest, LosingActivationWhileThePointerIsOutsideIsAClickOutside)
{
    PointerTo(Outside);
    ShowForm();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&FForm));
    FOther.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return FClicks == 1; }));
    EXPECT_FALSE(Holding());
}

TEST_F(ClickOutsideTest, HidingEndsTheHoldWithoutAClickAndGivesTrackingBack)
{
    PointerTo(Outside);
    ShowForm();
    ASSERT_TRUE(Holding());
    EXPECT_TRUE(FForm.hasMouseTracking());
    FForm.hide();
    EXPECT_FALSE(Holding());
    EXPECT_FALSE(FForm.hasMouseTracking());
    EXPECT_EQ(FClicks, 0);
}

// Window systems need not send an enter event to a window that holds the mouse; a move seen inside the form
// must end the hold just the same. Such a lone move is what the test sends.
TEST_F(ClickOutsideTest, MoveInsideWithoutAnEnterEventEndsTheHold)
{
    PointerTo(Outside);
    ShowForm();
    ASSERT_TRUE(Holding());
    const QPointF local(50, 50);
    QMouseEvent move(QEvent::MouseMove, local, FForm.mapToGlobal(local), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&FForm, &move);
    EXPECT_FALSE(Holding());
    ClickOther();
    EXPECT_EQ(FClicks, 0);
}

} // namespace
