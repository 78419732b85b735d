#include "BarPixels.h"
#include "Quarl.Control.GradientBar.h"
#include "TGradientBarActionLink.h"
#include "TImageList.h"

#include <QAction>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// An action as the main window's would be: checkable, with an icon index.
struct LinkedBar {
    QWidget parent;
    TGradientBar *bar = new TGradientBar(&parent);
    QAction action{QStringLiteral("eth0")};

    LinkedBar()
    {
        action.setCheckable(true);
        action.setProperty("ImageIndex", 1);
    }
    TGradientBarActionLink *Link() { return new TGradientBarActionLink(bar, &action); }
};

TEST(ActionLink, BarTakesTheActionsStateWhenLinked)
{
    LinkedBar b;
    b.action.setChecked(true);
    b.action.setProperty("GroupIndex", 0);
    b.Link();
    EXPECT_EQ(b.bar->Caption(), QStringLiteral("eth0"));
    EXPECT_EQ(b.bar->ImageIndex(), 1);
    EXPECT_TRUE(b.bar->Selected());
    EXPECT_TRUE(b.bar->isEnabled());
}

TEST(ActionLink, LaterChangesOfTheActionReachTheBar)
{
    LinkedBar b;
    b.Link();
    EXPECT_FALSE(b.bar->Selected());
    b.action.setChecked(true);
    EXPECT_TRUE(b.bar->Selected());
    b.action.setText(QStringLiteral("wlan0"));
    EXPECT_EQ(b.bar->Caption(), QStringLiteral("wlan0"));
    b.action.setEnabled(false);
    EXPECT_FALSE(b.bar->isEnabled());
    EXPECT_FALSE(b.bar->Selected()) << "a disabled bar is not selected";
    b.action.setEnabled(true);
    EXPECT_TRUE(b.bar->isEnabled());
    EXPECT_TRUE(b.bar->Selected()) << "the action is still checked";
    b.action.setChecked(false);
    EXPECT_FALSE(b.bar->Selected());
    b.action.setProperty("ImageIndex", 0);
    EXPECT_EQ(b.bar->ImageIndex(), 0);
    b.action.setProperty("GroupIndex", 4);
    EXPECT_EQ(b.bar->GroupIndex(), 4);
}

TEST(ActionLink, TheActionsIconIndexIsPainted)
{
    TImageList images(QSize(16, 16));
    for (const QColor colour : {QColor(255, 0, 0), QColor(0, 0, 255)}) {
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(colour);
        images.Add(icon);
    }
    LinkedBar b;
    b.bar->SetImages(&images);
    b.Link();
    const QRect icon = b.bar->Measure(b.bar).Icon;
    EXPECT_EQ(PixelAt(b.bar->RenderToImage(), icon.left() + 8, icon.top() + 8), 0xFF0000u);
    b.action.setProperty("ImageIndex", 0);
    EXPECT_EQ(PixelAt(b.bar->RenderToImage(), icon.left() + 8, icon.top() + 8), 0x0000FFu);
}

TEST(ActionLink, ClickingTheBarTriggersTheAction)
{
    LinkedBar b;
    b.action.setCheckable(false);
    b.Link();
    b.parent.show();
    QSignalSpy triggered(&b.action, &QAction::triggered);
    QTest::mouseClick(b.bar, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(triggered.count(), 1);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(b.bar, &enter);
    EXPECT_EQ(triggered.count(), 2);
    QTest::mouseClick(b.bar, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(triggered.count(), 2);
}

TEST(ActionLink, ClickingACheckableActionsBarTogglesBoth)
{
    LinkedBar b;
    b.Link();
    b.parent.show();
    QTest::mouseClick(b.bar, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(b.action.isChecked());
    EXPECT_TRUE(b.bar->Selected());
    QTest::mouseClick(b.bar, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(b.action.isChecked());
    EXPECT_FALSE(b.bar->Selected());
}

TEST(ActionLink, OtherChangesDoNotToggleALoneGroupButton)
{
    LinkedBar b;
    b.bar->SetButtonMode(true);
    b.action.setProperty("GroupIndex", 3);
    b.action.setChecked(true);
    b.Link();
    ASSERT_TRUE(b.bar->Selected());
    b.action.setText(QStringLiteral("renamed"));
    EXPECT_TRUE(b.bar->Selected()) << "the checked state did not change";
    b.action.setProperty("ImageIndex", 0);
    EXPECT_TRUE(b.bar->Selected());
}

TEST(ActionLink, LinkedAnswers)
{
    LinkedBar b;
    b.action.setProperty("GroupIndex", 2);
    TGradientBarActionLink *link = b.Link();
    // A lone group member without ButtonMode cannot be selected, so the link
    // answers for checked only while bar and action agree.
    EXPECT_TRUE(link->IsCheckedLinked());
    EXPECT_TRUE(link->IsImageIndexLinked());
    EXPECT_TRUE(link->IsGroupIndexLinked());
    b.action.setChecked(true);
    EXPECT_FALSE(b.bar->Selected());
    EXPECT_FALSE(link->IsCheckedLinked());

    b.bar->SetImageIndex(5);
    EXPECT_FALSE(link->IsImageIndexLinked());
    b.bar->SetGroupIndex(0);
    EXPECT_FALSE(link->IsGroupIndexLinked());

    b.action.setProperty("GroupIndex", 0);  // the bar takes the action's values again
    EXPECT_TRUE(link->IsGroupIndexLinked());
    EXPECT_TRUE(link->IsImageIndexLinked());
    ASSERT_EQ(b.bar->Selected(), b.action.isChecked());
    EXPECT_FALSE(link->IsCheckedLinked()) << "never linked for checked without a group index";
}

TEST(ActionLink, ABarOutlivesItsAction)
{
    QWidget parent;
    TGradientBar *bar = new TGradientBar(&parent);
    auto action = std::make_unique<QAction>(QStringLiteral("tun0"));
    TGradientBarActionLink *link = new TGradientBarActionLink(bar, action.get());
    action.reset();
    EXPECT_EQ(link->Action(), nullptr);
    EXPECT_FALSE(link->IsImageIndexLinked());
    parent.show();
    QSignalSpy clicks(bar, &TGradientBar::Click);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(bar->Caption(), QStringLiteral("tun0"));
}

} // namespace
