// The program keeps all its state in globals and allocates nothing while it
// runs; these tests hold the callbacks to that, so that no heap traffic can
// creep into the frame or the animation step.

#include "AllocationCounter.h"
#include "FixedFunction.h"
#include "GluMatrices.h"
#include "ProgramState.h"
#include "RecordingGl.h"
#include "Shapes.h"
#include "animation/Demonstrations.h"
#include "animation/Keyboard.h"
#include "animation/Trail.h"
#include "camera/Camera.h"
#include "display/HandInput.h"
#include "display/Window.h"

#include <GL/glut.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <new>

namespace {

constexpr int modeCount = 5;
constexpr unsigned char modeKey = 'n';
constexpr unsigned char spaceKey = ' ';
// More than one turn: the trail ring and the path angle both wrap.
constexpr int stepsPerMode = 801;

void steps(int count)
{
    for (int i = 0; i < count; ++i)
        idle();
}

// Recording keeps every call in a vector; switched off, the stand-in does
// nothing and whatever is counted is the program's own.
class NoAllocation : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgramState();
        recording::clear();
        recording::setEnabled(false);
    }
    void TearDown() override { recording::setEnabled(true); }
};

void* volatile escaped = nullptr;

TEST(AllocationCounter, sees_operator_new_and_only_inside_its_scope)
{
    const allocations::Counts inside = allocations::during([] {
        escaped = ::operator new(32);
        ::operator delete(escaped);
        escaped = new int[4];
        delete[] static_cast<int*>(escaped);
    });
    EXPECT_EQ(inside.operatorNew, 2);

    escaped = ::operator new(32);
    const allocations::Counts outside = allocations::during([] {});
    ::operator delete(escaped);
    EXPECT_EQ(outside.total(), 0);
}

TEST(AllocationCounter, sees_malloc_where_the_build_lets_it)
{
    if (!allocations::countsMalloc())
        GTEST_SKIP() << "AddressSanitizer owns malloc in this build";
    const allocations::Counts counts = allocations::during([] {
        escaped = std::malloc(16);
        escaped = std::realloc(escaped, 64);
        std::free(escaped);
        escaped = std::calloc(2, 8);
        std::free(escaped);
    });
    EXPECT_EQ(counts.operatorNew, 0);
    EXPECT_EQ(counts.malloc, 3);
}

TEST_F(NoAllocation, idle_steps_in_every_demonstration_allocate_nothing)
{
    // Each mode reached by its key after the one before has run, so mode 4
    // also takes its placement path, and the last key wraps back to mode 0.
    for (int mode = 0; mode < modeCount; ++mode) {
        SCOPED_TRACE(testing::Message() << "mode " << mode);
        ASSERT_EQ(modeCounter, mode);
        EXPECT_EQ(allocations::during([] { steps(stepsPerMode); }).total(), 0);
        EXPECT_EQ(allocations::during([] { keyboard(modeKey, 0, 0); }).total(), 0);
    }
    EXPECT_EQ(modeCounter, 0);
}

TEST_F(NoAllocation, pausing_resuming_and_idling_while_paused_allocate_nothing)
{
    steps(10);
    const allocations::Counts counts = allocations::during([] {
        keyboard(spaceKey, 0, 0);
        steps(10);
        keyboard(modeKey, 0, 0);
        keyboard(spaceKey, 0, 0);
        steps(10);
    });
    EXPECT_EQ(counts.total(), 0);
    EXPECT_TRUE(animating);
}

TEST_F(NoAllocation, frames_allocate_nothing_whatever_the_mode_and_the_trail)
{
    // An empty trail and empty caption first, then each mode's caption with a
    // ring that has wrapped.
    EXPECT_EQ(allocations::during(display).total(), 0);
    for (int mode = 0; mode < modeCount; ++mode) {
        SCOPED_TRACE(testing::Message() << "mode " << mode);
        steps(stepsPerMode);
        EXPECT_EQ(allocations::during(display).total(), 0);
        keyboard(modeKey, 0, 0);
    }
}

