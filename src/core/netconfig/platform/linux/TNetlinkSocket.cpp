#include "TNetlinkSocket.h"

#include "NetlinkFraming.h"

#include <linux/netlink.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// A dump that keeps being interrupted is given up on after this many tries: the table is churning.
constexpr int DumpAttempts = 5;

// The kernel fills each dump datagram up to the largest read the socket has seen (at most 32 KiB), so
// reading with this much packs a dozen links per datagram instead of two.
constexpr std::size_t ReceiveCapacity = 32768;

ssize_t ReceiveRetrying(int fd, void *buffer, std::size_t size, int flags)
{
    ssize_t got;
    do
        got = ::recv(fd, buffer, size, flags);
    while (got < 0 && errno == EINTR);
    return got;
}

} // namespace

TNetlinkSocket::TNetlinkSocket()
{
    FSocket.Reset(::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE));
    if (!FSocket.Valid())
        return;
    sockaddr_nl local{};
    local.nl_family = AF_NETLINK;
    socklen_t length = sizeof(local);
    if (::bind(FSocket.Get(), reinterpret_cast<sockaddr *>(&local), sizeof(local)) != 0 ||
        ::getsockname(FSocket.Get(), reinterpret_cast<sockaddr *>(&local), &length) != 0) {
        FSocket.Reset();
        return;
    }
    FPort = local.nl_pid;
    // Keep error answers short: we need only the code, not our own request echoed back.
    const int one = 1;
    ::setsockopt(FSocket.Get(), SOL_NETLINK, NETLINK_CAP_ACK, &one, sizeof(one));
}

bool TNetlinkSocket::Send(nlmsghdr &request)
{
    request.nlmsg_seq = ++FSequence;
    request.nlmsg_pid = FPort;
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    ssize_t sent;
    do
        sent = ::sendto(FSocket.Get(), &request, request.nlmsg_len, 0, reinterpret_cast<sockaddr *>(&kernel), sizeof(kernel));
    while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(request.nlmsg_len);
}

bool TNetlinkSocket::Request(nlmsghdr &request, std::vector<std::byte> &replies)
{
    replies.clear();
    if (!IsOpen())
        return false;
    const bool dump = (request.nlmsg_flags & NLM_F_DUMP) == NLM_F_DUMP;
    for (int attempt = 0; attempt < DumpAttempts; ++attempt) {
        if (!Send(request))
            return false;
        TRead state;
        do
            state = ReadDatagram(request.nlmsg_seq, dump, replies);
        while (state == TRead::More);
        if (state == TRead::Done)
            return true;
        replies.clear();
        if (state == TRead::Failed)
            return false;
    }
    return false;
}

TNetlinkSocket::TRead TNetlinkSocket::ReadDatagram(std::uint32_t sequence, bool dump, std::vector<std::byte> &replies)
{
    // Peeking tells the datagram's full size without losing a larger one; the datagram is then either
    // already in the buffer and only dropped from the queue, or read again into a buffer that fits.
    FReceive.resize(std::max(FReceive.size(), ReceiveCapacity));
    const ssize_t size = ReceiveRetrying(FSocket.Get(), FReceive.data(), FReceive.size(), MSG_PEEK | MSG_TRUNC);
    if (size <= 0)
        return TRead::Failed;
    const bool fits = static_cast<std::size_t>(size) <= FReceive.size();
    if (!fits)
        FReceive.resize(static_cast<std::size_t>(size));
    const ssize_t got = fits ? ReceiveRetrying(FSocket.Get(), nullptr, 0, MSG_TRUNC)
                             : ReceiveRetrying(FSocket.Get(), FReceive.data(), FReceive.size(), 0);
    if (got != size)
        return TRead::Failed;

    bool interrupted = false;
    auto remaining = static_cast<std::size_t>(got);
    for (auto *message = reinterpret_cast<const nlmsghdr *>(FReceive.data()); MessageFits(message, remaining);
         message = NextMessage(message, remaining)) {
        if (message->nlmsg_seq != sequence || message->nlmsg_pid != FPort)
            continue;
        if (message->nlmsg_flags & NLM_F_DUMP_INTR)
            interrupted = true;
        if (message->nlmsg_type == NLMSG_ERROR) {
            const auto *error = static_cast<const nlmsgerr *>(MessageData(message));
            if (message->nlmsg_len < MessageLength(sizeof(int)) || error->error != 0)
                return TRead::Failed;
            return TRead::Done;
        }
        if (message->nlmsg_type == NLMSG_DONE)
            return interrupted ? TRead::Interrupted : TRead::Done;
        const auto *bytes = reinterpret_cast<const std::byte *>(message);
        replies.insert(replies.end(), bytes, bytes + std::min(NetlinkAlign(message->nlmsg_len), remaining));
        if (!dump)
            return TRead::Done;
    }
    return TRead::More;
}

long TNetlinkSocket::Exchange(nlmsghdr &request, void *answer, std::size_t capacity)
{
    if (!IsOpen())
        return -EBADF;
    if (!Send(request))
        return -errno;
    for (;;) {
        const ssize_t got = ReceiveRetrying(FSocket.Get(), answer, capacity, MSG_TRUNC);
        if (got < 0)
            return -errno;
        if (static_cast<std::size_t>(got) > capacity)
            return -EMSGSIZE;
        const auto *message = static_cast<const nlmsghdr *>(answer);
        if (!MessageFits(message, static_cast<std::size_t>(got)))
            return -EBADMSG;
        if (message->nlmsg_seq != request.nlmsg_seq || message->nlmsg_pid != FPort)
            continue;
        if (message->nlmsg_type == NLMSG_ERROR) {
            if (message->nlmsg_len < MessageLength(sizeof(int)))
                return -EBADMSG;
            const int error = static_cast<const nlmsgerr *>(MessageData(message))->error;
            return error < 0 ? error : -EBADMSG;
        }
        return static_cast<long>(message->nlmsg_len);
    }
}
