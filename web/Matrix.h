#pragma once

// Single-precision 4 x 4 matrices, column-major, with the operation orders of
// a desktop OpenGL's fixed-function matrix stack, so that the page places
// every vertex where the desktop program does.
namespace webgl {

struct Matrix {
    float m[16];

    static Matrix identity();
    static Matrix fromDoubles(const double* values);

    // this * other, each element summed from the first term to the last.
    Matrix operator*(const Matrix& other) const;
    // this * translation(x, y, z), computed as OpenGL does in place.
    Matrix translated(float x, float y, float z) const;

    // (x, y, z, w) transformed: out = this * in.
    void transform(const float in[4], float out[4]) const;
    // The inverse transpose of the upper 3 x 3 part applied to a normal; a
    // singular matrix leaves the normal as it is.
    void transformNormal(const float in[3], float out[3]) const;
};

}  // namespace webgl