TEST_F(NoAllocation, frames_in_resized_windows_allocate_nothing)
{
    steps(100);
    // Odd, wide, and too small for the views to have any pixels.
    const int sizes[][2] = {{801, 400}, {1000, 300}, {15, 4}, {0, 0}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
        const allocations::Counts counts = allocations::during([&size] {
            reshape(size[0], size[1]);
            display();
        });
        EXPECT_EQ(counts.total(), 0);
    }
}

TEST_F(NoAllocation, drags_zooms_special_keys_and_frames_with_the_overlays_allocate_nothing)
{
    const allocations::Counts counts = allocations::during([] {
        for (int button : {GLUT_LEFT_BUTTON, GLUT_RIGHT_BUTTON, GLUT_MIDDLE_BUTTON, 3, 4}) {
            mouse(button, GLUT_DOWN, 10, 10);
            motion(60, -30);
            mouse(button, GLUT_UP, 60, -30);
        }
        for (int key :
             {GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_PAGE_UP, GLUT_KEY_PAGE_DOWN, GLUT_KEY_HOME,
              GLUT_KEY_F1, GLUT_KEY_F2, GLUT_KEY_F3, GLUT_KEY_F11, GLUT_KEY_F11})
            special(key, 0, 0);
        display();
        // The keys line names each slower pace, and resumed, idle calls
        // step at it.
        keyboard(spaceKey, 0, 0);
        for (int pace = 0; pace < 4; ++pace) {
            special(GLUT_KEY_F4, 0, 0);
            steps(8);
            display();
        }
    });
    EXPECT_EQ(counts.total(), 0);
}

// The overview as the page draws it, through the web layer's fixed-function
// core: axes, solids, the wire sphere, an 800-point trail and a caption.
void drawThroughTheWebLayer(weblayer::FixedFunction& gl)
{
    const float light[4] = {10.0f, 10.0f, 10.0f, 0.0f};
    const unsigned char glyph[13] = {0x00, 0x3c, 0x42, 0x81, 0xff, 0x81, 0x81, 0x42, 0x3c};
    weblayer::Matrix perspective{};
    weblayer::perspectiveMatrix(45.0, 390.0 / 395.0, 1.0, 100.0, perspective);
    gl.setViewport(405, 5, 390, 395);
    gl.selectProjection(true);
    gl.loadIdentity();
    gl.multiply(perspective);
    gl.selectProjection(false);
    gl.loadIdentity();
    gl.setLightPosition(light);
    gl.multiply(weblayer::lookAtRotation(20, 20, 20, 0, 0, 0, 0, 1, 0));
    gl.translate(-20.0f, -20.0f, -20.0f);
    gl.begin(weblayer::Primitive::lines);
    for (const float end : {-300.0f, 300.0f, 0.0f, 0.0f})
        gl.vertex(end, 300.0f - std::fabs(end), 0.0f);
    gl.end();
    gl.push();
    weblayer::solidCube(gl, 1.0);
    weblayer::solidSphere(gl, 1.0, 20, 20);
    gl.translate(-2.0f, 0.0f, 0.0f);
    weblayer::wireSphere(gl, 1.0, 20, 20);
    gl.pop();
    gl.begin(weblayer::Primitive::lineStrip);
    for (int i = 0; i < 800; ++i)
        gl.vertex(10.0f * std::cos(i * 0.01f), 0.0f, 10.0f * std::sin(i * 0.01f));
    gl.end();
    gl.rasterPosition(-20.0, 9.0, 0.0, 1.0);
    for (int i = 0; i < 20; ++i)
        gl.bitmap(8, 13, 0.0f, 2.0f, 8.0f, 0.0f, glyph);
    gl.flush();
}

TEST(WebLayerCore, frames_allocate_nothing_once_it_has_its_meshes)
{
    weblayer::FixedFunction gl([](const weblayer::Viewport&, const weblayer::ClipVertex*, int) {});
    gl.setWindowSize(800, 400, 1.5);  // on a screen of 1.5 device pixels per pixel
    gl.setLighting(true);
    gl.setLight0(true);
    gl.setColorMaterial(true);
    gl.setLineWidth(2.0f);
    drawThroughTheWebLayer(gl);  // tessellates the spheres
    EXPECT_EQ(allocations::during([&gl] {
                  for (int frame = 0; frame < 3; ++frame)
                      drawThroughTheWebLayer(gl);
              }).total(),
              0);
}

}  // namespace
