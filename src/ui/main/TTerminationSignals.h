#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into a call on the GUI thread, so the program can end the way closing its window
// does (and save its layout on the way out). The signal handler only writes a byte to a pipe; a socket
// notifier on the pipe's other end runs the call from the event loop. One instance per process.
class TTerminationSignals final : public QObject {
    Q_OBJECT

public:
    explicit TTerminationSignals(std::function<void()> OnTerminate, QObject *parent = nullptr);
    ~TTerminationSignals() override;
    Q_DISABLE_COPY(TTerminationSignals)

private:
    void Drain();

    std::function<void()> FOnTerminate;
    QSocketNotifier *FNotifier = nullptr;
};
