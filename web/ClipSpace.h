#pragma once

// What every part of the layer hands on: vertices in clip coordinates with a
// colour, and the viewport that takes them to window coordinates.
namespace weblayer {

struct Viewport {
    int x = 0, y = 0, width = 0, height = 0;

    [[nodiscard]] bool empty() const { return width <= 0 || height <= 0; }
    bool operator==(const Viewport& other) const;
    bool operator!=(const Viewport& other) const { return !(*this == other); }

    // Clip coordinates to window coordinates: x and y in pixels, and z
    // divided by w.
    void toWindow(const float clip[4], float window[3]) const;
};

// A transformed vertex: clip coordinates and a colour in [0, 1].
struct ClipVertex {
    float clip[4];
    float color[4];
};

}  // namespace weblayer
