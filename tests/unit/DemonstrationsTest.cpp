#include "AnimationState.h"
#include "RecordingGl.h"
#include "animation/FrameHistory.h"
#include "animation/HandControl.h"
#include "animation/Keyboard.h"
#include "animation/Pace.h"
#include "display/HandInput.h"
#include "display/Overlays.h"
#include "display/Window.h"

#include <GL/glut.h>
#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// The expected values here are worked out from the geometry of each path with
// plain double and float arithmetic, not through the program's own vector and
// camera code, so that a slip in either shows up as a difference.

namespace {

constexpr double angleStep = 0.00785398;
constexpr double fullTurn = 6.283185307179586;
constexpr double highElevation = 1.4207960367202759;  // 1.420796f widened

// The angle after one more step: the sum is rounded to float, and a sum that
// reaches a full turn is taken back by one.
float nextAngle(float angle)
{
    const float sum = static_cast<float>(static_cast<double>(angle) + angleStep);
    if (static_cast<double>(sum) >= fullTurn)
        return static_cast<float>(static_cast<double>(sum) - fullTurn);
    return sum;
}

float angleAfter(int steps)
{
    float angle = 0.0f;
    for (int i = 0; i < steps; ++i)
        angle = nextAngle(angle);
    return angle;
}

Vector3 onCircle(double angle, double radius)
{
    return {std::sin(angle) * radius, 0.0, std::cos(angle) * radius};
}

Vector3 onSphere(double angle, double radius, double tilt)
{
    return {(std::sin(angle) * radius) * std::cos(tilt), std::sin(tilt) * radius,
            (std::cos(angle) * radius) * std::cos(tilt)};
}

// The unit vector from `eye` toward the origin, formed as the negated point
// divided by its length.
Vector3 towardOrigin(const Vector3& eye)
{
    const double x = -eye.x;
    const double y = -eye.y;
    const double z = -eye.z;
    const double length = std::sqrt((x * x + y * y) + z * z);
    return {x / length, y / length, z / length};
}

float polarTilt(double angle)
{
    return static_cast<float>(0.6283184 * std::sin(4.0 * angle));
}

float swungRadius(double angle)
{
    return static_cast<float>(3.0 * std::cos(4.0 * angle) + 10.0);
}

// A camera pose for the reference orbit, independent of the Camera class.
struct Pose {
    glm::dvec3 position;
    glm::dvec3 direction;
    glm::dvec3 up;
};

glm::dvec3 toGlm(const Vector3& v)
{
    return {v.x, v.y, v.z};
}

Pose currentPose()
{
    return {toGlm(camera.position), toGlm(camera.direction), toGlm(camera.up)};
}

// Right-handed turn of `v` by `angle` about the unit `axis` (Rodrigues).
glm::dvec3 turned(const glm::dvec3& v, const glm::dvec3& axis, double angle)
{
    return v * std::cos(angle) + glm::cross(axis, v) * std::sin(angle) +
           axis * (glm::dot(axis, v) * (1.0 - std::cos(angle)));
}

// The examine orbit: the eye, its direction and its up vector swing together
// about the point `distance` ahead, by the combined yaw and pitch, about the
// axis yaw * up + pitch * right.
Pose examined(const Pose& from, double distance, float yaw, float pitch)
{
    const glm::dvec3 centre = from.position + distance * from.direction;
    const glm::dvec3 right = glm::normalize(glm::cross(from.direction, from.up));
    const double y = yaw;
    const double p = pitch;
    const double angle = std::sqrt(y * y + p * p);
    const glm::dvec3 axis = glm::normalize(y * from.up + p * right);
    Pose to;
    to.direction = turned(from.direction, axis, angle);
    to.up = turned(from.up, axis, angle);
    to.position = centre - distance * to.direction;
    return to;
}

float examineYaw(double angle)
{
    return static_cast<float>(0.1 * std::cos(angle));
}

float examinePitch(double angle)
{
    return static_cast<float>(0.02 * std::sin(angle));
}

// Far below what a float rounding of the yaw or pitch would move the eye.
constexpr double orbitTolerance = 1e-12;

void expectNear(const Vector3& actual, const glm::dvec3& expected, const char* what)
{
    EXPECT_NEAR(actual.x, expected.x, orbitTolerance) << what;
    EXPECT_NEAR(actual.y, expected.y, orbitTolerance) << what;
    EXPECT_NEAR(actual.z, expected.z, orbitTolerance) << what;
}

void expectPose(const Pose& expected)
{
    expectNear(camera.position, expected.position, "position");
    expectNear(camera.direction, expected.direction, "direction");
    expectNear(camera.up, expected.up, "up");
}

void step(int count)
{
    for (int i = 0; i < count; ++i)
        idle();
}

class Demonstrations : public testing::Test {
protected:
    void SetUp() override
    {
        resetProgramState();
        recording::clear();
    }
};

using FirstStep = Demonstrations;
using AngleAdvance = Demonstrations;
using PolarSphere = Demonstrations;
using VaryingRadius = Demonstrations;
using HighSphere = Demonstrations;
using ExamineMode = Demonstrations;
using PausedIdle = Demonstrations;
using UpVector = Demonstrations;
using PaceOfSteps = Demonstrations;

// The examine mode entered from the raised camera of mode 3: its next step
// places the camera, and the trail holds both modes.
void enterExamineFromMode3()
{
    resetProgramState();
    for (int key = 0; key < 3; ++key)
        keyboard('n', 0, 0);
    step(25);
    keyboard('n', 0, 0);
}

// The states after 0, 1, 2, ... steps at full pace from there.
std::vector<AnimationSnapshot> statesAtFullPace(int steps)
{
    enterExamineFromMode3();
    std::vector<AnimationSnapshot> states{AnimationSnapshot::take()};
    for (int i = 0; i < steps; ++i) {
        idle();
        states.push_back(AnimationSnapshot::take());
    }
    return states;
}

AnimationSnapshot held(AnimationSnapshot state)
{
    state.running = false;
    return state;
}

}  // namespace

