#pragma once

#include <string>
#include <string_view>

// Section and key names compare without regard to letter case. Letters of the ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic blocks fold; other scripts compare exactly (a known limit: the rarer
// cased scripts are not folded). Bytes that are not UTF-8 compare exactly.
bool SameIniName(std::string_view left, std::string_view right);

// A form equal for exactly the names that SameIniName matches, to keep names in a set.
std::u32string FoldedIniName(std::string_view name);

// Blanks around names and in-file values are not part of them.
std::string_view TrimIniBlanks(std::string_view text);
