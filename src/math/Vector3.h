#pragma once

// A point or a direction in scene space. Plain value: the three components sit
// next to each other so that &v.x can be handed to OpenGL as three doubles.
class Vector3 {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    Vector3() = default;
    Vector3(double x, double y, double z) : x(x), y(y), z(z) {}

    Vector3& set(double newX, double newY, double newZ);

    [[nodiscard]] double length() const;
    [[nodiscard]] Vector3 dividedBy(double divisor) const;
    [[nodiscard]] Vector3 normalized() const;
    [[nodiscard]] Vector3 cross(const Vector3& other) const;
    [[nodiscard]] double dot(const Vector3& other) const;
};
