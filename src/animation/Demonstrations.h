#pragma once

// The state of the camera animation, shared between the GLUT callbacks.
extern bool animating;
extern int modeCounter;  // only modeCounter % 5 is read; kept in 0..4
extern const char* caption;
extern float orbitRadius;
extern float orbitAngle;
extern float elevation;

// One animation step of the current demonstration; the GLUT idle callback.
void idle();
