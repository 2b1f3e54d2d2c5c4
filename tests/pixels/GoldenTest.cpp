// Whole frames compared with the checked-in reference pictures. Mesa's
// software renderer is deterministic, so the comparison is exact. Each case
// is rendered by a fresh copy of this program (see PixelTestMain.cpp) so that
// it starts from the program's own initial state, not from what earlier
// tests left behind. scripts/regenerate-golden rewrites the references.

#include "GoldenCases.h"
#include "Png.h"
#include "ProgramWindow.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
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

// The renderer and version that drew the references, as
// scripts/regenerate-golden recorded them, and the ones drawing now.
std::string referenceRenderer()
{
    std::ifstream file(std::string(GOLDEN_DIR) + "/renderer.txt");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string currentRenderer()
{
    startFromInitialState();
    const auto text = [](GLenum name) {
        const GLubyte* value = glGetString(name);
        return value == nullptr ? std::string("unknown") : reinterpret_cast<const char*>(value);
    };
    return text(GL_RENDERER) + "\n" + text(GL_VERSION) + "\n";
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
    const std::string drewReferences = referenceRenderer();
    const std::string drawsNow = currentRenderer();
    if (different != 0 && drawsNow != drewReferences)
        GTEST_SKIP() << different << " pixels differ, but the references were drawn by\n"
                     << drewReferences << "and this run draws with\n"
                     << drawsNow << "and frames are exact only on the same renderer.";
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
