#include "camera/ViewAngles.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double degreesPerRadian = 57.29577951308232;

// The angle whose cosine is a.b / (|a| |b|); 0 for a vector of no length,
// which has no angle to give.
double degreesBetween(const Vector3& a, const Vector3& b, bool eitherWay)
{
    const double lengths = a.length() * b.length();
    if (!(lengths > 0.0))
        return 0.0;
    double cosine = a.dot(b) / lengths;
    if (eitherWay)
        cosine = std::fabs(cosine);
    return std::acos(std::clamp(cosine, -1.0, 1.0)) * degreesPerRadian;
}

// `v` without its part along the unit vector `axis`.
Vector3 across(const Vector3& v, const Vector3& axis)
{
    const double along = v.dot(axis);
    return {v.x - along * axis.x, v.y - along * axis.y, v.z - along * axis.z};
}

}  // namespace

double degreesFromLineOfUp(const Vector3& direction, const Vector3& up)
{
    return degreesBetween(direction, up, true);
}

double degreesFromWorldUp(const Vector3& up)
{
    return degreesBetween(up, Vector3(0.0, 1.0, 0.0), false);
}

double pictureTurnDegrees(const Vector3& direction, const Vector3& up, const Vector3& nextDirection,
                          const Vector3& nextUp)
{
    const Vector3 from = direction.normalized();
    const Vector3 to = nextDirection.normalized();
    // The rotation taking `from` to `to`: v + s x v + s x (s x v) / (1 + c),
    // with s = from x to and c = from . to. A direction turned right round
    // has no shortest rotation; up is then taken as it is.
    const Vector3 s = from.cross(to);
    const double c = from.dot(to);
    Vector3 carried = up;
    if (1.0 + c > 1e-12) {
        const Vector3 once = s.cross(up);
        const Vector3 twice = s.cross(once);
        const double scale = 1.0 / (1.0 + c);
        carried = Vector3(up.x + once.x + twice.x * scale, up.y + once.y + twice.y * scale,
                          up.z + once.z + twice.z * scale);
    }
    const Vector3 before = across(carried, to);
    const Vector3 after = across(nextUp, to);
    // The picture turns against the camera's roll: up turned right-handedly
    // about the direction, which points into the screen, turns the scene
    // counter-clockwise, so the picture's clockwise turn is the roll from the
    // new up back to the carried one.
    return std::atan2(to.dot(after.cross(before)), before.dot(after)) * degreesPerRadian;
}
