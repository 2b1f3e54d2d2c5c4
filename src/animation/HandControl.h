#pragma once

// What the user's hand does to the camera, in the camera's own terms: the
// same vector operations the demonstrations use, with no clock involved.

// The turn a drag of (dx, dy) window pixels asks for (y grows downward, as
// GLUT reports it), in a window `windowWidth` pixels wide. A drag across one
// whole view, half the window's width, is half a turn whatever the window's
// size, at the same rate on both axes so that the turn keeps the drag's
// direction. The scene follows the hand: a drag to the right swings the eye
// to its left, a drag upward swings it down, so the scene turns with the
// drag. One event turns at most a full turn about each axis.
struct HandTurn {
    float yaw;
    float pitch;
};
HandTurn dragTurn(double dx, double dy, int windowWidth);

// Stops the animation exactly as space does (and takes the idle callback
// away, so a held camera costs no CPU); space resumes it.
void holdCamera();

// Whether the hand holds the camera: it pressed, turned or zoomed since the
// animation last resumed.
bool handHoldsCamera();

// The animation resumes: the hand no longer holds the camera.
void releaseCamera();

// How the left drag and the arrows orbit: by the camera's own vectors, or by
// an azimuth and an elevation with the world's up (AngleOrbit). The start is
// by vectors.
enum class HandTurning { byVectors, byAngles };
extern HandTurning handTurning;

// Changes over to the other way of turning; a drag in progress ends there.
void switchHandTurning();

// As the program starts: by vectors, no drag in progress, the camera not in
// hand.
void restartHandTurning();

// A drag by angles takes its angles from the camera's pose once, as it
// starts, and keeps them for its length, so that it goes on past the pole;
// this ends the one in progress. Anything else that turns the camera ends it
// too.
void startHandOrbit();

// Orbits the camera about the point the hand holds it by, ten units ahead
// unless a zoom moved the eye (Camera::examine, or AngleOrbit): a positive
// yaw swings the eye to its right, a positive pitch downward.
void orbitByHand(float yaw, float pitch);

// Dollies the eye along its direction toward (positive notches) or away from
// the point the hand orbits about, which stays where it is. Each notch
// multiplies or divides the distance by 1.25, which stays between 2 and 50
// units.
void zoomByHand(int notches);

// The hand orbits the point ten units ahead again, as the demonstrations do;
// the camera itself does not move.
void resetHandDistance();

// How many notches the zoom has moved the eye in from ten units (negative:
// out) since the distance was last ten.
int handZoomNotches();

// Turns the view in place (Camera::rotate): a positive yaw looks right, a
// positive pitch looks down.
void turnByHand(float yaw, float pitch);

// Puts the camera back in its start pose, level again, ten units from the
// point the hand orbits about.
void levelCamera();
