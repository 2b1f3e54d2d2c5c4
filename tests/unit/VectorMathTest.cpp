#include "math/Matrix4.h"
#include "math/Vector3.h"

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void expectExactly(const Vector3& v, double x, double y, double z)
{
    EXPECT_TRUE(sameBits(v.x, x)) << v.x << " != " << x;
    EXPECT_TRUE(sameBits(v.y, y)) << v.y << " != " << y;
    EXPECT_TRUE(sameBits(v.z, z)) << v.z << " != " << z;
}

void expectNear(const Vector3& v, double x, double y, double z, double tolerance = 1e-15)
{
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

}  // namespace

TEST(VectorValue, DefaultsToZeroAndLaysOutThreeConsecutiveDoubles)
{
    static_assert(sizeof(Vector3) == 3 * sizeof(double), "x, y, z and nothing else");
    const Vector3 v(1.0, 2.0, 3.0);
    const double* components = &v.x;
    EXPECT_EQ(components[1], 2.0);
    EXPECT_EQ(components[2], 3.0);
    expectExactly(Vector3(), 0.0, 0.0, 0.0);
}

TEST(VectorValue, SetReplacesAllComponentsAndReturnsTheVectorItself)
{
    Vector3 v;
    Vector3& result = v.set(1, 2, 3);
    EXPECT_EQ(&result, &v);
    expectExactly(v, 1, 2, 3);
    v = v;  // self-assignment keeps the value
    expectExactly(v, 1, 2, 3);
}

TEST(VectorLength, SumsTheSquaresInTheOrderXYZ)
{
    EXPECT_EQ(Vector3(3, 4, 12).length(), 13.0);
    // (x*x + y*y) + z*z rounds differently from x*x + (y*y + z*z) here.
    const Vector3 v(1.0, 1e-8, 1e-8);
    EXPECT_TRUE(sameBits(v.length(), std::sqrt((1.0 + 1e-16) + 1e-16)));
}

TEST(GuardedDivision, ReplacesOnlyDivisorsStrictlyInsideTheThreshold)
{
    const Vector3 v(1.0, -2.0, 4.0);
    const Vector3 byPositiveGuard(1.0 / 1e-05, -2.0 / 1e-05, 4.0 / 1e-05);
    const Vector3 byNegativeGuard(1.0 / -1e-05, -2.0 / -1e-05, 4.0 / -1e-05);

    // Both zeros become the positive guard.
    expectExactly(v.dividedBy(0.0), byPositiveGuard.x, byPositiveGuard.y, byPositiveGuard.z);
    expectExactly(v.dividedBy(-0.0), byPositiveGuard.x, byPositiveGuard.y, byPositiveGuard.z);
    expectExactly(v.dividedBy(1e-06), byPositiveGuard.x, byPositiveGuard.y, byPositiveGuard.z);
    expectExactly(v.dividedBy(-1e-06), byNegativeGuard.x, byNegativeGuard.y, byNegativeGuard.z);
    // The threshold itself is used as it stands.
    expectExactly(v.dividedBy(1e-05), byPositiveGuard.x, byPositiveGuard.y, byPositiveGuard.z);
    expectExactly(v.dividedBy(-1e-05), byNegativeGuard.x, byNegativeGuard.y, byNegativeGuard.z);
    // Just above it, the divisor is not replaced.
    const double above = std::nextafter(1e-05, 1.0);
    expectExactly(v.dividedBy(above), 1.0 / above, -2.0 / above, 4.0 / above);
    expectExactly(v.dividedBy(3.0), 1.0 / 3.0, -2.0 / 3.0, 4.0 / 3.0);
}

TEST(Normalization, GivesUnitLengthAboveTheThresholdAndStaysFiniteBelowIt)
{
    expectExactly(Vector3(0, 1, 0).normalized(), 0, 1, 0);
    expectNear(Vector3(3, 4, 0).normalized(), 0.6, 0.8, 0.0);
    EXPECT_NEAR(Vector3(-7, 0.5, 1e3).normalized().length(), 1.0, 1e-15);

    // Too short to normalize: divided by the guard instead, so not of length 1.
    expectNear(Vector3(1e-06, 0, 0).normalized(), 0.1, 0.0, 0.0);
    expectExactly(Vector3(0, 0, 0).normalized(), 0, 0, 0);
    const Vector3 negativeZero = Vector3(-0.0, 0.0, -0.0).normalized();
    EXPECT_TRUE(std::signbit(negativeZero.x));
    EXPECT_FALSE(std::signbit(negativeZero.y));
    EXPECT_TRUE(std::signbit(negativeZero.z));
}

