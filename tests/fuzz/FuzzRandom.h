#pragma once

#include <cstdint>
#include <limits>
#include <random>

// A seeded source of random choices whose sequence depends on nothing but
// the seed: the engine's output is fixed by the language, and the ranges are
// drawn here rather than with the library's distributions, whose algorithms
// differ between implementations.
class FuzzRandom {
public:
    explicit FuzzRandom(std::uint64_t seed) : engine(seed) {}

    // Uniform in [0, bound), bound > 0; rejection keeps it unbiased.
    std::uint64_t below(std::uint64_t bound)
    {
        constexpr std::uint64_t top = std::numeric_limits<std::uint64_t>::max();
        const std::uint64_t excess = (top % bound + 1) % bound;
        std::uint64_t value = engine();
        while (value > top - excess)
            value = engine();
        return value % bound;
    }

    // Uniform in [low, high].
    std::int64_t between(std::int64_t low, std::int64_t high)
    {
        return low + static_cast<std::int64_t>(below(static_cast<std::uint64_t>(high - low) + 1));
    }

    bool oneIn(std::uint64_t n) { return below(n) == 0; }

    template <typename T, std::size_t n> const T& pick(const T (&choices)[n])
    {
        return choices[below(n)];
    }

private:
    std::mt19937_64 engine;
};
