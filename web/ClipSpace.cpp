#include "ClipSpace.h"

namespace weblayer {

bool Viewport::operator==(const Viewport& other) const
{
    return x == other.x && y == other.y && width == other.width && height == other.height;
}

void Viewport::toWindow(const float clip[4], float window[3]) const
{
    const float halfWidth = static_cast<float>(width) * 0.5f;
    const float halfHeight = static_cast<float>(height) * 0.5f;
    window[0] = clip[0] / clip[3] * halfWidth + (static_cast<float>(x) + halfWidth);
    window[1] = clip[1] / clip[3] * halfHeight + (static_cast<float>(y) + halfHeight);
    window[2] = clip[2] / clip[3];
}

}  // namespace weblayer
