// Nanoseconds per call of the vector math and of one examine step, the work
// the true examine demonstration does on every idle call.

#include "camera/Camera.h"
#include "math/Matrix4.h"
#include "math/Vector3.h"

#include <benchmark/benchmark.h>

namespace {

void normalize(benchmark::State& state)
{
    Vector3 v(3.0, -4.0, 12.0);
    for (auto _ : state) {
        // Opaque input, kept result: neither the call nor its operand can be
        // hoisted out of the loop or dropped.
        benchmark::DoNotOptimize(v);
        Vector3 unit = v.normalized();
        benchmark::DoNotOptimize(unit);
    }
}
BENCHMARK(normalize)->Name("Vector3::normalized");

// What one turn of the camera costs in matrix work: the rotation is built
// once and carries both the direction and the up vector.
void rotateTwoPoints(benchmark::State& state)
{
    Matrix4 turn;
    Vector3 axis(0.3, 0.9, -0.1);
    double angle = 0.05;
    const Vector3 direction(0.0, 0.0, -1.0);
    const Vector3 up(0.0, 1.0, 0.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(axis);
        benchmark::DoNotOptimize(angle);
        turn.setRotation(axis, angle);
        Vector3 turnedDirection = turn.transformPoint(direction);
        Vector3 turnedUp = turn.transformPoint(up);
        benchmark::DoNotOptimize(turnedDirection);
        benchmark::DoNotOptimize(turnedUp);
    }
}
BENCHMARK(rotateTwoPoints)->Name("Matrix4::setRotation+2*transformPoint");

// The arguments the examine demonstration passes at the path angle 1: a
// distance of 10 and a yaw and pitch of 0.1 cos 1 and 0.02 sin 1.
void examineStep(benchmark::State& state)
{
    Camera orbiting;
    float distance = 10.0f;
    float yaw = 0.0540302f;
    float pitch = 0.0168294f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(distance);
        benchmark::DoNotOptimize(yaw);
        benchmark::DoNotOptimize(pitch);
        orbiting.examine(distance, yaw, pitch);
        benchmark::DoNotOptimize(orbiting);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(examineStep)->Name("Camera::examine");

}  // namespace

BENCHMARK_MAIN();
