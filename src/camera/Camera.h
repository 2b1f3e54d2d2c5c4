#pragma once

#include "math/Vector3.h"

// A viewing pose: the eye, the way it looks and the way that is up. The
// direction and up vectors are kept at unit length but need not be
// perpendicular; every turn preserves the angle between them.
class Camera {
public:
    Vector3 position{0.0, 0.0, 10.0};
    Vector3 direction{0.0, 0.0, -1.0};
    Vector3 up{0.0, 1.0, 0.0};

    // Multiplies the current OpenGL matrix by the view transform of this pose.
    void apply() const;

    // Moves the eye `distance` times `direction` (not re-normalized).
    void advance(float distance);

    // Turns `direction` and `up` about the eye. The turn is one rotation by
    // sqrt(yaw^2 + pitch^2) about the axis (yaw * up + pitch * right): a
    // positive yaw looks right, a positive pitch looks down.
    void rotate(float yaw, float pitch);

    // Orbits the eye about the point `distance` ahead, keeping that point
    // fixed and centred: a positive yaw swings the eye to its right, a
    // positive pitch swings it down.
    void examine(float distance, float yaw, float pitch);
};

// The one camera the program animates and the left view looks through.
extern Camera camera;
