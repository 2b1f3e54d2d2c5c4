#pragma once

// What the overview can show besides the scene, switched by F1 and F2; both
// are hidden at start.
extern bool showControls;
extern bool showCameraFrame;

// One line near the bottom of the overview listing the controls.
void drawControls();

// The camera's direction, up and right vectors as short arrows at its
// marker, and above the controls line the figures that show how well the
// turns keep the frame: how far direction and up are from unit length, the
// angle between them, and the eye's distance from the origin, the point the
// demonstrations orbit.
void drawCameraFrame();
