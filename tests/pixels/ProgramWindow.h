#pragma once

#include "RealWindow.h"

#include <glm/glm.hpp>

// The program's one real window, shared by the tests of this process. Each
// test starts from the state the program has before its first idle call, at
// the window's initial size.
void startFromInitialState();

// Presses a key that moves on to the next demonstration, `count` times,
// through the program's own keyboard callback.
void pressModeKey(int count);

// Where a world point lands in a screenshot of an 800 x 400 window's right
// view (x from the left, y from the top, in pixels, not rounded), computed
// independently of the program.
glm::dvec2 projectToRightView(glm::dvec3 point);

// Same for any view looking from `eye` at the origin with +Y up, for a
// viewport given as OpenGL takes it (lower left corner, width, height) in a
// window `windowHeight` pixels high, with the projection's `aspect`.
glm::dvec2 projectToView(glm::dvec3 point, glm::dvec3 eye, glm::dvec4 viewport, double aspect,
                         int windowHeight);

// The pixel that contains a screenshot position.
struct PixelPosition {
    int x, y;
};
PixelPosition pixelAt(glm::dvec2 position);
Image::Pixel colourAt(const Image& image, glm::dvec2 position);

// Colour tests for the flat, unblended colours the program draws.
bool isClearColour(Image::Pixel pixel);
bool isBlack(Image::Pixel pixel);
bool isLitWhite(Image::Pixel pixel);  // grey, at least the ambient half
bool isGreen(Image::Pixel pixel);
bool isBlue(Image::Pixel pixel);
bool isRed(Image::Pixel pixel);

// Counts the pixels of a square neighbourhood (radius in pixels) that pass.
template <typename Test>
int countNear(const Image& image, PixelPosition centre, int radius, Test test)
{
    int count = 0;
    for (int y = centre.y - radius; y <= centre.y + radius; ++y)
        for (int x = centre.x - radius; x <= centre.x + radius; ++x)
            if (x >= 0 && y >= 0 && x < image.width && y < image.height && test(image.at(x, y)))
                ++count;
    return count;
}
