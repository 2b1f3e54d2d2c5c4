// Replays a fixed script of calls into the program's callbacks and camera and
// prints the state table: one line per checkpoint (see StateLine.h). It reads
// nothing and needs no window, so every target runs the same script and
// prints the same table for the same numbers.
//
//   state_replay > table.txt

#include "ProgramState.h"
#include "StateLine.h"
#include "animation/HandControl.h"
#include "animation/Keyboard.h"
#include "animation/Pace.h"

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr unsigned char modeKey = 'n';
constexpr unsigned char spaceKey = ' ';

// A named checkpoint: the calls to make, then the state is printed.
struct Step {
    std::string checkpoint;
    std::function<void()> action;
};

void restart()
{
    resetAnimationState();
}

std::function<void()> run(int idleCalls)
{
    return [idleCalls] {
        for (int i = 0; i < idleCalls; ++i)
            idle();
    };
}

std::function<void()> press(unsigned char key, int times = 1)
{
    return [key, times] {
        for (int i = 0; i < times; ++i)
            keyboard(key, 0, 0);
    };
}

std::function<void()> rotate(float yaw, float pitch)
{
    return [yaw, pitch] { camera.rotate(yaw, pitch); };
}

std::function<void()> examine(float yaw, float pitch)
{
    return [yaw, pitch] { camera.examine(10.0f, yaw, pitch); };
}

std::function<void()> then(std::function<void()> first, std::function<void()> second)
{
    return [first = std::move(first), second = std::move(second)] {
        first();
        second();
    };
}

// `events` motion events of (dx, dy) pixels each in the window's first size,
// with the left button (an orbit) or the right (a turn in place).
std::function<void()> orbitDrag(double dx, double dy, int events = 1)
{
    return [dx, dy, events] {
        for (int i = 0; i < events; ++i) {
            const HandTurn turn = dragTurn(dx, dy, 800);
            orbitByHand(turn.yaw, turn.pitch);
        }
    };
}

std::function<void()> turnDrag(double dx, double dy)
{
    return [dx, dy] {
        const HandTurn turn = dragTurn(dx, dy, 800);
        turnByHand(turn.yaw, turn.pitch);
    };
}

// Puts the camera's direction along its up vector, where the right vector
// of a turn is the zero vector.
void lookAlongUp()
{
    camera.direction = Vector3(0.0, 1.0, 0.0);
    camera.up = Vector3(0.0, 1.0, 0.0);
}

void lookNowhere()
{
    camera.direction = Vector3();
}

// Each demonstration from the program's initial state: its first step, then
// after 300 and after 801 steps, past the first wrap of the angle.
void addDemonstrations(std::vector<Step>& script)
{
    for (int mode = 0; mode < 5; ++mode) {
        const std::string name = "mode" + std::to_string(mode);
        script.push_back({name + ".selected", then(restart, press(modeKey, mode))});
        script.push_back({name + ".step1", run(1)});
        script.push_back({name + ".step300", run(299)});
        script.push_back({name + ".step801", run(501)});
    }
}

// One session as a user would drive it: every mode switch in order, the
// examine placement from the raised camera of mode 3 and from the swing of
// mode 1, pauses with steps and a mode key in them, and a long examine run.
void addTour(std::vector<Step>& script)
{
    const std::vector<Step> tour = {
        {"tour.start", restart},
        {"tour.mode0.step50", run(50)},
        {"tour.key.mode1", press(modeKey)},
        {"tour.mode1.step1", run(1)},
        {"tour.mode1.step50", run(49)},
        {"tour.key.mode2", press(modeKey)},
        {"tour.mode2.step1", run(1)},
        {"tour.mode2.step50", run(49)},
        {"tour.key.mode3", press(modeKey)},
        {"tour.mode3.step1", run(1)},
        {"tour.mode3.step50", run(49)},
        {"tour.key.mode4", press(modeKey)},
        {"tour.mode4.placedFromMode3", run(1)},
        {"tour.mode4.step50", run(49)},
        {"tour.pause", press(spaceKey)},
        {"tour.paused.idle100", run(100)},
        {"tour.paused.key.mode0", press(modeKey)},
        {"tour.resume", press(spaceKey)},
        {"tour.mode0.afterExamine", run(1)},
        {"tour.key.mode1again", press(modeKey)},
        {"tour.mode1again.step37", run(37)},
        {"tour.keys.mode2to4", press(modeKey, 3)},
        {"tour.mode4.placedFromMode1", run(1)},
        {"tour.mode4.step2000", run(1999)},
        {"tour.mode4.step100000", run(98000)},
        {"tour.key.mode0again", press(modeKey)},
        {"tour.mode0again.step1", run(1)},
        {"tour.pauseResume", then(press(spaceKey, 2), run(1))},
    };
    script.insert(script.end(), tour.begin(), tour.end());
}

