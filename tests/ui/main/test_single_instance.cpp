#include "TSingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace {

QString UniqueName(const char *what)
{
    return QStringLiteral("vorlix-test-%1-%2").arg(::getpid()).arg(QLatin1String(what));
}

TEST(SingleInstance, SecondStartRaisesTheFirstAndGivesWay)
{
    const QString name = UniqueName("raise");
    int raised = 0;
    const TSingleInstance first(name, [&raised] { ++raised; });
    ASSERT_TRUE(first.IsFirst());

    const TSingleInstance second(name, [] { ADD_FAILURE() << "a later start must not be raised"; });
    EXPECT_FALSE(second.IsFirst());
    EXPECT_TRUE(QTest::qWaitFor([&raised] { return raised == 1; }, 2000)) << raised << " raise requests";
}

// A run that crashed leaves its socket file behind; the next start must not take it for a running program.
TEST(SingleInstance, SocketLeftByACrashedRunIsTakenOver)
{
    const QString name = UniqueName("stale");
    const QByteArray path = QDir(QDir::tempPath()).filePath(name).toLocal8Bit();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ::close(fd); // the file stays, with nobody listening

    int raised = 0;
    const TSingleInstance restarted(name, [&raised] { ++raised; });
    ASSERT_TRUE(restarted.IsFirst());
    const TSingleInstance later(name, nullptr);
    EXPECT_FALSE(later.IsFirst());
    EXPECT_TRUE(QTest::qWaitFor([&raised] { return raised == 1; }, 2000));
}

} // namespace