TEST_F(FirstStep, CirclesToTheFirstAngleLookingAtTheOrigin)
{
    idle();

    const float angle = static_cast<float>(0.00785398);
    EXPECT_EQ(bitsOf(orbitAngle), bitsOf(angle));
    const double a = angle;
    const Vector3 eye(std::sin(a) * 10.0, 0.0, std::cos(a) * 10.0);
    EXPECT_TRUE(sameBits(camera.position, eye));
    const double length = std::sqrt(eye.x * eye.x + eye.z * eye.z);
    EXPECT_TRUE(sameBits(camera.direction, Vector3(-eye.x / length, -0.0, -eye.z / length)));
    EXPECT_TRUE(sameBits(camera.up, Vector3(0.0, 1.0, 0.0)));
    EXPECT_STREQ(caption, "A circle in XZ");
    EXPECT_EQ(orbitRadius, 10.0f);
    EXPECT_EQ(bitsOf(elevation), bitsOf(0.0f));
}

TEST_F(FirstStep, RecordsTheEyeAsTrailEntryZeroAndAsksForOneRedraw)
{
    idle();

    EXPECT_TRUE(sameBits(trail[0], camera.position));
    EXPECT_TRUE(sameBits(trail[1], Vector3()));
    EXPECT_EQ(trailHead, 1);
    EXPECT_EQ(recording::calls(), std::vector<GlCall>{call("glutPostRedisplay")});
}

