#include "display/HandInput.h"
#include "AnimationState.h"
#include "RecordingGl.h"
#include "animation/HandControl.h"
#include "animation/Keyboard.h"
#include "display/Overlays.h"

#include <GL/glut.h>
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

namespace {

class HandInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgramState();
        recording::clear();
    }
};

// Presses `button` at (x, y), moves by (dx, dy) in `steps` equal events, releases.
void drag(int button, int x, int y, int dx, int dy, int steps = 1)
{
    mouse(button, GLUT_DOWN, x, y);
    for (int i = 1; i <= steps; ++i)
        motion(x + dx * i / steps, y + dy * i / steps);
    mouse(button, GLUT_UP, x + dx, y + dy);
}

glm::dvec3 glmOf(const Vector3& v)
{
    return {v.x, v.y, v.z};
}

// Where the front of the scene, (0, 0, 1), lies in the camera's eye space, from GLM.
glm::dvec3 frontInView()
{
    const glm::dvec3 eye = glmOf(camera.position);
    return glm::lookAt(eye, eye + glmOf(camera.direction), glmOf(camera.up)) *
           glm::dvec4(0.0, 0.0, 1.0, 1.0);
}

}  // namespace

TEST_F(HandInput, ADragAcrossAViewIsHalfATurnWhateverTheWindowSize)
{
    for (int width : {800, 801, 300, 4000}) {
        SCOPED_TRACE(width);
        resetProgramState();
        windowWidth = width;
        drag(GLUT_LEFT_BUTTON, 10, 10, width / 2, 0, 25);
        EXPECT_NEAR(camera.position.z, -10.0, 1e-5) << "the eye went round to the far side";
        EXPECT_NEAR(camera.direction.z, 1.0, 1e-5) << "and still looks at the origin";

        resetProgramState();
        windowWidth = width;
        drag(GLUT_RIGHT_BUTTON, 10, 10, 0, width / 2, 25);
        EXPECT_TRUE(sameBits(camera.position, Vector3(0, 0, 10))) << "a right drag turns in place";
        EXPECT_NEAR(camera.direction.z, 1.0, 1e-5);
    }
}

TEST_F(HandInput, TheSceneFollowsTheHandAndAnUpwardDragGoesOverTheTopWithoutAFlip)
{
    drag(GLUT_LEFT_BUTTON, 100, 100, 20, 0);
    EXPECT_GT(frontInView().x, 0.1) << "a drag to the right carries the front to the right";
    resetProgramState();

    // Two whole views upward in one-pixel events: a full turn over the top.
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 200, 0);
    for (int y = -1; y >= -800; --y) {
        const Vector3 up = camera.up;
        motion(200, y);
        if (y == -20) {
            EXPECT_GT(frontInView().y, 0.1) << "a drag upward carries it up";
        }
        EXPECT_GT(glm::dot(glmOf(up), glmOf(camera.up)), 0.9999) << "up jumped at " << y;
    }
    EXPECT_NEAR(camera.position.z, 10.0, 1e-9);
    EXPECT_NEAR(camera.up.y, 1.0, 1e-9);
}

TEST_F(HandInput, OnlyTheDraggingButtonsReleaseEndsTheDragAndAPressHolds)
{
    for (int button : {GLUT_MIDDLE_BUTTON, -1, 7})
        drag(button, 0, 0, 50, 50);
    motion(300, 300);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 1, 1);
    mouse(3, GLUT_UP, 1, 1);
    mouse(4, GLUT_UP, 1, 1);
    EXPECT_TRUE(recording::calls().empty()) << "nothing but a press acts";

    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
    EXPECT_FALSE(animating);
    EXPECT_EQ(recording::callbacks().idle, nullptr) << "held as space holds";
    mouse(GLUT_RIGHT_BUTTON, GLUT_UP, 0, 0);
    windowWidth = 0;
    motion(INT_MIN, INT_MAX);  // limited to a full turn about each axis
    EXPECT_NEAR(camera.direction.length(), 1.0, 1e-12);
    windowWidth = 800;
    const Camera wild = camera;
    motion(INT_MIN + 40, INT_MAX);
    EXPECT_LT(glm::dot(glmOf(wild.direction), glmOf(camera.direction)), 0.96)
        << "another button's release ended the drag";

    // A second button takes the drag over while it is held, and gives it
    // back when it is released.
    mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 0, 0);
    const Camera turning = camera;
    motion(40, 0);
    EXPECT_TRUE(sameBits(camera.position, turning.position)) << "the right button turns in place";
    mouse(GLUT_RIGHT_BUTTON, GLUT_UP, 40, 0);
    const Camera handedBack = camera;
    motion(80, 0);
    EXPECT_FALSE(sameBits(camera.position, handedBack.position)) << "the left button drags on";

    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 0, 0);
    const Camera released = camera;
    motion(5, 5);
    EXPECT_TRUE(sameBits(camera.position, released.position)) << "a released drag is over";
}

