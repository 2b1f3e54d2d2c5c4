#pragma once

#include "camera/Camera.h"
#include "math/Vector3.h"

// An orbit the way most orbit controls turn a camera: an azimuth about the
// world's y axis and an elevation above the XZ plane place the eye on a
// sphere about a fixed point, and the eye looks at that point with the
// world's up, (0, 1, 0). Nothing clamps the elevation: dragged past the top,
// the eye goes on over, and the picture, which the world's up keeps upright,
// turns over at once.
//
// Each angle is held as its cosine and sine, and a turn rotates that pair:
// adding angles so needs no arc tangent, whose last bit differs between C
// libraries, and an elevation past a quarter turn is simply a negative
// cosine.
class AngleOrbit {
public:
    // The angles of `pose` about the point `distance` ahead of it.
    AngleOrbit(const Camera& pose, float distance);

    // A positive yaw swings the eye to its right while the elevation is
    // below the pole (to its left beyond it), a positive pitch swings it
    // down: the senses of Camera::examine at the start of a drag.
    void turn(float yaw, float pitch);

    // Puts `camera` on the sphere of radius `distance` about the point,
    // looking at it. At the pole, where the direction is (nearly) the
    // world's up and so gives no view with it, up is instead the picture's up
    // of the view before, so that the picture is the one it was coming to.
    void place(Camera& camera, float distance) const;

private:
    Vector3 centre;
    double cosAzimuth = 1.0;
    double sinAzimuth = 0.0;
    double cosElevation = 1.0;
    double sinElevation = 0.0;
};
