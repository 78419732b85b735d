#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

// The caller buffer of one platform query. Everything read back from it goes through At, Holds or the text
// readers, which refuse any pointer or length that leaves the buffer, so a truncated or inconsistent answer
// can never make the reader step outside it.
class TQueryBuffer {
public:
    // Fresh zeroed storage of that many bytes, aligned for any record; earlier contents are gone.
    void Resize(std::size_t bytes);

    void *Data() { return FData.get(); }
    const void *Data() const { return FData.get(); }
    std::size_t Size() const { return FSize; }

    // True when [address, address + bytes) lies inside the buffer.
    bool Holds(const void *address, std::size_t bytes) const;

    // The record at address when the whole record lies inside the buffer and is aligned for its type.
    template <class T>
    const T *At(const void *address) const
    {
        if (!Holds(address, sizeof(T)) || reinterpret_cast<std::uintptr_t>(address) % alignof(T) != 0)
            return nullptr;
        return static_cast<const T *>(address);
    }

    // A NUL-terminated 16-bit string that starts inside the buffer, cut at the buffer's end when unterminated.
    std::u16string_view WideTextAt(const void *address) const;

private:
    std::unique_ptr<std::max_align_t[]> FData;
    std::size_t FSize = 0;
};
