#pragma once

#include "TriangleBatch.h"

// Lines of any width as OpenGL draws them without antialiasing, on the CPU,
// since WebGL draws no line wider than one pixel everywhere.
namespace weblayer {

// The segment from a to b, clipped in homogeneous coordinates (so that a
// segment crossing w = 0 keeps its visible part) and drawn in the viewport's
// window coordinates as whole-pixel rectangles.
void drawWideLine(const ClipVertex& a, const ClipVertex& b, const Viewport& viewport, float width,
                  TriangleBatch& out);

}  // namespace weblayer
