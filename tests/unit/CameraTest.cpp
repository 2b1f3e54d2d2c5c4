#include "camera/Camera.h"
#include "ProgramState.h"
#include "RecordingGl.h"
#include "camera/ViewAngles.h"

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectNear(const Vector3& v, double x, double y, double z, double tolerance = 1e-7)
{
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

double dot(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector3 pointAhead(const Camera& c, double distance)
{
    return {c.position.x + distance * c.direction.x, c.position.y + distance * c.direction.y,
            c.position.z + distance * c.direction.z};
}

double distanceBetween(const Vector3& a, const Vector3& b)
{
    return Vector3(a.x - b.x, a.y - b.y, a.z - b.z).length();
}

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override { recording::clear(); }
};

}  // namespace

TEST_F(CameraTest, StartsTenUnitsOutOnZLookingAtTheOriginWithYUp)
{
    const Camera c;
    expectNear(c.position, 0, 0, 10, 0);
    expectNear(c.direction, 0, 0, -1, 0);
    expectNear(c.up, 0, 1, 0, 0);
}

TEST_F(CameraTest, ApplyHandsEyeCentreAndUpToLookAtAndChangesNothing)
{
    const Camera c;
    c.apply();
    ASSERT_EQ(recording::calls().size(), 1u);
    EXPECT_EQ(recording::calls()[0], call("gluLookAt", {0, 0, 10, 0, 0, 9, 0, 1, 0}));
    expectNear(c.position, 0, 0, 10, 0);
}

TEST_F(CameraTest, ApplyGivesTheSameViewAsGlmLookAtForAnyPose)
{
    Camera c;
    c.position = Vector3(3.5, -2.0, 7.25);
    c.direction = Vector3(-0.3, 0.4, -0.5).normalized();
    c.up = Vector3(0.1, 1.0, 0.2).normalized();
    c.apply();
    const std::vector<double>& a = recording::calls().at(0).args;
    const glm::dvec3 eye(c.position.x, c.position.y, c.position.z);
    const glm::dvec3 centre = eye + glm::dvec3(c.direction.x, c.direction.y, c.direction.z);
    const glm::dmat4 expected = glm::lookAt(eye, centre, glm::dvec3(c.up.x, c.up.y, c.up.z));
    const glm::dmat4 received = glm::lookAt(
        glm::dvec3(a[0], a[1], a[2]), glm::dvec3(a[3], a[4], a[5]), glm::dvec3(a[6], a[7], a[8]));
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            EXPECT_EQ(received[column][row], expected[column][row]);
}

TEST_F(CameraTest, AdvanceMovesTheEyeAlongDirectionOnly)
{
    Camera c;
    c.advance(0.0f);
    expectNear(c.position, 0, 0, 10, 0);
    c.advance(10.0f);
    expectNear(c.position, 0, 0, 0, 0);
    c.advance(-10.0f);
    expectNear(c.position, 0, 0, 10, 0);

    c.direction = Vector3(0, 2, 0);  // not normalized: the step scales with it
    c.advance(1.5f);
    expectNear(c.position, 0, 3, 10, 0);
    expectNear(c.direction, 0, 2, 0, 0);
    expectNear(c.up, 0, 1, 0, 0);
}

TEST_F(CameraTest, AdvanceWidensTheFloatDistanceBeforeMultiplying)
{
    Camera c;
    c.position = Vector3(0, 0, 0);
    c.direction = Vector3(1.0 / 3.0, 0, 0);
    c.advance(0.1f);
    EXPECT_EQ(c.position.x, static_cast<double>(0.1f) * (1.0 / 3.0));
}

