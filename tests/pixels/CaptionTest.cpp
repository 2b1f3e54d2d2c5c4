// The caption line in the overview. Its pixels are found as those that
// change when only the caption is taken away from the same frame.

#include "GoldenCases.h"
#include "ProgramWindow.h"

#include "animation/Demonstrations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

struct Extent {
    int count = 0;
    int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
    bool allGrey = true;
};

Extent captionExtent()
{
    const Image withCaption = realwindow::renderFrame();
    const char* const shown = caption;
    caption = "";
    const Image without = realwindow::renderFrame();
    caption = shown;

    Extent extent;
    for (int y = 0; y < withCaption.height; ++y)
        for (int x = 0; x < withCaption.width; ++x) {
            const Image::Pixel pixel = withCaption.at(x, y);
            const Image::Pixel before = without.at(x, y);
            if (pixel.r == before.r && pixel.g == before.g && pixel.b == before.b)
                continue;
            ++extent.count;
            extent.left = std::min(extent.left, x);
            extent.right = std::max(extent.right, x);
            extent.top = std::min(extent.top, y);
            extent.bottom = std::max(extent.bottom, y);
            // Lit with a zero normal, white gets only the ambient half.
            const bool grey =
                pixel.r == pixel.g && pixel.g == pixel.b && (pixel.r == 127 || pixel.r == 128);
            extent.allGrey = extent.allGrey && grey;
        }
    return extent;
}

// The raster position (-20, 9, 0) as the overview projects it.
const glm::dvec2 captionStart = projectToRightView({-20.0, 9.0, 0.0});

class Caption : public testing::Test {
protected:
    void SetUp() override { startFromInitialState(); }
};

TEST_F(Caption, isGreyAndStartsNearTheTopLeftCornerOfTheOverview)
{
    realwindow::step(1);
    ASSERT_STREQ(caption, "A circle in XZ");
    const Extent extent = captionExtent();
    ASSERT_GT(extent.count, 0);
    EXPECT_TRUE(extent.allGrey);

    EXPECT_NEAR(captionStart.x - 405.0, 33.0, 1.0);
    EXPECT_NEAR(captionStart.y, 17.0, 1.0);
    // The first glyph's ink begins within its 8-pixel cell; capitals sit on
    // the baseline, which is the raster position's row.
    EXPECT_GE(extent.left, pixelAt(captionStart).x);
    EXPECT_LE(extent.left, pixelAt(captionStart).x + 2);
    EXPECT_EQ(extent.bottom, pixelAt(captionStart).y);
    EXPECT_GE(extent.top, pixelAt(captionStart).y - 13);
}

TEST_F(Caption, isEightPixelsWideACharacter)
{
    for (const int modeKeys : {0, 4}) {
        startFromInitialState();
        pressModeKey(modeKeys);
        realwindow::step(1);
        const int length = static_cast<int>(std::strlen(caption));
        const Extent extent = captionExtent();
        const int width = extent.right - extent.left + 1;
        EXPECT_GT(width, 8 * (length - 1)) << caption;
        EXPECT_LE(width, 8 * length) << caption;
        EXPECT_TRUE(extent.allGrey) << caption;
    }
}

TEST_F(Caption, tooLongForTheViewRunsOnToTheWindowsEdge)
{
    pressModeKey(3);
    realwindow::step(1);
    ASSERT_GT(std::strlen(caption), 50u) << caption;
    const Extent extent = captionExtent();
    EXPECT_GE(extent.right, 797) << "over the right margin, cut off only by the edge";
}

TEST(CaptionAtStartUp, isNotDrawnBeforeTheFirstStep)
{
    // From the program's own initial state, not from one the tests set up.
    std::filesystem::create_directories(RENDERED_DIR);
    const std::string path = std::string(RENDERED_DIR) + "/first-frame-for-caption.png";
    const Image image = renderInFreshProcess("first-frame", path);
    std::filesystem::remove(path);
    const PixelPosition start = pixelAt(captionStart);
    for (int y = start.y - 13; y <= start.y + 3; ++y)
        for (int x = start.x; x < start.x + 150; ++x)
            ASSERT_TRUE(isClearColour(image.at(x, y))) << x << ", " << y;
}

}  // namespace