// The turns the vector math guards against dividing by zero, on the camera.
void addDegenerateTurns(std::vector<Step>& script)
{
    const std::vector<Step> turns = {
        {"degenerate.zeroTurn", then(restart, rotate(0.0f, 0.0f))},
        {"degenerate.zeroExamine", examine(0.0f, 0.0f)},
        // Shorter than the guard: the turn vector is scaled up, not normalized.
        {"degenerate.turnBelowGuard", rotate(3e-6f, 4e-6f)},
        // So short that the turn axis itself falls under the guard.
        {"degenerate.turnBelowGuardSquared", rotate(3e-11f, -4e-11f)},
        // No right vector: a pure pitch turns about a zero-length axis.
        {"degenerate.upAlongDirection.pitch", then(lookAlongUp, rotate(0.0f, 0.3f))},
        {"degenerate.upAlongDirection.yawAndPitch", rotate(0.2f, -0.7f)},
        {"degenerate.upAlongDirection.examine", examine(0.1f, 0.02f)},
        {"degenerate.zeroDirection.examine", then(lookNowhere, examine(0.1f, 0.02f))},
    };
    script.insert(script.end(), turns.begin(), turns.end());
}

// The camera in hand: a press holds it, drags orbit it over the top and turn
// it in place, arrows orbit by ten pixels' worth; after resuming, the first
// demonstration keeps the up the hand left and Home levels it; the examine
// orbit goes on from wherever the hand left the camera.
void addHand(std::vector<Step>& script)
{
    const std::vector<Step> hand = {
        {"hand.mode0.step50", then(restart, run(50))},
        {"hand.press", holdCamera},
        {"hand.dragRight40", orbitDrag(40.0, 0.0)},
        {"hand.dragUp600", orbitDrag(0.0, -10.0, 60)},
        {"hand.turnInPlace", turnDrag(-25.0, 15.0)},
        {"hand.arrows.leftThenUp", then(orbitDrag(-10.0, 0.0), orbitDrag(0.0, -10.0))},
        {"hand.resume.mode0.step1", then(press(spaceKey), run(1))},
        {"hand.home", levelCamera},
        {"hand.home.mode0.step1", run(1)},
        {"hand.mode4.step100", then(press(modeKey, 4), run(100))},
        {"hand.mode4.orbitDiagonal", then(holdCamera, orbitDrag(30.0, -20.0, 5))},
        {"hand.mode4.resume.step100", then(press(spaceKey), run(100))},
        {"hand.mode4.home.step1", then(levelCamera, run(1))},
    };
    script.insert(script.end(), hand.begin(), hand.end());
}

std::function<void()> repeat(void (*call)(), int times)
{
    return [call, times] {
        for (int i = 0; i < times; ++i)
            call();
    };
}

// A learner's lesson at the slowest pace: the same states as mode 3 at full
// pace (mode3.selected, mode3.step300, mode3.step801), reached eight idle
// calls a step and then one F3 a step, so that the table itself shows that
// the pace changes nothing but the speed. The idle calls in between change
// nothing, and back at full pace every call steps again.
void addLesson(std::vector<Step>& script)
{
    const std::vector<Step> lesson = {
        {"lesson.slowest.mode3.selected",
         then(then(restart, press(modeKey, 3)), repeat(cyclePace, 3))},
        {"lesson.slowest.idle2400", run(2400)},
        {"lesson.slowest.oneStep501", repeat(stepOnce, 501)},
        {"lesson.slowest.resume.idle7", then(press(spaceKey), run(7))},
        {"lesson.slowest.idle8", run(1)},
        {"lesson.full.idle1", then(cyclePace, run(1))},
    };
    script.insert(script.end(), lesson.begin(), lesson.end());
}

std::function<void()> button(int which, int state, int x, int y)
{
    return [=] { mouse(which, state, x, y); };
}

std::function<void()> moves(std::vector<std::pair<int, int>> points)
{
    return [points = std::move(points)] {
        for (const auto& [x, y] : points)
            motion(x, y);
    };
}

// GLUT reports a wheel notch as a press and a release of button 3 (up) or 4.
std::function<void()> notches(int which, int times)
{
    return [which, times] {
        for (int i = 0; i < times; ++i) {
            mouse(which, GLUT_DOWN, 300, 200);
            mouse(which, GLUT_UP, 300, 200);
        }
    };
}

std::function<void()> specialKey(int key)
{
    return [key] { special(key, 0, 0); };
}

