#pragma once

#include "TriangleBatch.h"

#include <cstddef>

// OpenGL's primitives taken apart one vertex at a time, each triangle or
// segment drawn as soon as its last vertex is given, in the order OpenGL
// decomposes the primitive: triangles as they are, segments as wide lines
// (WideLines.h).
namespace weblayer {

// glBegin's modes, with OpenGL's own values. Points are not among them: the
// program draws none.
enum class Primitive : unsigned {
    lines = 0x0001,
    lineLoop = 0x0002,
    lineStrip = 0x0003,
    triangles = 0x0004,
    triangleStrip = 0x0005,
    triangleFan = 0x0006,
    quads = 0x0007,
    quadStrip = 0x0008,
    polygon = 0x0009
};

class PrimitiveAssembly {
public:
    explicit PrimitiveAssembly(TriangleBatch& out) : out(out) {}

    // Where what follows is drawn: the viewport on the device's pixels, and
    // the lines' width in the device's pixels.
    void setViewport(const Viewport& deviceView) { view = deviceView; }
    void setLineWidth(float devicePixels) { lineWidth = devicePixels; }

    // An unknown primitive (as OpenGL's invalid enum) is refused: false, and
    // nothing changes.
    bool begin(Primitive primitive);
    // Whether a primitive has begun and not ended: vertices given otherwise
    // draw nothing.
    [[nodiscard]] bool inside() const { return open; }
    void add(const ClipVertex& vertex);
    void end();

private:
    void addToLine(const ClipVertex& vertex);
    // The vertex added n vertices before the next one.
    [[nodiscard]] const ClipVertex& back(std::size_t n) const { return recent[(added - n) % 3]; }
    void triangle(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c);

    TriangleBatch& out;
    Viewport view;
    float lineWidth = 1.0f;

    // What the primitive's next triangle or segment may need of the vertices
    // before.
    bool open = false;
    Primitive primitive = Primitive::lines;
    std::size_t added = 0;
    ClipVertex first{};
    ClipVertex recent[3]{};
    ClipVertex lineFirst{}, lineBefore{};
};

}  // namespace weblayer
