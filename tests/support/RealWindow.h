#pragma once

// Drives the real program in a real window (under Xvfb where there is no
// display) without its main loop, so that tests decide exactly when an
// animation step runs and when a frame is drawn.

#include <cstdint>
#include <vector>

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // rows from the top, 3 bytes a pixel

    struct Pixel {
        int r, g, b;
    };
    // x from the left, y from the top, as in a screenshot.
    Pixel at(int x, int y) const;
};

namespace realwindow {

// Runs the program's start-up (window, OpenGL state, callbacks), then takes
// the idle callback away so that animation steps happen only through step().
// Waits until the window is mapped and has seen its first reshape.
void open();

// Handles pending window-system events (reshape, expose) without stepping.
void pumpEvents();

// Runs `count` animation steps, exactly as the main loop's idle calls would.
void step(int count);

// Draws one frame with the program's own display callback and reads back
// the window's pixels from the X server, as a screenshot would.
Image renderFrame();

// Resizes the real window and waits until the program has seen the reshape.
void resize(int width, int height);

// OpenGL's error flag, cleared by reading it.
unsigned glError();

}  // namespace realwindow
