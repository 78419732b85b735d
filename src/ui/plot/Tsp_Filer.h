#pragma once

#include "Tsp_Persistent.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// Reads or writes the extra values an object defines. A writing filer calls `write` and stores
// the result when `hasData` is true; a reading filer calls `read` for each name it holds, in
// the order they were defined.
class Tsp_Filer {
public:
    Tsp_Filer() = default;
    Tsp_Filer(const Tsp_Filer &) = delete;
    Tsp_Filer &operator=(const Tsp_Filer &) = delete;
    virtual ~Tsp_Filer() = default;

    virtual void DefineInteger(std::string_view name, const std::function<void(std::int32_t)> &read,
                               const std::function<std::int32_t()> &write, bool hasData) = 0;
    virtual void DefineIntegerList(std::string_view name,
                                   const std::function<void(const std::vector<std::int32_t> &)> &read,
                                   const std::function<std::vector<std::int32_t>()> &write,
                                   bool hasData) = 0;
    virtual void DefineFloat(std::string_view name, const std::function<void(double)> &read,
                             const std::function<double()> &write, bool hasData) = 0;

    // Lets the object define its values to this filer.
    void Process(Tsp_Persistent &object) { object.DefineProperties(*this); }
};
