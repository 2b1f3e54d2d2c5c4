#include "display/Scene.h"
#include "ProgramState.h"
#include "RecordingGl.h"

#include <GL/glut.h>

#include <gtest/gtest.h>

namespace {

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgramState();
        recording::clear();
    }
};

GlCall bitmapCharacter(char character)
{
    GlCall c = call("glutBitmapCharacter", {double(static_cast<unsigned char>(character))});
    c.pointer = GLUT_BITMAP_8_BY_13;
    return c;
}

}  // namespace

TEST_F(SceneTest, AxesAreThreeWhiteLinesSixHundredUnitsLong)
{
    drawAxes();
    const std::vector<GlCall> expected = {
        call("glNormal3f", {0, 1, 0}),   call("glColor3f", {1, 1, 1}),
        call("glBegin", {GL_LINES}),     call("glVertex3f", {-300, 0, 0}),
        call("glVertex3f", {300, 0, 0}), call("glVertex3f", {0, -300, 0}),
        call("glVertex3f", {0, 300, 0}), call("glVertex3f", {0, 0, -300}),
        call("glVertex3f", {0, 0, 300}), call("glEnd"),
    };
    EXPECT_EQ(recording::calls(), expected);
}

TEST_F(SceneTest, SceneDrawsTheObjectsThenTheMarkerThenTheTrailInWorldCoordinates)
{
    camera.position = Vector3(1.0 / 3.0, -2.0, 7.1);
    trail[0] = Vector3(1, 2, 3);
    trail[1] = Vector3(4, 5, 6);
    trailHead = 2;
    drawScene();
    const std::vector<GlCall> expected = {
        call("glPushMatrix"),
        call("glColor3f", {0, 1, 0}),
        call("glutSolidCube", {1.0}),
        call("glTranslatef", {2, 0, 0}),
        call("glColor3f", {0, 0, 1}),
        call("glutSolidSphere", {1.0, 20, 20}),
        call("glTranslatef", {-4, 0, 0}),
        call("glColor3f", {1, 0, 0}),
        call("glutWireSphere", {1.0, 20, 20}),
        call("glPopMatrix"),
        call("glPushMatrix"),
        call("glColor3f", {1, 1, 1}),
        // The marker's translation is rounded to single precision.
        call("glTranslatef",
             {double(static_cast<float>(1.0 / 3.0)), -2.0, double(static_cast<float>(7.1))}),
        call("glutSolidSphere", {0.25, 10, 10}),
        call("glPopMatrix"),
        call("glColor3f", {1, 0, 0}),
        call("glBegin", {GL_LINE_STRIP}),
        call("glVertex3dv", {1, 2, 3}),
        call("glVertex3dv", {4, 5, 6}),
        call("glEnd"),
    };
    EXPECT_EQ(recording::calls(), expected);
}

TEST_F(SceneTest, CaptionIsLitWhiteAtAFixedRasterPositionOneGlyphPerByte)
{
    drawCaption("A\xe9 z");
    const std::vector<GlCall> expected = {
        call("glColor3f", {1, 1, 1}),
        call("glNormal3f", {0, 0, 0}),
        call("glRasterPos4dv", {-20.0, 9.0, 0.0, 1.0}),
        bitmapCharacter('A'),
        bitmapCharacter('\xe9'),  // bytes above 127 pass as themselves, not negative
        bitmapCharacter(' '),
        bitmapCharacter('z'),
    };
    EXPECT_EQ(recording::calls(), expected);
}

TEST_F(SceneTest, AnEmptyCaptionSetsTheRasterPositionAndDrawsNothing)
{
    drawCaption("");
    EXPECT_EQ(recording::calls().size(), 3u);
    EXPECT_EQ(recording::countNamed("glutBitmapCharacter"), 0);
}
