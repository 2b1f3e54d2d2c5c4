#pragma once

// What the page's script (browser.js) provides: a WebGL context on the
// canvas, the animation-frame loop, and what the page shows of the loop.
extern "C" {
void webglInit(int width, int height);
void webglSetTitle(const char* title);
void webglViewport(int x, int y, int width, int height);
void webglClear(float r, float g, float b, float a, int color, int depth);
void webglEnableDepthTest();
// Triangles of 8 floats per vertex: clip x, y, z, w, then r, g, b, a.
void webglDraw(const float* vertices, int count);
void webglRequestFrame();
// Whether the program has an idle callback installed: running, or paused.
void webglIdleInstalled(int installed);
// The window's frame fills the screen; a size for it ends that first.
void webglFullScreen();
void webglReshapeWindow(int width, int height);
// Starts listening to the page and never returns to its caller.
void webglStartLoop();
}
