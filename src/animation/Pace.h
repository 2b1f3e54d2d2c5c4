#pragma once

// How fast the demonstrations run, for a learner who wants to watch them
// slowly or one step at a time. The states they pass through are the same at
// every pace; only how fast they pass changes.

// A step on every idle call (1, full pace), or on every 2nd, 4th or 8th.
extern int paceDivisor;

// Full, 1/2, 1/4, 1/8, then full again.
void cyclePace();

// Full pace, its count of idle calls started afresh.
void resetPace();

// Counts an idle call of the running animation; true when it is the one
// that steps.
bool paceAllowsStep();

// Holds the camera if the animation runs, as space would, then runs exactly
// the step the next idle call would have run at full pace, and draws it.
void stepOnce();
