#include "PixelRatio.h"

#include <algorithm>
#include <cmath>

namespace weblayer {

namespace {

constexpr double smallest = 1.0 / 8.0, largest = 8.0;
// Far beyond any canvas, and the difference of two such edges still an int.
constexpr double farthestEdge = 1e9;

}  // namespace

PixelRatio::PixelRatio(double value)
    : ratio(std::isfinite(value) && value > 0.0 ? std::clamp(value, smallest, largest) : 1.0)
{
}

int PixelRatio::edge(double at) const
{
    return static_cast<int>(std::clamp(std::round(at * ratio), -farthestEdge, farthestEdge));
}

Viewport PixelRatio::viewport(const Viewport& view) const
{
    const int left = edge(view.x);
    const int bottom = edge(view.y);
    return {left, bottom, edge(static_cast<double>(view.x) + view.width) - left,
            edge(static_cast<double>(view.y) + view.height) - bottom};
}

}  // namespace weblayer
