#pragma once

#include "TUniqueFd.h"

// A one-way stop request that a poll can wait on together with other descriptors, so a sleeping or
// waiting worker wakes at once instead of at the end of its slice.
class TStopSignal {
public:
    // Throws std::system_error when the system has no descriptor to spare.
    TStopSignal();

    void Signal();
    bool Signalled() const;
    // Sleeps up to `milliseconds`; true when the stop was signalled meanwhile.
    bool Sleep(int milliseconds) const;
    int Fd() const { return FFd.Get(); }

private:
    TUniqueFd FFd;
};
