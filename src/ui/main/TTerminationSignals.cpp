#include "TTerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Both ends non-blocking: the handler must never block, and draining stops at EAGAIN.
int SignalPipe[2] = {-1, -1};

constexpr std::array TerminationSignalNumbers{SIGTERM, SIGINT};

extern "C" void WriteSignalByte(int)
{
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a pending wake-up; losing this byte loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(SignalPipe[1], &byte, 1);
    errno = saved;
}

void SetHandler(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : TerminationSignalNumbers)
        ::sigaction(number, &action, nullptr);
}

} // namespace

TTerminationSignals::TTerminationSignals(std::function<void()> OnTerminate, QObject *parent)
    : QObject(parent), FOnTerminate(std::move(OnTerminate))
{
    if (SignalPipe[0] != -1)
        throw std::logic_error("TTerminationSignals: one instance per process");
    if (::pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("TTerminationSignals: no pipe for the signal handler");
    FNotifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TTerminationSignals::Drain);
    SetHandler(WriteSignalByte);
}

TTerminationSignals::~TTerminationSignals()
{
    SetHandler(SIG_DFL);
    delete FNotifier;
    ::close(SignalPipe[0]);
    ::close(SignalPipe[1]);
    SignalPipe[0] = SignalPipe[1] = -1;
}

void TTerminationSignals::Drain()
{
    std::array<char, 64> bytes;
    while (::read(SignalPipe[0], bytes.data(), bytes.size()) > 0) {
    }
    if (FOnTerminate)
        FOnTerminate();
}
