#pragma once

// The mouse and the keys GLUT delivers apart from characters, turned into
// camera motion and overlay switches.
//
// Dragging with the left button orbits the camera about the point ahead of
// it, with the right button turns the view in place; pressing either holds
// the animation. The scene follows the hand (see dragTurn). While both are
// held the one pressed last drags, and releasing it hands the drag back to
// the other. An arrow key orbits as a drag of ten pixels toward it would in
// the window's first size. The wheel and Page Up / Page Down zoom toward the
// point the hand orbits about, one notch a press, and hold the animation too.

// GLUT callbacks: a button pressed or released, the pointer moved with a
// button held, and a special key (arrows orbit, Page Up and Page Down zoom,
// Home levels the camera, F1 and F2 switch the overlays, F3 runs one step,
// F4 changes the pace, F8 switches the orbit between the camera's vectors and
// angles, F11 switches full screen).
void mouse(int button, int state, int x, int y);
void motion(int x, int y);
void special(int key, int x, int y);

// Lets go of any button held, as at the start: no drag is in progress.
void releaseHand();
