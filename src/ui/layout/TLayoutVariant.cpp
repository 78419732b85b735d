#include "TLayoutVariant.h"

#include "StoredValueText.h"

#include <type_traits>

bool TLayoutVariant::IsIntegerKind() const
{
    const TLayoutVarKind kind = Kind();
    return kind >= TLayoutVarKind::ShortInt && kind <= TLayoutVarKind::Int64;
}

bool TLayoutVariant::IsFloatKind() const
{
    const TLayoutVarKind kind = Kind();
    return kind >= TLayoutVarKind::Single && kind <= TLayoutVarKind::Currency;
}

std::string TLayoutVariant::Text() const
{
    return std::visit(
        [](const auto &value) -> std::string {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>)
                return value;
            else if constexpr (std::is_same_v<T, bool>)
                return value ? "True" : "False";
            else if constexpr (std::is_same_v<T, TDateTime>)
                return DateTimeToText(value).value_or(FloatToText(value.Value));
            else if constexpr (std::is_same_v<T, TCurrency>)
                return FloatToText(static_cast<double>(value.Scaled) / 10000);
            else if constexpr (std::is_floating_point_v<T>)
                return FloatToText(value);
            else if constexpr (std::is_integral_v<T>)
                return std::to_string(value);
            else
                return {};
        },
        FValue);
}

std::int64_t TLayoutVariant::AsInt64() const
{
    return std::visit(
        [](const auto &value) -> std::int64_t {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>)
                return static_cast<std::int64_t>(value);
            else
                return 0;
        },
        FValue);
}

double TLayoutVariant::AsDouble() const
{
    if (const auto *currency = Get<TCurrency>())
        return static_cast<double>(currency->Scaled) / 10000;
    if (const auto *single = Get<float>())
        return *single;
    if (const auto *value = Get<double>())
        return *value;
    return 0;
}

TDateTime TLayoutVariant::AsDateTime() const
{
    const auto *value = Get<TDateTime>();
    return value ? *value : TDateTime{};
}

bool TLayoutVariant::AsBoolean() const
{
    const auto *value = Get<bool>();
    return value && *value;
}
