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
#include "animation/Trail.h"
#include "camera/Camera.h"
#include "display/Window.h"

#include <GL/gl.h>

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

enum class Kind { idleStep, key, reshape, frame };

struct Event {
    Kind kind = Kind::idleStep;
    int a = 0;  // key, or width
    int b = 0;  // mouse x, or height
    int c = 0;  // mouse y
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
    }
    return out.str();
}

// How often each kind of event comes, per thousand. A run moves through
// phases with different mixes, so that it holds long undisturbed animation
// runs as well as storms of keys and of resizes. Frames cost far more than
// the rest with a software renderer and keep the same small share throughout.
struct Mix {
    int idleSteps, keys, reshapes, frames;
};
constexpr Mix mixes[] = {
    {950, 10, 32, 8},   // mostly animation
    {800, 100, 92, 8},  // a bit of everything
    {600, 300, 92, 8},  // key storm
    {500, 50, 442, 8},  // resize storm
};

// Sizes at and around the edges of what the frame handles: nothing at all,
// too small for a view, the smallest views, odd widths, the largest sizes.
constexpr int edgeSizes[] = {0, 1, 2, 4, 5, 6, 9, 10, 11, 19, 20, 21, 400, 800, 801, 3999, 4000};
constexpr int maxSize = 4000;

// Mouse positions are ignored by the program; any int may come.
constexpr int edgePositions[] = {-2147483647 - 1, -1, 0, 1, 2147483647};

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
        } else if (roll < mix.idleSteps + mix.keys + mix.reshapes) {
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
    std::uint64_t perKind[4] = {};
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

    std::printf("event_fuzz: seed %llu, %llu events passed in %.1f s: %llu idle steps, %llu keys, "
                "%llu reshapes, %llu frames\n",
                static_cast<unsigned long long>(seed), static_cast<unsigned long long>(eventCount),
                elapsed.count(), static_cast<unsigned long long>(perKind[0]),
                static_cast<unsigned long long>(perKind[1]),
                static_cast<unsigned long long>(perKind[2]),
                static_cast<unsigned long long>(perKind[3]));
    return 0;
}
