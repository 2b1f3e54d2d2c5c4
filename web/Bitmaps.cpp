#include "Bitmaps.h"

namespace weblayer {

void drawBitmap(const Bitmap& bitmap, float left, float bottom, float z, const float color[4],
                const PixelRatio& scale, TriangleBatch& out)
{
    const int stride = (bitmap.width + 7) / 8;
    auto set = [&](int row, int column) {
        return ((bitmap.rows[row * stride + column / 8] << (column % 8)) & 0x80) != 0;
    };
    WindowRectangle run{};
    run.z[0] = run.z[1] = z;
    for (auto& end : run.color)
        for (int c = 0; c < 4; ++c)
            end[c] = color[c];
    auto edge = [&scale](float origin, int offset) {
        return static_cast<float>(scale.edge(static_cast<double>(origin) + offset));
    };
    for (int row = 0; row < bitmap.height; ++row)
        for (int column = 0; column < bitmap.width; ++column) {
            if (!set(row, column))
                continue;
            int end = column + 1;
            while (end < bitmap.width && set(row, end))
                ++end;
            // Its edges lie on the device's pixel boundaries, half a pixel from any centre.
            run.start = edge(left, column);
            run.end = edge(left, end);
            run.low = edge(bottom, row);
            run.high = edge(bottom, row + 1);
            out.rectangle(run);
            column = end;
        }
}

}  // namespace weblayer
