// What the views show, checked where independently computed projections put
// the scene's objects.

#include "ProgramWindow.h"

#include "camera/Camera.h"

#include <gtest/gtest.h>

namespace {

class Scene : public testing::Test {
protected:
    void SetUp() override { startFromInitialState(); }
};

TEST_F(Scene, theOverviewShowsTheCubeAndTheSolidSphereWhereTheirCentresProject)
{
    const Image image = realwindow::renderFrame();
    EXPECT_TRUE(isGreen(colourAt(image, projectToRightView({0, 0, 0}))));
    EXPECT_TRUE(isBlue(colourAt(image, projectToRightView({2, 0, 0}))));
    // Solid all round its centre, at a third of its projected radius.
    EXPECT_EQ(countNear(image, pixelAt(projectToRightView({2, 0, 0})), 3, isBlue), 49);
}

TEST_F(Scene, bothViewsShowTheRedSphereAsAWireFrame)
{
    const Image image = realwindow::renderFrame();
    EXPECT_GT(countNear(image, pixelAt(projectToRightView({-2, 0, 0})), 3, isRed), 40)
        << "the overview, where the lines lie close together";

    // The camera's first pose, (0, 0, 10), is near enough to see between
    // the lines.
    const glm::dvec2 inLeftView = projectToView({-2, 0, 0}, {0, 0, 10}, {5, 5, 390, 395}, 1.0, 400);
    EXPECT_GT(countNear(image, pixelAt(inLeftView), 15, isRed), 200);
    EXPECT_GT(countNear(image, pixelAt(inLeftView), 15, isClearColour), 60)
        << "the background shows through";
}

TEST_F(Scene, theOverviewShowsTheThreeAxesInWhite)
{
    const Image image = realwindow::renderFrame();
    // Points on each axis well away from the objects; a 2-pixel line passes
    // within a pixel of where they project.
    for (const glm::dvec3 point : {glm::dvec3(6, 0, 0), glm::dvec3(-6, 0, 0), glm::dvec3(0, 6, 0),
                                   glm::dvec3(0, -6, 0), glm::dvec3(0, 0, 5), glm::dvec3(0, 0, -6)})
        EXPECT_GT(countNear(image, pixelAt(projectToRightView(point)), 1, isLitWhite), 0)
            << "axis through (" << point.x << ", " << point.y << ", " << point.z << ")";
}

TEST_F(Scene, theCameraMarkerShowsInTheOverviewOnly)
{
    realwindow::step(100);  // an eighth of a turn: away from the axes
    const Image image = realwindow::renderFrame();
    const glm::dvec3 eye(camera.position.x, camera.position.y, camera.position.z);
    EXPECT_EQ(countNear(image, pixelAt(projectToRightView(eye)), 1, isLitWhite), 9);

    // In its own view the marker surrounds the eye, nearer than the near
    // plane: clipped away, it would otherwise cover the whole view.
    const PixelPosition leftCentre{5 + 195, 399 - (5 + 197)};
    EXPECT_TRUE(isGreen(image.at(leftCentre.x, leftCentre.y))) << "the cube, straight ahead";
    EXPECT_TRUE(isClearColour(image.at(10, 10)));
    EXPECT_TRUE(isClearColour(image.at(389, 389)));
}

}  // namespace
