#pragma once

#include <array>

/// The sRGB transfer function: 8-bit channels to linear light and back.
namespace srgb {

/// Linear light (0 to 1) of an sRGB channel from 0 to 255; fractions are allowed.
double toLinear(double channel);

/// toLinear of each 8-bit channel value.
const std::array<double, 256> &linearTable();

/// The 8-bit sRGB channel of linear light `linear` (clamped to 0 to 1), rounded half up.
int toByte(double linear);

} // namespace srgb
