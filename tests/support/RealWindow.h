#pragma once

// Drives the real program in a real window (under Xvfb where there is no
// display) without its main loop, so that tests decide exactly when an
// animation step runs and when a frame is drawn (see WindowControl.h), and
// reads its frames back from the X server.

#include "WindowControl.h"

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

// Draws one frame with the program's own display callback and reads back
// the window's pixels from the X server, as a screenshot would.
Image renderFrame();

}  // namespace realwindow
