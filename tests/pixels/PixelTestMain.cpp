// The pixel tests, and the renderer of the reference pictures: the golden
// test runs each case in a fresh copy of this program, so that every case
// starts from the program's own initial state.

#include "GoldenCases.h"
#include "Png.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

int usage()
{
    std::cerr << "usage: pixel_tests [gtest options]\n"
                 "       pixel_tests --list-cases\n"
                 "       pixel_tests --render-case NAME OUT.png\n"
                 "       pixel_tests --render-frames MODE_KEYS STEPS_BETWEEN COUNT DIR\n";
    return 2;
}

int renderCase(const std::string& name, const std::string& out)
{
    for (const GoldenCase& goldenCase : goldenCases())
        if (goldenCase.name == name) {
            png::write(renderGoldenCase(goldenCase), out);
            return 0;
        }
    std::cerr << "no such case: " << name << '\n';
    return 2;
}

int run(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "--list-cases") {
        for (const GoldenCase& goldenCase : goldenCases())
            std::cout << goldenCase.name << '\n';
        return 0;
    }
    if (command == "--render-case")
        return argc == 4 ? renderCase(argv[2], argv[3]) : usage();
    if (command == "--render-frames") {
        if (argc != 6)
            return usage();
        renderFrames(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), argv[5]);
        return 0;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

}  // namespace

int main(int argc, char** argv)
{
    return run(argc, argv);
}
