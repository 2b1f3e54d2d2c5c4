// Where the divider, the margins and the two views lie in the window. The
// views' background is the clear colour, like the margins, so the extent of
// a view shows where its axes (600 units long, far beyond every view's
// edges) are cut off.

#include "ProgramWindow.h"

#include <gtest/gtest.h>

namespace {

bool columnHasLitWhite(const Image& image, int x)
{
    for (int y = 0; y < image.height; ++y)
        if (isLitWhite(image.at(x, y)))
            return true;
    return false;
}

bool rowHasLitWhite(const Image& image, int y, int fromX, int toX)
{
    for (int x = fromX; x <= toX; ++x)
        if (isLitWhite(image.at(x, y)))
            return true;
    return false;
}

int countPixels(const Image& image, int fromX, int toX, int fromY, int toY,
                bool (*test)(Image::Pixel))
{
    int count = 0;
    for (int y = fromY; y <= toY; ++y)
        for (int x = fromX; x <= toX; ++x)
            count += test(image.at(x, y)) ? 1 : 0;
    return count;
}

int area(int fromX, int toX, int fromY, int toY)
{
    return (toX - fromX + 1) * (toY - fromY + 1);
}

// The first frame at the window's current size: the left camera looks from
// (0, 0, 10) at the origin, so its axes cross in the middle of the left view.
void expectFrameLayout(const Image& image)
{
    const int width = image.width;
    const int height = image.height;
    const int half = width / 2;
    const int leftEnd = half - 6;
    const int rightStart = half + 5;
    const int rightEnd = 2 * half - 6;
    const int viewBottom = height - 6;  // screenshot rows count from the top

    EXPECT_EQ(countPixels(image, half - 5, half + 4, 0, height - 1, isBlack),
              area(half - 5, half + 4, 0, height - 1))
        << "the divider is black over the full height";
    EXPECT_EQ(countPixels(image, half - 6, half - 6, 0, height - 1, isBlack), 0);
    EXPECT_EQ(countPixels(image, half + 5, half + 5, 0, height - 1, isBlack), 0);

    EXPECT_EQ(countPixels(image, 0, 4, 0, height - 1, isClearColour), area(0, 4, 0, height - 1))
        << "left margin";
    EXPECT_EQ(countPixels(image, rightEnd + 1, width - 1, 0, height - 1, isClearColour),
              area(rightEnd + 1, width - 1, 0, height - 1))
        << "right margin";
    EXPECT_EQ(countPixels(image, 0, half - 6, viewBottom + 1, height - 1, isClearColour),
              area(0, half - 6, viewBottom + 1, height - 1))
        << "bottom margin below the left view";
    EXPECT_EQ(countPixels(image, half + 5, width - 1, viewBottom + 1, height - 1, isClearColour),
              area(half + 5, width - 1, viewBottom + 1, height - 1))
        << "bottom margin below the right view";

    // The views reach their edges, and the top of the window: no top margin.
    EXPECT_TRUE(columnHasLitWhite(image, 5)) << "left view's first column";
    EXPECT_TRUE(columnHasLitWhite(image, leftEnd)) << "left view's last column";
    EXPECT_TRUE(columnHasLitWhite(image, rightEnd)) << "right view's last column";
    EXPECT_TRUE(rowHasLitWhite(image, 0, 5, leftEnd)) << "left view's top row";
    EXPECT_TRUE(rowHasLitWhite(image, viewBottom, 5, leftEnd)) << "left view's bottom row";
    EXPECT_TRUE(rowHasLitWhite(image, 0, rightStart, rightEnd)) << "right view's top row";
    EXPECT_TRUE(rowHasLitWhite(image, viewBottom, rightStart, rightEnd))
        << "right view's bottom row";
}

class FrameLayout : public testing::Test {
protected:
    void SetUp() override { startFromInitialState(); }
};

TEST_F(FrameLayout, atTheInitialSizeTheDividerSplitsTheWindowWithMarginsOnThreeSides)
{
    const Image image = realwindow::renderFrame();
    ASSERT_EQ(image.width, 800);
    ASSERT_EQ(image.height, 400);
    expectFrameLayout(image);
    // The numbers, spelled out once.
    EXPECT_TRUE(isBlack(image.at(395, 0)));
    EXPECT_TRUE(isBlack(image.at(404, 399)));
    EXPECT_FALSE(isBlack(image.at(394, 0)));
    EXPECT_FALSE(isBlack(image.at(405, 0)));
}

TEST_F(FrameLayout, anOddWidthLeavesTheExtraColumnToTheRightMargin)
{
    realwindow::resize(801, 400);
    const Image image = realwindow::renderFrame();
    ASSERT_EQ(image.width, 801);
    expectFrameLayout(image);
    EXPECT_TRUE(isBlack(image.at(395, 0)));
    EXPECT_TRUE(isBlack(image.at(404, 0)));
    for (int x = 795; x <= 800; ++x)
        EXPECT_TRUE(isClearColour(image.at(x, 100))) << "column " << x;
}

TEST_F(FrameLayout, theDividerAndTheViewsFollowAResize)
{
    realwindow::resize(1000, 300);
    const Image image = realwindow::renderFrame();
    ASSERT_EQ(image.width, 1000);
    ASSERT_EQ(image.height, 300);
    expectFrameLayout(image);
    EXPECT_TRUE(isBlack(image.at(495, 150)));
    EXPECT_TRUE(isBlack(image.at(504, 150)));

    // The right view's projection takes the new aspect, one half's 5:3.
    const glm::dvec4 rightView(505, 5, 490, 295);
    const double aspect = 1000.0 / 600.0;
    const glm::dvec3 eye(20.0);
    EXPECT_TRUE(isGreen(colourAt(image, projectToView({0, 0, 0}, eye, rightView, aspect, 300))));
    EXPECT_TRUE(isBlue(colourAt(image, projectToView({2, 0, 0}, eye, rightView, aspect, 300))));
}

}  // namespace
