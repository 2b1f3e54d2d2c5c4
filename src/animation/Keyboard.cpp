#include "animation/Keyboard.h"

#include "animation/Captions.h"
#include "animation/Demonstrations.h"
#include "animation/HandControl.h"
#include "animation/Keys.h"
#include "animation/Pace.h"
#include "camera/Camera.h"

#include "opengl/GlHeaders.h"

#include <cstdlib>

void keyboard(unsigned char key, int /*x*/, int /*y*/)
{
    if (key == quitKey) {
        std::exit(1);
    } else if (key == pauseKey) {
        animating = !animating;
        if (animating)
            releaseCamera();
        restartPaceCount();
        // freeglut calls an idle callback in a busy loop; a paused demo takes
        // it away so that it does not spin a core doing nothing.
        glutIdleFunc(animating ? idle : nullptr);
        glutPostRedisplay();
    } else {
        // Kept reduced so that the counter can never overflow; only the
        // remainder was ever read.
        modeCounter = (modeCounter + 1) % demonstrationCount;
        // The hand keeps the distance a zoom gave it: only the next step or
        // Home brings it back to ten, so that a drag after the key still
        // orbits the point it held.
        camera.up = Vector3(0.0, 1.0, 0.0).normalized();
        glutPostRedisplay();
    }
}
