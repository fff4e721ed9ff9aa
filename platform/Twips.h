#pragma once

#include <cmath>

class QWidget;

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

// A widget's place in its parent and its size, in twips.
int left(const QWidget& widget);
int top(const QWidget& widget);
int width(const QWidget& widget);
int height(const QWidget& widget);
void setGeometry(QWidget& widget, int left, int top, int width, int height);
// The size changed, the place kept; the place changed, the size kept.
void resize(QWidget& widget, int width, int height);
void move(QWidget& widget, int left, int top);

}  // namespace twips
