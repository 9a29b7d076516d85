#include "core/picture/Srgb.h"

#include <algorithm>
#include <cmath>

namespace srgb {

double toLinear(double channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

const std::array<double, 256> &linearTable()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int c = 0; c < 256; ++c)
            t[size_t(c)] = toLinear(c);
        return t;
    }();
    return table;
}

int toByte(double linear)
{
    const double l = std::clamp(linear, 0.0, 1.0);
    const double c = l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1 / 2.4) - 0.055;
    return std::clamp(int(std::floor(c * 255 + 0.5)), 0, 255);
}

} // namespace srgb
