#pragma once

// The kinds a TVariant holds: the runtime's own, then the two address kinds.
enum class TVarType { Empty, Null, Boolean, Byte, Word, Cardinal, Integer, Int64, Single, Double, Extended, String, IPv4, IPv6 };

// The kind's name, for error messages.
const char *VarTypeName(TVarType type);
