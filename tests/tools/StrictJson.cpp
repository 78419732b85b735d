#include "StrictJson.h"

#include "Utf8Utf16.h"

#include <cstddef>

const TJsonValue *TJsonValue::Find(std::string_view key) const
{
    for (const auto &member : Members)
        if (member.first == key)
            return &member.second;
    return nullptr;
}

namespace {

class TParser {
public:
    explicit TParser(std::string_view text) : FText(text) {}

    std::optional<TJsonValue> Document(std::string &error)
    {
        TJsonValue value;
        SkipSpace();
        if (!Value(value, 0) || (SkipSpace(), FAt != FText.size())) {
            if (FError.empty())
                FError = "text after the value";
            error = FError + " at offset " + std::to_string(FAt);
            return std::nullopt;
        }
        return value;
    }

private:
    bool Fail(const char *why)
    {
        if (FError.empty())
            FError = why;
        return false;
    }

    void SkipSpace()
    {
        while (FAt < FText.size() && (FText[FAt] == ' ' || FText[FAt] == '\t' || FText[FAt] == '\n' || FText[FAt] == '\r'))
            ++FAt;
    }

    bool Literal(std::string_view word)
    {
        if (FText.substr(FAt, word.size()) != word)
            return Fail("unknown literal");
        FAt += word.size();
        return true;
    }

    bool Value(TJsonValue &value, int depth)
    {
        if (depth > 64)
            return Fail("nesting too deep");
        if (FAt >= FText.size())
            return Fail("value expected");
        switch (FText[FAt]) {
        case '{': return Object(value, depth);
        case '[': return Array(value, depth);
        case '"': value.Kind = TJsonValue::TKind::String; return String(value.Text);
        case 't': value.Kind = TJsonValue::TKind::Bool; value.Boolean = true; return Literal("true");
        case 'f': value.Kind = TJsonValue::TKind::Bool; return Literal("false");
        case 'n': value.Kind = TJsonValue::TKind::Null; return Literal("null");
        default: return Number(value);
        }
    }

    bool Digits()
    {
        const std::size_t start = FAt;
        while (FAt < FText.size() && FText[FAt] >= '0' && FText[FAt] <= '9')
            ++FAt;
        return FAt > start;
    }

    bool Number(TJsonValue &value)
    {
        const std::size_t start = FAt;
        if (FAt < FText.size() && FText[FAt] == '-')
            ++FAt;
        if (FAt < FText.size() && FText[FAt] == '0')
            ++FAt;
        else if (!Digits())
            return Fail("bad number");
        if (FAt < FText.size() && FText[FAt] == '.' && (++FAt, !Digits()))
            return Fail("bad fraction");
        if (FAt < FText.size() && (FText[FAt] == 'e' || FText[FAt] == 'E')) {
            ++FAt;
            if (FAt < FText.size() && (FText[FAt] == '+' || FText[FAt] == '-'))
                ++FAt;
            if (!Digits())
                return Fail("bad exponent");
        }
        value.Kind = TJsonValue::TKind::Number;
        value.Text = std::string(FText.substr(start, FAt - start));
        return true;
    }

    bool Hex4(std::uint32_t &unit)
    {
        if (FAt + 4 > FText.size())
            return Fail("short \\u escape");
        unit = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = FText[FAt++];
            unit <<= 4;
            if (c >= '0' && c <= '9')
                unit |= static_cast<std::uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f')
                unit |= static_cast<std::uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                unit |= static_cast<std::uint32_t>(c - 'A' + 10);
            else
                return Fail("bad hex digit");
        }
        return true;
    }

    bool Escape(std::string &out)
    {
        if (FAt >= FText.size())
            return Fail("unterminated escape");
        const char c = FText[FAt++];
        switch (c) {
        case '"': out += '"'; return true;
        case '\\': out += '\\'; return true;
        case '/': out += '/'; return true;
        case 'b': out += '\b'; return true;
        case 'f': out += '\f'; return true;
        case 'n': out += '\n'; return true;
        case 'r': out += '\r'; return true;
        case 't': out += '\t'; return true;
        case 'u': break;
        default: return Fail("unknown escape");
        }
        std::uint32_t unit = 0;
        if (!Hex4(unit))
            return false;
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return Fail("lone low surrogate");
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            std::uint32_t low = 0;
            if (FText.substr(FAt, 2) != "\\u")
                return Fail("lone high surrogate");
            FAt += 2;
            if (!Hex4(low))
                return false;
            if (low < 0xDC00 || low > 0xDFFF)
                return Fail("unpaired high surrogate");
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(out, unit);
        return true;
    }

    // Copies one well-formed multi-byte UTF-8 sequence.
    bool Utf8(std::string &out)
    {
        const auto lead = static_cast<unsigned char>(FText[FAt]);
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
        else
            return Fail("invalid UTF-8 lead byte");
        if (FAt + length > FText.size())
            return Fail("truncated UTF-8");
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(FText[FAt + i]);
            if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF))
                return Fail("invalid UTF-8 continuation");
        }
        out.append(FText.substr(FAt, length));
        FAt += length;
        return true;
    }

    bool String(std::string &out)
    {
        ++FAt; // opening quote
        while (FAt < FText.size()) {
            const auto c = static_cast<unsigned char>(FText[FAt]);
            if (c == '"') {
                ++FAt;
                return true;
            }
            if (c < 0x20)
                return Fail("raw control character in string");
            if (c == '\\') {
                ++FAt;
                if (!Escape(out))
                    return false;
            } else if (c < 0x80) {
                out += static_cast<char>(c);
                ++FAt;
            } else if (!Utf8(out)) {
                return false;
            }
        }
        return Fail("unterminated string");
    }

    bool Array(TJsonValue &value, int depth)
    {
        value.Kind = TJsonValue::TKind::Array;
        ++FAt;
        SkipSpace();
        if (FAt < FText.size() && FText[FAt] == ']') {
            ++FAt;
            return true;
        }
        for (;;) {
            TJsonValue item;
            SkipSpace();
            if (!Value(item, depth + 1))
                return false;
            value.Items.push_back(std::move(item));
            SkipSpace();
            if (FAt >= FText.size())
                return Fail("unterminated array");
            if (FText[FAt] == ']') {
                ++FAt;
                return true;
            }
            if (FText[FAt++] != ',')
                return Fail("comma expected in array");
        }
    }

    bool Object(TJsonValue &value, int depth)
    {
        value.Kind = TJsonValue::TKind::Object;
        ++FAt;
        SkipSpace();
        if (FAt < FText.size() && FText[FAt] == '}') {
            ++FAt;
            return true;
        }
        for (;;) {
            SkipSpace();
            if (FAt >= FText.size() || FText[FAt] != '"')
                return Fail("key expected");
            std::string key;
            if (!String(key))
                return false;
            if (value.Find(key) != nullptr)
                return Fail("duplicate key");
            SkipSpace();
            if (FAt >= FText.size() || FText[FAt++] != ':')
                return Fail("colon expected");
            SkipSpace();
            TJsonValue member;
            if (!Value(member, depth + 1))
                return false;
            value.Members.emplace_back(std::move(key), std::move(member));
            SkipSpace();
            if (FAt >= FText.size())
                return Fail("unterminated object");
            if (FText[FAt] == '}') {
                ++FAt;
                return true;
            }
            if (FText[FAt++] != ',')
                return Fail("comma expected in object");
        }
    }

    std::string_view FText;
    std::size_t FAt = 0;
    std::string FError;
};

} // namespace

std::optional<TJsonValue> ParseStrictJson(std::string_view text, std::string &error)
{
    return TParser(text).Document(error);
}
