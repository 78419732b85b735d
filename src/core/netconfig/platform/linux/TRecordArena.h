#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

// Lays records out one after another in a caller's buffer, each at its own alignment. Run the same
// layout twice: first measuring (no buffer: every record gets a block of its own that lives as long as
// the arena, so layout code needs no branches), then into a buffer of the measured size.
class TRecordArena {
public:
    // Measuring.
    TRecordArena() = default;
    // Writing into `buffer`, which the measured size fits and which is aligned for every record.
    explicit TRecordArena(void *buffer) : FBase(static_cast<std::byte *>(buffer)) {}

    // Zeroed room for `count` objects of T.
    template <class T>
    T *New(std::size_t count = 1)
    {
        static_assert(alignof(T) <= alignof(std::max_align_t));
        const std::size_t offset = (FUsed + alignof(T) - 1) / alignof(T) * alignof(T);
        const std::size_t bytes = sizeof(T) * count;
        FUsed = offset + bytes;
        std::byte *place;
        if (FBase) {
            place = FBase + offset;
        } else {
            FMeasured.push_back(std::make_unique<std::max_align_t[]>(bytes / sizeof(std::max_align_t) + 1));
            place = reinterpret_cast<std::byte *>(FMeasured.back().get());
        }
        std::memset(place, 0, bytes);
        return std::launder(reinterpret_cast<T *>(place));
    }

    std::size_t Used() const { return FUsed; }

private:
    std::byte *FBase = nullptr;
    std::size_t FUsed = 0;
    std::vector<std::unique_ptr<std::max_align_t[]>> FMeasured;
};