TEST_F(HandInput, TheWheelAndPageKeysZoomAboutTheOrbitsCentreWithinTwoAndFiftyUnits)
{
    // The start pose looks at the origin from ten units; a notch is a factor of 1.25.
    const auto eyeDistance = [] { return glm::length(glmOf(camera.position)); };
    const auto notches = [](int count, int button) {
        for (int i = 0; i < count; ++i)
            mouse(button, GLUT_DOWN, 0, 0);
    };
    special(GLUT_KEY_PAGE_UP, 0, 0);
    EXPECT_FALSE(animating) << "a zoom holds the camera";
    EXPECT_NEAR(camera.position.z, 8.0, 1e-12);
    notches(2, 3);
    keyboard('n', 0, 0);
    drag(GLUT_LEFT_BUTTON, 0, 0, 57, -31);
    EXPECT_NEAR(eyeDistance(), 5.12, 1e-6)
        << "a drag after a zoom and a mode key orbits the same centre";

    notches(20, 3);
    EXPECT_NEAR(eyeDistance(), 2.0, 1e-12);
    notches(8, 4);
    EXPECT_NEAR(eyeDistance(), 10.0, 1e-12) << "no notch past the limit counts";
    notches(20, 4);
    EXPECT_NEAR(eyeDistance(), 50.0, 1e-12);

    // The next step, by idle call or F3, and Home bring the distance back to
    // ten, so that the next notch in moves the eye by two units; a mode key
    // and space keep it (a notch in from 12.5 moves the eye by 2.5).
    const auto notchInMoves = [] {
        const Vector3 before = camera.position;
        special(GLUT_KEY_PAGE_UP, 0, 0);
        return glm::distance(glmOf(before), glmOf(camera.position));
    };
    void (*const resets[])() = {[] {
                                    keyboard(' ', 0, 0);
                                    idle();
                                },
                                [] { special(GLUT_KEY_F3, 0, 0); },
                                [] { special(GLUT_KEY_HOME, 0, 0); }};
    for (const auto reset : resets) {
        special(GLUT_KEY_PAGE_DOWN, 0, 0);
        reset();
        EXPECT_NEAR(notchInMoves(), 2.0, 1e-12);
    }
    notches(2, 4);
    keyboard('n', 0, 0);
    keyboard(' ', 0, 0);
    EXPECT_NEAR(notchInMoves(), 2.5, 1e-12);
}

TEST_F(HandInput, ArrowsOrbitAsATenPixelDragAndHomeLevels)
{
    drag(GLUT_LEFT_BUTTON, 0, 0, 0, -10);
    const Camera draggedUp = camera;
    resetProgramState();
    special(GLUT_KEY_UP, 0, 0);
    EXPECT_FALSE(animating);
    EXPECT_TRUE(sameBits(camera.position, draggedUp.position));
    EXPECT_TRUE(sameBits(camera.up, draggedUp.up));
    special(GLUT_KEY_LEFT, 0, 0);
    special(GLUT_KEY_RIGHT, 0, 0);
    special(GLUT_KEY_DOWN, 0, 0);
    EXPECT_NEAR(camera.position.z, 10.0, 1e-12) << "opposite arrows undo each other";

    const AnimationSnapshot before = AnimationSnapshot::take();
    for (int key : {GLUT_KEY_F5, GLUT_KEY_F12, GLUT_KEY_INSERT, GLUT_KEY_END, 0, -1, 1000})
        special(key, 0, 0);
    EXPECT_TRUE(sameState(AnimationSnapshot::take(), before));
    special(GLUT_KEY_HOME, 0, 0);
    AnimationSnapshot levelled = before;
    levelled.pose = Camera();
    EXPECT_TRUE(sameState(AnimationSnapshot::take(), levelled)) << "Home changes only the pose";
    special(GLUT_KEY_F1, 0, 0);
    EXPECT_TRUE(showControls && !showCameraFrame);
}

