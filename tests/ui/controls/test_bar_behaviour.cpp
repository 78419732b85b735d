#include "BarPixels.h"
#include "Quarl.Control.GradientBar.h"
#include "TImageList.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

void SendMouse(QWidget &target, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(local), QPointF(target.mapToGlobal(local)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

void SendKey(QWidget &target, int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&target, &event);
}

// A window holding a panel that holds the bar, as a watcher panel does.
struct BarInWindow {
    QWidget form;
    QWidget *panel = new QWidget(&form);
    TGradientBar *bar = new TGradientBar(panel);

    BarInWindow()
    {
        form.setGeometry(100, 120, 320, 200);
        panel->setGeometry(10, 10, 300, 100);
        bar->move(0, 0);
    }
};

// ---- dragging the window ----

TEST(MoveForm, PressAndMoveOnTheBarMovesItsWindow)
{
    BarInWindow w;
    w.bar->SetMoveForm(true);
    w.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.form));
    const QPoint start = w.form.pos();
    QSignalSpy clicks(w.bar, &TGradientBar::Click);

    SendMouse(*w.bar, QEvent::MouseButtonPress, QPoint(20, 10), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(w.form.pos(), start) << "a press alone does not move the window";
    // The bar moves along with its window, so each move is given in the bar's new coordinates.
    SendMouse(*w.bar, QEvent::MouseMove, QPoint(45, 27), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(w.form.pos(), start + QPoint(25, 17));
    SendMouse(*w.bar, QEvent::MouseMove, QPoint(20 - 5, 10 + 4), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(w.form.pos(), start + QPoint(20, 21));
    SendMouse(*w.bar, QEvent::MouseButtonRelease, QPoint(15, 14), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(clicks.count(), 0) << "a drag is not a click";

    const QPoint dropped = w.form.pos();
    SendMouse(*w.bar, QEvent::MouseMove, QPoint(60, 40), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w.form.pos(), dropped) << "moving after the release drags nothing";
}

TEST(MoveForm, WithoutMoveFormOrWithTheRightButtonTheWindowStays)
{
    BarInWindow w;
    w.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.form));
    const QPoint start = w.form.pos();
    SendMouse(*w.bar, QEvent::MouseButtonPress, QPoint(20, 10), Qt::LeftButton, Qt::LeftButton);
    SendMouse(*w.bar, QEvent::MouseMove, QPoint(60, 30), Qt::NoButton, Qt::LeftButton);
    SendMouse(*w.bar, QEvent::MouseButtonRelease, QPoint(60, 30), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w.form.pos(), start);

    w.bar->SetMoveForm(true);
    SendMouse(*w.bar, QEvent::MouseButtonPress, QPoint(20, 10), Qt::RightButton, Qt::RightButton);
    SendMouse(*w.bar, QEvent::MouseMove, QPoint(60, 30), Qt::NoButton, Qt::RightButton);
    SendMouse(*w.bar, QEvent::MouseButtonRelease, QPoint(60, 30), Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(w.form.pos(), start);
}

// ---- keyboard and focus ----

TEST(BarKeyboard, EnterWithoutShiftKeysClicks)
{
    TGradientBar bar;
    QSignalSpy clicks(&bar, &TGradientBar::Click);
    SendKey(bar, Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(clicks.count(), 1);
    SendKey(bar, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicks.count(), 2) << "the keypad's Enter is the same key";
    SendKey(bar, Qt::Key_Return, Qt::ShiftModifier);
    SendKey(bar, Qt::Key_Return, Qt::ControlModifier);
    SendKey(bar, Qt::Key_Return, Qt::AltModifier);
    SendKey(bar, Qt::Key_Space, Qt::NoModifier);
    EXPECT_EQ(clicks.count(), 2);
}

struct FocusWindow {
    QWidget form;
    TGradientBar *bar = new TGradientBar(&form);
    QLineEdit *edit = new QLineEdit(&form);

    FocusWindow()
    {
        auto *layout = new QVBoxLayout(&form);
        layout->addWidget(bar);
        layout->addWidget(edit);
        form.show();
        form.activateWindow();
    }
};

TEST(BarFocus, PressTakesTheFocusOnlyWithTabStop)
{
    FocusWindow w;
    if (!QTest::qWaitForWindowActive(&w.form))
        GTEST_SKIP() << "the platform plugin cannot activate a window, so focus cannot be tested";
    w.edit->setFocus();
    ASSERT_TRUE(w.edit->hasFocus());
    QTest::mouseClick(w.bar, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(w.edit->hasFocus()) << "a bar without TabStop leaves the focus alone";
    w.bar->SetTabStop(true);
    QTest::mouseClick(w.bar, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(w.bar->hasFocus());
    QTest::mouseClick(w.bar, Qt::RightButton, {}, QPoint(5, 5));
    w.edit->setFocus();
    QTest::mouseClick(w.bar, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(w.edit->hasFocus()) << "only the left button takes the focus";
}

TEST(BarFocus, FocusGivenToABarWithoutTabStopMovesOn)
{
    FocusWindow w;
    if (!QTest::qWaitForWindowActive(&w.form))
        GTEST_SKIP() << "the platform plugin cannot activate a window, so focus cannot be tested";
    ASSERT_FALSE(w.bar->TabStop());
    w.bar->setFocus(Qt::OtherFocusReason);
    EXPECT_FALSE(w.bar->hasFocus());
    EXPECT_TRUE(w.edit->hasFocus());
}

TEST(BarFocus, FocusedBarDrawsTheFocusRectangleInsideTheBorder)
{
    FocusWindow w;
    if (!QTest::qWaitForWindowActive(&w.form))
        GTEST_SKIP() << "the platform plugin cannot activate a window, so focus cannot be tested";
    TGradientBar &bar = *w.bar;
    bar.SetTabStop(true);
    bar.SetShowCaption(false);
    bar.SetColorCount(1);
    bar.SetBorder(true);
    // As after moving the focus with the keyboard, when styles show focus cues.
    w.form.setAttribute(Qt::WA_KeyboardFocusChange);
    const QImage unfocused = bar.RenderToImage();
    bar.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(bar.hasFocus());
    const QImage focused = bar.RenderToImage();

    const QRect inside = bar.rect().adjusted(1, 1, -1, -1);
    QRect changed;
    for (int y = 0; y < focused.height(); ++y)
        for (int x = 0; x < focused.width(); ++x)
            if (focused.pixel(x, y) != unfocused.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    ASSERT_FALSE(changed.isEmpty()) << "no focus rectangle drawn";
    EXPECT_TRUE(inside.contains(changed)) << "the border lines stay";

    bar.SetDrawFocusRect(false);
    EXPECT_EQ(bar.RenderToImage(), unfocused);
}

// ---- width ----

int Advance(const TGradientBar &bar, const QFont &font, const QString &text)
{
    return QFontMetrics(font, const_cast<TGradientBar *>(&bar)).horizontalAdvance(text);
}

TImageList &Icons(int size)
{
    static TImageList *lists[2] = {};
    TImageList *&list = lists[size == 16 ? 0 : 1];
    if (!list) {
        list = new TImageList(QSize(size, size), qApp);
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::red);
        list->Add(image);
    }
    return *list;
}

TEST(AutoWidth, WidthIsTheCaptionWithBothIndentsAndFivePixels)
{
    TGradientBar bar;
    bar.SetFont({SolidFont(13), clWhite});
    bar.SetCaption(QStringLiteral("Ethernet adapter"));
    EXPECT_EQ(bar.width(), 200) << "nothing changes before AutoWidth";
    bar.SetAutoWidth(true);
    const int caption = Advance(bar, bar.font(), QStringLiteral("Ethernet adapter"));
    EXPECT_EQ(bar.width(), caption + 5 + 5 + 5);
    EXPECT_EQ(bar.height(), 30);

    bar.SetCaption(QStringLiteral("Ethernet adapter two"));
    EXPECT_EQ(bar.width(), Advance(bar, bar.font(), QStringLiteral("Ethernet adapter two")) + 15);
    bar.SetLeftIndent(20);
    bar.SetRightIndent(1);
    EXPECT_EQ(bar.width(), Advance(bar, bar.font(), QStringLiteral("Ethernet adapter two")) + 20 + 1 + 5);
    bar.SetFont({SolidFont(20), clWhite});
    EXPECT_EQ(bar.width(), Advance(bar, bar.font(), QStringLiteral("Ethernet adapter two")) + 26);
}

TEST(AutoWidth, WidestLineOfAMultiLineCaptionCounts)
{
    TGradientBar bar;
    bar.SetFont({SolidFont(13), clWhite});
    bar.SetCaption(QStringLiteral("lo\r\nloopback interface\r\nup"));
    bar.SetAutoWidth(true);
    EXPECT_EQ(bar.width(), Advance(bar, bar.font(), QStringLiteral("loopback interface")) + 15);
}

TEST(AutoWidth, ALeftBorderLineWidensTheBar)
{
    TGradientBar bar;
    bar.SetFont({SolidFont(13), clWhite});
    bar.SetCaption(QStringLiteral("wlan0"));
    bar.SetAutoWidth(true);
    const int plain = bar.width();
    bar.SetBorder(true);
    EXPECT_EQ(bar.width(), plain + 1);
    EXPECT_EQ(bar.height(), 30) << "the border lines do not shrink the height";
    bar.SetBorderEdges(BorderEdgeBit(TBorderEdge::beRight) | BorderEdgeBit(TBorderEdge::beTop));
    EXPECT_EQ(bar.width(), plain);
}

TEST(AutoWidth, IconBesideTheCaptionAddsItsWidthAndAGap)
{
    TGradientBar bar;
    bar.SetFont({SolidFont(13), clWhite});
    bar.SetCaption(QStringLiteral("eth0"));
    bar.SetAutoWidth(true);
    const int plain = bar.width();
    bar.SetImages(&Icons(16));
    EXPECT_EQ(bar.width(), plain) << "no index, no icon";
    bar.SetImageIndex(0);
    EXPECT_EQ(bar.width(), plain + 16 + 5);
    bar.SetImageAlign(TImageAlign::iaRight);
    EXPECT_EQ(bar.width(), plain + 16 + 5);
    bar.SetUseApplicationIconSize(40);
    bar.SetUseApplicationIcon(true);
    EXPECT_EQ(bar.width(), plain + 40 + 5);
}

TEST(AutoWidth, IconAboveAShortCaptionSetsTheWidth)
{
    TGradientBar bar;
    bar.SetFont({SolidFont(13), clWhite});
    bar.SetCaption(QStringLiteral("a"));
    bar.SetImageAlign(TImageAlign::iaTop);
    bar.SetImages(&Icons(64));
    bar.SetImageIndex(0);
    bar.SetAutoWidth(true);
    EXPECT_EQ(bar.width(), 64 + 5 + 5);
    bar.SetCaption(QStringLiteral("a caption much wider than the icon"));
    EXPECT_EQ(bar.width(), Advance(bar, bar.font(), bar.Caption()) + 15) << "a narrower icon changes nothing";
}

TEST(AutoWidth, RightAlignedCaptionKeepsTheRightEdge)
{
    QWidget parent;
    parent.resize(600, 100);
    TGradientBar bar(&parent);
    bar.setGeometry(50, 10, 300, 30);
    bar.SetFont({SolidFont(13), clWhite});
    bar.SetCaption(QStringLiteral("eth0"));
    bar.SetAlignment(TAlignment::taRightJustify);
    bar.SetAutoWidth(true);
    EXPECT_LT(bar.width(), 300);
    EXPECT_EQ(bar.x() + bar.width(), 350);
    EXPECT_EQ(bar.y(), 10);

    TGradientBar mirrored(&parent);
    mirrored.setGeometry(50, 50, 300, 30);
    mirrored.setLayoutDirection(Qt::RightToLeft);
    mirrored.SetCaption(QStringLiteral("eth0"));
    mirrored.SetAutoWidth(true);
    EXPECT_EQ(mirrored.x() + mirrored.width(), 350) << "left alignment read right to left is right";

    TGradientBar left(&parent);
    left.setGeometry(50, 50, 300, 30);
    left.SetCaption(QStringLiteral("eth0"));
    left.SetAutoWidth(true);
    EXPECT_EQ(left.x(), 50);
}

TEST(AutoWidth, MeasuresWithTheFontOfTheCurrentState)
{
    TGradientBar bar;
    bar.SetFont({SolidFont(13), clWhite});
    bar.SetSelectedFont({SolidFont(13, true), clWhite});
    bar.SetCaption(QStringLiteral("Wireless network"));
    bar.SetAutoWidth(true);
    const int regular = Advance(bar, SolidFont(13), bar.Caption());
    const int bold = Advance(bar, SolidFont(13, true), bar.Caption());
    ASSERT_NE(regular, bold);
    EXPECT_EQ(bar.width(), regular + 15);
    bar.SetSelected(true);
    bar.AdjustWidth();
    EXPECT_EQ(bar.width(), bold + 15);
}

TEST(ResetWidth, CaptionAndIndentsWithTheIconButNoGaps)
{
    TGradientBar bar;
    bar.SetFont({SolidFont(13), clWhite});
    bar.SetCaption(QStringLiteral("Ethernet"));
    bar.SetLeftIndent(3);
    bar.SetRightIndent(7);
    bar.ResetWidth();
    const int caption = Advance(bar, bar.font(), QStringLiteral("Ethernet"));
    EXPECT_EQ(bar.width(), caption + 10);
    EXPECT_EQ(bar.height(), 30);

    bar.SetImages(&Icons(16));
    bar.SetImageIndex(0);
    bar.ResetWidth();
    EXPECT_EQ(bar.width(), caption + 10 + 16);

    bar.SetImageAlign(TImageAlign::iaTop);
    bar.ResetWidth();
    EXPECT_EQ(bar.width(), caption + 10) << "an icon above a wider caption adds nothing";
    bar.SetCaption(QStringLiteral("e"));
    bar.SetImages(&Icons(64));
    bar.ResetWidth();
    EXPECT_EQ(bar.width(), 3 + 7 + 64);
}

} // namespace
