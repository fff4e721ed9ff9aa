#pragma once

#include <cmath>

// Forms, grids and editors measure in twips, as the stored layouts and the
// widths the procedures compute do: 1440 to the inch, 15 to a pixel at the
// 96 dots per inch the program lays out at.
namespace twips {

constexpr int perPixel = 15;

constexpr int fromPixels(int pixels)
{
    return pixels * perPixel;
}

inline int toPixels(double value)
{
    return static_cast<int>(std::lround(value / perPixel));
}

}  // namespace twips
