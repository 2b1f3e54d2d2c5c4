#pragma once

// The window's size when it opens.
constexpr int firstWindowWidth = 800;
constexpr int firstWindowHeight = 400;

// The window's size as the last reshape reported it.
extern int windowWidth;
extern int windowHeight;

// Initialises GLUT, opens the window, sets the OpenGL state the drawing
// relies on and installs the callbacks. The caller then runs the main loop.
void startUp(int* argc, char** argv);

// Brings the program back to the state it starts in (the window keeps its
// size): the first demonstration about to run, the camera at its start, the
// trail and the camera's history empty, full pace, no overlay, no zoom and no
// drag in progress.
void restartProgram();

// Fills the screen with the window, or gives the window back the size it had
// before.
void toggleFullScreen();

// GLUT callbacks: one split-screen frame, and a change of window size.
void display();
void reshape(int width, int height);
