#include "animation/Keyboard.h"

#include "animation/Demonstrations.h"
#include "animation/HandControl.h"
#include "camera/Camera.h"

#include "opengl/GlHeaders.h"

#include <cstdlib>

namespace {
constexpr unsigned char escapeKey = 27;
constexpr unsigned char spaceKey = 32;
constexpr int modeCount = 5;
}  // namespace

void keyboard(unsigned char key, int /*x*/, int /*y*/)
{
    if (key == escapeKey) {
        std::exit(1);
    } else if (key == spaceKey) {
        animating = !animating;
        if (animating)
            releaseCamera();
        // freeglut calls an idle callback in a busy loop; a paused demo takes
        // it away so that it does not spin a core doing nothing.
        glutIdleFunc(animating ? idle : nullptr);
        glutPostRedisplay();
    } else {
        // Kept reduced so that the counter can never overflow; only the
        // remainder was ever read.
        modeCounter = (modeCounter + 1) % modeCount;
        // The hand keeps the distance a zoom gave it: only the next step or
        // Home brings it back to ten, so that a drag after the key still
        // orbits the point it held.
        camera.up = Vector3(0.0, 1.0, 0.0).normalized();
        glutPostRedisplay();
    }
}
