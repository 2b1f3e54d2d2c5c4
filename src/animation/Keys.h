#pragma once

#include "opengl/GlHeaders.h"

// The keys the program answers, with the codes GLUT reports for them.

// Ordinary keys: Escape quits, space pauses and resumes, and any other key
// moves on to the next demonstration; the controls name N for that.
constexpr unsigned char quitKey = 27;
constexpr unsigned char pauseKey = ' ';
constexpr unsigned char nextDemonstrationKey = 'n';

// Special keys (the arrows orbit by their GLUT names).
constexpr int controlsKey = GLUT_KEY_F1;
constexpr int cameraFrameKey = GLUT_KEY_F2;
constexpr int stepKey = GLUT_KEY_F3;
constexpr int paceKey = GLUT_KEY_F4;
constexpr int handTurningKey = GLUT_KEY_F8;
constexpr int fullScreenKey = GLUT_KEY_F11;
constexpr int zoomInKey = GLUT_KEY_PAGE_UP;
constexpr int zoomOutKey = GLUT_KEY_PAGE_DOWN;
constexpr int levelKey = GLUT_KEY_HOME;
