// Runs the animation for a long time in every demonstration mode, without a
// window, and checks on every step that it keeps moving and stays sound:
// rounding that builds up, an angle that stops advancing or a camera that
// drifts off its path would only show after millions of steps.
//
//   soak [steps per mode]
//
// The modes run one after the other, 0 to 4, switched with a mode key as the
// user would, and each at the next pace (F4): modes 0 to 3 at full pace, 1/2,
// 1/4 and 1/8, where the idle calls between steps must change nothing; mode
// 4 at full pace again, stepped by F3 all the way.

#include "PoseChecks.h"
#include "RecordingGl.h"
#include "animation/Demonstrations.h"
#include "animation/Keyboard.h"
#include "animation/Pace.h"
#include "animation/Trail.h"
#include "camera/Camera.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <sstream>
#include <string>

namespace {

constexpr std::uint64_t defaultStepsPerMode = 6000000;
constexpr int modeCount = 5;
constexpr int examineMode = 4;
constexpr int stepKeyMode = 4;

constexpr double angleStep = 0.00785398;
constexpr double fullTurn = 6.283185307179586;
// A step of a float angle below 2 pi is off by at most half a float spacing
// (2^-22 there), twice when it wraps.
constexpr double angleStepTolerance = 1e-6;
constexpr double tolerance = 1e-9;
// The slowest eye, mode 3 on the smallest radius mode 2 can leave, moves
// about 0.008 a step.
constexpr double leastExpectedStepMove = 1e-3;
constexpr int windowSteps = 1000;
constexpr double examineDistance = 10.0;
constexpr double centreDriftLimit = 1e-6;

double distance(const Vector3& a, const Vector3& b)
{
    return posecheck::norm(Vector3(a.x - b.x, a.y - b.y, a.z - b.z));
}

double dot(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector3 centreAhead(const Camera& pose)
{
    return {pose.position.x + examineDistance * pose.direction.x,
            pose.position.y + examineDistance * pose.direction.y,
            pose.position.z + examineDistance * pose.direction.z};
}

// What a run of one mode showed; the worst case of each measure.
struct Figures {
    double seconds = 0.0;
    double leastStepMove = std::numeric_limits<double>::infinity();
    double leastWindowMove = std::numeric_limits<double>::infinity();
    double worstAngleStepError = 0.0;
    std::uint64_t wraps = 0;
    double worstPathError = 0.0;  // off the path about the origin, or off distance 10 of the centre
    double startCentreOffset = 0.0;  // examine mode: the centre's distance from the origin
    double centreDrift = 0.0;        // examine mode: how far the centre moved from its start
    double upAngleDrift = 0.0;       // examine mode: change of direction . up
    double worstUnitLength = 0.0;    // direction and up off unit length
    std::string pace;
};

class ModeSoak {
public:
    ModeSoak(int mode, std::uint64_t steps) : mode(mode), steps(steps) {}

    Figures run()
    {
        const auto start = std::chrono::steady_clock::now();
        Vector3 windowStart = camera.position;
        for (step = 0; step < steps; ++step) {
            const Vector3 before = camera.position;
            const float angleBefore = orbitAngle;
            takeStep();
            checkSoundness();
            checkAngleAdvance(angleBefore);
            checkMoved(before);
            if (mode == examineMode)
                checkOrbitAboutCentre();
            else
                checkOnPathAboutOrigin();
            if ((step + 1) % windowSteps == 0) {
                const double moved = distance(camera.position, windowStart);
                if (!(moved > 0.0))
                    fail("the eye is where it was " + std::to_string(windowSteps) + " steps ago");
                figures.leastWindowMove = std::min(figures.leastWindowMove, moved);
                windowStart = camera.position;
            }
        }
        figures.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        figures.pace =
            mode == stepKeyMode ? "by F3" : "at pace 1/" + std::to_string(animationPace.divisor());
        return figures;
    }

private:
    // One step as the pace takes it: the idle calls before the one that
    // steps leave the eye and the trail alone. The last mode steps by F3,
    // whose first press holds the animation.
    void takeStep()
    {
        if (mode == stepKeyMode) {
            stepOnce();
            return;
        }
        for (int call = 1; call < animationPace.divisor(); ++call) {
            const Vector3 eye = camera.position;
            const int head = trailHead;
            idle();
            if (camera.position.x != eye.x || camera.position.y != eye.y ||
                camera.position.z != eye.z || trailHead != head)
                fail("idle call " + std::to_string(call) + " of " +
                     std::to_string(animationPace.divisor()) + " stepped");
        }
        idle();
    }

    [[noreturn]] void fail(const std::string& what) const
    {
        std::cerr << "soak: mode " << mode << ", step " << step << ": " << what << '\n';
        std::exit(1);
    }

    void checkSoundness()
    {
        const std::string fault = posecheck::poseFault(camera, tolerance);
        if (!fault.empty())
            fail(fault);
        figures.worstUnitLength =
            std::max({figures.worstUnitLength, std::abs(posecheck::norm(camera.direction) - 1.0),
                      std::abs(posecheck::norm(camera.up) - 1.0)});
        if (trailHead < 0 || trailHead >= trailLength)
            fail("trailHead is " + std::to_string(trailHead));
        if (!(orbitAngle >= 0.0f && orbitAngle < fullTurn))
            fail("orbitAngle is " + std::to_string(orbitAngle));
    }

    void checkAngleAdvance(float before)
    {
        double advance = static_cast<double>(orbitAngle) - before;
        if (orbitAngle < before) {
            advance += fullTurn;
            ++figures.wraps;
        }
        const double error = std::abs(advance - angleStep);
        if (!(error <= angleStepTolerance)) {
            std::ostringstream out;
            out.precision(9);
            out << "orbitAngle went from " << before << " to " << orbitAngle;
            fail(out.str());
        }
        figures.worstAngleStepError = std::max(figures.worstAngleStepError, error);
    }

    void checkMoved(const Vector3& before)
    {
        const double moved = distance(camera.position, before);
        if (!(moved >= leastExpectedStepMove))
            fail("the eye moved only " + std::to_string(moved) + " in one step, from " +
                 posecheck::show(before) + " to " + posecheck::show(camera.position));
        figures.leastStepMove = std::min(figures.leastStepMove, moved);
    }

    // Modes 0 to 3 keep the eye at orbitRadius from the origin, looking at it.
    void checkOnPathAboutOrigin()
    {
        const Vector3& eye = camera.position;
        const double radius = posecheck::norm(eye);
        const Vector3 towardOrigin(-eye.x / radius, -eye.y / radius, -eye.z / radius);
        const double offPath = std::max(std::abs(radius - orbitRadius) / orbitRadius,
                                        distance(camera.direction, towardOrigin));
        if (!(offPath <= tolerance))
            fail("the eye " + posecheck::show(eye) + " looking along " +
                 posecheck::show(camera.direction) + " is off its path about the origin");
        if (!(orbitRadius >= 7.0f && orbitRadius <= 13.0f))
            fail("orbitRadius is " + std::to_string(orbitRadius));
        figures.worstPathError = std::max(figures.worstPathError, offPath);
    }

    // The examine mode keeps the eye at distance 10 from the point ahead of
    // it, and that point where the mode's first step put it.
    void checkOrbitAboutCentre()
    {
        const Vector3 centre = centreAhead(camera);
        const double offDistance = std::abs(distance(camera.position, centre) - examineDistance);
        if (!(offDistance <= tolerance))
            fail("the eye is " + std::to_string(distance(camera.position, centre)) +
                 " from the centre point");
        figures.worstPathError = std::max(figures.worstPathError, offDistance);

        const double upAlongDirection = dot(camera.direction, camera.up);
        if (step == 0) {
            startCentre = centre;
            startUpAlongDirection = upAlongDirection;
            figures.startCentreOffset = posecheck::norm(centre);
            return;
        }
        const double drift = distance(centre, startCentre);
        if (!(drift <= centreDriftLimit))
            fail("the centre point drifted to " + posecheck::show(centre) + " from " +
                 posecheck::show(startCentre));
        figures.centreDrift = std::max(figures.centreDrift, drift);
        figures.upAngleDrift =
            std::max(figures.upAngleDrift, std::abs(upAlongDirection - startUpAlongDirection));
    }

    const int mode;
    const std::uint64_t steps;
    std::uint64_t step = 0;
    Figures figures;
    Vector3 startCentre;
    double startUpAlongDirection = 0.0;
};

void report(int mode, std::uint64_t steps, const Figures& figures)
{
    std::printf("soak: mode %d, %llu steps %s in %.2f s: least move %.3g per step, %.3g per %d "
                "steps; %llu angle wraps, angle step off by at most %.3g; off path by at most "
                "%.3g; direction and up off unit length by at most %.3g\n",
                mode, static_cast<unsigned long long>(steps), figures.pace.c_str(), figures.seconds,
                figures.leastStepMove, figures.leastWindowMove, windowSteps,
                static_cast<unsigned long long>(figures.wraps), figures.worstAngleStepError,
                figures.worstPathError, figures.worstUnitLength);
    if (mode == examineMode)
        std::printf("soak: mode %d centre point: starts %.3g from the origin, drifts at most %.3g; "
                    "direction . up changes by at most %.3g\n",
                    mode, figures.startCentreOffset, figures.centreDrift, figures.upAngleDrift);
}

std::uint64_t parseSteps(int argc, char** argv)
{
    if (argc < 2)
        return defaultStepsPerMode;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(argv[1], &end, 0);
    if (end == argv[1] || *end != '\0' || value == 0) {
        std::cerr << "usage: soak [steps per mode]\n";
        std::exit(2);
    }
    return value;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::uint64_t stepsPerMode = parseSteps(argc, argv);
    // Millions of redisplay requests: keep none of them.
    recording::setEnabled(false);

    double seconds = 0.0;
    for (int mode = 0; mode < modeCount; ++mode) {
        if (mode > 0) {
            keyboard('m', 0, 0);
            cyclePace();
        }
        if (modeCounter != mode || !animating) {
            std::cerr << "soak: expected to run mode " << mode << ", modeCounter is " << modeCounter
                      << (animating ? "" : ", paused") << '\n';
            return 1;
        }
        const Figures figures = ModeSoak(mode, stepsPerMode).run();
        report(mode, stepsPerMode, figures);
        seconds += figures.seconds;
    }
    std::printf("soak: %llu steps in %.2f s\n",
                static_cast<unsigned long long>(stepsPerMode) * modeCount, seconds);
    return 0;
}
