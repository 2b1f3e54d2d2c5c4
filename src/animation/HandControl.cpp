#include "animation/HandControl.h"

#include "animation/Demonstrations.h"
#include "camera/Camera.h"

#include "opengl/GlHeaders.h"

#include <algorithm>

namespace {

// The orbit of the fifth demonstration: the point it turns about.
constexpr float orbitDistance = 10.0f;

constexpr double halfTurn = 3.141592653589793;
constexpr double fullTurn = 2.0 * halfTurn;

// Beyond a full turn a jump says nothing a real hand could mean, and a float
// angle that large has lost its fraction.
double limitTurn(double angle)
{
    return std::clamp(angle, -fullTurn, fullTurn);
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

void holdCamera()
{
    animating = false;
    glutIdleFunc(nullptr);
    glutPostRedisplay();
}

void orbitByHand(float yaw, float pitch)
{
    camera.examine(orbitDistance, yaw, pitch);
    glutPostRedisplay();
}

void turnByHand(float yaw, float pitch)
{
    camera.rotate(yaw, pitch);
    glutPostRedisplay();
}

void levelCamera()
{
    camera = Camera();
    glutPostRedisplay();
}
