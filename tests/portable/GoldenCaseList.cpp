#include "GoldenCaseList.h"

const std::vector<GoldenCase>& goldenCases()
{
    // 300 steps are three eighths of a turn: long enough for each trail to
    // show the shape of its path.
    static const std::vector<GoldenCase> cases = {
        {"first-frame", 0, 0}, {"mode-0", 0, 300}, {"mode-1", 1, 300},
        {"mode-2", 2, 300},    {"mode-3", 3, 300}, {"mode-4", 4, 300},
    };
    return cases;
}
