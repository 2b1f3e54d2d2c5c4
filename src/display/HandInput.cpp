#include "display/HandInput.h"

#include "animation/HandControl.h"
#include "display/Overlays.h"
#include "display/Window.h"

#include <GL/glut.h>

#include <algorithm>

namespace {

constexpr double halfTurn = 3.141592653589793;
constexpr double fullTurn = 2.0 * halfTurn;
// An arrow key turns as far as a drag of ten pixels in the window's first size.
constexpr float arrowStep = static_cast<float>(halfTurn / 40.0);

constexpr int noButton = -1;
int dragButton = noButton;
int lastX = 0;
int lastY = 0;

// Beyond a full turn a jump says nothing a real hand could mean, and a float
// angle that large has lost its fraction.
double limitTurn(double angle)
{
    return std::clamp(angle, -fullTurn, fullTurn);
}

// An arrow holds the camera and turns it as the short drag toward it would.
void arrowOrbit(float yaw, float pitch)
{
    holdCamera();
    orbitByHand(yaw, pitch);
}

}  // namespace

HandTurn dragTurn(double dx, double dy, int windowWidth)
{
    // A window too narrow for a view still gets a finite rate.
    const double viewWidth = std::max(windowWidth / 2, 1);
    const double perPixel = halfTurn / viewWidth;
    // Screen y grows downward; a turn that carries the scene with the hand
    // swings the eye against the drag.
    return {static_cast<float>(limitTurn(-dx * perPixel)),
            static_cast<float>(limitTurn(-dy * perPixel))};
}

void mouse(int button, int state, int x, int y)
{
    // The wheel and the middle button do nothing.
    if (button != GLUT_LEFT_BUTTON && button != GLUT_RIGHT_BUTTON)
        return;
    if (state == GLUT_DOWN) {
        dragButton = button;
        lastX = x;
        lastY = y;
        holdCamera();
    } else if (state == GLUT_UP && button == dragButton) {
        dragButton = noButton;
    }
}

void motion(int x, int y)
{
    if (dragButton == noButton)
        return;
    // In double: the difference of two ints may not fit in one.
    const double dx = static_cast<double>(x) - lastX;
    const double dy = static_cast<double>(y) - lastY;
    lastX = x;
    lastY = y;
    if (dx == 0.0 && dy == 0.0)
        return;
    const HandTurn turn = dragTurn(dx, dy, windowWidth);
    if (dragButton == GLUT_LEFT_BUTTON)
        orbitByHand(turn.yaw, turn.pitch);
    else
        turnByHand(turn.yaw, turn.pitch);
}

void special(int key, int /*x*/, int /*y*/)
{
    switch (key) {
    case GLUT_KEY_LEFT: arrowOrbit(arrowStep, 0.0f); break;
    case GLUT_KEY_RIGHT: arrowOrbit(-arrowStep, 0.0f); break;
    case GLUT_KEY_UP: arrowOrbit(0.0f, arrowStep); break;
    case GLUT_KEY_DOWN: arrowOrbit(0.0f, -arrowStep); break;
    case GLUT_KEY_HOME: levelCamera(); break;
    case GLUT_KEY_F1:
        showControls = !showControls;
        glutPostRedisplay();
        break;
    case GLUT_KEY_F2:
        showCameraFrame = !showCameraFrame;
        glutPostRedisplay();
        break;
    default: break;
    }
}
