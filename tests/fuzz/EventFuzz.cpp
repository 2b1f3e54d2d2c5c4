// Feeds a long seeded random sequence of events to the program's own
// callbacks in a real window and checks the program's state after each one.
//
//   event_fuzz [seed [events]]
//
// A failure prints the seed, the index of the event and the events leading
// up to it; rerunning with the same seed replays the same sequence.

#include "FuzzRandom.h"
#include "PoseChecks.h"
#include "RealWindow.h"
#include "animation/Demonstrations.h"
#include "animation/Keyboard.h"
#include "animation/Pace.h"
#include "animation/Trail.h"
#include "camera/Camera.h"
#include "display/HandInput.h"
#include "display/Window.h"

#include <GL/glut.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr std::uint64_t defaultSeed = 20240611;
constexpr std::uint64_t defaultEventCount = 1000000;

enum class Kind { idleStep, key, reshape, frame, mouse, motion, special };
constexpr int kindCount = 7;

struct Event {
    Kind kind = Kind::idleStep;
    int a = 0;  // key, button, or width
    int b = 0;  // mouse x, button state, or height
    int c = 0;  // mouse y
    int d = 0;  // mouse y of a button event
};

std::string describe(const Event& event)
{
    std::ostringstream out;
    switch (event.kind) {
    case Kind::idleStep: out << "idle()"; break;
    case Kind::key:
        out << "keyboard(" << event.a << ", " << event.b << ", " << event.c << ")";
        break;
    case Kind::reshape: out << "reshape(" << event.a << ", " << event.b << ")"; break;
    case Kind::frame: out << "display()"; break;
    case Kind::mouse:
        out << "mouse(" << event.a << ", " << event.b << ", " << event.c << ", " << event.d << ")";
        break;
    case Kind::motion: out << "motion(" << event.b << ", " << event.c << ")"; break;
    case Kind::special:
        out << "special(" << event.a << ", " << event.b << ", " << event.c << ")";
        break;
    }
    return out.str();
}

// How often each kind of event comes, per thousand. A run moves through
// phases with different mixes, so that it holds long undisturbed animation
// runs as well as storms of keys, of drags and of resizes. Frames cost far
// more than the rest with a software renderer and keep the same small share.
// The hand's share is split between buttons, motion and special keys.
struct Mix {
    int idleSteps, keys, hand, reshapes, frames;
};
constexpr Mix mixes[] = {
    {940, 10, 10, 32, 8},   // mostly animation
    {750, 100, 50, 92, 8},  // a bit of everything
    {600, 300, 0, 92, 8},   // key storm
    {500, 50, 0, 442, 8},   // resize storm
    {400, 50, 500, 42, 8},  // drags, arrows and overlays
};

// Sizes at and around the edges of what the frame handles: nothing at all,
// too small for a view, the smallest views, odd widths, the largest sizes.
constexpr int edgeSizes[] = {0, 1, 2, 4, 5, 6, 9, 10, 11, 19, 20, 21, 400, 800, 801, 3999, 4000};
constexpr int maxSize = 4000;

// Any int may come as a mouse position, inside the window or far outside.
constexpr int edgePositions[] = {-2147483647 - 1, -1, 0, 1, 2147483647};

// GLUT's buttons, the wheel's, and nonsense; its button states and nonsense.
constexpr int buttons[] = {GLUT_LEFT_BUTTON, GLUT_MIDDLE_BUTTON, GLUT_RIGHT_BUTTON, 3, 4, -1, 7};
constexpr int buttonStates[] = {GLUT_DOWN, GLUT_UP, GLUT_DOWN, GLUT_UP, 2, -1};

constexpr unsigned char escapeKey = 27;
constexpr unsigned char spaceKey = 32;

class EventSource {
public:
    explicit EventSource(std::uint64_t seed) : random(seed) {}

    Event next()
    {
        if (phaseLeft == 0) {
            mix = random.pick(mixes);
            phaseLeft = random.between(1000, 20000);
        }
        --phaseLeft;

        const int roll = static_cast<int>(random.below(1000));
        Event event;
        if (roll < mix.idleSteps) {
            event.kind = Kind::idleStep;
        } else if (roll < mix.idleSteps + mix.keys) {
            event.kind = Kind::key;
            event.a = nextKey();
            event.b = nextPosition();
            event.c = nextPosition();
        } else if (roll < mix.idleSteps + mix.keys + mix.hand) {
            event = nextHandEvent();
        } else if (roll < mix.idleSteps + mix.keys + mix.hand + mix.reshapes) {
            event.kind = Kind::reshape;
            event.a = nextSize();
            event.b = nextSize();
        } else {
            event.kind = Kind::frame;
        }
        return event;
    }

private:
    // Every key but Escape, which would end the process; space comes more
    // often than its share so that pausing mixes with everything else.
    int nextKey()
    {
        if (random.oneIn(16))
            return spaceKey;
        const int key = static_cast<int>(random.below(255));
        return key < escapeKey ? key : key + 1;
    }

