#include "TIniDocument.h"

#include "EIniNameError.h"
#include "IniNames.h"

#include <unordered_set>

namespace {

enum class TLineKind { Header, Key, Other };

struct TLineView {
    TLineKind Kind = TLineKind::Other;
    std::string_view Name;
    std::string_view Value;
    std::size_t ValueStart = 0; // where the stored value begins, for rewriting it in place
};

bool IsQuote(char c)
{
    return c == '"' || c == '\'';
}

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && IsQuote(value.front()) && value.front() == value.back())
        return value.substr(1, value.size() - 2);
    return value;
}

// Cheaper than Classify, for walks that look for headers only: most lines are keys.
bool IsHeader(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    return first != std::string_view::npos && text[first] == '[';
}

TLineView Classify(std::string_view text)
{
    TLineView view;
    const std::string_view body = text.substr(std::min(text.find_first_not_of(" \t"), text.size()));
    if (body.starts_with('[')) {
        view.Kind = TLineKind::Header;
        view.Name = TrimIniBlanks(body.substr(1, body.find(']') == std::string_view::npos ? std::string_view::npos
                                                                                          : body.find(']') - 1));
        return view;
    }
    const auto equals = text.find('=');
    if (body.starts_with(';') || equals == std::string_view::npos)
        return view;
    view.Kind = TLineKind::Key;
    view.Name = TrimIniBlanks(text.substr(0, equals));
    view.ValueStart = std::min(text.find_first_not_of(" \t", equals + 1), text.size());
    view.Value = Unquote(TrimIniBlanks(text.substr(equals + 1)));
    return view;
}

// Written values are stored exactly, except that blanks at either end or an outer pair of matching quotes
// would be lost on reading; such a value is quoted so it reads back as given.
std::string StoredForm(std::string_view value)
{
    const bool trimmed = TrimIniBlanks(value).size() != value.size();
    if (trimmed || Unquote(value).size() != value.size())
        return '"' + std::string(value) + '"';
    return std::string(value);
}

} // namespace

TIniDocument TIniDocument::Parse(std::string_view fileBytes)
{
    TIniDocument document;
    document.FUnedited = std::string(fileBytes);
    TIniDecodedText decoded = DecodeIniBytes(fileBytes);
    document.FEncoding = decoded.Encoding;
    document.FTrailing = std::move(decoded.Trailing);
    const std::string_view text = decoded.Text;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            document.FLines.push_back({std::string(text.substr(start)), {}});
            break;
        }
        const std::size_t endLength = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        document.FLines.push_back({std::string(text.substr(start, end - start)), std::string(text.substr(end, endLength))});
        start = end + endLength;
    }
    for (const TLine &line : document.FLines) {
        if (!line.End.empty()) {
            document.FNewLine = line.End;
            break;
        }
    }
    return document;
}

std::string TIniDocument::Serialise() const
{
    if (FUnedited)
        return *FUnedited;
    TIniDecodedText decoded{FEncoding, {}, FTrailing};
    std::size_t size = 0;
    for (const TLine &line : FLines)
        size += line.Text.size() + line.End.size();
    decoded.Text.reserve(size);
    for (const TLine &line : FLines) {
        decoded.Text += line.Text;
        decoded.Text += line.End;
    }
    return EncodeIniText(decoded);
}

std::optional<std::size_t> TIniDocument::FindSection(std::string_view section) const
{
    const std::string_view name = TrimIniBlanks(section);
    for (std::size_t i = 0; i < FLines.size(); ++i) {
        if (!IsHeader(FLines[i].Text))
            continue;
        if (SameIniName(Classify(FLines[i].Text).Name, name))
            return i;
    }
    return std::nullopt;
}

std::size_t TIniDocument::SectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    while (i < FLines.size() && !IsHeader(FLines[i].Text))
        ++i;
    return i;
}

std::optional<std::size_t> TIniDocument::FindKey(std::size_t header, std::string_view key) const
{
    const std::string_view name = TrimIniBlanks(key);
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const TLineView view = Classify(FLines[i].Text);
        if (view.Kind == TLineKind::Key && SameIniName(view.Name, name))
            return i;
    }
    return std::nullopt;
}

