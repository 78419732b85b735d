#include "ShowException.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ShowExceptionTest, WithoutAHandlerTheMessageAppearsInABoxHeadedWithTheApplicationsName)
{
    QGuiApplication::setApplicationDisplayName("Vorlix");
    QString title;
    QString text;
    // The box runs its own event loop; this closes it once it is up.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, &closer, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            text = box->text();
            box->accept();
            closer.stop();
        }
    });
    closer.start(10);
    ShowException(std::runtime_error("Unable to write to /nowhere/vorlix.ini"));
    EXPECT_EQ(title, "Vorlix");
    EXPECT_EQ(text, "Unable to write to /nowhere/vorlix.ini");
}

TEST(ShowExceptionTest, HandlerReceivesTheMessageWholeAndGivesWayToThePreviousOne)
{
    QStringList first;
    QStringList second;
    const TShowExceptionHandler before = SetShowExceptionHandler([&](const QString &AMessage) { first.append(AMessage); });
    EXPECT_FALSE(before);
    const TShowExceptionHandler replaced = SetShowExceptionHandler([&](const QString &AMessage) { second.append(AMessage); });
    ShowException(std::runtime_error("无法写入 \xF0\x9F\x93\x81"));
    EXPECT_TRUE(first.isEmpty());
    EXPECT_EQ(second, QStringList{QString::fromUtf8("无法写入 \xF0\x9F\x93\x81")});

    SetShowExceptionHandler(replaced);
    ShowException(std::runtime_error("again"));
    EXPECT_EQ(first, QStringList{"again"});
    SetShowExceptionHandler(nullptr);
}

} // namespace
