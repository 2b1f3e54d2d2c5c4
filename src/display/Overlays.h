#pragma once

// What the overview can show besides the scene, switched by F1 and F2; both
// are hidden at start.
extern bool showControls;
extern bool showCameraFrame;

// Hides both, as at the start.
void hideOverlays();

// Both draw in the overview, whose size in pixels they are given; their text
// keeps its place from the view's lower left corner at every window size, and
// a view narrower than a line cuts it at the window's edge.

// Two lines at the bottom of the overview naming the controls and the pace.
void drawControls(int viewWidth, int viewHeight);

// The camera's direction, up and right vectors as short arrows at its
// marker, and above the controls lines the figures that show how well the
// turns keep the frame: how far direction and up are from unit length, the
// angle between them, the eye's distance from the origin, the point the
// demonstrations orbit, and how far the picture turned about its centre with
// the last step, or since it if a hand turned the camera (FrameHistory.h).
void drawCameraFrame(int viewWidth, int viewHeight);