bool TIniDocument::SectionExists(std::string_view section) const
{
    return FindSection(section).has_value();
}

std::vector<std::string> TIniDocument::SectionNames() const
{
    std::vector<std::string> names;
    std::unordered_set<std::u32string> seen;
    for (const TLine &line : FLines) {
        const TLineView view = Classify(line.Text);
        if (view.Kind == TLineKind::Header && seen.insert(FoldedIniName(view.Name)).second)
            names.emplace_back(view.Name);
    }
    return names;
}

bool TIniDocument::KeyExists(std::string_view section, std::string_view key) const
{
    const auto header = FindSection(section);
    return header && FindKey(*header, key);
}

std::optional<std::string> TIniDocument::ReadValue(std::string_view section, std::string_view key) const
{
    const auto header = FindSection(section);
    if (!header)
        return std::nullopt;
    const auto line = FindKey(*header, key);
    if (!line)
        return std::nullopt;
    return std::string(Classify(FLines[*line].Text).Value);
}

std::vector<std::pair<std::string, std::string>> TIniDocument::SectionValues(std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> values;
    const auto header = FindSection(section);
    if (!header)
        return values;
    std::unordered_set<std::u32string> seen;
    const std::size_t end = SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const TLineView view = Classify(FLines[i].Text);
        if (view.Kind == TLineKind::Key && seen.insert(FoldedIniName(view.Name)).second)
            values.emplace_back(view.Name, view.Value);
    }
    return values;
}

void TIniDocument::InsertLine(std::size_t at, std::string text)
{
    if (at > 0 && FLines[at - 1].End.empty())
        FLines[at - 1].End = FNewLine;
    FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(at), TLine{std::move(text), FNewLine});
}

void TIniDocument::WriteValue(std::string_view section, std::string_view key, std::string_view value)
{
    FUnedited.reset();
    const std::string stored = StoredForm(value);
    const std::string_view keyName = TrimIniBlanks(key);
    const auto header = FindSection(section);
    if (!header) {
        InsertLine(FLines.size(), '[' + std::string(TrimIniBlanks(section)) + ']');
        InsertLine(FLines.size(), std::string(keyName) + '=' + stored);
        return;
    }
    if (const auto line = FindKey(*header, key)) {
        std::string &text = FLines[*line].Text;
        text = text.substr(0, Classify(text).ValueStart) + stored;
        return;
    }
    std::size_t after = *header;
    const std::size_t end = SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        if (Classify(FLines[i].Text).Kind == TLineKind::Key)
            after = i;
    }
    InsertLine(after + 1, std::string(keyName) + '=' + stored);
}

void TIniDocument::DeleteValue(std::string_view section, std::string_view key)
{
    const auto header = FindSection(section);
    if (!header)
        return;
    while (const auto line = FindKey(*header, key)) {
        FUnedited.reset();
        FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(*line));
    }
}

void TIniDocument::EraseSection(std::string_view section)
{
    while (const auto header = FindSection(section)) {
        FUnedited.reset();
        FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(*header),
                     FLines.begin() + static_cast<std::ptrdiff_t>(SectionEnd(*header)));
    }
}

void CheckIniWrite(std::string_view section, std::string_view key, std::string_view value)
{
    const auto refuse = [&](const std::string &rule) {
        throw EIniNameError("Cannot write \"" + std::string(key) + "\" in section \"" + std::string(section) +
                            "\": " + rule);
    };
    const auto hasLineBreak = [](std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; };
    if (hasLineBreak(section) || section.find(']') != std::string_view::npos)
        refuse("a section name cannot contain a line break or \"]\"");
    const std::string_view keyName = TrimIniBlanks(key);
    if (hasLineBreak(key) || key.find('=') != std::string_view::npos)
        refuse("a key name cannot contain a line break or \"=\"");
    if (keyName.starts_with(';') || keyName.starts_with('['))
        refuse("a key name cannot start with \";\" or \"[\"");
    if (hasLineBreak(value))
        refuse("a value cannot contain a line break");
}
