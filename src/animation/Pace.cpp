#include "animation/Pace.h"

#include "animation/Demonstrations.h"
#include "animation/HandControl.h"

#include "opengl/GlHeaders.h"

int paceDivisor = 1;

namespace {

constexpr int slowestDivisor = 8;
int idleCallsSinceStep = 0;

}  // namespace

void cyclePace()
{
    // Any value but the four paces (there is none) also comes back to full.
    paceDivisor = paceDivisor >= 1 && paceDivisor < slowestDivisor ? 2 * paceDivisor : 1;
    idleCallsSinceStep = 0;
    // The controls line names the pace.
    glutPostRedisplay();
}

void resetPace()
{
    paceDivisor = 1;
    idleCallsSinceStep = 0;
}

bool paceAllowsStep()
{
    if (++idleCallsSinceStep < paceDivisor)
        return false;
    idleCallsSinceStep = 0;
    return true;
}

void stepOnce()
{
    if (animating)
        holdCamera();
    advanceDemonstration();
}
