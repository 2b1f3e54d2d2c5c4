#include "animation/Keyboard.h"
#include "AnimationState.h"
#include "RecordingGl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr unsigned char escapeKey = 27;
constexpr unsigned char spaceKey = 32;

const char* const earlierCaption = "A caption left by an earlier step";
const Vector3 turnedUp(0.6, 0.8, 0.0);

std::vector<std::string> callNames()
{
    std::vector<std::string> names;
    for (const GlCall& c : recording::calls())
        names.push_back(c.name);
    return names;
}

// Starts each test part way through a run, with every value off its initial
// one, so that a key that touches something it should not is caught.
class KeyboardKeys : public testing::Test {
protected:
    void SetUp() override
    {
        resetProgramState();
        recording::clear();
        camera.position = Vector3(1.5, -2.0, 3.25);
        camera.direction = Vector3(0.0, -0.6, -0.8);
        camera.up = turnedUp;
        for (int i = 0; i < 3; ++i)
            trail[i] = Vector3(i + 1.0, 2.0, -3.0);
        trailHead = 3;
        modeCounter = 2;
        caption = earlierCaption;
        orbitRadius = 8.5f;
        orbitAngle = 1.25f;
        elevation = 0.3f;
    }
};

using ModeKeys = KeyboardKeys;
using SpaceKey = KeyboardKeys;
using EscapeKeyDeathTest = KeyboardKeys;

}  // namespace

TEST_F(ModeKeys, EveryKeyButEscapeAndSpaceMovesOnAndOnlyResetsUp)
{
    for (int key = 0; key < 256; ++key) {
        if (key == escapeKey || key == spaceKey)
            continue;
        SCOPED_TRACE("key " + std::to_string(key));
        camera.up = turnedUp;
        const AnimationSnapshot before = AnimationSnapshot::take();
        recording::clear();

        keyboard(static_cast<unsigned char>(key), 7 * key, -key);

        EXPECT_EQ(modeCounter, (before.mode + 1) % 5);
        EXPECT_TRUE(sameBits(camera.up, Vector3(0.0, 1.0, 0.0)));
        EXPECT_TRUE(sameState(AnimationSnapshot::take(), before, true, true));
        EXPECT_EQ(recording::calls(), std::vector<GlCall>{call("glutPostRedisplay")});
    }
}

TEST_F(ModeKeys, FivePressesBringTheModeBack)
{
    for (int start = 0; start < 5; ++start) {
        modeCounter = start;
        std::vector<int> modes;
        for (int i = 0; i < 5; ++i) {
            keyboard('x', 0, 0);
            modes.push_back(modeCounter);
        }
        EXPECT_EQ(modes, (std::vector<int>{(start + 1) % 5, (start + 2) % 5, (start + 3) % 5,
                                           (start + 4) % 5, start}));
        EXPECT_TRUE(sameBits(camera.up, Vector3(0.0, 1.0, 0.0)));
    }
}

TEST_F(ModeKeys, WalkThroughTheDemonstrationsInOrderAndBackToTheCircle)
{
    resetProgramState();
    const std::vector<std::string> expected{"A circle in XZ",
                                            "A polar sphere",
                                            "Varying the radius of an XZ circle",
                                            "Spinning a polar sphere from too high up "
                                            "(undesired behavior)",
                                            "True examine mode using vectors",
                                            "A circle in XZ"};
    std::vector<std::string> captions;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (i > 0)
            keyboard('\r', 0, 0);
        idle();
        captions.push_back(caption);
    }
    EXPECT_EQ(captions, expected);
}

TEST_F(ModeKeys, WhilePausedTakeEffectOnlyAtTheNextStep)
{
    keyboard(spaceKey, 0, 0);
    recording::clear();

    keyboard('q', 0, 0);
    EXPECT_EQ(modeCounter, 3);
    EXPECT_TRUE(sameBits(camera.up, Vector3(0.0, 1.0, 0.0)));
    EXPECT_EQ(recording::calls(), std::vector<GlCall>{call("glutPostRedisplay")});
    EXPECT_EQ(caption, earlierCaption);

    idle();
    EXPECT_EQ(caption, earlierCaption) << "still paused";

    keyboard(spaceKey, 0, 0);
    idle();
    EXPECT_STREQ(caption, "Spinning a polar sphere from too high up (undesired behavior)");
}

TEST_F(ModeKeys, KeepTheCounterWithinTheFiveModes)
{
    RecordingPaused quiet;
    for (int i = 1; i <= 1000000; ++i) {
        keyboard('k', 0, 0);
        if (modeCounter < 0 || modeCounter > 4) {
            ADD_FAILURE() << "press " << i << " left modeCounter at " << modeCounter;
            break;
        }
    }
    EXPECT_EQ(modeCounter, (2 + 1000000) % 5);
}

TEST_F(SpaceKey, PausesAndResumesWithoutTouchingAnythingElse)
{
    const AnimationSnapshot before = AnimationSnapshot::take();
    recording::clear();

    keyboard(spaceKey, 10, 20);
    EXPECT_FALSE(animating);
    AnimationSnapshot paused = before;
    paused.running = false;
    EXPECT_TRUE(sameState(AnimationSnapshot::take(), paused)) << "up is not reset either";
    EXPECT_EQ(recording::countNamed("glutPostRedisplay"), 1);

    recording::clear();
    keyboard(spaceKey, 10, 20);
    EXPECT_TRUE(animating);
    EXPECT_TRUE(sameState(AnimationSnapshot::take(), before));
    EXPECT_EQ(recording::countNamed("glutPostRedisplay"), 1);
}

TEST_F(SpaceKey, TakesTheIdleCallbackAwayWhilePaused)
{
    recording::clear();
    keyboard(spaceKey, 0, 0);
    EXPECT_EQ(recording::callbacks().idle, nullptr);
    EXPECT_EQ(callNames(), (std::vector<std::string>{"glutIdleFunc", "glutPostRedisplay"}));

    recording::clear();
    keyboard(spaceKey, 0, 0);
    EXPECT_EQ(recording::callbacks().idle, &idle);
    EXPECT_EQ(callNames(), (std::vector<std::string>{"glutIdleFunc", "glutPostRedisplay"}));
}

TEST_F(EscapeKeyDeathTest, EndsTheProcessWithStatusOne)
{
    EXPECT_EXIT(keyboard(escapeKey, 0, 0), testing::ExitedWithCode(1), "");
    EXPECT_EXIT(keyboard(escapeKey, 399, -12), testing::ExitedWithCode(1), "");
}
