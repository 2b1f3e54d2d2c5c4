#pragma once

#include "animation/Demonstrations.h"
#include "animation/FrameHistory.h"
#include "animation/HandControl.h"
#include "animation/Pace.h"
#include "animation/Trail.h"
#include "camera/Camera.h"
#include "display/HandInput.h"
#include "display/Overlays.h"
#include "display/Window.h"

#include "opengl/GlHeaders.h"

// The program keeps its state in globals for the whole run; each test starts
// from the state the program has before its entry point runs.

// The camera, the trail and the animation: all that idle and keyboard change.
inline void resetAnimationState()
{
    camera = Camera();
    for (Vector3& entry : trail)
        entry = Vector3();
    trailHead = 0;
    animating = true;
    modeCounter = 0;
    caption = "";
    orbitRadius = 10.0f;
    orbitAngle = 0.0f;
    elevation = 0.0f;
    animationPace = Pace();
    restartPaceCount();
    resetHandDistance();
    clearFrameHistory();
    restartHandTurning();
}

inline void resetProgramState()
{
    resetAnimationState();
    windowWidth = 800;
    windowHeight = 400;
    showControls = false;
    showCameraFrame = false;
    // No drag in progress: a release of the dragging button ends it.
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 0, 0);
    mouse(GLUT_RIGHT_BUTTON, GLUT_UP, 0, 0);
}