TEST_F(HandInput, TheFrameOverlayDrawsTheCameraVectorsAndTheirFigures)
{
    drag(GLUT_LEFT_BUTTON, 0, 0, 57, -31);
    drawCameraFrame(390, 395);
    const std::vector<GlCall> points = recording::callsNamed("glVertex3dv");
    ASSERT_EQ(points.size(), 18u) << "three arrows of a shaft and two head strokes";
    const glm::dvec3 direction = glmOf(camera.direction);
    const glm::dvec3 up = glmOf(camera.up);
    const glm::dvec3 shafts[3] = {direction, up, glm::normalize(glm::cross(direction, up))};
    for (int i = 0; i < 3; ++i) {
        const std::vector<double>& tip = points[6 * i + 1].args;
        EXPECT_NEAR(glm::distance(glm::dvec3(tip[0], tip[1], tip[2]),
                                  glmOf(camera.position) + 3.0 * shafts[i]),
                    0.0, 1e-12);
    }

    // In a frame at three window shapes, the three lines start 8 pixels into
    // the overview with their baselines 35 (figures), 7 (controls) and 21
    // (keys) pixels above its bottom, and the modelview matrix is the current
    // one again.
    const auto textDrawn = [] {
        std::string text;
        for (const GlCall& c : recording::callsNamed("glutBitmapCharacter"))
            text += static_cast<char>(c.args[0]);
        return text;
    };
    const std::string controls = "drag: orbit  right: turn  wheel: zoom  Home  F2";
    camera = Camera();
    showCameraFrame = showControls = true;
    for (auto [width, height] : {std::pair{800, 400}, {1000, 600}, {900, 400}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        reshape(width, height);
        recording::clear();
        display();
        EXPECT_EQ(textDrawn(), "|d|,|u|-1 +0e+00 +0e+00 90.00\xb0 r 10.00 t+0.000\xb0" + controls +
                                   "F3: step  F4: pace full  F8: vectors  F11: full");
        const std::vector<GlCall> rasters = recording::callsNamed("glRasterPos4dv");
        ASSERT_EQ(rasters.size(), 4u) << "the caption's, then the three lines'";
        const double view[2] = {width / 2 - 10.0, height - 5.0};
        const double pixels[3][2] = {{8, 35}, {8, 7}, {8, 21}};
        for (int line : {0, 1, 2})
            for (int axis : {0, 1})
                EXPECT_EQ(std::floor((rasters[line + 1].args[axis] + 1.0) / 2.0 * view[axis]),
                          pixels[line][axis]);
        EXPECT_EQ(recording::callsNamed("glMatrixMode").back(),
                  call("glMatrixMode", {GL_MODELVIEW}));
    }

    // The keys line names the pace and how the drag turns; without F1 the
    // figures take its row.
    for (const char* pace : {"1/2", "1/4", "1/8", "full"}) {
        special(GLUT_KEY_F4, 0, 0);
        special(GLUT_KEY_F8, 0, 0);
        const std::string turning = handTurning == HandTurning::byAngles ? "angles" : "vectors";
        recording::clear();
        drawControls(390, 395);
        EXPECT_EQ(textDrawn(),
                  controls + "F3: step  F4: pace " + pace + "  F8: " + turning + "  F11: full");
    }
    showControls = false;
    recording::clear();
    drawCameraFrame(390, 395);
    EXPECT_EQ(std::floor((recording::callsNamed("glRasterPos4dv").at(0).args[1] + 1.0) / 2.0 * 395),
              21);
}

namespace {

// The picture's up in the scene, as a view matrix takes it; and whether
// that matrix is sound (finite, a rotation: determinant 1).
glm::dvec3 pictureUp()
{
    const glm::dvec3 d = glm::normalize(glmOf(camera.direction)), u = glmOf(camera.up);
    return glm::normalize(u - glm::dot(u, d) * d);
}

bool soundView()
{
    const glm::dvec3 eye = glmOf(camera.position);
    const double det =
        glm::determinant(glm::lookAt(eye, eye + glmOf(camera.direction), glmOf(camera.up)));
    return std::abs(det - 1.0) < 1e-9;
}

}  // namespace

// From Home a downward drag takes the eye over the top, keeping its distance
// from the point. By angles the picture, upright by the world's up, turns
// over in the one event that crosses the pole; by vectors never by more than
// the event's own 2.25 degrees.
TEST_F(HandInput, ADragByAnglesFlipsThePictureAtThePoleAndByVectorsItDoesNot)
{
    for (const bool byAngles : {false, true}) {
        resetProgramState();
        if (byAngles)
            special(GLUT_KEY_F8, 0, 0);
        mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 0);
        std::vector<int> flips;
        for (int y = 5; y <= 420; y += 5) {
            const glm::dvec3 before = pictureUp();
            motion(100, y);
            ASSERT_TRUE(soundView() && std::abs(glm::length(glmOf(camera.position)) - 10.0) < 1e-9);
            const double turn = glm::dot(before, pictureUp());
            ASSERT_TRUE(turn > std::cos(glm::radians(2.3)) || turn < -0.98) << y;
            if (turn < 0.0)
                flips.push_back(y);
        }
        EXPECT_EQ(flips.size(), byAngles ? 1u : 0u) << (byAngles ? "by angles" : "by vectors");
        EXPECT_LT(camera.position.z, -9.0) << "the eye went on over to the far side";
    }
}

// Twenty Down arrows by angles, 4.5 degrees each, end on the pole itself,
// where the world's up gives no view: up is there the picture's up of the
// side the eye came from, laid across the direction. One more goes over.
TEST_F(HandInput, AtThePoleTheAnglesKeepTheUpOfTheSideTheyCameFrom)
{
    special(GLUT_KEY_F8, 0, 0);
    glm::dvec3 cameFrom{};
    for (int press = 1; press <= 20; ++press) {
        cameFrom = pictureUp();
        special(GLUT_KEY_DOWN, 0, 0);
        ASSERT_TRUE(soundView()) << press;
    }
    EXPECT_NEAR(camera.direction.y, -1.0, 1e-12);
    EXPECT_GT(glm::dot(glmOf(camera.up), cameFrom), 0.99);
    EXPECT_NEAR(glm::dot(glmOf(camera.up), glmOf(camera.direction)), 0.0, 1e-9);
    const glm::dvec3 atPole = pictureUp();
    special(GLUT_KEY_DOWN, 0, 0);
    EXPECT_TRUE(soundView() && glm::dot(atPole, pictureUp()) < -0.98);
}
