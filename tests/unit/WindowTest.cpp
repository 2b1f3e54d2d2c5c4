#include "ProgramState.h"
#include "RecordingGl.h"
#include "animation/Keyboard.h"
#include "display/HandInput.h"
#include "display/Scene.h"

#include <GL/glut.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgramState();
        recording::clear();
    }

    static std::vector<GlCall> viewportsOfOneFrame()
    {
        recording::clear();
        display();
        return recording::callsNamed("glViewport");
    }
};

GlCall withPointer(GlCall c, const void* pointer)
{
    c.pointer = pointer;
    return c;
}

GlCall windowTitled(const char* title)
{
    GlCall c = call("glutCreateWindow");
    c.text = title;
    return c;
}

GlCall viewport(int x, int y, int width, int height)
{
    return call("glViewport", {double(x), double(y), double(width), double(height)});
}

}  // namespace

TEST_F(WindowTest, StartUpSetsEveryStateOnceInOrder)
{
    static char name[] = "camera-demo";
    static char* argv[] = {name, nullptr};
    int argc = 1;
    startUp(&argc, argv);

    const float f = 0.0f;  // single precision is what reaches OpenGL
    const std::vector<GlCall> expected = {
        call("glutInit", {1}),
        call("glutInitDisplayMode", {double(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH)}),
        call("glutInitWindowSize", {800, 400}),
        call("glutInitWindowPosition", {100, 100}),
        windowTitled("foo!"),
        call("glEnable", {GL_DEPTH_TEST}),
        call("glEnable", {GL_LIGHTING}),
        call("glMatrixMode", {GL_PROJECTION}),
        call("glLoadIdentity"),
        call("gluPerspective", {45.0, 1.0, 1.0, 100.0}),
        call("glMatrixMode", {GL_MODELVIEW}),
        call("glClearColor", {0.2f + f, 0.2f + f, 0.7f + f, 1.0}),
        call("glLineWidth", {2.0}),
        call("glLightfv", {GL_LIGHT0, GL_AMBIENT, 0.3f + f, 0.3f + f, 0.3f + f, 1.0}),
        call("glLightfv", {GL_LIGHT0, GL_DIFFUSE, 0.5, 0.5, 0.5, 1.0}),
        call("glLightfv", {GL_LIGHT0, GL_POSITION, 10, 10, 10, 0}),
        call("glEnable", {GL_LIGHT0}),
        call("glEnable", {GL_COLOR_MATERIAL}),
        withPointer(call("glutDisplayFunc"), reinterpret_cast<const void*>(display)),
        withPointer(call("glutKeyboardFunc"), reinterpret_cast<const void*>(keyboard)),
        withPointer(call("glutIdleFunc"), reinterpret_cast<const void*>(idle)),
        withPointer(call("glutReshapeFunc"), reinterpret_cast<const void*>(reshape)),
        withPointer(call("glutMouseFunc"), reinterpret_cast<const void*>(mouse)),
        withPointer(call("glutMotionFunc"), reinterpret_cast<const void*>(motion)),
        withPointer(call("glutSpecialFunc"), reinterpret_cast<const void*>(special)),
    };
    EXPECT_EQ(recording::calls(), expected);
    EXPECT_EQ(windowWidth, 800);
    EXPECT_EQ(windowHeight, 400);
}

