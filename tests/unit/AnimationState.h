#pragma once

#include "ProgramState.h"
#include "RecordingGl.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <sstream>

// Exact comparisons for the animation's state: a value that is merely equal is
// not enough when the sign of a zero or the last bit of a float is the point.

inline std::uint64_t bitsOf(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline std::uint32_t bitsOf(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline std::string describe(const Vector3& v)
{
    std::ostringstream out;
    out.precision(17);
    out << '(' << v.x << ", " << v.y << ", " << v.z << ')';
    return out.str();
}

inline testing::AssertionResult sameBits(const Vector3& actual, const Vector3& expected)
{
    if (bitsOf(actual.x) == bitsOf(expected.x) && bitsOf(actual.y) == bitsOf(expected.y) &&
        bitsOf(actual.z) == bitsOf(expected.z))
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << describe(actual) << " is not bit for bit " << describe(expected);
}

// Everything the idle step and the keyboard may write.
struct AnimationSnapshot {
    Camera pose;
    std::array<Vector3, trailLength> ring;
    int head;
    bool running;
    int mode;
    const char* text;
    float radius;
    float angle;
    float tilt;

    static AnimationSnapshot take()
    {
        AnimationSnapshot s;
        s.pose = camera;
        for (int i = 0; i < trailLength; ++i)
            s.ring[i] = trail[i];
        s.head = trailHead;
        s.running = animating;
        s.mode = modeCounter;
        s.text = caption;
        s.radius = orbitRadius;
        s.angle = orbitAngle;
        s.tilt = elevation;
        return s;
    }
};

// Compares two snapshots field by field; `ignoreMode` and `ignoreUp` leave out
// the two things a mode key is allowed to change.
inline testing::AssertionResult sameState(const AnimationSnapshot& actual,
                                          const AnimationSnapshot& expected,
                                          bool ignoreMode = false, bool ignoreUp = false)
{
    auto differs = [](const char* what) {
        return testing::AssertionFailure() << what << " changed";
    };
    if (!sameBits(actual.pose.position, expected.pose.position))
        return differs("camera.position");
    if (!sameBits(actual.pose.direction, expected.pose.direction))
        return differs("camera.direction");
    if (!ignoreUp && !sameBits(actual.pose.up, expected.pose.up))
        return differs("camera.up");
    for (int i = 0; i < trailLength; ++i)
        if (!sameBits(actual.ring[i], expected.ring[i]))
            return differs("trail") << " at entry " << i;
    if (actual.head != expected.head)
        return differs("trailHead");
    if (actual.running != expected.running)
        return differs("animating");
    if (!ignoreMode && actual.mode != expected.mode)
        return differs("modeCounter");
    if (std::strcmp(actual.text, expected.text) != 0)
        return differs("caption");
    if (bitsOf(actual.radius) != bitsOf(expected.radius))
        return differs("orbitRadius");
    if (bitsOf(actual.angle) != bitsOf(expected.angle))
        return differs("orbitAngle");
    if (bitsOf(actual.tilt) != bitsOf(expected.tilt))
        return differs("elevation");
    return testing::AssertionSuccess();
}

// Long runs would otherwise keep every redisplay request in memory.
class RecordingPaused {
public:
    RecordingPaused() { recording::setEnabled(false); }
    ~RecordingPaused() { recording::setEnabled(true); }
    RecordingPaused(const RecordingPaused&) = delete;
    RecordingPaused& operator=(const RecordingPaused&) = delete;
};
