#pragma once

#include "ClipSpace.h"

#include <vector>

// What the layer hands to a renderer: triangles with a colour per vertex in
// clip coordinates, each batch with the viewport to draw it in.
namespace weblayer {

// A rectangle in window coordinates (of whole pixels, as wide lines and
// bitmaps draw them) whose depth and colour change along one axis only:
// from start to end along that axis, from low to high across it.
struct WindowRectangle {
    bool alongY;
    float start, end, low, high;
    float z[2];         // at the start and at the end
    float color[2][4];  // at the start and at the end
};

// Receives each batch of triangles with the viewport to draw it in.
using TriangleSink = void (*)(const Viewport& viewport, const ClipVertex* vertices, int count);

// Triangles gathered in the order they are drawn, while they go to the same
// viewport, so that a frame takes a handful of draws rather than one per
// primitive. The batch has a fixed size: drawing allocates nothing.
class TriangleBatch {
public:
    explicit TriangleBatch(TriangleSink sink);

    // The window's size in the pixels drawn on (the device's), for what is
    // drawn in window coordinates.
    void setWindowSize(int width, int height);

    // Dropped where the viewport has no pixels.
    void triangle(const Viewport& where, const ClipVertex& a, const ClipVertex& b,
                  const ClipVertex& c);
    // Drawn over the whole window, as two triangles: wide lines and bitmaps
    // may reach past the viewport, as on the desktop.
    void rectangle(const WindowRectangle& rectangle);

    // Hands what is gathered to the sink.
    void flush();

private:
    // Room for n more vertices drawn in this viewport.
    ClipVertex* room(const Viewport& where, int n);

    TriangleSink sink;
    Viewport window;
    Viewport viewport;
    std::vector<ClipVertex> vertices;
    int count = 0;
};

}  // namespace weblayer
