#include "Matrix.h"

#include <algorithm>
#include <cstddef>

namespace weblayer {

Matrix Matrix::identity()
{
    Matrix result{};
    result.m[0] = result.m[5] = result.m[10] = result.m[15] = 1.0f;
    return result;
}

Matrix Matrix::fromDoubles(const double* values)
{
    Matrix result{};
    for (int i = 0; i < 16; ++i)
        result.m[i] = static_cast<float>(values[i]);
    return result;
}

Matrix Matrix::operator*(const Matrix& other) const
{
    Matrix result{};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            const float* b = &other.m[static_cast<std::size_t>(column) * 4];
            result.m[column * 4 + row] =
                m[row] * b[0] + m[4 + row] * b[1] + m[8 + row] * b[2] + m[12 + row] * b[3];
        }
    return result;
}

Matrix Matrix::translated(float x, float y, float z) const
{
    Matrix result = *this;
    for (int row = 0; row < 4; ++row)
        result.m[12 + row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    return result;
}

void Matrix::transform(const float in[4], float out[4]) const
{
    for (int row = 0; row < 4; ++row)
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
}

NormalMatrix::NormalMatrix(const Matrix& matrix)
{
    // Cofactors of the upper 3 x 3 part: the inverse transpose up to the
    // determinant's factor.
    const float* m = matrix.m;
    const float a = m[0];
    const float b = m[4];
    const float c = m[8];
    const float d = m[1];
    const float e = m[5];
    const float f = m[9];
    const float g = m[2];
    const float h = m[6];
    const float i = m[10];
    cofactor = {e * i - f * h, f * g - d * i, d * h - e * g, c * h - b * i, a * i - c * g,
                b * g - a * h, b * f - c * e, c * d - a * f, a * e - b * d};
    determinant = a * cofactor[0] + b * cofactor[1] + c * cofactor[2];
}

void NormalMatrix::transform(const float in[3], float out[3]) const
{
    if (determinant == 0.0f) {
        std::copy(in, in + 3, out);
        return;
    }
    for (std::size_t row = 0; row < 3; ++row)
        out[row] = (cofactor[row * 3] * in[0] + cofactor[row * 3 + 1] * in[1] +
                    cofactor[row * 3 + 2] * in[2]) /
                   determinant;
}

}  // namespace weblayer
