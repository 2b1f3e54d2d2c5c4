#pragma once

#include "TriangleBatch.h"

// Bitmaps as glBitmap draws them, on the CPU.
namespace softgl {

// Rows bottom first, each padded to whole bytes, bit 7 the leftmost pixel.
struct Bitmap {
    int width, height;
    const unsigned char* rows;
};

// Each set bit as the pixel (left + column, bottom + row), at depth z and in
// one colour; a row's runs of set bits become one whole-pixel rectangle each.
void drawBitmap(const Bitmap& bitmap, float left, float bottom, float z, const float color[4],
                TriangleBatch& out);

}  // namespace softgl
