#pragma once

#include <array>

// Single-precision 4 x 4 matrices, column-major, with the operation orders of
// a desktop OpenGL's fixed-function matrix stack, so that the page places
// every vertex where the desktop program does.
namespace weblayer {

struct Matrix {
    float m[16];

    static Matrix identity();
    static Matrix fromDoubles(const double* values);

    // this * other, each element summed from the first term to the last.
    Matrix operator*(const Matrix& other) const;
    // this * translation(x, y, z), computed as OpenGL does in place.
    [[nodiscard]] Matrix translated(float x, float y, float z) const;

    // (x, y, z, w) transformed: out = this * in.
    void transform(const float in[4], float out[4]) const;
};

// The inverse transpose of a matrix's upper 3 x 3 part, which turns normals
// into eye space, kept as its cofactors and determinant: computed once per
// matrix rather than once per normal. A singular part leaves normals as they
// are.
class NormalMatrix {
public:
    explicit NormalMatrix(const Matrix& matrix);

    void transform(const float in[3], float out[3]) const;

private:
    std::array<float, 9> cofactor{};
    float determinant = 0.0f;
};

}  // namespace weblayer
