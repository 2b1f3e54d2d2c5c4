#pragma once

#include <vector>

// What the layer hands to a renderer: triangles with a colour per vertex in
// clip coordinates, each batch with the viewport to draw it in.
namespace softgl {

struct Viewport {
    int x = 0, y = 0, width = 0, height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
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
    void triangle(const Viewport& viewport, const ClipVertex& a, const ClipVertex& b,
                  const ClipVertex& c);
    // Drawn over the whole window, as two triangles: wide lines and bitmaps
    // may reach past the viewport, as on the desktop.
    void rectangle(const WindowRectangle& rectangle);

    // Hands what is gathered to the sink.
    void flush();

private:
    // Room for n more vertices drawn in this viewport.
    ClipVertex* room(const Viewport& viewport, int n);

    TriangleSink sink;
    Viewport window;
    Viewport viewport;
    std::vector<ClipVertex> vertices;
    int count = 0;
};

}  // namespace softgl
