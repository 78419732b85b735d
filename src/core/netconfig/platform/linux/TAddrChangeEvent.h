#pragma once

#include "TRtnlChangeFilter.h"
#include "TUniqueFd.h"

#include <cstddef>
#include <vector>

class TStopSignal;

// The address-change event on this platform: a non-blocking rtnetlink socket subscribed to IPv4
// address and link messages (a pulled cable changes a link, not the address table). The overlapped
// record's hEvent points at one; NotifyAddrChange arms it and the notifier's worker waits on it.
class TAddrChangeEvent {
public:
    enum class TWaitResult { Changed, TimedOut, Stopped, Failed };

    TAddrChangeEvent() = default;
    TAddrChangeEvent(const TAddrChangeEvent &) = delete;
    TAddrChangeEvent &operator=(const TAddrChangeEvent &) = delete;

    // Replaces any earlier subscription by a fresh one whose known state is the current links and
    // addresses, so only what happens from now on can signal. False when the kernel refuses.
    bool Arm();
    bool Armed() const { return FSocket.Valid(); }
    // Pollable: readable when a message arrives (which may still turn out to change nothing).
    int Fd() const { return FSocket.Get(); }

    // Waits up to `milliseconds` for a change or the stop signal. Everything queued when a message
    // wakes the wait is drained and counts as one change; an overflow of the queue counts as a change.
    // TimedOut also when only messages that change nothing arrived. Failed when not armed.
    TWaitResult Wait(const TStopSignal &stop, int milliseconds);

private:
    bool LoadKnownState();
    TWaitResult Drain();

    TUniqueFd FSocket;
    TRtnlChangeFilter FFilter;
    std::vector<std::byte> FReceive;
};
