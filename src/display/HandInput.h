#pragma once

// The mouse and the keys GLUT delivers apart from characters, turned into
// camera motion and overlay switches.
//
// Dragging with the left button orbits the camera about the point ahead of
// it, with the right button turns the view in place; pressing either holds
// the animation. The scene follows the hand: a drag to the right carries the
// scene to the right, a drag upward carries it up and on over the top.

// The turn a drag of (dx, dy) window pixels asks for (y grows downward, as
// GLUT reports it), for a window `windowWidth` pixels wide. A drag across one
// whole view, half the window's width, is half a turn whatever the window's
// size, at the same rate on both axes so that the turn keeps the drag's
// direction. One event turns at most a full turn about each axis.
struct HandTurn {
    float yaw;
    float pitch;
};
HandTurn dragTurn(double dx, double dy, int windowWidth);

// GLUT callbacks: a button pressed or released, the pointer moved with a
// button held, and a special key (arrows orbit, Home levels the camera, F1
// and F2 switch the overlays).
void mouse(int button, int state, int x, int y);
void motion(int x, int y);
void special(int key, int x, int y);
