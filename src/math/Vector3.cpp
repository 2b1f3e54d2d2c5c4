#include "math/Vector3.h"

#include <cmath>

namespace {
// Divisors closer to zero than this are clamped so that normalizing a zero or
// vanishing vector stays finite instead of producing infinities or NaN.
constexpr double smallestDivisor = 1e-05;
}  // namespace

Vector3& Vector3::set(double newX, double newY, double newZ)
{
    x = newX;
    y = newY;
    z = newZ;
    return *this;
}

double Vector3::length() const
{
    return std::sqrt((x * x + y * y) + z * z);
}

Vector3 Vector3::dividedBy(double divisor) const
{
    // Both zeros count as positive: -0.0 < 0 is false.
    if (std::fabs(divisor) < smallestDivisor)
        divisor = divisor < 0.0 ? -smallestDivisor : smallestDivisor;
    return {x / divisor, y / divisor, z / divisor};
}

Vector3 Vector3::normalized() const
{
    return dividedBy(length());
}

double Vector3::dot(const Vector3& other) const
{
    return (x * other.x + y * other.y) + z * other.z;
}

Vector3 Vector3::cross(const Vector3& other) const
{
    const Vector3& a = *this;
    const Vector3& b = other;
    const double crossX = a.y * b.z - b.y * a.z;
    const double crossY = b.x * a.z - a.x * b.z;
    const double crossZ = b.y * a.x - a.y * b.x;
    return {crossX, crossY, crossZ};
}
