#include "TSingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {

// How long a later start waits for the first one to accept and read its request.
constexpr int ConnectMilliseconds = 1000;
constexpr char RaiseRequest = 'R';

bool AskRunningInstanceToRaise(const QString &name)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(ConnectMilliseconds))
        return false;
    socket.write(&RaiseRequest, 1);
    socket.waitForBytesWritten(ConnectMilliseconds);
    socket.disconnectFromServer();
    return true;
}

} // namespace

TSingleInstance::TSingleInstance(const QString &ServerName, std::function<void()> OnRaise, QObject *parent)
    : QObject(parent), FOnRaise(std::move(OnRaise))
{
    if (AskRunningInstanceToRaise(ServerName))
        return;
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // Qt's listen replaces a socket file that is in the way. Nobody answered above, so such a file is a dead
    // run's. Without a socket the program still runs; it only cannot be found by the next start.
    if (!server->listen(ServerName))
        qWarning("Vorlix: no single-instance socket %s: %s", qPrintable(ServerName), qPrintable(server->errorString()));
    FServer = server;
    connect(FServer, &QLocalServer::newConnection, this, &TSingleInstance::RaiseRequested);
}

TSingleInstance::~TSingleInstance() = default;

QString TSingleInstance::ServerNameFor(const QString &PlatformName)
{
    QString display = PlatformName;
    if (PlatformName == QLatin1String("xcb"))
        display = qEnvironmentVariable("DISPLAY");
    else if (PlatformName.startsWith(QLatin1String("wayland")))
        display = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    // Socket names may not hold path separators.
    display.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("vorlix-%1-%2").arg(::getuid()).arg(display);
}

void TSingleInstance::RaiseRequested()
{
    while (QLocalSocket *socket = FServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto read = [this, socket] {
            if (socket->readAll().contains(RaiseRequest) && FOnRaise)
                FOnRaise();
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        // The request may have arrived with the connection.
        if (socket->bytesAvailable() > 0)
            read();
    }
}
