#include "ClipSpace.h"

namespace weblayer {

bool Viewport::operator==(const Viewport& other) const
{
    return x == other.x && y == other.y && width == other.width && height == other.height;
}

void Viewport::toWindow(const float clip[4], float window[3]) const
{
    const float halfWidth = width * 0.5f, halfHeight = height * 0.5f;
    window[0] = clip[0] / clip[3] * halfWidth + (x + halfWidth);
    window[1] = clip[1] / clip[3] * halfHeight + (y + halfHeight);
    window[2] = clip[2] / clip[3];
}

}  // namespace weblayer
