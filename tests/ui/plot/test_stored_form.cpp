#include "Tsp_Axis.h"
#include "Tsp_Filer.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <variant>
#include <vector>

namespace {

using Value = std::variant<std::int32_t, std::vector<std::int32_t>, double>;

// Keeps the written values in definition order and hands them back when reading, the way a
// form stream would.
class MemoryFiler final : public Tsp_Filer {
public:
    bool reading = false;
    std::vector<std::pair<std::string, Value>> values;

    void DefineInteger(std::string_view name, const std::function<void(std::int32_t)> &read,
                       const std::function<std::int32_t()> &write, bool hasData) override
    {
        Handle(name, hasData, [&] { return Value(write()); }, [&](const Value &v) { read(std::get<std::int32_t>(v)); });
    }
    void DefineIntegerList(std::string_view name, const std::function<void(const std::vector<std::int32_t> &)> &read,
                           const std::function<std::vector<std::int32_t>()> &write, bool hasData) override
    {
        Handle(name, hasData, [&] { return Value(write()); },
               [&](const Value &v) { read(std::get<std::vector<std::int32_t>>(v)); });
    }
    void DefineFloat(std::string_view name, const std::function<void(double)> &read,
                     const std::function<double()> &write, bool hasData) override
    {
        Handle(name, hasData, [&] { return Value(write()); }, [&](const Value &v) { read(std::get<double>(v)); });
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto &entry : values) {
            names.push_back(entry.first);
        }
        return names;
    }

private:
    template <class Write, class Read>
    void Handle(std::string_view name, bool hasData, Write write, Read read)
    {
        if (!reading) {
            if (hasData) {
                values.emplace_back(std::string(name), write());
            }
            return;
        }
        for (const auto &entry : values) {
            if (entry.first == name) {
                read(entry.second);
            }
        }
    }
};

TEST(StoredForm, WritesFlagsLineAndBoundsInOrderWithoutAZeroMin)
{
    Tsp_Axis a(448);
    a.SetTicksCount(3);
    a.SetMinMax(0, 300);
    a.SetLine(41, 150, 400);
    MemoryFiler filer;
    filer.Process(a);
    EXPECT_EQ(filer.Names(), (std::vector<std::string>{"SFlags", "SLinePos", "fMax"}));
    EXPECT_EQ(std::get<std::int32_t>(filer.values[0].second), 256); // SetMinMax cleared the auto bits
    EXPECT_EQ(std::get<std::vector<std::int32_t>>(filer.values[1].second), (std::vector<std::int32_t>{41, 150, 400}));
    EXPECT_EQ(std::get<double>(filer.values[2].second), 300);

    a.SetMin(-5);
    MemoryFiler withMin;
    withMin.Process(a);
    EXPECT_EQ(withMin.Names(), (std::vector<std::string>{"SFlags", "SLinePos", "fMin", "fMax"}));
}

TEST(StoredForm, ReadingMaxRecomputesTheWholeScale)
{
    Tsp_Axis source(Tsp_ScaleFlags::Vertical | Tsp_ScaleFlags::FarSide);
    source.SetTicksCount(6);
    source.SetMinMax(-20, 1214.5);
    source.SetLine(300, 200, 150);
    MemoryFiler filer;
    filer.Process(source);

    Tsp_Axis target(0);
    target.SetTicksCount(6); // published properties come before the extra values
    filer.reading = true;
    filer.Process(target);
    EXPECT_EQ(target.Flags(), source.Flags());
    EXPECT_EQ(target.OX(), 300);
    EXPECT_EQ(target.OPos(), 200);
    EXPECT_EQ(target.Min(), -20);
    EXPECT_EQ(target.Max(), 1214.5);
    EXPECT_EQ(target.TicksCount(), source.TicksCount());
    for (int i = 0; i < target.TicksCount(); ++i) {
        EXPECT_EQ(target.TickPos(i), source.TickPos(i));
    }
}

TEST(StoredForm, FormWithoutMinKeepsTheConstructedZero)
{
    MemoryFiler filer;
    filer.reading = true;
    filer.values.emplace_back("fMax", 50.0);
    filer.values.emplace_back("SLinePos", std::vector<std::int32_t>{1, 2, 0});
    Tsp_Axis a(0);
    filer.Process(a);
    EXPECT_EQ(a.Min(), 0);
    EXPECT_EQ(a.Max(), 50);
    EXPECT_EQ(a.Len(), 1); // a stored length of 0 still becomes 1
}

} // namespace
