#include "RecordTextFields.h"

#include <algorithm>
#include <cstring>

void CopyNarrow(std::string_view text, char *target, std::size_t capacity)
{
    if (capacity == 0)
        return;
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
}
