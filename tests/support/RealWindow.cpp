#include "RealWindow.h"

#include "display/Window.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdexcept>

Image::Pixel Image::at(int x, int y) const
{
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

namespace realwindow {

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

}  // namespace realwindow
