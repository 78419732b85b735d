#include "TStopSignal.h"

#include <poll.h>
#include <sys/eventfd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

TStopSignal::TStopSignal() : FFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (!FFd.Valid())
        throw std::system_error(errno, std::generic_category(), "eventfd");
}

void TStopSignal::Signal()
{
    const std::uint64_t one = 1;
    // The counter stays non-zero once written (nobody reads it), so a failed or repeated write is harmless.
    [[maybe_unused]] const auto written = ::write(FFd.Get(), &one, sizeof one);
}

bool TStopSignal::Signalled() const
{
    return Sleep(0);
}

bool TStopSignal::Sleep(int milliseconds) const
{
    pollfd entry{FFd.Get(), POLLIN, 0};
    int result;
    do
        result = ::poll(&entry, 1, milliseconds);
    while (result < 0 && errno == EINTR);
    return result > 0 && (entry.revents & POLLIN) != 0;
}
