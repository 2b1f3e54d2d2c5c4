#pragma once

#include "animation/Trail.h"
#include "camera/Camera.h"

// The camera's frame after each of the steps the trail holds, and what a
// learner reads from it (camera/ViewAngles.h), for the curves beside the
// picture and the F2 figures. Recorded with the trail, so that replaying the
// steps that made a trail gives the same history.
struct FrameSample {
    Vector3 direction;
    Vector3 up;
    double fromLineOfUp;  // degrees
    double fromWorldUp;   // degrees
    double pictureTurn;   // degrees, from the pose before the step
    double eyeMove;       // how far the eye moved, from the pose before the step
};

constexpr int frameHistoryLength = trailLength;

// Appends the camera's frame as a step has just left it; `before` is the pose
// the step started from.
void recordFrame(const Camera& before);

// Empties the history, as it is at the start.
void clearFrameHistory();

// How many samples there are (at most frameHistoryLength), and the one
// `age` steps old (0 the newest), for 0 <= age < frameHistoryCount().
int frameHistoryCount();
const FrameSample& frameSample(int age);

// True when a hand has turned the camera since the last step (or, before
// any step, from its start pose).
bool frameTurnedSinceStep();

// The camera as it is now, its picture's turn and its eye's move counted from
// the newest sample (or the start pose): the newest sample itself unless a
// hand turned it since.
FrameSample latestFrame();
