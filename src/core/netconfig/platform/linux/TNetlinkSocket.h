#pragma once

#include "TUniqueFd.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct nlmsghdr;

// One rtnetlink socket. Every reply is checked against the request's sequence number and our port id;
// strays (answers to an earlier, abandoned request) are skipped.
class TNetlinkSocket {
public:
    TNetlinkSocket();
    TNetlinkSocket(const TNetlinkSocket &) = delete;
    TNetlinkSocket &operator=(const TNetlinkSocket &) = delete;

    bool IsOpen() const { return FSocket.Valid(); }

    // Sends `request` (its length, sequence and port are filled in) and collects the messages that answer
    // it into `replies`, each NLMSG_ALIGNed one after another. A dump is read to its end and repeated when
    // the kernel marks it interrupted (the table changed while it was read). False on any socket error,
    // an error answer, or a dump that stayed interrupted; `replies` is then empty.
    bool Request(nlmsghdr &request, std::vector<std::byte> &replies);

    // Sends a single-answer request and receives its answer into a fixed buffer, without allocating.
    // Returns the answer's length, or a negative errno: the kernel's error answer, -EMSGSIZE when the
    // answer did not fit, or the socket's own error.
    long Exchange(nlmsghdr &request, void *answer, std::size_t capacity);

private:
    enum class TRead { Done, More, Failed, Interrupted };

    bool Send(nlmsghdr &request);
    TRead ReadDatagram(std::uint32_t sequence, bool dump, std::vector<std::byte> &replies);

    TUniqueFd FSocket;
    std::uint32_t FPort = 0;
    std::uint32_t FSequence = 0;
    std::vector<std::byte> FReceive;
};
