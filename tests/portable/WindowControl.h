#pragma once

// Runs the real program in a real window with the real GLUT, without its main
// loop, so that tests decide exactly when an animation step runs and when a
// frame is drawn. Needs nothing but GLUT (freeglut), so it builds wherever
// the program does.

namespace realwindow {

// Runs the program's start-up (window, OpenGL state, callbacks), then takes
// the idle callback away so that animation steps happen only through step().
// Waits until the window is mapped and has seen its first reshape.
void open();

// Handles pending window-system events (reshape, expose) without stepping.
void pumpEvents();

// Runs `count` animation steps, exactly as the main loop's idle calls would.
void step(int count);

// Resizes the real window and waits until the program has seen the reshape.
void resize(int width, int height);

// OpenGL's error flag, cleared by reading it.
unsigned glError();

}  // namespace realwindow
