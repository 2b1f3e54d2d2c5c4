#pragma once

#include "math/Vector3.h"

// A 4 x 4 affine transform, stored column by column: the element in row i and
// column j is elements[j * 4 + i]. Row 3 is kept for completeness but never
// read: points are transformed as (x, y, z, 1) with no perspective divide.
class Matrix4 {
public:
    double elements[16] = {};

    void setIdentity();
    void setColumn(int index, const Vector3& v);
    [[nodiscard]] Vector3 transformPoint(const Vector3& point) const;

    // Turns points by `angle` radians about `axis` clockwise as seen from the
    // axis tip: the transpose of the usual right-handed axis-angle matrix.
    // The camera's orbit relies on this sense.
    void setRotation(const Vector3& axis, double angle);
};