TEST_F(AngleAdvance, WrapsBackByAFullTurnWhenTheSumFirstReachesIt)
{
    float sum = 0.0f;
    for (int i = 0; i < 799; ++i)
        sum = static_cast<float>(static_cast<double>(sum) + angleStep);
    ASSERT_LT(static_cast<double>(sum), fullTurn);
    step(799);
    EXPECT_EQ(bitsOf(orbitAngle), bitsOf(sum)) << "no wrap before step 800";

    const float passed = static_cast<float>(static_cast<double>(sum) + angleStep);
    ASSERT_GE(static_cast<double>(passed), fullTurn);
    const float wrapped = static_cast<float>(static_cast<double>(passed) - fullTurn);
    ASSERT_NEAR(wrapped, 2.1e-6, 0.1e-6);
    idle();
    EXPECT_EQ(bitsOf(orbitAngle), bitsOf(wrapped)) << "step 800";
    EXPECT_TRUE(sameBits(camera.position, onCircle(wrapped, 10.0)))
        << "the eye follows the wrapped angle";
    EXPECT_EQ(trailHead, 0);

    const float next = static_cast<float>(static_cast<double>(wrapped) + angleStep);
    idle();
    EXPECT_EQ(bitsOf(orbitAngle), bitsOf(next)) << "step 801";
    EXPECT_TRUE(sameBits(camera.position, onCircle(next, 10.0)));
    EXPECT_TRUE(sameBits(trail[0], camera.position));
}

TEST_F(AngleAdvance, NeverFreezesOverAMillionSteps)
{
    float expected = 0.0f;
    {
        RecordingPaused quiet;
        for (int i = 1; i <= 1000000; ++i) {
            idle();
            expected = nextAngle(expected);
            if (!(orbitAngle >= 0.0f && static_cast<double>(orbitAngle) < fullTurn)) {
                ADD_FAILURE() << "step " << i << " left the angle at " << orbitAngle;
                break;
            }
        }
    }
    EXPECT_EQ(bitsOf(orbitAngle), bitsOf(expected));

    const double before = orbitAngle;
    idle();
    double advance = orbitAngle - before;
    if (advance < 0.0)
        advance += fullTurn;
    EXPECT_NEAR(advance, angleStep, 1e-6);
}

TEST_F(AngleAdvance, ComesBackFromJustBelowAndJustAboveAFullTurn)
{
    const float aboveTurn = static_cast<float>(fullTurn);
    const float belowTurn = std::nextafter(aboveTurn, 0.0f);
    ASSERT_LT(static_cast<double>(belowTurn), fullTurn);
    ASSERT_GT(static_cast<double>(aboveTurn), fullTurn);

    for (float start : {belowTurn, aboveTurn}) {
        orbitAngle = start;
        idle();
        const float sum = static_cast<float>(static_cast<double>(start) + angleStep);
        EXPECT_EQ(bitsOf(orbitAngle), bitsOf(static_cast<float>(sum - fullTurn))) << start;
        EXPECT_NEAR(orbitAngle, start + angleStep - fullTurn, 1e-6) << start;
    }
}

TEST_F(AngleAdvance, AnAngleOfSeveralTurnsIsBroughtBackAndKeepsStepping)
{
    orbitAngle = 1000.0f;
    int steps = 0;
    while (static_cast<double>(orbitAngle) >= fullTurn && steps < 1000) {
        idle();
        ++steps;
    }
    EXPECT_LE(steps, 160);
    const float settled = orbitAngle;
    idle();
    EXPECT_EQ(bitsOf(orbitAngle), bitsOf(nextAngle(settled)));
}

TEST_F(PolarSphere, SwingsTheElevationFourTimesPerTurnWithinItsAmplitude)
{
    modeCounter = 1;
    float angle = 0.0f;
    float highest = 0.0f;
    float lowest = 0.0f;
    int upwardCrossings = 0;
    for (int i = 1; i <= 800; ++i) {
        const float previous = elevation;
        idle();
        angle = nextAngle(angle);
        const float tilt = polarTilt(angle);
        ASSERT_EQ(bitsOf(elevation), bitsOf(tilt)) << "step " << i;
        const Vector3 eye = onSphere(angle, 10.0, tilt);
        ASSERT_TRUE(sameBits(camera.position, eye)) << "step " << i;
        ASSERT_TRUE(sameBits(camera.direction, towardOrigin(eye))) << "step " << i;
        ASSERT_TRUE(sameBits(trail[(i - 1) % trailLength], eye)) << "step " << i;
        if (previous < 0.0f && elevation >= 0.0f)
            ++upwardCrossings;
        highest = std::max(highest, elevation);
        lowest = std::min(lowest, elevation);
    }
    EXPECT_STREQ(caption, "A polar sphere");
    EXPECT_EQ(upwardCrossings, 4);
    const float amplitude = static_cast<float>(0.6283184);
    EXPECT_LE(highest, amplitude);
    EXPECT_GE(lowest, -amplitude);
    EXPECT_GT(highest, 0.6283f);
    EXPECT_LT(lowest, -0.6283f);
    EXPECT_EQ(orbitRadius, 10.0f);
}

