#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Appends text as a JSON string literal. Any byte sequence gives valid JSON: quotes, backslashes and control
// characters are escaped, and every byte that is not part of a well-formed UTF-8 sequence becomes U+FFFD.
void AppendJsonString(std::string &out, std::string_view text);

// Builds one JSON document in memory; commas and nesting are tracked here so callers only name values.
// Misuse (a value without a key inside an object, unbalanced ends) is the caller's bug and is not diagnosed.
class TJsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view name);
    void String(std::string_view text);
    void Number(std::uint64_t value);
    void Number(std::int64_t value);
    void Bool(bool value);

    const std::string &Text() const { return FText; }

private:
    void BeforeValue();

    std::string FText;
    // One entry per open object or array: true once it holds a member.
    std::vector<bool> FHasMember;
    bool FAfterKey = false;
};
