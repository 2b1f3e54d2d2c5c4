#include "AnimationState.h"
#include "RecordingGl.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

// Distinct and never (0, 0, 0), so that every recorded position is drawn and
// its place in the strip tells where it came from.
Vector3 pointNumber(int i)
{
    return {i + 1.0, -0.5 * i, 0.25 * i + 3.0};
}

void recordAt(const Vector3& position)
{
    camera.position = position;
    recordTrail();
}

void recordPoints(int count)
{
    for (int i = 0; i < count; ++i)
        recordAt(pointNumber(i));
}

std::vector<Vector3> pointsNumbered(int first, int last)
{
    std::vector<Vector3> points;
    for (int i = first; i <= last; ++i)
        points.push_back(pointNumber(i));
    return points;
}

// What drawing the trail must hand to OpenGL: red, then one line strip
// through the given vertices, and nothing else.
std::vector<GlCall> stripThrough(const std::vector<Vector3>& vertices)
{
    std::vector<GlCall> calls{call("glColor3f", {1.0, 0.0, 0.0}),
                              call("glBegin", {double(GL_LINE_STRIP)})};
    for (const Vector3& v : vertices)
        calls.push_back(call("glVertex3dv", {v.x, v.y, v.z}));
    calls.push_back(call("glEnd"));
    return calls;
}

std::vector<GlCall> drawnTrail()
{
    recording::clear();
    drawTrail();
    return recording::calls();
}

class TrailRing : public testing::Test {
protected:
    void SetUp() override
    {
        resetProgramState();
        recording::clear();
    }
};

using TrailDrawing = TrailRing;

}  // namespace

TEST_F(TrailRing, StartsEmptyAndDrawsAStripWithoutVertices)
{
    EXPECT_EQ(trailHead, 0);
    EXPECT_EQ(drawnTrail(), stripThrough({}));
}

TEST_F(TrailRing, OnePositionFillsEntryZeroAndGivesASingleVertex)
{
    recordPoints(1);

    EXPECT_TRUE(sameBits(trail[0], pointNumber(0)));
    EXPECT_TRUE(sameBits(trail[1], Vector3()));
    EXPECT_EQ(trailHead, 1);
    EXPECT_EQ(drawnTrail(), stripThrough({pointNumber(0)}));
}

TEST_F(TrailRing, AFullRingRunsFromEntryZeroToTheLast)
{
    recordPoints(800);

    EXPECT_EQ(trailHead, 0);
    EXPECT_TRUE(sameBits(trail[799], pointNumber(799)));
    EXPECT_EQ(drawnTrail(), stripThrough(pointsNumbered(0, 799)));
}

TEST_F(TrailRing, ThePositionAfterAFullRingOverwritesTheOldest)
{
    recordPoints(801);

    EXPECT_EQ(trailHead, 1);
    EXPECT_TRUE(sameBits(trail[0], pointNumber(800)));
    std::vector<Vector3> expected = pointsNumbered(1, 799);
    expected.push_back(pointNumber(800));
    EXPECT_EQ(drawnTrail(), stripThrough(expected));
}

TEST_F(TrailRing, KeepsTheLatestEightHundredOldestFirstAfterManyTurns)
{
    recordPoints(3 * 800 + 17);

    EXPECT_EQ(trailHead, 17);
    EXPECT_EQ(drawnTrail(), stripThrough(pointsNumbered(3 * 800 + 17 - 800, 3 * 800 + 16)));
}

TEST_F(TrailRing, AFewPositionsAreDrawnAfterTheEmptyEntries)
{
    recordPoints(3);

    EXPECT_EQ(drawnTrail(), stripThrough(pointsNumbered(0, 2)));
}

TEST_F(TrailDrawing, SkipsExactOriginsOfEitherSignAndJoinsTheirNeighbours)
{
    const Vector3 before(1.0, 2.0, 3.0);
    const Vector3 after(-7.0, 0.5, 0.0);
    recordAt(before);
    recordAt(Vector3(0.0, 0.0, 0.0));
    recordAt(Vector3(-0.0, -0.0, -0.0));
    recordAt(Vector3(0.0, -0.0, 0.0));
    recordAt(after);

    EXPECT_TRUE(sameBits(trail[2], Vector3(-0.0, -0.0, -0.0))) << "recorded as they are";
    EXPECT_EQ(trailHead, 5);
    EXPECT_EQ(drawnTrail(), stripThrough({before, after}));
}

TEST_F(TrailDrawing, DrawsAnEntryWithAnySingleNonZeroComponent)
{
    const double tiniest = std::numeric_limits<double>::denorm_min();
    const std::vector<Vector3> points{{0.0, 0.0, 5.0},
                                      {0.0, -5.0, 0.0},
                                      {5.0, 0.0, 0.0},
                                      {tiniest, 0.0, 0.0},
                                      {-0.0, 0.0, -1e-300}};
    for (const Vector3& p : points)
        recordAt(p);

    EXPECT_EQ(drawnTrail(), stripThrough(points));
}

TEST_F(TrailDrawing, LeavesTheRingAsItWas)
{
    recordPoints(801);
    const AnimationSnapshot before = AnimationSnapshot::take();

    drawTrail();

    EXPECT_TRUE(sameState(AnimationSnapshot::take(), before));
}