TEST_F(WindowTest, AFrameClearsOnceThenDrawsDividerLeftViewAndOverviewThenSwaps)
{
    display();
    const std::vector<GlCall>& calls = recording::calls();
    ASSERT_GE(calls.size(), 20u);
    EXPECT_EQ(calls.front(), call("glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}));
    EXPECT_EQ(calls.back(), call("glutSwapBuffers"));
    EXPECT_EQ(recording::countNamed("glClear"), 1);
    EXPECT_EQ(recording::countNamed("glMatrixMode"), 0);  // the projection is reshape's

    const std::vector<GlCall> divider(calls.begin() + 1, calls.begin() + 12);
    const std::vector<GlCall> expectedDivider = {
        viewport(395, 0, 10, 400),
        call("glLoadIdentity"),
        call("gluLookAt", {0, 0, 10, 0, 0, 0, 0, 1, 0}),
        call("glColor3f", {0, 0, 0}),
        call("glBegin", {GL_QUADS}),
        call("glNormal3f", {0, 0, 1}),
        call("glVertex3f", {-1000, -1000, 0}),
        call("glVertex3f", {1000, -1000, 0}),
        call("glVertex3f", {1000, 1000, 0}),
        call("glVertex3f", {-1000, 1000, 0}),
        call("glEnd"),
    };
    EXPECT_EQ(divider, expectedDivider);

    // Each view loads the identity right after its viewport and sets its eye.
    const std::vector<GlCall> looks = recording::callsNamed("gluLookAt");
    ASSERT_EQ(looks.size(), 3u);
    EXPECT_EQ(looks[1], call("gluLookAt", {0, 0, 10, 0, 0, 9, 0, 1, 0}));
    EXPECT_EQ(looks[2], call("gluLookAt", {20, 20, 20, 0, 0, 0, 0, 1, 0}));
    for (std::size_t i = 0; i + 2 < calls.size(); ++i)
        if (calls[i].name == "glViewport") {
            EXPECT_EQ(calls[i + 1].name, "glLoadIdentity");
            EXPECT_EQ(calls[i + 2].name, "gluLookAt");
        }
    // Both views draw the scene; only the overview draws the caption, last.
    EXPECT_EQ(recording::countNamed("glutSolidCube"), 2);
    EXPECT_EQ(recording::countNamed("glRasterPos4dv"), 1);
    const auto raster = std::find_if(calls.begin(), calls.end(),
                                     [](const GlCall& c) { return c.name == "glRasterPos4dv"; });
    EXPECT_EQ(std::count_if(raster, calls.end(),
                            [](const GlCall& c) { return c.name == "glutSolidCube"; }),
              0);
}

TEST_F(WindowTest, ViewportsFollowTheWindowSize)
{
    EXPECT_EQ(viewportsOfOneFrame(),
              (std::vector<GlCall>{viewport(395, 0, 10, 400), viewport(5, 5, 390, 395),
                                   viewport(405, 5, 390, 395)}));
    reshape(801, 400);  // an odd width rounds half down: only the right margin grows
    EXPECT_EQ(viewportsOfOneFrame(),
              (std::vector<GlCall>{viewport(395, 0, 10, 400), viewport(5, 5, 390, 395),
                                   viewport(405, 5, 390, 395)}));
    reshape(1000, 300);
    EXPECT_EQ(viewportsOfOneFrame(),
              (std::vector<GlCall>{viewport(495, 0, 10, 300), viewport(5, 5, 490, 295),
                                   viewport(505, 5, 490, 295)}));
}

TEST_F(WindowTest, ReshapeAimsTheProjectionAtHalfTheWindow)
{
    reshape(1000, 300);
    const std::vector<GlCall> expected = {
        call("glMatrixMode", {GL_PROJECTION}),
        call("glLoadIdentity"),
        call("gluPerspective", {45.0, 1000.0 / 600.0, 1.0, 100.0}),
        call("glMatrixMode", {GL_MODELVIEW}),
        viewport(0, 0, 1000, 300),
    };
    EXPECT_EQ(recording::calls(), expected);
    EXPECT_EQ(windowWidth, 1000);
    EXPECT_EQ(windowHeight, 300);

    recording::clear();
    reshape(800, 400);
    EXPECT_EQ(recording::callsNamed("gluPerspective").at(0),
              call("gluPerspective", {45.0, 1.0, 1.0, 100.0}));
    EXPECT_EQ(recording::countNamed("glutPostRedisplay"), 0);
}

TEST_F(WindowTest, AZeroSizedWindowKeepsTheProjectionButRecordsTheSize)
{
    for (auto [width, height] : {std::pair{0, 0}, {0, 400}, {800, 0}}) {
        recording::clear();
        reshape(width, height);
        EXPECT_EQ(recording::countNamed("gluPerspective"), 0) << width << " x " << height;
        EXPECT_EQ(windowWidth, width);
        EXPECT_EQ(windowHeight, height);
    }
}

TEST_F(WindowTest, ViewsWithoutPixelsAreSkippedAndNoViewportIsNegative)
{
    for (auto [width, height] :
         {std::pair{0, 0}, {1, 1}, {19, 4}, {20, 5}, {21, 6}, {30, 400}, {4000, 1}}) {
        recording::clear();
        reshape(width, height);
        for (const GlCall& p : recording::callsNamed("gluPerspective"))
            EXPECT_TRUE(std::isfinite(p.args[1])) << width << " x " << height;
        recording::clear();
        display();
        for (const GlCall& v : recording::callsNamed("glViewport")) {
            EXPECT_GT(v.args[2], 0) << width << " x " << height;
            EXPECT_GT(v.args[3], 0) << width << " x " << height;
        }
        // Whatever is skipped, the frame is still cleared and shown.
        EXPECT_EQ(recording::countNamed("glClear"), 1);
        EXPECT_EQ(recording::countNamed("glutSwapBuffers"), 1);
    }
    reshape(21, 6);  // views of width 0 are left out
    EXPECT_EQ(viewportsOfOneFrame(), std::vector<GlCall>{viewport(5, 0, 10, 6)});
    reshape(22, 6);  // the smallest window with a pixel in every view
    EXPECT_EQ(
        viewportsOfOneFrame(),
        (std::vector<GlCall>{viewport(6, 0, 10, 6), viewport(5, 5, 1, 1), viewport(16, 5, 1, 1)}));
}

TEST_F(WindowTest, F11FillsTheScreenAndGivesBackTheSizeTheWindowHad)
{
    const auto f11 = [] {
        recording::clear();
        special(GLUT_KEY_F11, 0, 0);
        return recording::calls();
    };
    const std::vector<GlCall> fill = {call("glutFullScreen")};
    const std::vector<GlCall> giveBack = {call("glutReshapeWindow", {1000, 300})};
    reshape(1000, 300);
    EXPECT_EQ(f11(), fill);
    reshape(1280, 1024);
    EXPECT_EQ(f11(), giveBack);
    reshape(1000, 300);
    // A minimised window's 0 x 0 is no size to come back to.
    reshape(0, 0);
    EXPECT_EQ(f11(), fill);
    reshape(1280, 1024);
    EXPECT_EQ(f11(), giveBack);
    // A window manager that ends full screen alone leaves GLUT's record of it
    // as it was: F11 keeps in step with GLUT, not with the size.
    reshape(1000, 300);
    EXPECT_EQ(f11(), fill);
    reshape(1280, 1024);
    reshape(1000, 300);
    EXPECT_EQ(f11(), giveBack);
}
