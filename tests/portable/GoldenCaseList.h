#pragma once

#include <string>
#include <vector>

// The pictures kept as references in tests/golden/: each starts from the
// program's initial state in a process of its own, presses a mode key
// `modeKeys` times and runs `steps` animation steps before its one frame is
// drawn.
struct GoldenCase {
    std::string name;
    int modeKeys;
    int steps;
};

const std::vector<GoldenCase>& goldenCases();
