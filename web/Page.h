#pragma once

// What the layer asks of the page: the functions of the page's scripts of
// the layer (browser.js: the WebGL context, the animation-frame loop and
// what the page shows of the loop; window-size.js: the window's size and
// full screen; input.js, which GLUT's main loop starts listening). What the
// page calls in the program goes the other way, under the prefix `program`
// (GlutLoop.cpp, Exports.cpp).
extern "C" {
void pageInit(int width, int height);
void pageSetTitle(const char* title);
void pageViewport(int x, int y, int width, int height);
void pageClear(float r, float g, float b, float a, int color, int depth);
void pageEnableDepthTest();
// Triangles of 8 floats per vertex: clip x, y, z, w, then r, g, b, a.
void pageDraw(const float* vertices, int count);
void pageRequestFrame();
// Whether the program has an idle callback installed: running, or paused.
void pageIdleInstalled(int installed);
// The window's frame fills the screen; a size for it ends that first.
void pageFullScreen();
void pageReshapeWindow(int width, int height);
// Starts listening to the page and never returns to its caller.
void pageStartLoop();
}