TEST(CrossProduct, IsRightHandedAndAgreesWithGlm)
{
    expectExactly(Vector3(1, 0, 0).cross(Vector3(0, 1, 0)), 0, 0, 1);
    expectExactly(Vector3(0, 1, 0).cross(Vector3(1, 0, 0)), 0, 0, -1);
    const Vector3 a(0.3, -1.7, 2.9);
    expectExactly(a.cross(a), 0, 0, 0);

    const Vector3 b(-4.1, 0.25, 7.5);
    const glm::dvec3 expected = glm::cross(glm::dvec3(a.x, a.y, a.z), glm::dvec3(b.x, b.y, b.z));
    expectNear(a.cross(b), expected.x, expected.y, expected.z, 1e-14);
}

TEST(CrossProduct, FormsEachComponentAsTwoProductsThenOneSubtraction)
{
    const Vector3 a(0.1, 0.7, 1.3);
    const Vector3 b(2.3, 0.9, 0.3);
    expectExactly(a.cross(b), a.y * b.z - b.y * a.z, b.x * a.z - a.x * b.z, b.y * a.x - a.y * b.x);
}

namespace {

Matrix4 identity()
{
    Matrix4 m;
    m.setIdentity();
    return m;
}

Matrix4 rotation(const Vector3& axis, double angle)
{
    Matrix4 m;
    m.setRotation(axis, angle);
    return m;
}

}  // namespace

TEST(MatrixColumns, AreStoredColumnMajorAndMapTheAxes)
{
    Matrix4 m = identity();
    const Vector3 a(1, 2, 3), b(4, 5, 6), d(7, 8, 9);
    m.setColumn(0, a);
    m.setColumn(1, b);
    m.setColumn(2, d);
    EXPECT_EQ(m.elements[4], 4.0);
    EXPECT_EQ(m.elements[6], 6.0);
    // p*a + q*b + r*d: column 3 still holds the identity's (0, 0, 0, 1).
    expectExactly(m.transformPoint(Vector3(1, 0, 0)), 1, 2, 3);
    expectExactly(m.transformPoint(Vector3(0, 1, 0)), 4, 5, 6);
    expectExactly(m.transformPoint(Vector3(2, -1, 0.5)), 2 - 4 + 3.5, 4 - 5 + 4, 6 - 6 + 4.5);
}

TEST(MatrixColumns, RowThreeIsZeroExceptForTheTranslationColumn)
{
    Matrix4 m = identity();
    m.setColumn(2, Vector3(1, 1, 1));
    EXPECT_EQ(m.elements[11], 0.0);
    m.setColumn(3, Vector3(10, 20, 30));
    EXPECT_EQ(m.elements[15], 1.0);
    expectExactly(m.transformPoint(Vector3(1, 1, 1)), 12, 22, 31);
}

TEST(MatrixColumns, IndicesOutsideTheMatrixWriteNothing)
{
    Matrix4 m = identity();
    const Matrix4 before = m;
    m.setColumn(-1, Vector3(9, 9, 9));
    m.setColumn(4, Vector3(9, 9, 9));
    EXPECT_EQ(std::memcmp(m.elements, before.elements, sizeof m.elements), 0);
}

TEST(PointTransform, IgnoresRowThreeAndDividesByNothing)
{
    Matrix4 m = rotation(Vector3(1, 2, 3), 0.7);
    const Vector3 p(0.5, -2, 3);
    const Vector3 expected = m.transformPoint(p);
    m.elements[3] = m.elements[7] = m.elements[11] = 5.0;
    m.elements[15] = -3.0;
    const Vector3 changed = m.transformPoint(p);
    expectExactly(changed, expected.x, expected.y, expected.z);
    expectExactly(identity().transformPoint(p), 0.5, -2, 3);
}

TEST(PointTransform, GroupsEachRowsSumInItsOwnOrder)
{
    // Every element of the 3 x 3 block is 1, so each row sums x, y and z; with
    // x and z cancelling at 1e16, where 1 is below half an ulp, the order of
    // the sums decides the result: X adds y second, Y and Z add x second.
    Matrix4 m = identity();
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row)
            m.elements[column * 4 + row] = 1.0;
    expectExactly(m.transformPoint(Vector3(-1e16, 1.0, 1e16)), 0.0, 1.0, 1.0);
}

