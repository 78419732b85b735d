#pragma once

#include <cmath>
#include <cstdint>
#include <deque>

// The smallest and largest value of a sequence that gains values at the back and loses them at the
// front, in amortised constant time per change. Each deque holds, oldest first, the serial numbers of
// the values that can still become the extreme once older values are dropped; the front is the
// extreme now. Values are read back through the caller, so the deques hold serial numbers only. NaN
// is never an extreme.
class Tsp_WindowExtremes {
public:
    void Clear()
    {
        fMin.clear();
        fMax.clear();
    }
    // False when every value is NaN (or there are none).
    bool Any() const { return !fMin.empty(); }
    std::uint32_t MinSerial() const { return fMin.front(); }
    std::uint32_t MaxSerial() const { return fMax.front(); }

    // `value` joins at the back under `serial`; valueOf(s) reads the value of any serial still held.
    template <class TValueOf>
    void Push(std::uint32_t serial, double value, const TValueOf &valueOf)
    {
        if (std::isnan(value)) {
            return;
        }
        while (!fMin.empty() && valueOf(fMin.back()) >= value) {
            fMin.pop_back();
        }
        fMin.push_back(serial);
        while (!fMax.empty() && valueOf(fMax.back()) <= value) {
            fMax.pop_back();
        }
        fMax.push_back(serial);
    }

    // The oldest value, with this serial, leaves.
    void PopFront(std::uint32_t serial)
    {
        if (!fMin.empty() && fMin.front() == serial) {
            fMin.pop_front();
        }
        if (!fMax.empty() && fMax.front() == serial) {
            fMax.pop_front();
        }
    }

private:
    std::deque<std::uint32_t> fMin;
    std::deque<std::uint32_t> fMax;
};
