#pragma once

#include "PixelRatio.h"
#include "TriangleBatch.h"

// Bitmaps as glBitmap draws them, on the CPU.
namespace weblayer {

// Rows bottom first, each padded to whole bytes, bit 7 the leftmost pixel.
struct Bitmap {
    int width, height;
    const unsigned char* rows;
};

// Each set bit as the program's pixel (left + column, bottom + row), at depth
// z and in one colour: the device pixels between that pixel's edges, each
// rounded to the device's pixels (r x r at a whole ratio r; at a fractional
// one the text keeps its size and spacing, its pixels one or two wide). A
// row's runs of set bits become one whole-pixel rectangle each.
void drawBitmap(const Bitmap& bitmap, float left, float bottom, float z, const float color[4],
                const PixelRatio& scale, TriangleBatch& out);

}  // namespace weblayer