TEST_F(CameraTest, RotateMatchesTheWorkedTurns)
{
    const double s1 = std::sin(0.1), c1 = std::cos(0.1);
    Camera yaw;
    yaw.rotate(0.1f, 0.0f);
    expectNear(yaw.direction, s1, 0, -c1);
    expectNear(yaw.up, 0, 1, 0);

    Camera pitch;
    pitch.rotate(0.0f, 0.1f);
    expectNear(pitch.direction, 0, -s1, -c1);
    expectNear(pitch.up, 0, c1, -s1);

    const double s5 = std::sin(0.5), c5 = std::cos(0.5);
    Camera both;
    both.rotate(0.3f, 0.4f);
    expectNear(both.direction, 0.6 * s5, -0.8 * s5, -c5);
    expectNear(both.up, 0.48 * (1 - c5), 0.36 + 0.64 * c5, -0.8 * s5);
    expectNear(both.position, 0, 0, 10, 0);
}

TEST_F(CameraTest, ExamineMatchesTheWorkedOrbits)
{
    const double s1 = std::sin(0.1), c1 = std::cos(0.1);
    Camera yaw;
    yaw.examine(10.0f, 0.1f, 0.0f);
    expectNear(yaw.position, 10 * s1, 0, 10 * c1, 1e-6);
    expectNear(yaw.direction, -s1, 0, -c1);
    expectNear(yaw.up, 0, 1, 0);

    Camera pitch;
    pitch.examine(10.0f, 0.0f, 0.1f);
    expectNear(pitch.position, 0, -10 * s1, 10 * c1, 1e-6);
    expectNear(pitch.direction, 0, s1, -c1);
    expectNear(pitch.up, 0, c1, s1);
}

TEST_F(CameraTest, ExamineWithNoDistanceTurnsInPlaceTheOtherWay)
{
    Camera examined, rotated;
    examined.examine(0.0f, 0.2f, -0.1f);
    rotated.rotate(-0.2f, 0.1f);
    expectNear(examined.position, 0, 0, 10, 0);
    expectNear(examined.direction, rotated.direction.x, rotated.direction.y, rotated.direction.z,
               0);
    expectNear(examined.up, rotated.up.x, rotated.up.y, rotated.up.z, 0);
}

TEST_F(CameraTest, AZeroTurnOnlyRenormalizesAndAZeroOrbitComesBack)
{
    Camera c;
    c.direction = Vector3(0.6, 0.0, -0.8);
    c.rotate(0.0f, 0.0f);
    expectNear(c.direction, 0.6, 0.0, -0.8, 1e-16);
    expectNear(c.up, 0, 1, 0, 0);

    Camera orbit;
    orbit.examine(10.0f, 0.0f, 0.0f);
    expectNear(orbit.position, 0, 0, 10, 1e-15);
}

TEST_F(CameraTest, TinyTurnsStillTurnByTheirFullAngle)
{
    // The turn vector is too short to normalize (below 1e-05), but the
    // rotation normalizes the axis again, so the turn is still exact.
    Camera c;
    const float yaw = 3e-6f;
    c.rotate(yaw, 0.0f);
    EXPECT_NEAR(c.direction.x, std::sin(static_cast<double>(yaw)), 1e-18);
}

TEST_F(CameraTest, ADirectionAlongUpCannotBeTurnedOutOfThatPose)
{
    Camera c;
    c.direction = Vector3(0, 1, 0);
    c.rotate(0.3f, 0.0f);
    expectNear(c.direction, 0, 1, 0, 1e-15);
    c.rotate(0.0f, 0.4f);  // zero axis: the matrix only scales, normalization undoes it
    expectNear(c.direction, 0, 1, 0, 1e-15);
    expectNear(c.up, 0, 1, 0, 1e-15);
    EXPECT_TRUE(std::isfinite(c.direction.x) && std::isfinite(c.up.z));
}

TEST_F(CameraTest, ATurnKeepsTheAngleBetweenDirectionAndUp)
{
    Camera c;
    c.direction = Vector3(0.0, -0.6, -0.8);  // looking down, up not perpendicular
    const double before = dot(c.direction, c.up);
    c.rotate(0.25f, -0.15f);
    EXPECT_NEAR(dot(c.direction, c.up), before, 1e-15);
    EXPECT_NEAR(c.direction.length(), 1.0, 1e-15);
    EXPECT_NEAR(c.up.length(), 1.0, 1e-15);
}

