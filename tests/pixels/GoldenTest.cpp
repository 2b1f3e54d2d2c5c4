// Whole frames compared with the checked-in reference pictures. Mesa's
// software renderer is deterministic, so the comparison is exact. Each case
// is rendered by a fresh copy of this program (see PixelTestMain.cpp) so that
// it starts from the program's own initial state, not from what earlier
// tests left behind. scripts/regenerate-golden rewrites the references.

#include "GoldenCases.h"
#include "Png.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

void PrintTo(const GoldenCase& goldenCase, std::ostream* out)
{
    *out << goldenCase.name << " (" << goldenCase.modeKeys << " mode keys, " << goldenCase.steps
         << " steps)";
}

namespace {

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
    const Image expected = png::read(reference);
    const Image actual = renderInFreshProcess(goldenCase.name, rendered);
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