    // Motion comes most, as it does from a real hand; special keys are GLUT's
    // codes (1 to 12 the function keys, among them F3's step, F4's pace, F8's
    // switch to angles and F11's full screen; 100 to 108 arrows, pages, Home, End, Insert) or any
    // int.
    Event nextHandEvent()
    {
        Event event;
        event.b = nextPosition();
        event.c = nextPosition();
        const auto roll = random.below(10);
        if (roll < 2) {
            event.kind = Kind::mouse;
            event.a = random.pick(buttons);
            event.d = event.c;
            event.c = event.b;
            event.b = random.pick(buttonStates);
        } else if (roll < 9) {
            event.kind = Kind::motion;
        } else {
            event.kind = Kind::special;
            // F8 often: long drags by angles, and switches in drags.
            event.a = random.oneIn(8)   ? static_cast<int>(random.between(-5000, 5000))
                      : random.oneIn(5) ? GLUT_KEY_F8
                      : random.oneIn(2) ? static_cast<int>(random.between(1, 12))
                                        : static_cast<int>(random.between(100, 108));
        }
        return event;
    }

    int nextSize()
    {
        if (random.below(5) < 2)
            return random.pick(edgeSizes);
        return static_cast<int>(random.between(0, maxSize));
    }

    int nextPosition()
    {
        if (random.oneIn(4))
            return random.pick(edgePositions);
        return static_cast<int>(random.between(-5000, 5000));
    }

    FuzzRandom random;
    Mix mix{};
    std::int64_t phaseLeft = 0;
};

void deliver(const Event& event)
{
    switch (event.kind) {
    case Kind::idleStep: idle(); break;
    case Kind::key: keyboard(static_cast<unsigned char>(event.a), event.b, event.c); break;
    case Kind::reshape: reshape(event.a, event.b); break;
    case Kind::frame: display(); break;
    case Kind::mouse: mouse(event.a, event.b, event.c, event.d); break;
    case Kind::motion: motion(event.b, event.c); break;
    case Kind::special: special(event.a, event.b, event.c); break;
    }
}

// Empty when the program's state is sound after an event.
std::string stateFault()
{
    const unsigned error = realwindow::glError();
    if (error != GL_NO_ERROR) {
        std::ostringstream out;
        out << "OpenGL error 0x" << std::hex << error;
        return out.str();
    }
    std::string fault = posecheck::poseFault(camera);
    if (!fault.empty())
        return fault;
    if (trailHead < 0 || trailHead >= trailLength)
        return "trailHead is " + std::to_string(trailHead);
    if (!std::isfinite(orbitAngle))
        return "orbitAngle is " + std::to_string(orbitAngle);
    if (modeCounter < 0 || modeCounter > 4)
        return "modeCounter is " + std::to_string(modeCounter);
    if (const int divisor = animationPace.divisor();
        divisor != 1 && divisor != 2 && divisor != 4 && divisor != 8)
        return "the pace divisor is " + std::to_string(animationPace.divisor());
    return {};
}

// The last few events, to print with a failure.
class History {
public:
    void add(const Event& event) { events[count++ % size] = event; }

    void print(std::ostream& out, std::uint64_t lastIndex) const
    {
        const std::uint64_t shown = count < size ? count : size;
        for (std::uint64_t i = shown; i > 0; --i)
            out << "  event " << lastIndex + 1 - i << ": " << describe(events[(count - i) % size])
                << '\n';
    }

private:
    static constexpr std::uint64_t size = 12;
    Event events[size];
    std::uint64_t count = 0;
};

std::uint64_t parseCount(const char* text, const char* what)
{
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 0);
    if (end == text || *end != '\0') {
        std::cerr << "event_fuzz: " << what << " must be a whole number, not \"" << text << "\"\n"
                  << "usage: event_fuzz [seed [events]]\n";
        std::exit(2);
    }
    return value;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::uint64_t seed = argc > 1 ? parseCount(argv[1], "the seed") : defaultSeed;
    const std::uint64_t eventCount =
        argc > 2 ? parseCount(argv[2], "the event count") : defaultEventCount;

    realwindow::open();
    const std::string startFault = stateFault();
    if (!startFault.empty()) {
        std::cerr << "event_fuzz: unsound state after start-up: " << startFault << '\n';
        return 1;
    }

    const auto start = std::chrono::steady_clock::now();
    EventSource source(seed);
    History history;
    std::uint64_t perKind[kindCount] = {};
    for (std::uint64_t index = 0; index < eventCount; ++index) {
        const Event event = source.next();
        history.add(event);
        deliver(event);
        ++perKind[static_cast<int>(event.kind)];
        const std::string fault = stateFault();
        if (!fault.empty()) {
            std::cerr << "event_fuzz: seed " << seed << ", event " << index << " "
                      << describe(event) << ": " << fault << "\nthe events up to it:\n";
            history.print(std::cerr, index);
            return 1;
        }
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

    auto count = [&perKind](Kind kind) {
        return static_cast<unsigned long long>(perKind[static_cast<int>(kind)]);
    };
    std::printf("event_fuzz: seed %llu, %llu events passed in %.1f s: %llu idle steps, %llu keys, "
                "%llu reshapes, %llu frames, %llu buttons, %llu motions, %llu special keys\n",
                static_cast<unsigned long long>(seed), static_cast<unsigned long long>(eventCount),
                elapsed.count(), count(Kind::idleStep), count(Kind::key), count(Kind::reshape),
                count(Kind::frame), count(Kind::mouse), count(Kind::motion), count(Kind::special));
    return 0;
}
