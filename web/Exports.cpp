// What the page calls in the program itself, with C linkage and the prefix
// `program` (each listed in EXPORTED_FUNCTIONS, web/CMakeLists.txt): the
// program's callbacks, so that the page's tests drive it exactly as the
// desktop tests do (Module._programIdle, Module._programDisplay, ...), and
// what the page shows of it and replays for a link.
#include "animation/Demonstrations.h"
#include "animation/FrameHistory.h"
#include "animation/HandControl.h"
#include "animation/Keyboard.h"
#include "animation/Pace.h"
#include "animation/Trail.h"
#include "camera/Camera.h"
#include "display/HandInput.h"
#include "display/Overlays.h"
#include "display/Window.h"

#include <GL/glut.h>

#include <algorithm>
#include <cstddef>

extern "C" {

void programIdle()
{
    idle();
}
void programDisplay()
{
    display();
}
void programKeyboard(int key, int x, int y)
{
    keyboard(static_cast<unsigned char>(key), x, y);
}
void programReshape(int width, int height)
{
    reshape(width, height);
}
void programMouse(int button, int state, int x, int y)
{
    mouse(button, state, x, y);
}
void programMotion(int x, int y)
{
    motion(x, y);
}
void programSpecial(int key, int x, int y)
{
    special(key, x, y);
}

// The running demonstration's name, for the page's own text.
const char* programCaption()
{
    return caption;
}

// What the page shows of the program and follows in its address, and what
// its tests compare: a copy, so that the page can read the state but change
// nothing through it (the trail is read where it lies, never written).
struct ProgramView {
    double pose[9];  // position, direction, up
    const Vector3* trail;
    float orbitRadius;
    float orbitAngle;
    float elevation;
    int modeCounter;  // kept in 0..4: the demonstration the next step runs
    int pace;         // a step every `pace` idle calls
    int trailHead;    // moves on by one with every step
    int controls;     // F1
    int frame;        // F2
    int zoom;         // notches in (negative: out) since the hand's distance was ten
    int animating;
};
// The page reads 9 doubles, then 11 four-byte words in this order: in
// WebAssembly a pointer is one such word. (The desktop compiles this file
// only to check it, with pointers of eight bytes.)
#ifdef __EMSCRIPTEN__
static_assert(offsetof(ProgramView, trail) == 72 && offsetof(ProgramView, animating) == 72 + 10 * 4,
              "the page's reading of the view (browser.js) follows this layout");
#endif

const ProgramView* programView()
{
    static ProgramView view;
    const Vector3* const vectors[3] = {&camera.position, &camera.direction, &camera.up};
    for (std::size_t i = 0; i < 3; ++i) {
        view.pose[3 * i] = vectors[i]->x;
        view.pose[3 * i + 1] = vectors[i]->y;
        view.pose[3 * i + 2] = vectors[i]->z;
    }
    view.trail = trail;
    view.orbitRadius = orbitRadius;
    view.orbitAngle = orbitAngle;
    view.elevation = elevation;
    view.modeCounter = modeCounter;
    view.pace = paceDivisor;
    view.trailHead = trailHead;
    view.controls = showControls ? 1 : 0;
    view.frame = showCameraFrame ? 1 : 0;
    view.zoom = handZoomNotches();
    view.animating = animating ? 1 : 0;
    return &view;
}

// Everything back to the state the program starts in, for a moment to be
// replayed from there.
void programRestart()
{
    restartProgram();
}

// The page's curves: the number of points, then four doubles a point, oldest
// first: how far the direction is from the line of up, how far up is from the
// world's up, and the picture's turn, in degrees, and the eye's move. One point a step the trail
// holds but the oldest, and last the camera as a hand left it if it turned it
// since. (The oldest step's turn is from a pose the trail no longer holds,
// which a link's shortened replay need not give back.)
const double* programCurves()
{
    static double curves[1 + 4 * (frameHistoryLength + 1)];
    std::size_t written = 1;
    int points = 0;
    const auto add = [&written, &points](const FrameSample& sample) {
        curves[written++] = sample.fromLineOfUp;
        curves[written++] = sample.fromWorldUp;
        curves[written++] = sample.pictureTurn;
        curves[written++] = sample.eyeMove;
        ++points;
    };
    for (int age = std::min(frameHistoryCount(), frameHistoryLength - 1) - 1; age >= 0; --age)
        add(frameSample(age));
    if (frameTurnedSinceStep())
        add(latestFrame());
    curves[0] = points;
    return curves;
}

// A link's replay: `count` steps as F3 runs them, without drawing each.
void programSteps(int count)
{
    for (int i = 0; i < count; ++i)
        stepOnce();
}

// A link's replay: the pose a hand gave the camera, exactly as it was.
void programSetPose(double px, double py, double pz, double dx, double dy, double dz, double ux,
                    double uy, double uz)
{
    camera.position = Vector3(px, py, pz);
    camera.direction = Vector3(dx, dy, dz);
    camera.up = Vector3(ux, uy, uz);
    glutPostRedisplay();
}

}  // extern "C"
