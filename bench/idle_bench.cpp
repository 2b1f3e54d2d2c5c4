// Nanoseconds per idle step in each demonstration, beside the floor of that
// step: the sine and cosine calls its path needs, at the same arguments. The
// gap between the two is what the program adds around its trigonometry.

#include "ProgramState.h"
#include "RecordingGl.h"
#include "animation/Demonstrations.h"
#include "animation/Keyboard.h"
#include "animation/Pace.h"
#include "animation/Trail.h"
#include "camera/Camera.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

namespace {

constexpr int modeCount = 5;
constexpr double angleStep = 0.00785398;
constexpr double fullTurn = 6.283185307179586;
constexpr unsigned char modeKey = 'n';

// Gets to `mode` the way a user does: some steps in each mode before it, then
// its key. Mode 2 thus leaves its radius behind and mode 4 starts with its
// placement, and a full trail is drawn from.
void enterMode(int mode)
{
    resetProgramState();
    for (int m = 0; m < mode; ++m) {
        for (int i = 0; i < 200; ++i)
            idle();
        keyboard(modeKey, 0, 0);
    }
    for (int i = 0; i < 800; ++i)
        idle();
}

void idleStep(benchmark::State& state, int mode)
{
    recording::setEnabled(false);
    enterMode(mode);
    for (auto _ : state) {
        idle();
        benchmark::DoNotOptimize(camera);
        benchmark::ClobberMemory();
    }
    recording::setEnabled(true);
}

// Eight idle calls at the slowest pace in the examine mode: one step and
// seven calls that only ask for a frame. Less the full-pace step of the same
// mode, it is what seven calls without a step cost.
void slowestPace(benchmark::State& state)
{
    recording::setEnabled(false);
    enterMode(4);
    for (int press = 0; press < 3; ++press)
        cyclePace();
    for (auto _ : state) {
        for (int call = 0; call < 8; ++call)
            idle();
        benchmark::DoNotOptimize(camera);
        benchmark::ClobberMemory();
    }
    recording::setEnabled(true);
}

// The path angle as the program advances it: rounded to float, wrapped after
// a turn, so the floor sees the same arguments as the step.
struct PathAngle {
    float angle = 0.0f;

    double next()
    {
        angle = static_cast<float>(angle + angleStep);
        if (static_cast<double>(angle) >= fullTurn)
            angle = static_cast<float>(angle - fullTurn);
        return angle;
    }
};

template <typename... Values> void keep(const Values&... values)
{
    (benchmark::DoNotOptimize(values), ...);
}

// Circle: sin A, cos A.
void circleFloor(PathAngle& path)
{
    const double a = path.next();
    keep(std::sin(a), std::cos(a));
}

// Polar sphere: the elevation swing sin 4A, then sin A, cos A, sin E, cos E.
void polarSphereFloor(PathAngle& path)
{
    const double a = path.next();
    const double e = static_cast<float>(0.6283184 * std::sin(4.0 * a));
    keep(std::sin(a), std::cos(a), std::sin(e), std::cos(e));
}

// Varying radius: the radius swing cos 4A, then sin A, cos A.
void varyingRadiusFloor(PathAngle& path)
{
    const double a = path.next();
    keep(std::cos(4.0 * a), std::sin(a), std::cos(a));
}

// Too high up: sin A, cos A; the elevation is a constant, and so are its sine
// and cosine.
void tooHighFloor(PathAngle& path)
{
    circleFloor(path);
}

// Examine: cos A and sin A for the yaw and pitch, then the sine and cosine of
// the turn angle inside the rotation.
void examineFloor(PathAngle& path)
{
    const double a = path.next();
    const float yaw = static_cast<float>(0.1 * std::cos(a));
    const float pitch = static_cast<float>(0.02 * std::sin(a));
    const double turn = std::sqrt(double(pitch) * pitch + double(yaw) * yaw);
    keep(std::sin(turn), std::cos(turn));
}

using Floor = void (*)(PathAngle&);
constexpr Floor floors[modeCount] = {circleFloor, polarSphereFloor, varyingRadiusFloor,
                                     tooHighFloor, examineFloor};
constexpr const char* trigCalls[modeCount] = {"2", "5", "3", "2", "4"};

void trigFloor(benchmark::State& state, int mode)
{
    PathAngle path;
    const Floor floor = floors[mode];
    for (auto _ : state)
        floor(path);
}

}  // namespace

int main(int argc, char** argv)
{
    for (int mode = 0; mode < modeCount; ++mode) {
        const std::string suffix = "/mode:" + std::to_string(mode);
        benchmark::RegisterBenchmark(("idle" + suffix).c_str(), idleStep, mode);
        benchmark::RegisterBenchmark(("floor" + suffix + "/sincos:" + trigCalls[mode]).c_str(),
                                     trigFloor, mode);
    }
    benchmark::RegisterBenchmark("idle/mode:4/pace:1/8/calls:8", slowestPace);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
