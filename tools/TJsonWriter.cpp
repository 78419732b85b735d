#include "TJsonWriter.h"

#include <cstddef>

namespace {

void AppendEscape(std::string &out, unsigned char byte)
{
    static constexpr char Hex[] = "0123456789abcdef";
    out += "\\u00";
    out += Hex[byte >> 4];
    out += Hex[byte & 0xF];
}

// Length of the well-formed UTF-8 sequence that starts at text[at], or 0 when it is malformed: overlong
// forms, surrogates and code points above U+10FFFF are rejected, as strict JSON readers do.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

} // namespace

void AppendJsonString(std::string &out, std::string_view text)
{
    out += '"';
    std::size_t at = 0;
    while (at < text.size()) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            switch (byte) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte < 0x20 || byte == 0x7F)
                    AppendEscape(out, byte);
                else
                    out += static_cast<char>(byte);
            }
            ++at;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(text, at);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++at;
        } else {
            out.append(text.substr(at, length));
            at += length;
        }
    }
    out += '"';
}

void TJsonWriter::BeforeValue()
{
    if (FAfterKey) {
        FAfterKey = false;
        return;
    }
    if (!FHasMember.empty()) {
        if (FHasMember.back())
            FText += ',';
        FHasMember.back() = true;
    }
}

void TJsonWriter::BeginObject()
{
    BeforeValue();
    FText += '{';
    FHasMember.push_back(false);
}

void TJsonWriter::EndObject()
{
    FHasMember.pop_back();
    FText += '}';
}

void TJsonWriter::BeginArray()
{
    BeforeValue();
    FText += '[';
    FHasMember.push_back(false);
}

void TJsonWriter::EndArray()
{
    FHasMember.pop_back();
    FText += ']';
}

void TJsonWriter::Key(std::string_view name)
{
    BeforeValue();
    AppendJsonString(FText, name);
    FText += ':';
    FAfterKey = true;
}

void TJsonWriter::String(std::string_view text)
{
    BeforeValue();
    AppendJsonString(FText, text);
}

void TJsonWriter::Number(std::uint64_t value)
{
    BeforeValue();
    FText += std::to_string(value);
}

void TJsonWriter::Number(std::int64_t value)
{
    BeforeValue();
    FText += std::to_string(value);
}

void TJsonWriter::Bool(bool value)
{
    BeforeValue();
    FText += value ? "true" : "false";
}
