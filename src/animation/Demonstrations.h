#pragma once

// The state of the camera animation, shared between the GLUT callbacks.
extern bool animating;
extern int modeCounter;      // kept in 0..demonstrationCount - 1 (Captions.h)
extern const char* caption;  // the one that ran last, from Captions.h
extern float orbitRadius;
extern float orbitAngle;
extern float elevation;

// The GLUT idle callback: while the animation runs, one step of the current
// demonstration at full pace, or one on every few calls at a slower pace
// (Pace.h).
void idle();

// One step of the current demonstration, whether the animation runs or not:
// the camera moves, the trail records it, and the hand orbits the point ten
// units ahead again, as the demonstrations do.
void advanceDemonstration();

// Holds the camera if the animation runs, as space would, then runs exactly
// the step the next idle call would have run at full pace, and draws it.
// Resumed, the animation steps again after as many idle calls as the pace
// asks for.
void stepOnce();

// Back to the start: the first demonstration, not yet stepped, running, with
// the camera, the radius and the angles the program starts with.
void restartDemonstrations();
