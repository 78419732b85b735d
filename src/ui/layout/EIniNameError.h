#pragma once

#include <stdexcept>

// A section name, key name or value that the file cannot hold; nothing was written.
class EIniNameError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};
