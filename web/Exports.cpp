// What the page calls in the program itself, with C linkage and the prefix
// `program` (each listed in EXPORTED_FUNCTIONS, web/CMakeLists.txt): the
// program's callbacks, so that the page's tests drive it exactly as the
// desktop tests do (Module._programIdle, Module._programDisplay, ...), and
// what the page shows of it and replays for a link, and the description of
// the program the page reads everything else from.
#include "animation/Captions.h"
#include "animation/Demonstrations.h"
#include "animation/FrameHistory.h"
#include "animation/HandControl.h"
#include "animation/Keyboard.h"
#include "animation/Keys.h"
#include "animation/Pace.h"
#include "animation/Trail.h"
#include "camera/Camera.h"
#include "display/HandInput.h"
#include "display/Overlays.h"
#include "display/Window.h"

#include <GL/glut.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>

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
// nothing through it (the trail is read where it lies, never written). The
// page finds each field by its name in the description below.
struct ProgramView {
    double pose[9];  // position, direction, up
    const Vector3* trail;
    float orbitRadius;
    float orbitAngle;
    float elevation;
    int mode;       // the demonstration the next step runs
    int pace;       // a step every `pace` idle calls
    int trailHead;  // moves on by one with every step
    int controls;   // F1
    int frame;      // F2
    int zoom;       // notches in (negative: out) since the hand's distance was ten
    int animating;
};

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
    view.mode = modeCounter;
    view.pace = animationPace.divisor();
    view.trailHead = trailHead;
    view.controls = showControls ? 1 : 0;
    view.frame = showCameraFrame ? 1 : 0;
    view.zoom = handZoomNotches();
    view.animating = animating ? 1 : 0;
    return &view;
}

// Beside the view, so that its layout stays as the page reads it: 1 while
// the left drag turns the camera by angles (F8), 0 by its own vectors.
int programHandTurning()
{
    return handTurning == HandTurning::byAngles ? 1 : 0;
}

// 1 while the hand holds the camera: it pressed, turned or zoomed since the
// animation last resumed.
int programHandHolds()
{
    return handHoldsCamera() ? 1 : 0;
}

}  // extern "C"

namespace {

std::string quoted(const char* text)
{
    std::string json = "\"";
    for (; *text != '\0'; ++text) {
        if (*text == '"' || *text == '\\')
            json += '\\';
        json += *text;
    }
    return json + '"';
}

std::string number(double value)
{
    char text[32];
    (void)std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// `{"name": value, ...}` from a list of names and values.
template <typename Value, std::size_t count>
std::string object(const std::pair<const char*, Value> (&members)[count],
                   std::string (*write)(const Value&))
{
    std::string json = "{";
    for (const auto& [name, value] : members)
        json += (json.size() > 1 ? "," : "") + quoted(name) + ":" + write(value);
    return json + "}";
}

std::string integer(const int& value)
{
    return std::to_string(value);
}

// Where a field of ProgramView lies, and how the page reads it: "double"
// (`count` of them), "float", "int", "flag" (an int, 0 or 1) or "pointer"
// (an address in the page's memory).
struct ViewField {
    std::size_t offset;
    const char* type;
    int count;
};

std::string viewField(const ViewField& field)
{
    return "{\"offset\":" + std::to_string(field.offset) + ",\"type\":" + quoted(field.type) +
           ",\"count\":" + std::to_string(field.count) + "}";
}

std::string describe()
{
    std::string captions;
    for (const char* caption : demonstrationCaptions)
        captions += (captions.empty() ? "" : ",") + quoted(caption);
    std::string paces;
    for (const int divisor : Pace::divisors)
        paces += (paces.empty() ? "" : ",") + std::to_string(divisor);
    const Camera start;
    std::string startPose;
    for (const Vector3* vector : {&start.position, &start.direction, &start.up})
        for (const double value : {vector->x, vector->y, vector->z})
            startPose += (startPose.empty() ? "" : ",") + number(value);
    // The page sends these codes for its buttons and replays links with them.
    const std::pair<const char*, int> keys[] = {
        {"mode", nextDemonstrationKey}, {"space", pauseKey}, {"escape", quitKey}};
    const std::pair<const char*, int> specialKeys[] = {
        {"controls", controlsKey}, {"frame", cameraFrameKey},   {"step", stepKey},
        {"pace", paceKey},         {"turning", handTurningKey}, {"zoomIn", zoomInKey},
        {"zoomOut", zoomOutKey},   {"home", levelKey}};
    const std::pair<const char*, ViewField> view[] = {
        {"pose", {offsetof(ProgramView, pose), "double", 9}},
        {"trail", {offsetof(ProgramView, trail), "pointer", 1}},
        {"orbitRadius", {offsetof(ProgramView, orbitRadius), "float", 1}},
        {"orbitAngle", {offsetof(ProgramView, orbitAngle), "float", 1}},
        {"elevation", {offsetof(ProgramView, elevation), "float", 1}},
        {"mode", {offsetof(ProgramView, mode), "int", 1}},
        {"pace", {offsetof(ProgramView, pace), "int", 1}},
        {"trailHead", {offsetof(ProgramView, trailHead), "int", 1}},
        {"controls", {offsetof(ProgramView, controls), "flag", 1}},
        {"frame", {offsetof(ProgramView, frame), "flag", 1}},
        {"zoom", {offsetof(ProgramView, zoom), "int", 1}},
        {"animating", {offsetof(ProgramView, animating), "flag", 1}}};
    return "{\"captions\":[" + captions + "],\"trailLength\":" + std::to_string(trailLength) +
           ",\"paces\":[" + paces + "],\"startPose\":[" + startPose +
           "],\"keys\":" + object(keys, integer) +
           ",\"specialKeys\":" + object(specialKeys, integer) +
           ",\"view\":" + object(view, viewField) + "}";
}

}  // namespace

extern "C" {

// What the page takes from the program rather than restating it, as JSON:
// the demonstrations' captions, the trail's length, the paces, the start
// pose, the key codes the page sends, and where each field of ProgramView
// lies.
const char* programDescription()
{
    static const std::string description = describe();
    return description.c_str();
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
