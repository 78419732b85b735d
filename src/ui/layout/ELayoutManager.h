#pragma once

#include <stdexcept>

// Raised for a duplicate value name only.
class ELayoutManager : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
