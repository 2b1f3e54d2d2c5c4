#include "display/HandInput.h"

#include "animation/Demonstrations.h"
#include "animation/HandControl.h"
#include "animation/Keys.h"
#include "animation/Pace.h"
#include "display/Overlays.h"
#include "display/Window.h"

#include "opengl/GlHeaders.h"

namespace {

// An arrow key turns as far as a drag of ten pixels in the window's first size.
constexpr int arrowDrag = 10;

// GLUT reports each notch of the wheel as a press (and a release) of these.
constexpr int wheelUp = 3;
constexpr int wheelDown = 4;

// The buttons that drag, and which of them drives the drag: the one pressed
// last, and when it is released the other one if it is still held.
bool leftHeld = false;
bool rightHeld = false;
constexpr int noButton = -1;
int dragButton = noButton;
int lastX = 0;
int lastY = 0;

// An arrow holds the camera and turns it as the short drag toward it would. A
// run of arrows by angles is one drag: each goes on with the angles of the
// one before while the camera stays where they left it.
void arrowOrbit(int dx, int dy)
{
    holdCamera();
    const HandTurn turn = dragTurn(dx * arrowDrag, dy * arrowDrag, firstWindowWidth);
    orbitByHand(turn.yaw, turn.pitch);
}

void zoom(int notches)
{
    holdCamera();
    zoomByHand(notches);
}

}  // namespace

void mouse(int button, int state, int x, int y)
{
    if ((button == wheelUp || button == wheelDown) && state == GLUT_DOWN) {
        zoom(button == wheelUp ? 1 : -1);
        return;
    }
    // The middle button does nothing.
    if (button != GLUT_LEFT_BUTTON && button != GLUT_RIGHT_BUTTON)
        return;
    bool& held = button == GLUT_LEFT_BUTTON ? leftHeld : rightHeld;
    // Each press and release of the left button starts a drag afresh.
    if (button == GLUT_LEFT_BUTTON)
        startHandOrbit();
    if (state == GLUT_DOWN) {
        held = true;
        dragButton = button;
        lastX = x;
        lastY = y;
        holdCamera();
    } else if (state == GLUT_UP) {
        held = false;
        if (leftHeld)
            dragButton = GLUT_LEFT_BUTTON;
        else if (rightHeld)
            dragButton = GLUT_RIGHT_BUTTON;
        else
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

void releaseHand()
{
    leftHeld = false;
    rightHeld = false;
    dragButton = noButton;
    lastX = 0;
    lastY = 0;
}

void special(int key, int /*x*/, int /*y*/)
{
    switch (key) {
    case GLUT_KEY_LEFT: arrowOrbit(-1, 0); break;
    case GLUT_KEY_RIGHT: arrowOrbit(1, 0); break;
    case GLUT_KEY_UP: arrowOrbit(0, -1); break;
    case GLUT_KEY_DOWN: arrowOrbit(0, 1); break;
    case zoomInKey: zoom(1); break;
    case zoomOutKey: zoom(-1); break;
    case levelKey: levelCamera(); break;
    case controlsKey:
        showControls = !showControls;
        glutPostRedisplay();
        break;
    case cameraFrameKey:
        showCameraFrame = !showCameraFrame;
        glutPostRedisplay();
        break;
    case stepKey: stepOnce(); break;
    case paceKey: cyclePace(); break;
    case handTurningKey:
        // A drag in progress ends: the hand presses again to drag the other way.
        leftHeld = false;
        rightHeld = false;
        dragButton = noButton;
        switchHandTurning();
        break;
    case fullScreenKey: toggleFullScreen(); break;
    default: break;
    }
}