TEST_F(CameraTest, ManyOrbitStepsKeepTheCentreTheRadiusAndTheFrame)
{
    Camera c;
    c.direction = Vector3(0.1, -0.3, -1.0).normalized();
    const Vector3 centre = pointAhead(c, 10.0);
    const double angleBefore = dot(c.direction, c.up);
    double worstCentre = 0, worstRadius = 0, worstLength = 0, worstAngle = 0;
    for (int i = 0; i < 100000; ++i) {
        const double a = i * 0.00785398;
        c.examine(10.0f, static_cast<float>(0.1 * std::cos(a)),
                  static_cast<float>(0.02 * std::sin(a)));
        worstCentre = std::max(worstCentre, distanceBetween(pointAhead(c, 10.0), centre));
        worstRadius = std::max(worstRadius, std::fabs(distanceBetween(c.position, centre) - 10.0));
        worstLength = std::max(
            {worstLength, std::fabs(c.direction.length() - 1.0), std::fabs(c.up.length() - 1.0)});
        worstAngle = std::max(worstAngle, std::fabs(dot(c.direction, c.up) - angleBefore));
    }
    EXPECT_LT(worstCentre, 1e-9);
    EXPECT_LT(worstRadius, 1e-9);
    EXPECT_LT(worstLength, 1e-9);
    EXPECT_LT(worstAngle, 1e-9);
}

TEST_F(CameraTest, PositiveYawSwingsTheEyeRightAndPositivePitchSwingsItDown)
{
    Camera c;
    c.examine(10.0f, 0.05f, 0.0f);
    EXPECT_GT(c.position.x, 0.0);  // the camera's right is +x in the default pose
    Camera d;
    d.examine(10.0f, 0.0f, 0.05f);
    EXPECT_LT(d.position.y, 0.0);
}

// The picture's turn carries the old frame along the shortest rotation of the
// direction: a turn about any axis across the direction, however large, turns
// the picture not at all (where merely projecting the old up would), and a
// roll about the direction is the turn itself, the other way round (a
// right-handed roll of up turns the picture counter-clockwise, negative).
TEST_F(CameraTest, ThePicturesTurnIsTheRollLeftAfterCarryingTheFrameAlong)
{
    const Camera start;
    Camera turned;
    turned.rotate(1.1f, -0.7f);
    EXPECT_NEAR(pictureTurnDegrees(start.direction, start.up, turned.direction, turned.up), 0.0,
                1e-9);
    const glm::dvec3 d(turned.direction.x, turned.direction.y, turned.direction.z);
    const glm::dvec3 u(turned.up.x, turned.up.y, turned.up.z);
    const glm::dvec3 rolled =
        glm::dmat3(glm::rotate(glm::dmat4(1.0), glm::radians(30.0), d)) * u;  // right-handed
    for (const double sense : {1.0, -1.0}) {
        const glm::dvec3 roll = sense > 0 ? rolled : 2.0 * glm::dot(rolled, u) * u - rolled;
        EXPECT_NEAR(pictureTurnDegrees(start.direction, start.up, turned.direction,
                                       Vector3(roll.x, roll.y, roll.z)),
                    -30.0 * sense, 1e-9);
    }
    // The line of up, either way along it, and vectors of no length, give finite angles.
    EXPECT_EQ(degreesFromLineOfUp(Vector3(0, -2, 0), Vector3(0, 1, 0)), 0.0);
    EXPECT_NEAR(degreesFromLineOfUp(Vector3(1, 1, 0), Vector3(0, -1, 0)), 45.0, 1e-12);
    EXPECT_NEAR(degreesFromWorldUp(Vector3(0, -1, 1)), 135.0, 1e-12);
    EXPECT_EQ(degreesFromWorldUp(Vector3()), 0.0);
    EXPECT_TRUE(std::isfinite(
        pictureTurnDegrees(Vector3(0, 0, 1), Vector3(0, 1, 0), Vector3(0, 0, -1), Vector3())));
}
