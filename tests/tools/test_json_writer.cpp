#include "StrictJson.h"
#include "TJsonWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Writes the text as a one-string array, checks that a strict reader accepts it and returns what it read.
std::string RoundTrip(const std::string &text)
{
    TJsonWriter json;
    json.BeginArray();
    json.String(text);
    json.EndArray();
    std::string error;
    const auto value = ParseStrictJson(json.Text(), error);
    EXPECT_TRUE(value.has_value()) << error << " in " << json.Text();
    if (!value || value->Items.size() != 1)
        return "<unreadable>";
    return value->Items[0].Text;
}

} // namespace

TEST(JsonWriter, HostileNamesStayValidAndKeepTheirValidText)
{
    struct TRow {
        const char *Name;
        std::string Input;
        std::string Read;
    };
    const std::vector<TRow> rows = {
        {"quotes and backslashes", "a\"b\\c\"", "a\"b\\c\""},
        {"every control byte", std::string("\x01\x02\x1f\x7f\n\r\t\b\f", 9), std::string("\x01\x02\x1f\x7f\n\r\t\b\f", 9)},
        {"embedded NUL", std::string("a\0b", 3), std::string("a\0b", 3)},
        {"valid UTF-8", "以太网 \xF0\x9F\x98\x80", "以太网 \xF0\x9F\x98\x80"},
        {"stray continuation", "a\x80z", "a\xEF\xBF\xBDz"},
        {"lone lead byte at the end", "ab\xE4", "ab\xEF\xBF\xBD"},
        {"truncated sequence", "\xE4\xBB" "x", "\xEF\xBF\xBD\xEF\xBF\xBDx"},
        {"overlong slash", "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"encoded surrogate", "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"byte FF", "\xFF\"", "\xEF\xBF\xBD\""},
    };
    for (const TRow &row : rows)
        EXPECT_EQ(RoundTrip(row.Input), row.Read) << row.Name;
}

TEST(JsonWriter, NestingPlacesCommasAndKeys)
{
    TJsonWriter json;
    json.BeginObject();
    json.Key("a");
    json.BeginArray();
    json.Number(std::uint64_t{18446744073709551615u});
    json.Number(std::int64_t{-5});
    json.BeginObject();
    json.EndObject();
    json.EndArray();
    json.Key("b\"");
    json.Bool(false);
    json.EndObject();
    EXPECT_EQ(json.Text(), "{\"a\":[18446744073709551615,-5,{}],\"b\\\"\":false}");
}

TEST(StrictJsonReader, RefusesWhatIsNotJson)
{
    for (const char *text : {"{\"a\":1,}", "[1 2]", "\"\x01\"", "\"\\ud800\"", "{\"a\":1,\"a\":2}", "[1] x", "01",
                             "\"\xC0\xAF\"", "{a:1}"}) {
        std::string error;
        EXPECT_FALSE(ParseStrictJson(text, error).has_value()) << text;
    }
}
