#include "WatcherProbe.h"

#include "TImageList.h"
#include "Tdlg_vx_AdapterInfo.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

bool OnTop(const QWidget &window)
{
    return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

// The properties button shows the panel's own adapter, and an always-on-top main window must not
// cover the modal dialog, nor stay a normal window after it.
TEST(WatcherProperties, ButtonShowsTheAdapterWithTheOnTopWindowSuspended)
{
    TImageList pictures32(QSize(32, 32));
    QWidget mainWindow;
    mainWindow.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    mainWindow.setGeometry(100, 100, 480, 320);
    auto *panel = new Tfrm_vx_Watcher(nullptr, &pictures32, &mainWindow);
    panel->Adapter.Name = "vxprops0";
    mainWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));

    bool dialogShown = false;
    bool ownerOnTopMeanwhile = true;
    QString shownName;
    QTimer::singleShot(0, &mainWindow, [&] {
        auto *dialog = mainWindow.findChild<Tdlg_vx_AdapterInfo *>();
        if (dialog == nullptr)
            return;
        dialogShown = dialog->isVisible() && dialog->isModal();
        ownerOnTopMeanwhile = OnTop(mainWindow);
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("eName")))
            shownName = name->text();
        dialog->findChild<QPushButton *>(QStringLiteral("OkButton"))->click();
    });
    auto *button = panel->findChild<QPushButton *>(QStringLiteral("bProps"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("属性"));
    button->click();

    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(shownName, QStringLiteral("vxprops0"));
    EXPECT_FALSE(ownerOnTopMeanwhile) << "the on-top window could cover the dialog";
    QApplication::processEvents();
    EXPECT_TRUE(OnTop(mainWindow)) << "the main window must be on top again";
    EXPECT_TRUE(mainWindow.isVisible());
}

} // namespace