TEST_F(VaryingRadius, SwingsTheRadiusBetweenSevenAndThirteen)
{
    modeCounter = 2;
    float angle = 0.0f;
    float largest = 10.0f;
    float smallest = 10.0f;
    for (int i = 1; i <= 800; ++i) {
        idle();
        angle = nextAngle(angle);
        const float radius = swungRadius(angle);
        ASSERT_EQ(bitsOf(orbitRadius), bitsOf(radius)) << "step " << i;
        const Vector3 eye = onCircle(angle, radius);
        ASSERT_TRUE(sameBits(camera.position, eye)) << "step " << i << ": the new radius is used";
        ASSERT_TRUE(sameBits(camera.direction, towardOrigin(eye))) << "step " << i;
        largest = std::max(largest, orbitRadius);
        smallest = std::min(smallest, orbitRadius);
    }
    EXPECT_STREQ(caption, "Varying the radius of an XZ circle");
    EXPECT_GE(smallest, 7.0f);
    EXPECT_LE(largest, 13.0f);
    EXPECT_LT(smallest, 7.0001f);
    EXPECT_GT(largest, 12.9999f);
    EXPECT_EQ(bitsOf(elevation), bitsOf(0.0f));
}

TEST_F(VaryingRadius, LeavesItsRadiusToTheOtherModesButNotToExamine)
{
    modeCounter = 2;
    step(100);  // a quarter of the swing: the radius is near 7
    const float left = orbitRadius;
    ASSERT_LT(left, 7.5f);
    float angle = angleAfter(100);

    modeCounter = 0;
    idle();
    angle = nextAngle(angle);
    EXPECT_TRUE(sameBits(camera.position, onCircle(angle, left))) << "mode 0";

    modeCounter = 1;
    idle();
    angle = nextAngle(angle);
    EXPECT_TRUE(sameBits(camera.position, onSphere(angle, left, polarTilt(angle)))) << "mode 1";

    modeCounter = 3;
    idle();
    angle = nextAngle(angle);
    EXPECT_TRUE(sameBits(camera.position, onSphere(angle, left, highElevation))) << "mode 3";

    modeCounter = 4;
    idle();
    const glm::dvec3 eye = toGlm(camera.position);
    EXPECT_NEAR(glm::length(eye), 10.0, 1e-9) << "mode 4 orbits at its own radius";
    EXPECT_EQ(bitsOf(orbitRadius), bitsOf(left));
}

TEST_F(HighSphere, CirclesAtTheFixedElevationAndHeight)
{
    ASSERT_EQ(static_cast<double>(1.420796f), highElevation);
    modeCounter = 3;
    float angle = 0.0f;
    for (int i = 1; i <= 3; ++i) {
        idle();
        angle = nextAngle(angle);
        EXPECT_EQ(bitsOf(elevation), bitsOf(1.420796f));
        const Vector3 eye = onSphere(angle, 10.0, highElevation);
        EXPECT_TRUE(sameBits(camera.position, eye)) << "step " << i;
        EXPECT_EQ(camera.position.y, std::sin(highElevation) * 10.0);
        EXPECT_TRUE(sameBits(camera.direction, towardOrigin(eye))) << "step " << i;
    }
    EXPECT_STREQ(caption, "Spinning a polar sphere from too high up (undesired behavior)");
}

