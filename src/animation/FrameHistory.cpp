#include "animation/FrameHistory.h"

#include "camera/ViewAngles.h"

namespace {

FrameSample history[frameHistoryLength];
int historyHead = 0;  // next entry to write
int historyCount = 0;

FrameSample sampleOf(const Camera& before, const Camera& after)
{
    const Vector3 move(after.position.x - before.position.x, after.position.y - before.position.y,
                       after.position.z - before.position.z);
    return {after.direction,
            after.up,
            degreesFromLineOfUp(after.direction, after.up),
            degreesFromWorldUp(after.up),
            pictureTurnDegrees(before.direction, before.up, after.direction, after.up),
            move.length()};
}

bool sameVector(const Vector3& a, const Vector3& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

}  // namespace

void recordFrame(const Camera& before)
{
    history[historyHead] = sampleOf(before, camera);
    historyHead = (historyHead + 1) % frameHistoryLength;
    if (historyCount < frameHistoryLength)
        ++historyCount;
}

void clearFrameHistory()
{
    for (FrameSample& sample : history)
        sample = FrameSample();
    historyHead = 0;
    historyCount = 0;
}

int frameHistoryCount()
{
    return historyCount;
}

const FrameSample& frameSample(int age)
{
    return history[(historyHead - 1 - age + 2 * frameHistoryLength) % frameHistoryLength];
}

bool frameTurnedSinceStep()
{
    const Camera start;
    const Vector3& direction = historyCount > 0 ? frameSample(0).direction : start.direction;
    const Vector3& up = historyCount > 0 ? frameSample(0).up : start.up;
    return !sameVector(camera.direction, direction) || !sameVector(camera.up, up);
}

FrameSample latestFrame()
{
    if (!frameTurnedSinceStep() && historyCount > 0)
        return frameSample(0);
    Camera before;
    if (historyCount > 0) {
        before.position = trail[(trailHead + trailLength - 1) % trailLength];
        before.direction = frameSample(0).direction;
        before.up = frameSample(0).up;
    }
    return sampleOf(before, camera);
}
