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
#include <ctime>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void bareFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

struct Timing {
    double wall = 0.0;  // seconds
    double cpu = 0.0;   // seconds of the whole process, rasteriser threads included
};

// Times `frames` frames; glFinish makes the clocks wait until the work queued
// for them is done. The processor time tells the cost apart from waiting for
// a core when the machine is busy.
Timing timeFrames(void (*frame)(), int frames)
{
    const Clock::time_point start = Clock::now();
    const std::clock_t cpuStart = std::clock();
    for (int i = 0; i < frames; ++i)
        frame();
    glFinish();
    Timing timing;
    timing.cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    timing.wall = std::chrono::duration<double>(Clock::now() - start).count();
    return timing;
}

// Out of line and named apart, so that a profiler can single out the timed
// program frames (bench/frame-profile starts counting at the last call).
[[gnu::noinline]] Timing timeProgramFrames(int frames)
{
    return timeFrames(display, frames);
}

[[gnu::noinline]] Timing timeBareFrames(int frames)
{
    return timeFrames(bareFrame, frames);
}

// The round with the median wall time.
Timing median(std::vector<Timing> rounds)
{
    std::sort(rounds.begin(), rounds.end(),
              [](const Timing& a, const Timing& b) { return a.wall < b.wall; });
    return rounds[rounds.size() / 2];
}

void report(const char* name, const Timing& timing, int frames)
{
    std::printf("%-24s %9.1f frames/s  %7.3f ms/frame  %7.3f ms CPU/frame\n", name,
                frames / timing.wall, 1000.0 * timing.wall / frames, 1000.0 * timing.cpu / frames);
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

    std::vector<Timing> programRounds;
    std::vector<Timing> bareRounds;
    for (int round = 0; round < rounds; ++round) {
        programRounds.push_back(timeProgramFrames(frames));
        bareRounds.push_back(timeBareFrames(frames));
    }

    const Timing program = median(programRounds);
    const Timing bare = median(bareRounds);
    std::printf("window %d x %d, %d frames x %d rounds (median round)\n", windowWidth, windowHeight,
                frames, rounds);
    report("program frame (display)", program, frames);
    report("bare frame (clear+swap)", bare, frames);
    std::printf("program / bare frame rate: %.3f; CPU per frame, bare / program: %.3f\n",
                bare.wall / program.wall, bare.cpu / program.cpu);
    return 0;
}
