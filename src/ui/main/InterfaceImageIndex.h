#pragma once

#include <cstdint>

// The picture of an interface in the 15-picture interface image lists, from its raw interface
// type and operational status. Anything not up (status 0 to 3) shows the warning triangle.
int InterfaceImageIndex(std::int32_t type, std::uint32_t status);