TEST_F(UpVector, IsLeftAloneByModesZeroToThree)
{
    const Vector3 tilted(0.6, 0.8, 0.0);
    camera.up = tilted;
    for (int mode = 0; mode < 4; ++mode) {
        modeCounter = mode;
        step(5);
        EXPECT_TRUE(sameBits(camera.up, tilted)) << "mode " << mode;
    }
}

TEST_F(ExamineMode, EnteredFromHighUpIsPlacedAtTheAngleBeforeTheStep)
{
    modeCounter = 3;
    step(37);
    const float before = angleAfter(37);
    ASSERT_EQ(bitsOf(orbitAngle), bitsOf(before));

    modeCounter = 4;
    idle();

    const double a0 = before;
    Pose placed;
    placed.position = {10.0 * std::sin(a0), 0.0, 10.0 * std::cos(a0)};
    placed.direction = glm::normalize(-placed.position);
    placed.up = {0.0, 1.0, 0.0};
    const float after = nextAngle(before);
    EXPECT_EQ(bitsOf(orbitAngle), bitsOf(after));
    expectPose(examined(placed, 10.0, examineYaw(after), examinePitch(after)));
    EXPECT_EQ(bitsOf(elevation), bitsOf(0.0f));
    EXPECT_STREQ(caption, "True examine mode using vectors");
}

TEST_F(ExamineMode, LaterStepsOrbitTheSameCentreWithoutPlacingAgain)
{
    modeCounter = 3;
    idle();
    modeCounter = 4;
    idle();
    const glm::dvec3 centre = toGlm(camera.position) + 10.0 * toGlm(camera.direction);
    ASSERT_NEAR(glm::length(centre), 0.0, 1e-12);

    float angle = orbitAngle;
    const Pose from = currentPose();
    idle();
    angle = nextAngle(angle);
    expectPose(examined(from, 10.0, examineYaw(angle), examinePitch(angle)));

    step(300);
    const glm::dvec3 eye = toGlm(camera.position);
    const glm::dvec3 ahead = toGlm(camera.direction);
    EXPECT_NEAR(glm::length(eye + 10.0 * ahead - centre), 0.0, 1e-9);
    EXPECT_NEAR(glm::length(eye - centre), 10.0, 1e-9);
    EXPECT_NEAR(glm::dot(ahead, toGlm(camera.up)), 0.0, 1e-9) << "the turn keeps them square";
    EXPECT_GT(std::fabs(eye.y), 0.1) << "the pitch has lifted the eye off the XZ plane";
}

TEST_F(ExamineMode, WithoutElevationStartsFromTheCurrentPose)
{
    keyboard(' ', 0, 0);
    for (int i = 0; i < 4; ++i)
        keyboard('m', 0, 0);
    keyboard(' ', 0, 0);
    idle();

    const float angle = static_cast<float>(0.00785398);
    const Pose start{{0.0, 0.0, 10.0}, {0.0, 0.0, -1.0}, {0.0, 1.0, 0.0}};
    expectPose(examined(start, 10.0, examineYaw(angle), examinePitch(angle)));
    EXPECT_STREQ(caption, "True examine mode using vectors");
}

TEST_F(ExamineMode, WithoutElevationDoesNotMoveAnOffCirclePose)
{
    camera.position = Vector3(3.0, 4.0, 5.0);
    camera.direction = Vector3(0.0, -0.6, -0.8);
    orbitAngle = 1.0f;
    modeCounter = 4;
    const Pose from = currentPose();
    idle();

    const float angle = nextAngle(1.0f);
    expectPose(examined(from, 10.0, examineYaw(angle), examinePitch(angle)));
    EXPECT_EQ(bitsOf(elevation), bitsOf(0.0f));
}

TEST_F(PausedIdle, ChangesNothingAndAsksForNoRedraw)
{
    modeCounter = 1;
    step(3);
    animating = false;
    const AnimationSnapshot before = AnimationSnapshot::take();
    recording::clear();

    idle();

    EXPECT_TRUE(sameState(AnimationSnapshot::take(), before));
    EXPECT_TRUE(recording::calls().empty());
}

