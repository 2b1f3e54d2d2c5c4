#include "animation/Pace.h"

#include "opengl/GlHeaders.h"

Pace animationPace;

namespace {

int idleCallsSinceStep = 0;

}  // namespace

void cyclePace()
{
    animationPace = animationPace.slower();
    restartPaceCount();
    // The controls line names the pace.
    glutPostRedisplay();
}

void resetPace()
{
    animationPace = Pace();
    restartPaceCount();
}

bool paceAllowsStep()
{
    if (++idleCallsSinceStep < animationPace.divisor())
        return false;
    idleCallsSinceStep = 0;
    return true;
}

void restartPaceCount()
{
    idleCallsSinceStep = 0;
}
