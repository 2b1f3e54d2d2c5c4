#pragma once

#include <iterator>

// How fast the demonstrations run, for a learner who wants to watch them
// slowly or one step at a time. The states they pass through are the same at
// every pace; only how fast they pass changes. The pace only decides which
// idle call steps; the step itself is the demonstrations' own.

// A step on every idle call (full pace), or on every 2nd, 4th or 8th: no
// other divisor can be made.
class Pace {
public:
    static constexpr int divisors[] = {1, 2, 4, 8};
    static constexpr int count = static_cast<int>(std::size(divisors));

    constexpr Pace() = default;

    [[nodiscard]] constexpr int divisor() const { return divisors[index]; }

    // Full, 1/2, 1/4, 1/8, then full again.
    [[nodiscard]] constexpr Pace slower() const { return Pace((index + 1) % count); }

    constexpr bool operator==(Pace other) const { return index == other.index; }
    constexpr bool operator!=(Pace other) const { return index != other.index; }

private:
    constexpr explicit Pace(int index) : index(index) {}

    int index = 0;
};

// The pace the animation runs at.
extern Pace animationPace;

// The next pace (Pace::slower); the count of idle calls starts afresh.
void cyclePace();

// Full pace, its count of idle calls started afresh.
void resetPace();

// Counts an idle call of the running animation; true when it is the one
// that steps.
bool paceAllowsStep();

// The next step comes after exactly as many idle calls as the pace's divisor,
// as if the last one had just stepped: for an animation resumed or stepped.
void restartPaceCount();
