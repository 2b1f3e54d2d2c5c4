// Frames per second of the program's own frame in the real 800 x 400 window,
// against the floor: a bare frame that only clears and swaps the same window.
//
//   frame_bench [frames [rounds]]
//
// Each round times `frames` program frames, then `frames` bare ones; the
// median round of each is printed. The trail is full and the caption set, as
// after the first turn of the circle.

#include "RealWindow.h"
#include "display/Window.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void bareFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

// Seconds for `frames` frames; glFinish makes the clock wait until the work
// queued for them is done.
double timeFrames(void (*frame)(), int frames)
{
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < frames; ++i)
        frame();
    glFinish();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Out of line and named apart, so that a profiler can single out the timed
// program frames (bench/frame-profile starts counting at the last call).
[[gnu::noinline]] double timeProgramFrames(int frames)
{
    return timeFrames(display, frames);
}

[[gnu::noinline]] double timeBareFrames(int frames)
{
    return timeFrames(bareFrame, frames);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int positiveArgument(int argc, char** argv, int index, int fallback)
{
    if (argc <= index)
        return fallback;
    const int value = std::atoi(argv[index]);
    if (value <= 0) {
        std::fprintf(stderr, "usage: %s [frames [rounds]], both positive\n", argv[0]);
        std::exit(2);
    }
    return value;
}

}  // namespace

int main(int argc, char** argv)
{
    const int frames = positiveArgument(argc, argv, 1, 500);
    const int rounds = positiveArgument(argc, argv, 2, 3);

    realwindow::open();
    realwindow::step(800);
    realwindow::pumpEvents();

    // Warm-up: the first frames compile the driver's state and fill caches.
    timeProgramFrames(5);
    timeBareFrames(5);

    std::vector<double> programTimes;
    std::vector<double> bareTimes;
    for (int round = 0; round < rounds; ++round) {
        programTimes.push_back(timeProgramFrames(frames));
        bareTimes.push_back(timeBareFrames(frames));
    }

    const double programFps = frames / median(programTimes);
    const double bareFps = frames / median(bareTimes);
    std::printf("window %d x %d, %d frames x %d rounds (median round)\n", windowWidth, windowHeight,
                frames, rounds);
    std::printf("program frame (display): %10.1f frames/s  %8.3f ms/frame\n", programFps,
                1000.0 / programFps);
    std::printf("bare frame (clear+swap): %10.1f frames/s  %8.3f ms/frame\n", bareFps,
                1000.0 / bareFps);
    std::printf("ratio program / bare:    %10.3f (of the bare frame rate)\n", programFps / bareFps);
    return 0;
}
