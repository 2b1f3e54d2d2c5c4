#include "animation/HandControl.h"

#include "animation/AngleOrbit.h"
#include "animation/Demonstrations.h"
#include "camera/Camera.h"

#include "opengl/GlHeaders.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

// The hand orbits the point as far ahead as the fifth demonstration does,
// until a zoom moves the eye toward it or away.
constexpr float startDistance = 10.0f;
constexpr float nearestDistance = 2.0f;
constexpr float farthestDistance = 50.0f;
// A notch changes the distance by a quarter, enough to see at once, and
// about seven notches lead from ten to either limit. Powers of 1.25 = 5/4 are
// exact in double, so each rung is one correctly rounded division or product
// from ten: the same with every C library, and a notch in and a notch out
// bring back exactly the distance there was.
constexpr double notchFactor = 1.25;

int notchesIn = 0;  // negative: out
float orbitDistance = startDistance;
bool holding = false;

// The angles of the drag in progress, and the direction and up they gave the
// camera: a camera turned since by anything but them starts a drag afresh.
std::optional<AngleOrbit> angleDrag;
Vector3 angleDirection;
Vector3 angleUp;

bool same(const Vector3& a, const Vector3& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

void orbitByAngles(float yaw, float pitch)
{
    if (!angleDrag || !same(camera.direction, angleDirection) || !same(camera.up, angleUp))
        angleDrag.emplace(camera, orbitDistance);
    angleDrag->turn(yaw, pitch);
    angleDrag->place(camera, orbitDistance);
    angleDirection = camera.direction;
    angleUp = camera.up;
}

constexpr double halfTurn = 3.141592653589793;
constexpr double fullTurn = 2.0 * halfTurn;

// Beyond a full turn a jump says nothing a real hand could mean, and a float
// angle that large has lost its fraction.
double limitTurn(double angle)
{
    return std::clamp(angle, -fullTurn, fullTurn);
}

// The distance `notches` rungs in from the start (out when negative), held
// within the limits.
float distanceAfter(int notches)
{
    double factor = 1.0;
    for (int i = 0; i < std::abs(notches); ++i)
        factor *= notchFactor;
    const double distance = notches > 0 ? startDistance / factor : startDistance * factor;
    return static_cast<float>(
        std::clamp(distance, double{nearestDistance}, double{farthestDistance}));
}

void dollyTo(int notches)
{
    const float distance = distanceAfter(notches);
    // Neighbouring rungs are within a factor of two of each other, so their
    // float difference is exact: the point ahead stays where it was.
    camera.advance(orbitDistance - distance);
    orbitDistance = distance;
    notchesIn = notches;
}

}  // namespace

HandTurn dragTurn(double dx, double dy, int windowWidth)
{
    // A window too narrow for a view still gets a finite rate.
    const double viewWidth = std::max(windowWidth / 2, 1);
    const double perPixel = halfTurn / viewWidth;
    return {static_cast<float>(limitTurn(-dx * perPixel)),
            static_cast<float>(limitTurn(-dy * perPixel))};
}

HandTurning handTurning = HandTurning::byVectors;

void holdCamera()
{
    holding = true;
    animating = false;
    glutIdleFunc(nullptr);
    glutPostRedisplay();
}

bool handHoldsCamera()
{
    return holding;
}

void releaseCamera()
{
    holding = false;
}

void switchHandTurning()
{
    handTurning =
        handTurning == HandTurning::byVectors ? HandTurning::byAngles : HandTurning::byVectors;
    startHandOrbit();
    glutPostRedisplay();
}

void restartHandTurning()
{
    handTurning = HandTurning::byVectors;
    startHandOrbit();
    releaseCamera();
}

void startHandOrbit()
{
    angleDrag.reset();
}

void orbitByHand(float yaw, float pitch)
{
    if (handTurning == HandTurning::byAngles)
        orbitByAngles(yaw, pitch);
    else
        camera.examine(orbitDistance, yaw, pitch);
    glutPostRedisplay();
}

void zoomByHand(int notches)
{
    // Rung by rung, and none past a limit, so that turning back takes no
    // notches that do nothing.
    for (; notches > 0 && orbitDistance > nearestDistance; --notches)
        dollyTo(notchesIn + 1);
    for (; notches < 0 && orbitDistance < farthestDistance; ++notches)
        dollyTo(notchesIn - 1);
    glutPostRedisplay();
}

void resetHandDistance()
{
    notchesIn = 0;
    orbitDistance = startDistance;
}

int handZoomNotches()
{
    return notchesIn;
}

void turnByHand(float yaw, float pitch)
{
    camera.rotate(yaw, pitch);
    glutPostRedisplay();
}

void levelCamera()
{
    startHandOrbit();
    camera = Camera();
    resetHandDistance();
    glutPostRedisplay();
}
