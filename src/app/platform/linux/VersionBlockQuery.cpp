#include "VersionBlockQuery.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr std::size_t NodeHeader = 6;

std::size_t AlignTo4(std::size_t offset)
{
    return (offset + 3) & ~std::size_t{3};
}

std::uint16_t Word(std::span<const std::uint8_t> block, std::size_t at)
{
    return static_cast<std::uint16_t>(block[at] | (block[at + 1] << 8));
}

// One node of the tree, all offsets inside the block and End never past the parent's end.
struct TNode {
    std::size_t Start = 0;
    std::size_t End = 0;
    std::size_t KeyStart = 0;
    std::size_t KeyChars = 0;
    std::size_t ValueStart = 0;
    std::size_t ValueBytes = 0;
    std::uint16_t ValueLength = 0;
    bool IsText = false;
    std::size_t ChildrenStart = 0;
};

// The node at start within limit; nothing for a node of length 0, one that is too short for its
// header, or one whose key has no terminating NUL inside it.
std::optional<TNode> ReadNode(std::span<const std::uint8_t> block, std::size_t start, std::size_t limit)
{
    if (start > limit || limit - start < NodeHeader) {
        return std::nullopt;
    }
    const std::uint16_t length = Word(block, start);
    if (length < NodeHeader) {
        return std::nullopt;
    }
    TNode node;
    node.Start = start;
    node.End = std::min(limit, start + length);
    node.ValueLength = Word(block, start + 2);
    node.IsText = Word(block, start + 4) == 1;
    node.KeyStart = start + NodeHeader;
    std::size_t at = node.KeyStart;
    while (true) {
        if (node.End - at < 2) {
            return std::nullopt;
        }
        if (Word(block, at) == 0) {
            break;
        }
        at += 2;
    }
    node.KeyChars = (at - node.KeyStart) / 2;
    node.ValueStart = std::min(node.End, AlignTo4(at + 2));
    const std::size_t wanted = node.IsText ? std::size_t{node.ValueLength} * 2 : node.ValueLength;
    node.ValueBytes = std::min(wanted, node.End - node.ValueStart);
    node.ChildrenStart = std::min(node.End, AlignTo4(node.ValueStart + node.ValueBytes));
    return node;
}

char16_t FoldCase(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool KeyEquals(std::span<const std::uint8_t> block, const TNode &node, std::string_view part)
{
    if (node.KeyChars != part.size()) {
        return false;
    }
    for (std::size_t i = 0; i < part.size(); ++i) {
        const auto wanted = static_cast<char16_t>(static_cast<unsigned char>(part[i]));
        if (FoldCase(Word(block, node.KeyStart + 2 * i)) != FoldCase(wanted)) {
            return false;
        }
    }
    return true;
}

std::optional<TNode> FindChild(std::span<const std::uint8_t> block, const TNode &parent, std::string_view part)
{
    std::size_t at = parent.ChildrenStart;
    while (const auto child = ReadNode(block, at, parent.End)) {
        if (KeyEquals(block, *child, part)) {
            return child;
        }
        at = AlignTo4(child->End);
    }
    return std::nullopt;
}

} // namespace

std::optional<TVersionValue> QueryVersionBlock(std::span<const std::uint8_t> block, std::string_view path)
{
    auto node = ReadNode(block, 0, block.size());
    while (node && !path.empty()) {
        const std::size_t slash = path.find('\\');
        const std::string_view part = path.substr(0, slash);
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
        if (!part.empty()) {
            node = FindChild(block, *node, part);
        }
    }
    if (!node) {
        return std::nullopt;
    }
    TVersionValue value;
    value.Bytes = block.subspan(node->ValueStart, node->ValueBytes);
    value.IsText = node->IsText;
    value.Length = node->IsText ? static_cast<std::uint32_t>(node->ValueBytes / 2)
                                : static_cast<std::uint32_t>(node->ValueBytes);
    return value;
}
