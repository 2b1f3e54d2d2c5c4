// Whole frames compared with the checked-in reference pictures. Mesa's
// software renderer is deterministic, so the comparison is exact. Each case
// is rendered by a fresh copy of this program (see PixelTestMain.cpp) so that
// it starts from the program's own initial state, not from what earlier
// tests left behind. scripts/regenerate-golden rewrites the references.

#include "GoldenCases.h"
#include "Png.h"

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

extern char** environ;

void PrintTo(const GoldenCase& goldenCase, std::ostream* out)
{
    *out << goldenCase.name << " (" << goldenCase.modeKeys << " mode keys, " << goldenCase.steps
         << " steps)";
}

namespace {

// Runs `pixel_tests --render-case NAME OUT`; true when it succeeded.
bool renderInFreshProcess(const std::string& name, const std::string& out)
{
    std::string self = "/proc/self/exe";
    std::string option = "--render-case";
    std::string caseName = name;
    std::string path = out;
    std::vector<char*> arguments = {self.data(), option.data(), caseName.data(), path.data(),
                                    nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, self.c_str(), nullptr, nullptr, arguments.data(), environ) != 0)
        return false;
    int status = 0;
    if (waitpid(child, &status, 0) != child)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int countDifferentPixels(const Image& a, const Image& b)
{
    int count = 0;
    for (std::size_t i = 0; i < a.rgb.size(); i += 3)
        if (a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2])
            ++count;
    return count;
}

class GoldenImage : public testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenImage, matchesTheReferencePixelForPixel)
{
    const GoldenCase& goldenCase = GetParam();
    std::filesystem::create_directories(RENDERED_DIR);
    const std::string rendered = std::string(RENDERED_DIR) + "/" + goldenCase.name + ".png";
    const std::string reference = std::string(GOLDEN_DIR) + "/" + goldenCase.name + ".png";
    ASSERT_TRUE(renderInFreshProcess(goldenCase.name, rendered));

    const Image expected = png::read(reference);
    const Image actual = png::read(rendered);
    ASSERT_EQ(actual.width, expected.width);
    ASSERT_EQ(actual.height, expected.height);
    const int different = countDifferentPixels(actual, expected);
    EXPECT_EQ(different, 0) << different << " of " << actual.width * actual.height
                            << " pixels differ from " << reference << "; the rendered frame is "
                            << rendered;
    if (different == 0)
        std::filesystem::remove(rendered);
}

std::string caseName(const testing::TestParamInfo<GoldenCase>& info)
{
    std::string name = info.param.name;
    for (char& c : name)
        if (c == '-')
            c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryCase, GoldenImage, testing::ValuesIn(goldenCases()), caseName);

}  // namespace
