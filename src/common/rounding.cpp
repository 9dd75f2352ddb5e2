#include "common/rounding.h"

#include <cmath>

namespace tessaly::common {

double roundHalfEven(double v)
{
    if (!std::isfinite(v))
        return v;
    const double below = std::floor(v);
    const double diff = v - below;  // exact: both lie in the same binade or below is 0
    if (diff < 0.5)
        return below;
    if (diff > 0.5)
        return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::optional<std::int32_t> toInt32HalfEven(double v)
{
    if (!(v >= -2147483648.5 && v < 2147483647.5))
        return std::nullopt;
    return static_cast<std::int32_t>(roundHalfEven(v));
}

std::optional<std::int16_t> toInt16HalfEven(double v)
{
    if (!(v >= -32768.5 && v < 32767.5))
        return std::nullopt;
    return static_cast<std::int16_t>(roundHalfEven(v));
}

}  // namespace tessaly::common