TEST_F(PaceOfSteps, F3HoldsTheAnimationAndStepsExactlyAsTheNextIdleCallWould)
{
    const std::vector<AnimationSnapshot> full = statesAtFullPace(3);
    enterExamineFromMode3();
    recording::clear();
    special(GLUT_KEY_F3, 0, 0);
    EXPECT_EQ(recording::callsNamed("glutIdleFunc"), std::vector<GlCall>{call("glutIdleFunc")})
        << "held as space holds: no idle callback";
    EXPECT_TRUE(sameState(AnimationSnapshot::take(), held(full[1]))) << "the placement step";
    special(GLUT_KEY_F3, 0, 0);
    EXPECT_TRUE(sameState(AnimationSnapshot::take(), held(full[2]))) << "paused, it stays paused";
    keyboard(' ', 0, 0);
    idle();
    EXPECT_TRUE(sameState(AnimationSnapshot::take(), full[3]));
}

TEST_F(PaceOfSteps, EveryPacePassesThroughTheSameStatesOneStepInNIdleCalls)
{
    const std::vector<AnimationSnapshot> full = statesAtFullPace(6);
    for (int presses = 0; presses <= 4; ++presses) {
        const int n = presses < 4 ? 1 << presses : 1;
        SCOPED_TRACE(testing::Message() << presses << " presses of F4, a step in " << n);
        enterExamineFromMode3();
        for (int i = 0; i < presses; ++i)
            special(GLUT_KEY_F4, 0, 0);
        ASSERT_EQ(animationPace.divisor(), n) << "full, 1/2, 1/4, 1/8, then full again";

        // The calls between steps change nothing but draw the same frame.
        // The last n - 1 of them leave the count one short of a step.
        for (int calls = 1; calls < 4 * n; ++calls) {
            recording::clear();
            idle();
            ASSERT_TRUE(sameState(AnimationSnapshot::take(), full[calls / n])) << calls << " calls";
            ASSERT_EQ(recording::calls(), std::vector<GlCall>{call("glutPostRedisplay")});
        }
        keyboard(' ', 0, 0);
        step(n);
        EXPECT_TRUE(sameState(AnimationSnapshot::take(), held(full[3]))) << "paused";
        // Resumed, or stepped by F3, the pace counts afresh: a step after n calls.
        keyboard(' ', 0, 0);
        step(n - 1);
        EXPECT_TRUE(sameState(AnimationSnapshot::take(), full[3])) << "resumed";
        idle();
        EXPECT_TRUE(sameState(AnimationSnapshot::take(), full[4])) << "resumed";
        step(n - 1);
        special(GLUT_KEY_F3, 0, 0);
        EXPECT_TRUE(sameState(AnimationSnapshot::take(), held(full[5]))) << "F3";
        keyboard(' ', 0, 0);
        step(n - 1);
        EXPECT_TRUE(sameState(AnimationSnapshot::take(), full[5])) << "resumed after F3";
        idle();
        EXPECT_TRUE(sameState(AnimationSnapshot::take(), full[6])) << "resumed after F3";
    }
}

