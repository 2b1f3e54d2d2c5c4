// GLUT's callbacks and main loop on the browser's animation frames: one idle
// call and at most one frame per animation frame, and no animation frame at
// all while there is neither an idle callback nor a redisplay to do.
#include "GlEntryPoints.h"
#include "Page.h"

#include <GL/glut.h>

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
    pageRequestFrame();
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
    pageIdleInstalled(callback != nullptr ? 1 : 0);
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
    pageFullScreen();
}
void glutReshapeWindow(int width, int height)
{
    pageReshapeWindow(width, height);
}
void glutMainLoop()
{
    pageStartLoop();
}

// ---- called by the page ----
// The page's events reach the program through GLUT's callbacks, under the
// prefix programLoop; the page's tests call the program's own functions
// directly (Exports.cpp).

void programLoopFrame()
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
void programLoopResize(int width, int height, double pixelRatio)
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
void programLoopDrawNow()
{
    redisplayPending = false;
    if (displayCallback != nullptr)
        displayCallback();
}

void programLoopKey(int key, int x, int y)
{
    if (keyboardCallback != nullptr)
        keyboardCallback(static_cast<unsigned char>(key), x, y);
}

void programLoopSpecialKey(int key, int x, int y)
{
    if (specialCallback != nullptr)
        specialCallback(key, x, y);
}

void programLoopMouse(int button, int state, int x, int y)
{
    if (mouseCallback != nullptr)
        mouseCallback(button, state, x, y);
}

void programLoopMotion(int x, int y)
{
    if (motionCallback != nullptr)
        motionCallback(x, y);
}

}  // extern "C"
