// Windows too small for the views, down to no pixels at all.

#include "ProgramWindow.h"

#include "display/Window.h"

#include <gtest/gtest.h>

namespace {

bool samePixels(const Image& a, const Image& b)
{
    return a.width == b.width && a.height == b.height && a.rgb == b.rgb;
}

class WindowSizes : public testing::Test {
protected:
    void SetUp() override { startFromInitialState(); }
};

TEST_F(WindowSizes, tooSmallForTheViewsDrawWithoutOpenGLErrors)
{
    const Image before = realwindow::renderFrame();
    realwindow::glError();
    // 19 x 4 leaves the views a negative size, 20 x 5 a zero one.
    for (const PixelPosition size :
         {PixelPosition{1, 1}, PixelPosition{19, 4}, PixelPosition{20, 5}, PixelPosition{21, 6}}) {
        realwindow::resize(size.x, size.y);
        const Image image = realwindow::renderFrame();
        EXPECT_EQ(realwindow::glError(), 0u) << size.x << " x " << size.y;
        EXPECT_TRUE(isBlack(image.at(size.x / 2, 0))) << "the divider still shows";
    }

    realwindow::resize(800, 400);
    EXPECT_TRUE(samePixels(realwindow::renderFrame(), before))
        << "back at the first size, the same picture";
}

TEST_F(WindowSizes, aWindowWithNoPixelsDrawsNothingAndRecoversItsPicture)
{
    const Image before = realwindow::renderFrame();
    realwindow::glError();
    // A minimised window reports sizes like these; the real one keeps its own.
    for (const PixelPosition size :
         {PixelPosition{0, 0}, PixelPosition{0, 400}, PixelPosition{800, 0}}) {
        reshape(size.x, size.y);
        display();
        EXPECT_EQ(realwindow::glError(), 0u) << size.x << " x " << size.y;
    }
    reshape(800, 400);
    EXPECT_TRUE(samePixels(realwindow::renderFrame(), before));
}

}  // namespace