// A restart after a session that touched everything: the state, and every
// step after it, are those of a program just started, history included.
TEST_F(Demonstrations, RestartAfterABusySessionIsAFreshStart)
{
    const auto run = [](int steps) {
        std::vector<AnimationSnapshot> states;
        std::vector<double> figures;
        for (int i = 0; i < steps; ++i) {
            idle();
            states.push_back(AnimationSnapshot::take());
            const FrameSample& newest = frameSample(0);
            figures.insert(figures.end(),
                           {newest.fromLineOfUp, newest.fromWorldUp, newest.pictureTurn});
        }
        return std::pair{states, figures};
    };
    const AnimationSnapshot start = AnimationSnapshot::take();
    const auto fresh = run(9);

    resetProgramState();
    keyboard('n', 0, 0);
    step(40);
    special(GLUT_KEY_F4, 0, 0);  // 1/2, and one idle call counted toward the next step
    idle();
    special(GLUT_KEY_F1, 0, 0);
    special(GLUT_KEY_F2, 0, 0);
    special(GLUT_KEY_PAGE_UP, 0, 0);
    mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 5, 5);  // held through the restart
    recording::clear();

    restartProgram();
    EXPECT_TRUE(sameState(AnimationSnapshot::take(), start));
    EXPECT_EQ(recording::callbacks().idle, &idle) << "running again, with its idle callback";
    EXPECT_EQ(std::tuple(animationPace.divisor(), showControls, showCameraFrame, handZoomNotches(),
                         frameHistoryCount()),
              std::tuple(1, false, false, 0, 0));
    motion(60, 60);
    EXPECT_TRUE(sameState(AnimationSnapshot::take(), start)) << "no drag goes on";
    const auto again = run(9);
    EXPECT_EQ(again.second, fresh.second);
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(sameState(again.first[i], fresh.first[i])) << "step " << i + 1;
}

// The curves' figures as a learner reads them: the first turns the picture
// not at all; the fourth looks 8.59 degrees from the line of up and spins
// 0.445 degrees a step while the eye moves 0.012; the fifth keeps 90 degrees
// and turns within the 0.029 that yaw and pitch taken one after the other
// would give (half their product): its one rotation about an axis across the
// direction leaves no turn at all. Meanwhile up passes 90 degrees from the
// world's up on the way over the top, reaching 113 from the start.
TEST_F(Demonstrations, TheCurvesShowTheSpinOfTheFourthAndItsAbsenceInTheFifth)
{
    const auto rounded = [](double value, double unit) { return std::round(value / unit) * unit; };
    step(60);
    for (int age = 0; age < 60; ++age)
        EXPECT_EQ(rounded(frameSample(age).pictureTurn, 0.001), 0.0) << age;
    EXPECT_EQ(rounded(frameSample(0).fromLineOfUp, 0.01), 90.0);

    for (int key = 0; key < 3; ++key)
        keyboard('n', 0, 0);
    step(2);
    const Vector3 eye = camera.position;
    step(1);
    const FrameSample fourth = frameSample(0);
    EXPECT_NEAR(fourth.fromLineOfUp, 8.59, 0.005);
    EXPECT_NEAR(fourth.pictureTurn, 0.445, 0.0005);
    EXPECT_NEAR(std::hypot(camera.position.x - eye.x, camera.position.z - eye.z), 0.012, 0.0005);
    EXPECT_NEAR(fourth.eyeMove,
                std::hypot(std::hypot(camera.position.x - eye.x, camera.position.y - eye.y),
                           camera.position.z - eye.z),
                1e-15);
    // F2's line, within the 48 characters the first window shows of it.
    recording::clear();
    drawCameraFrame(390, 395);
    std::string line;
    for (const GlCall& c : recording::callsNamed("glutBitmapCharacter"))
        line += static_cast<char>(c.args[0]);
    EXPECT_EQ(line, "|d|,|u|-1 +0e+00 +0e+00 171.41\xb0 r 10.00 t+0.445\xb0");

    resetProgramState();
    for (int key = 0; key < 4; ++key)
        keyboard('n', 0, 0);
    step(800);
    double largestTurn = 0.0;
    double highestUp = 0.0;
    for (int age = 0; age < frameHistoryCount(); ++age) {
        const FrameSample& sample = frameSample(age);
        EXPECT_EQ(rounded(sample.fromLineOfUp, 0.01), 90.0) << age;
        largestTurn = std::max(largestTurn, std::fabs(sample.pictureTurn));
        highestUp = std::max(highestUp, sample.fromWorldUp);
    }
    EXPECT_EQ(frameHistoryCount(), 800);
    EXPECT_EQ(rounded(largestTurn, 0.001), 0.0);
    EXPECT_EQ(std::round(highestUp), 113.0);
    EXPECT_LT(frameSample(799).fromWorldUp, 90.0);
}
