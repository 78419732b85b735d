#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// An immutable list of text lines that every copy shares. A TAdapter copy therefore keeps its address lists
// alive and unchanged after the snapshot it came from has been refreshed, cleared or destroyed.
class TSharedLines {
public:
    TSharedLines() = default;
    explicit TSharedLines(std::vector<std::string> lines);

    std::size_t Count() const { return Lines().size(); }
    bool Empty() const { return Lines().empty(); }
    const std::string &operator[](std::size_t index) const { return Lines()[index]; }
    std::vector<std::string>::const_iterator begin() const { return Lines().begin(); }
    std::vector<std::string>::const_iterator end() const { return Lines().end(); }

private:
    const std::vector<std::string> &Lines() const;

    // Null for the empty list, so default records allocate nothing.
    std::shared_ptr<const std::vector<std::string>> FLines;
};
