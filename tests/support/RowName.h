#pragma once

#include <gtest/gtest.h>

#include <string>

// Names a parameterised test after its row's `name` field, so a failure says which row broke.
struct RowName {
    template <class Row>
    std::string operator()(const testing::TestParamInfo<Row> &row) const
    {
        return row.param.name;
    }
};
