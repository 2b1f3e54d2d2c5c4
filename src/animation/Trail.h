#pragma once

#include "math/Vector3.h"

// A ring of the camera's most recent positions. An entry that is exactly
// (0, 0, 0) counts as empty and is not drawn.
constexpr int trailLength = 800;
extern Vector3 trail[trailLength];
extern int trailHead;  // next entry to write; once full, also the oldest

// Appends the camera's position to the ring.
void recordTrail();

// Empties the ring, as it is at the start.
void clearTrail();

// Draws the ring as one red line strip, oldest entry first.
void drawTrail();
