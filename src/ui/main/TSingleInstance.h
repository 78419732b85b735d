#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

// One running program per user and display. The first start listens on a local socket named after the user and
// the display; a later start finds it, asks it to come forward and ends. A socket left behind by a run that
// crashed answers no one, so the next start takes it over.
class TSingleInstance final : public QObject {
    Q_OBJECT

public:
    // OnRaise runs on the first instance's GUI thread for every later start.
    explicit TSingleInstance(const QString &ServerName, std::function<void()> OnRaise, QObject *parent = nullptr);
    ~TSingleInstance() override;
    Q_DISABLE_COPY(TSingleInstance)

    // The socket name for this user and display: the user id, and the X display or Wayland socket the program
    // shows on, so two sessions of one user each get their own program.
    static QString ServerNameFor(const QString &PlatformName);

    // False when another instance runs: it has been asked to come forward, and this one should end.
    bool IsFirst() const { return FServer != nullptr; }

private:
    void RaiseRequested();

    std::function<void()> FOnRaise;
    QLocalServer *FServer = nullptr;
};
