#pragma once

#include <stdexcept>
#include <string>

// A write the file system refused; the message is "Unable to write to <file name>".
class EIniFileException : public std::runtime_error {
public:
    explicit EIniFileException(const std::string &fileName) : std::runtime_error("Unable to write to " + fileName) {}
};
