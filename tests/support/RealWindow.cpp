#include "RealWindow.h"

#include "animation/Demonstrations.h"
#include "display/Window.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <stdexcept>
#include <thread>

Image::Pixel Image::at(int x, int y) const
{
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

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

Image renderFrame()
{
    display();
    glFinish();
    // Read what the X server shows in the window, as a screenshot would.
    Display* x11 = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    XSync(x11, False);
    Image image;
    image.width = windowWidth;
    image.height = windowHeight;
    XImage* shot = XGetImage(x11, window, 0, 0, static_cast<unsigned>(image.width),
                             static_cast<unsigned>(image.height), AllPlanes, ZPixmap);
    if (shot == nullptr)
        throw std::runtime_error("cannot read the window's pixels");
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    std::size_t i = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const unsigned long pixel = XGetPixel(shot, x, y);
            image.rgb[i++] = static_cast<std::uint8_t>((pixel & shot->red_mask) >> 16);
            image.rgb[i++] = static_cast<std::uint8_t>((pixel & shot->green_mask) >> 8);
            image.rgb[i++] = static_cast<std::uint8_t>(pixel & shot->blue_mask);
        }
    XDestroyImage(shot);
    return image;
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