TEST(RotationSense, TurnsClockwiseSeenFromTheAxisTip)
{
    const double a = 0.5;
    expectNear(rotation(Vector3(0, 0, 1), a).transformPoint(Vector3(1, 0, 0)), std::cos(a),
               -std::sin(a), 0);
    const double quarter = M_PI / 2;
    expectNear(rotation(Vector3(0, 0, 1), quarter).transformPoint(Vector3(1, 0, 0)), 0, -1, 0);
    expectNear(rotation(Vector3(0, 0, 1), quarter).transformPoint(Vector3(0, 1, 0)), 1, 0, 0);
    expectNear(rotation(Vector3(1, 0, 0), quarter).transformPoint(Vector3(0, 1, 0)), 0, 0, -1);
    expectNear(rotation(Vector3(0, 1, 0), quarter).transformPoint(Vector3(0, 0, 1)), -1, 0, 0);
}

TEST(RotationSense, IsTheTransposeOfGlmsRightHandedAxisAngleMatrix)
{
    const Vector3 axis(0.3, -1.2, 0.8);
    const double angle = 1.1;
    const Matrix4 ours = rotation(axis, angle);
    const glm::dmat4 rightHanded =
        glm::rotate(glm::dmat4(1.0), angle, glm::dvec3(axis.x, axis.y, axis.z));
    const glm::dmat4 opposite =
        glm::rotate(glm::dmat4(1.0), -angle, glm::dvec3(axis.x, axis.y, axis.z));
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row) {
            const double element = ours.elements[column * 4 + row];
            EXPECT_NEAR(element, rightHanded[row][column], 1e-15);  // glm indexes [column][row]
            EXPECT_NEAR(element, opposite[column][row], 1e-15);
        }
    // The right-handed matrix itself must not pass for ours.
    EXPECT_GT(std::fabs(ours.elements[1] - rightHanded[0][1]), 0.1);
}

TEST(RotationMatrix, NormalizesItsAxisAndFillsAllSixteenElements)
{
    Matrix4 scaled;
    std::fill(std::begin(scaled.elements), std::end(scaled.elements), 7.0);
    scaled.setRotation(Vector3(0, 0, 5), 0.3);
    const Matrix4 unit = rotation(Vector3(0, 0, 1), 0.3);
    EXPECT_EQ(std::memcmp(scaled.elements, unit.elements, sizeof unit.elements), 0);
    for (int i : {3, 7, 11, 12, 13, 14})
        EXPECT_EQ(scaled.elements[i], 0.0) << i;
    EXPECT_EQ(scaled.elements[15], 1.0);
}

TEST(RotationMatrix, FormsTheSharedTermsInTheStatedOrder)
{
    const Vector3 axis(0.36, 0.48, 0.8);  // already of unit length, up to rounding
    const double angle = 0.9;
    const Vector3 n = axis.normalized();
    const double s = std::sin(angle), c = std::cos(angle), t = 1.0 - c;
    const double pxy = (n.x * n.y) * t, pxz = (n.x * n.z) * t, pyz = (n.y * n.z) * t;
    const double expected[16] = {(n.x * n.x) * t + c,
                                 pxy - s * n.z,
                                 pxz + s * n.y,
                                 0,
                                 pxy + s * n.z,
                                 (n.y * n.y) * t + c,
                                 pyz - s * n.x,
                                 0,
                                 pxz - s * n.y,
                                 pyz + s * n.x,
                                 (n.z * n.z) * t + c,
                                 0,
                                 0,
                                 0,
                                 0,
                                 1};
    const Matrix4 m = rotation(axis, angle);
    for (int i = 0; i < 16; ++i)
        EXPECT_TRUE(sameBits(m.elements[i], expected[i])) << "element " << i;
}

TEST(RotationMatrix, ZeroAngleIsTheIdentityAndOppositeAnglesAreTransposes)
{
    const Matrix4 none = rotation(Vector3(0.2, 0.9, -0.4), 0.0);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(none.elements[i], identity().elements[i]) << i;  // -0.0 == 0.0

    const Matrix4 forward = rotation(Vector3(0.2, 0.9, -0.4), 0.8);
    const Matrix4 backward = rotation(Vector3(0.2, 0.9, -0.4), -0.8);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_NEAR(forward.elements[column * 4 + row], backward.elements[row * 4 + column],
                        1e-16);
}

TEST(RotationMatrix, AZeroAxisScalesByTheCosineInsteadOfTurning)
{
    const double a = 0.6;
    const Matrix4 m = rotation(Vector3(0, 0, 0), a);
    const Vector3 p(1, -2, 3);
    expectExactly(m.transformPoint(p), std::cos(a) * 1, std::cos(a) * -2, std::cos(a) * 3);
}
