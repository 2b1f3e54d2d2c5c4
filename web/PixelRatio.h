#pragma once

#include "ClipSpace.h"

// The canvas's pixels against the program's. On a screen with r device
// pixels per CSS pixel the canvas has r times as many pixels each way, while
// the program still measures its window, viewports, line widths and bitmaps
// in CSS pixels, as on the desktop: the layer draws them on the device's.
namespace weblayer {

class PixelRatio {
public:
    PixelRatio() = default;
    // A ratio that is not finite and positive is taken as 1, and one beyond
    // [1/8, 8], which no screen has, as the nearer end.
    explicit PixelRatio(double value);

    // The device pixels' edge nearest to `at` of the program's pixels,
    // halves away from zero. (The page rounds the canvas's size with
    // Math.round, halves up: the same for a size, which is never negative.)
    // Areas that share an edge share its rounding: they tile without gap or
    // overlap.
    [[nodiscard]] int edge(double at) const;
    // A viewport with each of its four edges rounded so.
    [[nodiscard]] Viewport viewport(const Viewport& view) const;
    // A length that is not an edge, such as a line's width: not rounded.
    [[nodiscard]] float length(float programPixels) const
    {
        return static_cast<float>(programPixels * ratio);
    }

private:
    double ratio = 1.0;
};

}  // namespace weblayer
