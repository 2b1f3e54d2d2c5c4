#include "math/Matrix4.h"

#include <cmath>
#include <cstddef>

void Matrix4::setIdentity()
{
    for (int i = 0; i < 16; ++i)
        elements[i] = (i % 5 == 0) ? 1.0 : 0.0;
}

void Matrix4::setColumn(int index, const Vector3& v)
{
    if (index < 0 || index > 3)
        return;
    double* column = &elements[static_cast<std::size_t>(index) * 4];
    column[0] = v.x;
    column[1] = v.y;
    column[2] = v.z;
    column[3] = index == 3 ? 1.0 : 0.0;
}

Vector3 Matrix4::transformPoint(const Vector3& point) const
{
    const double* e = elements;
    const double x = point.x;
    const double y = point.y;
    const double z = point.z;
    // The grouping differs between rows on purpose; it fixes the rounding of
    // every result bit for bit.
    const double resultX = ((e[8] * z + e[4] * y) + e[0] * x) + e[12];
    const double resultY = ((e[9] * z + e[1] * x) + e[5] * y) + e[13];
    const double resultZ = ((e[10] * z + e[2] * x) + e[6] * y) + e[14];
    return {resultX, resultY, resultZ};
}

void Matrix4::setRotation(const Vector3& axis, double angle)
{
    const Vector3 n = axis.normalized();
    const double sinA = std::sin(angle);
    const double cosA = std::cos(angle);
    const double t = 1.0 - cosA;

    const double pxy = (n.x * n.y) * t;
    const double pxz = (n.x * n.z) * t;
    const double pyz = (n.y * n.z) * t;

    double* e = elements;
    e[0] = (n.x * n.x) * t + cosA;
    e[1] = pxy - sinA * n.z;
    e[2] = pxz + sinA * n.y;
    e[3] = 0.0;

    e[4] = pxy + sinA * n.z;
    e[5] = (n.y * n.y) * t + cosA;
    e[6] = pyz - sinA * n.x;
    e[7] = 0.0;

    e[8] = pxz - sinA * n.y;
    e[9] = pyz + sinA * n.x;
    e[10] = (n.z * n.z) * t + cosA;
    e[11] = 0.0;

    e[12] = 0.0;
    e[13] = 0.0;
    e[14] = 0.0;
    e[15] = 1.0;
}
