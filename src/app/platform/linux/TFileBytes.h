#pragma once

#include "TUniqueFd.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// Random access to the bytes of a file image. Every read is checked against the end of the
// data, so parsers of untrusted files cannot read past it.
class TFileBytes {
public:
    virtual ~TFileBytes() = default;
    virtual std::uint64_t Size() const = 0;
    // Fills dest with n bytes from offset; false when any of them lies beyond the end.
    virtual bool Read(std::uint64_t offset, void *dest, std::size_t n) const = 0;

    template <class T>
    bool ReadLE(std::uint64_t offset, T &value) const
    {
        unsigned char raw[sizeof(T)];
        if (!Read(offset, raw, sizeof raw)) {
            return false;
        }
        T result = 0;
        for (std::size_t i = sizeof(T); i-- > 0;) {
            result = static_cast<T>((result << 8) | raw[i]);
        }
        value = result;
        return true;
    }
};

// Bytes held in memory by the caller.
class TMemoryBytes final : public TFileBytes {
public:
    // The caller keeps data alive for the lifetime of this object.
    explicit TMemoryBytes(std::span<const std::uint8_t> data) : FData(data) {}
    std::uint64_t Size() const override { return FData.size(); }
    bool Read(std::uint64_t offset, void *dest, std::size_t n) const override;

private:
    std::span<const std::uint8_t> FData;
};

// An open file, read with positioned reads; closes it on destruction.
class TOpenFileBytes final : public TFileBytes {
public:
    explicit TOpenFileBytes(const std::string &fileName);
    TOpenFileBytes(const TOpenFileBytes &) = delete;
    TOpenFileBytes &operator=(const TOpenFileBytes &) = delete;

    bool IsOpen() const { return FFile.Valid(); }
    std::uint64_t Size() const override { return FSize; }
    bool Read(std::uint64_t offset, void *dest, std::size_t n) const override;

private:
    TUniqueFd FFile;
    std::uint64_t FSize = 0;
};
