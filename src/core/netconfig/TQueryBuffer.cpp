#include "TQueryBuffer.h"

void TQueryBuffer::Resize(std::size_t bytes)
{
    const std::size_t units = (bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
    FData.reset();
    FData = std::make_unique<std::max_align_t[]>(units == 0 ? 1 : units);
    FSize = bytes;
}

bool TQueryBuffer::Holds(const void *address, std::size_t bytes) const
{
    if (address == nullptr || !FData)
        return false;
    const auto begin = reinterpret_cast<std::uintptr_t>(FData.get());
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    return at >= begin && at - begin <= FSize && bytes <= FSize - (at - begin);
}

std::u16string_view TQueryBuffer::WideTextAt(const void *address) const
{
    if (!Holds(address, sizeof(char16_t)) || reinterpret_cast<std::uintptr_t>(address) % alignof(char16_t) != 0)
        return {};
    const auto begin = reinterpret_cast<std::uintptr_t>(FData.get());
    const std::size_t room = (FSize - (reinterpret_cast<std::uintptr_t>(address) - begin)) / sizeof(char16_t);
    const auto *text = static_cast<const char16_t *>(address);
    std::size_t length = 0;
    while (length < room && text[length] != u'\0')
        ++length;
    return {text, length};
}
