#include "animation/HandControl.h"

#include "animation/Demonstrations.h"
#include "camera/Camera.h"

#include <GL/glut.h>

namespace {
// The orbit of the fifth demonstration: the point it turns about.
constexpr float orbitDistance = 10.0f;
}  // namespace

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
