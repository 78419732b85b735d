#pragma once

#include <unistd.h>

#include <utility>

// Owns one file descriptor; closes it on destruction or reset.
class TUniqueFd {
public:
    TUniqueFd() = default;
    explicit TUniqueFd(int fd) : FFd(fd) {}
    TUniqueFd(TUniqueFd &&other) noexcept : FFd(std::exchange(other.FFd, -1)) {}
    TUniqueFd &operator=(TUniqueFd &&other) noexcept
    {
        Reset(std::exchange(other.FFd, -1));
        return *this;
    }
    TUniqueFd(const TUniqueFd &) = delete;
    TUniqueFd &operator=(const TUniqueFd &) = delete;
    ~TUniqueFd() { Reset(); }

    int Get() const { return FFd; }
    bool Valid() const { return FFd >= 0; }
    void Reset(int fd = -1)
    {
        if (FFd >= 0)
            ::close(FFd);
        FFd = fd;
    }
    // Closes now and gives close's result: some file systems report late write errors only here.
    int Close() { return ::close(std::exchange(FFd, -1)); }

private:
    int FFd = -1;
};
