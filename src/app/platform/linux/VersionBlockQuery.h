#pragma once

#include "FileVersionApi.h"

// Looks up a path such as "\StringFileInfo\080403A8\ProductName" ("\" or "" is the root's
// fixed information). Each part must match a child's key in full, ignoring ASCII letter case.
// Lengths in the block are never trusted: a value or child reaching past its parent is cut at
// the parent's end, and nothing outside the block is read.
std::optional<TVersionValue> QueryVersionBlock(std::span<const std::uint8_t> block, std::string_view path);
