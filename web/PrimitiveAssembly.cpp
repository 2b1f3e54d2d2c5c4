#include "PrimitiveAssembly.h"

#include "WideLines.h"

namespace weblayer {

namespace {

bool known(Primitive primitive)
{
    switch (primitive) {
    case Primitive::lines:
    case Primitive::lineLoop:
    case Primitive::lineStrip:
    case Primitive::triangles:
    case Primitive::triangleStrip:
    case Primitive::triangleFan:
    case Primitive::quads:
    case Primitive::quadStrip:
    case Primitive::polygon: return true;
    }
    return false;
}

}  // namespace

bool PrimitiveAssembly::begin(Primitive p)
{
    if (!known(p))
        return false;
    open = true;
    primitive = p;
    added = 0;
    return true;
}

void PrimitiveAssembly::end()
{
    if (!open)
        return;
    open = false;
    if (primitive == Primitive::lineLoop && added > 2)
        drawWideLine(lineBefore, lineFirst, view, lineWidth, out);
}

void PrimitiveAssembly::add(const ClipVertex& v)
{
    const std::size_t k = added;
    switch (primitive) {
    case Primitive::lines:
    case Primitive::lineStrip:
    case Primitive::lineLoop: addToLine(v); return;
    case Primitive::triangles:
        if (k % 3 == 2)
            triangle(back(2), back(1), v);
        break;
    case Primitive::triangleStrip:
        // Every other triangle's first two corners swapped, so that all of
        // them face the same way.
        if (k >= 2) {
            if (k % 2 == 0)
                triangle(back(2), back(1), v);
            else
                triangle(back(1), back(2), v);
        }
        break;
    case Primitive::triangleFan:
    case Primitive::polygon:
        if (k >= 2)
            triangle(first, back(1), v);
        break;
    case Primitive::quads:
        if (k % 4 == 3) {
            triangle(back(3), back(2), back(1));
            triangle(back(3), back(1), v);
        }
        break;
    case Primitive::quadStrip:
        if (k >= 3 && k % 2 == 1) {
            triangle(back(3), back(2), v);
            triangle(back(3), v, back(1));
        }
        break;
    }
    if (k == 0)
        first = v;
    recent[k % 3] = v;
    ++added;
}

void PrimitiveAssembly::addToLine(const ClipVertex& v)
{
    const std::size_t k = added;
    if (k >= 1 && (primitive != Primitive::lines || k % 2 == 1))
        drawWideLine(lineBefore, v, view, lineWidth, out);
    if (k == 0)
        lineFirst = v;
    lineBefore = v;
    ++added;
}

void PrimitiveAssembly::triangle(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c)
{
    out.triangle(view, a, b, c);
}

}  // namespace weblayer
