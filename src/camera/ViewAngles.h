#pragma once

#include "math/Vector3.h"

// What a learner watches of a camera's frame, in degrees.

// How far `direction` is from the line `up` lies on, whichever way along it:
// 0 where "up" gives no answer to which way the picture stands, 90 when the
// two are at right angles.
double degreesFromLineOfUp(const Vector3& direction, const Vector3& up);

// How far `up` is from the world's up, (0, 1, 0).
double degreesFromWorldUp(const Vector3& up);

// How far the picture turns about its own centre when the frame (direction,
// up) becomes (nextDirection, nextUp): the old frame is carried along the
// shortest rotation that takes its direction to the new one, so that a turn
// of the direction alone turns nothing, and the angle from its up to the new
// up about the new direction is the turn. Positive when the picture turns
// clockwise on the screen.
double pictureTurnDegrees(const Vector3& direction, const Vector3& up, const Vector3& nextDirection,
                          const Vector3& nextUp);
