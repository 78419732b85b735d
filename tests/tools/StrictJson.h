#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A strict reader of one JSON document (RFC 8259): no trailing commas, no raw control characters in strings,
// well-formed UTF-8 only, paired surrogate escapes, nothing after the value but white space.
struct TJsonValue {
    enum class TKind { Null, Bool, Number, String, Array, Object };

    TKind Kind = TKind::Null;
    bool Boolean = false;
    std::string Text; // a string's decoded UTF-8, or a number's literal text
    std::vector<TJsonValue> Items;
    std::vector<std::pair<std::string, TJsonValue>> Members; // in document order

    const TJsonValue *Find(std::string_view key) const;
};

// The document, or nothing with the reason and its byte offset in error.
std::optional<TJsonValue> ParseStrictJson(std::string_view text, std::string &error);
