#include "ProgramWindow.h"
#include "ProgramState.h"

#include "animation/Demonstrations.h"
#include "animation/Keyboard.h"
#include "animation/Trail.h"
#include "camera/Camera.h"
#include "display/Window.h"

#include <glm/gtc/matrix_transform.hpp>

#include <GL/freeglut.h>

#include <cmath>

namespace {
bool windowOpen = false;
}

void startFromInitialState()
{
    if (!windowOpen) {
        realwindow::open();
        windowOpen = true;
    }
    resetProgramState();
    // A test may have handed the program a size of its own (say 0 x 0)
    // without the real window changing: tell it the real size again first.
    reshape(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    if (windowWidth != 800 || windowHeight != 400)
        realwindow::resize(800, 400);
}

void pressModeKey(int count)
{
    for (int i = 0; i < count; ++i)
        keyboard('m', 0, 0);
}

glm::dvec2 projectToView(glm::dvec3 point, glm::dvec3 eye, glm::dvec4 viewport, double aspect,
                         int windowHeight)
{
    const glm::dmat4 view = glm::lookAt(eye, glm::dvec3(0.0), glm::dvec3(0.0, 1.0, 0.0));
    const glm::dmat4 projection = glm::perspective(glm::radians(45.0), aspect, 1.0, 100.0);
    const glm::dvec3 window = glm::project(point, view, projection, viewport);
    // OpenGL counts rows from the bottom, a screenshot from the top.
    return {window.x, windowHeight - window.y};
}

glm::dvec2 projectToRightView(glm::dvec3 point)
{
    return projectToView(point, glm::dvec3(20.0), glm::dvec4(405, 5, 390, 395), 1.0, 400);
}

PixelPosition pixelAt(glm::dvec2 position)
{
    return {static_cast<int>(std::floor(position.x)), static_cast<int>(std::floor(position.y))};
}

Image::Pixel colourAt(const Image& image, glm::dvec2 position)
{
    const PixelPosition pixel = pixelAt(position);
    return image.at(pixel.x, pixel.y);
}

bool isClearColour(Image::Pixel pixel)
{
    return pixel.r == 51 && pixel.g == 51 && pixel.b == 178;
}

bool isBlack(Image::Pixel pixel)
{
    return pixel.r == 0 && pixel.g == 0 && pixel.b == 0;
}

bool isLitWhite(Image::Pixel pixel)
{
    return pixel.r == pixel.g && pixel.g == pixel.b && pixel.r >= 127;
}

bool isGreen(Image::Pixel pixel)
{
    return pixel.r == 0 && pixel.b == 0 && pixel.g > 0;
}

bool isBlue(Image::Pixel pixel)
{
    return pixel.r == 0 && pixel.g == 0 && pixel.b > 0;
}

bool isRed(Image::Pixel pixel)
{
    return pixel.g == 0 && pixel.b == 0 && pixel.r > 0;
}
