// GLUT's callbacks and main loop on the browser's animation frames: one idle
// call and at most one frame per animation frame, and no animation frame at
// all while there is neither an idle callback nor a redisplay to do.
#include "Browser.h"
#include "GlEntryPoints.h"

#include <GL/glut.h>
#include <emscripten.h>

namespace {

void (*displayCallback)() = nullptr;
void (*idleCallback)() = nullptr;
void (*keyboardCallback)(unsigned char, int, int) = nullptr;
void (*specialCallback)(int, int, int) = nullptr;
void (*reshapeCallback)(int, int) = nullptr;
void (*mouseCallback)(int, int, int, int) = nullptr;
void (*motionCallback)(int, int) = nullptr;
bool redisplayPending = false;
bool frameRequested = false;
int reshapedWidth = -1, reshapedHeight = -1;  // none yet

void requestFrame()
{
    if (frameRequested)
        return;
    frameRequested = true;
    webglRequestFrame();
}

}  // namespace

extern "C" {

void glutDisplayFunc(void (*callback)())
{
    displayCallback = callback;
}
void glutIdleFunc(void (*callback)())
{
    idleCallback = callback;
    webglIdleInstalled(callback != nullptr ? 1 : 0);
    if (callback != nullptr)
        requestFrame();
}
void glutKeyboardFunc(void (*callback)(unsigned char, int, int))
{
    keyboardCallback = callback;
}
void glutSpecialFunc(void (*callback)(int, int, int))
{
    specialCallback = callback;
}
void glutReshapeFunc(void (*callback)(int, int))
{
    reshapeCallback = callback;
}
void glutMouseFunc(void (*callback)(int, int, int, int))
{
    mouseCallback = callback;
}
void glutMotionFunc(void (*callback)(int, int))
{
    motionCallback = callback;
}
void glutPostRedisplay()
{
    redisplayPending = true;
    requestFrame();
}
void glutFullScreen()
{
    webglFullScreen();
}
void glutReshapeWindow(int width, int height)
{
    webglReshapeWindow(width, height);
}
void glutMainLoop()
{
    webglStartLoop();
}

// ---- called by the page ----

EMSCRIPTEN_KEEPALIVE void webFrame()
{
    frameRequested = false;
    if (idleCallback != nullptr)
        idleCallback();
    if (redisplayPending && displayCallback != nullptr) {
        redisplayPending = false;
        displayCallback();
    }
    if (idleCallback != nullptr || redisplayPending)
        requestFrame();
}

// The canvas has a new size in CSS pixels or a new ratio of device pixels to
// them (also once at the start, as a window is first shown). A new size is
// a reshape, then a frame, as a window system would expose it; the ratio
// only the layer sees, and the page draws again at once.
EMSCRIPTEN_KEEPALIVE void webResize(int width, int height, double pixelRatio)
{
    weblayer::setWindow(width, height, pixelRatio);
    if (width == reshapedWidth && height == reshapedHeight)
        return;
    reshapedWidth = width;
    reshapedHeight = height;
    if (reshapeCallback != nullptr)
        reshapeCallback(width, height);
    glutPostRedisplay();
}

// Draws at once, outside the animation frames: the browser clears a canvas
// whose size changes and would show it cleared until the next frame, and a
// lost context that comes back has nothing drawn.
EMSCRIPTEN_KEEPALIVE void webDrawNow()
{
    redisplayPending = false;
    if (displayCallback != nullptr)
        displayCallback();
}

EMSCRIPTEN_KEEPALIVE void webKey(int key, int x, int y)
{
    if (keyboardCallback != nullptr)
        keyboardCallback(static_cast<unsigned char>(key), x, y);
}

EMSCRIPTEN_KEEPALIVE void webSpecialKey(int key, int x, int y)
{
    if (specialCallback != nullptr)
        specialCallback(key, x, y);
}

EMSCRIPTEN_KEEPALIVE void webMouse(int button, int state, int x, int y)
{
    if (mouseCallback != nullptr)
        mouseCallback(button, state, x, y);
}

EMSCRIPTEN_KEEPALIVE void webMotion(int x, int y)
{
    if (motionCallback != nullptr)
        motionCallback(x, y);
}

}  // extern "C"
