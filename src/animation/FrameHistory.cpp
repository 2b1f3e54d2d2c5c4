#include "animation/FrameHistory.h"

#include "camera/ViewAngles.h"

namespace {

// A step records the poses it went between; what a learner reads from them
// is worked out when first asked for, so that a step, and a link's replay of
// a million of them, costs no more than the copies.
struct Entry {
    Camera before;
    Camera after;
    FrameSample sample;
    bool figured = false;
};

Entry history[frameHistoryLength];
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

Entry& entryOfAge(int age)
{
    return history[(historyHead - 1 - age + 2 * frameHistoryLength) % frameHistoryLength];
}

// The pose the newest step left, or the start pose before any step.
Camera newestPose()
{
    return historyCount > 0 ? entryOfAge(0).after : Camera();
}

}  // namespace

void recordFrame(const Camera& before)
{
    Entry& entry = history[historyHead];
    entry.before = before;
    entry.after = camera;
    entry.figured = false;
    historyHead = (historyHead + 1) % frameHistoryLength;
    if (historyCount < frameHistoryLength)
        ++historyCount;
}

void clearFrameHistory()
{
    for (Entry& entry : history)
        entry = Entry();
    historyHead = 0;
    historyCount = 0;
}

int frameHistoryCount()
{
    return historyCount;
}

const FrameSample& frameSample(int age)
{
    Entry& entry = entryOfAge(age);
    if (!entry.figured) {
        entry.sample = sampleOf(entry.before, entry.after);
        entry.figured = true;
    }
    return entry.sample;
}

bool frameTurnedSinceStep()
{
    const Camera newest = newestPose();
    return !sameVector(camera.direction, newest.direction) || !sameVector(camera.up, newest.up);
}

FrameSample latestFrame()
{
    if (!frameTurnedSinceStep() && historyCount > 0)
        return frameSample(0);
    return sampleOf(newestPose(), camera);
}
