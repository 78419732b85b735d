#include "TAddrChangeEvent.h"

#include "RtnlParse.h"
#include "TStopSignal.h"

#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <poll.h>
#include <sys/socket.h>

#include <sys/time.h>

#include <cerrno>

namespace {

constexpr int DumpAttempts = 5;

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

std::uint32_t PortId(int socket)
{
    sockaddr_nl local{};
    socklen_t length = sizeof local;
    if (::getsockname(socket, reinterpret_cast<sockaddr *>(&local), &length) != 0)
        return 0;
    return local.nl_pid;
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

// Dumps one table into `filter`. False on a socket error or an error answer; `interrupted` is set when
// the kernel marks the dump inconsistent because the table changed while it was read.
bool Dump(int socket, std::uint16_t type, std::uint8_t family, std::uint32_t sequence, std::vector<std::byte> &buffer,
          TRtnlChangeFilter &filter, bool &interrupted)
{
    struct {
        nlmsghdr Header;
        rtgenmsg Body;
    } request{};
    request.Header.nlmsg_len = sizeof request;
    request.Header.nlmsg_type = type;
    request.Header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.Header.nlmsg_seq = sequence;
    request.Body.rtgen_family = family;
    if (::send(socket, &request, sizeof request, 0) != static_cast<ssize_t>(sizeof request))
        return false;
    const std::uint32_t port = PortId(socket);
    std::vector<std::byte> answers;
    for (;;) {
        const ssize_t received = ReceiveWhole(socket, buffer, 0);
        if (received < 0 && errno == EINTR)
            continue;
        if (received <= 0)
            return false;
        bool done = false;
        bool failed = false;
        answers.clear();
        rtnl::ForEachMessage(buffer, [&](const nlmsghdr &header, std::span<const std::byte> message) {
            if (header.nlmsg_seq != sequence || header.nlmsg_pid != port)
                return;
            if ((header.nlmsg_flags & NLM_F_DUMP_INTR) != 0)
                interrupted = true;
            if (header.nlmsg_type == NLMSG_DONE)
                done = true;
            else if (header.nlmsg_type == NLMSG_ERROR)
                failed = true;
            else
                answers.insert(answers.end(), message.begin(), message.end());
        });
        if (failed)
            return false;
        filter.Update(answers);
        if (done)
            return true;
    }
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
    TUniqueFd socket = OpenRouteSocket(0, 0);
    if (!socket.Valid())
        return false;
    // A kernel that stops answering must not hang the worker.
    timeval limit{2, 0};
    ::setsockopt(socket.Get(), SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    for (int attempt = 0; attempt < DumpAttempts; ++attempt) {
        FFilter = {};
        bool interrupted = false;
        const auto sequence = static_cast<std::uint32_t>(attempt * 2 + 1);
        if (!Dump(socket.Get(), RTM_GETLINK, AF_UNSPEC, sequence, FReceive, FFilter, interrupted) ||
            !Dump(socket.Get(), RTM_GETADDR, AF_INET, sequence + 1, FReceive, FFilter, interrupted))
            return false;
        if (!interrupted)
            return true;
    }
    return false;
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
