#include "TAddrChangeEvent.h"

#include "NetlinkMessages.h"
#include "TStopSignal.h"

#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace {

TUniqueFd OpenRouteSocket(int flags, std::uint32_t groups)
{
    TUniqueFd socket(::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC | flags, NETLINK_ROUTE));
    if (!socket.Valid())
        return {};
    sockaddr_nl local{};
    local.nl_family = AF_NETLINK;
    local.nl_groups = groups;
    if (::bind(socket.Get(), reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0)
        return {};
    return socket;
}

// Sizes the next datagram first, so a large one is never read truncated; -1 with errno on failure.
ssize_t ReceiveWhole(int socket, std::vector<std::byte> &buffer, int flags)
{
    ssize_t size = ::recv(socket, nullptr, 0, MSG_PEEK | MSG_TRUNC | flags);
    if (size < 0)
        return size;
    buffer.resize(static_cast<std::size_t>(size));
    size = ::recv(socket, buffer.data(), buffer.size(), flags);
    if (size >= 0)
        buffer.resize(static_cast<std::size_t>(size));
    return size;
}

}  // namespace

bool TAddrChangeEvent::Arm()
{
    FSocket.Reset();
    // Subscribe before reading the known state, so nothing that happens after the read is missed.
    TUniqueFd socket = OpenRouteSocket(SOCK_NONBLOCK, RTMGRP_LINK | RTMGRP_IPV4_IFADDR);
    if (!socket.Valid() || !LoadKnownState())
        return false;
    FSocket = std::move(socket);
    return true;
}

bool TAddrChangeEvent::LoadKnownState()
{
    TNetlinkSocket socket;
    const auto links = DumpTable<ifinfomsg>(socket, RTM_GETLINK, AF_UNSPEC);
    const auto addresses = DumpTable<ifaddrmsg>(socket, RTM_GETADDR, AF_INET);
    if (!links || !addresses)
        return false;
    FFilter = {};
    FFilter.Update(*links);
    FFilter.Update(*addresses);
    return true;
}

TAddrChangeEvent::TWaitResult TAddrChangeEvent::Wait(const TStopSignal &stop, int milliseconds)
{
    if (!Armed())
        return TWaitResult::Failed;
    pollfd entries[2] = {{FSocket.Get(), POLLIN, 0}, {stop.Fd(), POLLIN, 0}};
    const int ready = ::poll(entries, 2, milliseconds);
    if (ready < 0)
        return errno == EINTR ? TWaitResult::TimedOut : TWaitResult::Failed;
    if (entries[1].revents != 0)
        return TWaitResult::Stopped;
    if ((entries[0].revents & POLLNVAL) != 0)
        return TWaitResult::Failed;
    if (entries[0].revents != 0)
        return Drain();
    return TWaitResult::TimedOut;
}

TAddrChangeEvent::TWaitResult TAddrChangeEvent::Drain()
{
    bool changed = false;
    for (;;) {
        if (ReceiveWhole(FSocket.Get(), FReceive, MSG_DONTWAIT) < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                break;
            if (errno == EINTR)
                continue;
            // The queue overflowed and messages were lost: assume they changed something.
            if (errno == ENOBUFS) {
                changed = true;
                continue;
            }
            return TWaitResult::Failed;
        }
        changed = FFilter.Update(FReceive) || changed;
    }
    return changed ? TWaitResult::Changed : TWaitResult::TimedOut;
}