// The window's own callbacks as GLUT calls them for the mouse and the F-keys,
// in the examine mode, where every step goes on from wherever the hand left
// the camera: a left drag, a right drag pressed during it and released back
// to it, a release after which motion does nothing, wheel notches in and
// out, a drag about the point the zoom left in place, F1 and F2 (which change
// nothing the table holds), F3 steps (back at ten units), and space. A
// target's GLUT port replays the same events, so that these rows check it.
void addWindowInput(std::vector<Step>& script)
{
    constexpr int wheelUp = 3;
    constexpr int wheelDown = 4;
    const std::vector<Step> input = {
        {"input.mode4.step50", then(then(resetProgramState, press(modeKey, 4)), run(50))},
        {"input.left.press", button(GLUT_LEFT_BUTTON, GLUT_DOWN, 200, 200)},
        {"input.left.drag", moves({{220, 200}, {240, 190}, {260, 170}, {263, 171}})},
        {"input.right.pressAndDrag",
         then(button(GLUT_RIGHT_BUTTON, GLUT_DOWN, 263, 171), moves({{250, 180}, {240, 205}}))},
        {"input.right.release.leftDragsOn",
         then(button(GLUT_RIGHT_BUTTON, GLUT_UP, 240, 205), moves({{200, 260}}))},
        {"input.left.release.moveIgnored",
         then(button(GLUT_LEFT_BUTTON, GLUT_UP, 200, 260), moves({{500, 20}}))},
        {"input.wheel.up2", notches(wheelUp, 2)},
        {"input.wheel.down1", notches(wheelDown, 1)},
        {"input.zoomed.left.drag",
         then(then(button(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100), moves({{130, 80}})),
              button(GLUT_LEFT_BUTTON, GLUT_UP, 130, 80))},
        {"input.F1.F2", then(specialKey(GLUT_KEY_F1), specialKey(GLUT_KEY_F2))},
        {"input.F3", specialKey(GLUT_KEY_F3)},
        {"input.F3.twice", then(specialKey(GLUT_KEY_F3), specialKey(GLUT_KEY_F3))},
        {"input.resume.step1", then(press(spaceKey), run(1))},
    };
    script.insert(script.end(), input.begin(), input.end());
}

// `count` motion events from (x, y), `dy` pixels apart down (up when negative).
std::function<void()> movesDown(int x, int y, int dy, int count)
{
    std::vector<std::pair<int, int>> points;
    for (int i = 1; i <= count; ++i)
        points.emplace_back(x, y + i * dy);
    return moves(points);
}

// The drag by angles (F8) from the start pose: down 85.5 degrees, over the
// pole (the flip), back up over it; twenty Down arrows onto the pole itself
// and one over; F8 ending a drag (the motion after it does nothing); by
// vectors again.
void addAngles(std::vector<Step>& script)
{
    const std::vector<Step> angles = {
        {"angles.F8.press", then(then(resetProgramState, specialKey(GLUT_KEY_F8)),
                                 button(GLUT_LEFT_BUTTON, GLUT_DOWN, 200, 100))},
        {"angles.drag.down190", movesDown(200, 100, 10, 19)},
        {"angles.drag.overThePole", movesDown(200, 290, 10, 2)},
        {"angles.drag.backOverThePole", movesDown(200, 310, -10, 21)},
        {"angles.release.arrows.down20", then(button(GLUT_LEFT_BUTTON, GLUT_UP, 200, 100),
                                              [] {
                                                  for (int i = 0; i < 20; ++i)
                                                      special(GLUT_KEY_DOWN, 0, 0);
                                              })},
        {"angles.arrow.overThePole", specialKey(GLUT_KEY_DOWN)},
        {"angles.press.drag.F8",
         then(then(button(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100), moves({{130, 120}})),
              specialKey(GLUT_KEY_F8))},
        {"angles.F8.moveIgnored",
         then(moves({{150, 200}}), button(GLUT_LEFT_BUTTON, GLUT_UP, 150, 200))},
        {"angles.vectors.drag",
         then(then(button(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100), moves({{100, 150}})),
              button(GLUT_LEFT_BUTTON, GLUT_UP, 100, 150))},
    };
    script.insert(script.end(), angles.begin(), angles.end());
}

std::vector<Step> script()
{
    std::vector<Step> steps = {{"start", [] {}}};
    addDemonstrations(steps);
    addTour(steps);
    addDegenerateTurns(steps);
    addHand(steps);
    addLesson(steps);
    addWindowInput(steps);
    addAngles(steps);
    return steps;
}

}  // namespace

int main()
{
    for (const Step& step : script()) {
        step.action();
        const std::string line = stateLine(step.checkpoint);
        if (std::fputs(line.c_str(), stdout) < 0)
            return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
