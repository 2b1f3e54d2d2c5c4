#include "WindowControl.h"

#include "animation/Demonstrations.h"
#include "display/Window.h"
#include "opengl/GlHeaders.h"

#include <GL/freeglut_ext.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace realwindow {

namespace {
int lastReshapeWidth = -1;
int lastReshapeHeight = -1;

void recordingReshape(int width, int height)
{
    lastReshapeWidth = width;
    lastReshapeHeight = height;
    reshape(width, height);
}

void waitForReshape(int width, int height)
{
    // The X server answers in its own time, and a loaded machine can be slow.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        glutMainLoopEvent();
        if (lastReshapeWidth == width && lastReshapeHeight == height)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    throw std::runtime_error("the window never reported its size");
}
}  // namespace

void open()
{
    static char name[] = "camera-demo";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    startUp(&argc, argv);
    glutIdleFunc(nullptr);
    // The program's own reshape still does all the work; the wrapper only
    // notes that it ran.
    glutReshapeFunc(recordingReshape);
    waitForReshape(800, 400);
}

void pumpEvents()
{
    for (int i = 0; i < 10; ++i)
        glutMainLoopEvent();
}

void step(int count)
{
    for (int i = 0; i < count; ++i)
        idle();
}

void resize(int width, int height)
{
    glutReshapeWindow(width, height);
    waitForReshape(width, height);
}

unsigned glError()
{
    return glGetError();
}

}  // namespace realwindow
