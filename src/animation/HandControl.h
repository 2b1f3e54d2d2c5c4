#pragma once

// What the user's hand does to the camera, in the camera's own terms: the
// same vector operations the demonstrations use, with no clock involved.

// Stops the animation exactly as space does (and takes the idle callback
// away, so a held camera costs no CPU); space resumes it.
void holdCamera();

// Orbits the camera about the point ten units ahead of it (Camera::examine):
// a positive yaw swings the eye to its right, a positive pitch downward.
void orbitByHand(float yaw, float pitch);

// Turns the view in place (Camera::rotate): a positive yaw looks right, a
// positive pitch looks down.
void turnByHand(float yaw, float pitch);

// Puts the camera back in its start pose, level again.
void levelCamera();
