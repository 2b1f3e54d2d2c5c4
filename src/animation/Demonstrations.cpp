#include "animation/Demonstrations.h"

#include "animation/Captions.h"
#include "animation/FrameHistory.h"
#include "animation/HandControl.h"
#include "animation/Pace.h"
#include "animation/Trail.h"
#include "camera/Camera.h"

#include "opengl/GlHeaders.h"

#include <cmath>

// The three animation parameters are single precision on purpose: every
// store rounds to float, and the camera paths follow from that rounding.
bool animating = true;
int modeCounter = 0;
const char* caption = "";
float orbitRadius = 10.0f;
float orbitAngle = 0.0f;
float elevation = 0.0f;

namespace {

constexpr double angleStep = 0.00785398;  // 800 steps make one turn
constexpr double fullTurn = 6.283185307179586;
constexpr double swingRate = 4.0;
constexpr double elevationSwing = 0.6283184;
constexpr double radiusSwing = 3.0;
constexpr double meanRadius = 10.0;
constexpr float highElevation = 1.420796f;
constexpr double examineRadius = 10.0;
constexpr float examineDistance = 10.0f;
constexpr double examineYaw = 0.1;
constexpr double examinePitch = 0.02;

// Advances orbitAngle by one step and returns the new value. The float angle
// is wrapped back by a full turn once it reaches 2 pi: left to grow, its
// float spacing would swallow the step and freeze the animation.
double advanceAngle()
{
    orbitAngle = static_cast<float>(orbitAngle + angleStep);
    if (static_cast<double>(orbitAngle) >= fullTurn)
        orbitAngle = static_cast<float>(orbitAngle - fullTurn);
    return orbitAngle;
}

void aimAtOrigin()
{
    Vector3 towardOrigin;
    towardOrigin.set(-camera.position.x, -camera.position.y, -camera.position.z);
    camera.direction = towardOrigin.normalized();
}

void placeOnSphere(double angle, double radius, double elevationAngle)
{
    const double cosElevation = std::cos(elevationAngle);
    camera.position =
        Vector3((std::sin(angle) * radius) * cosElevation, std::sin(elevationAngle) * radius,
                (std::cos(angle) * radius) * cosElevation);
}

void placeOnCircle(double angle, double radius)
{
    camera.position = Vector3(std::sin(angle) * radius, 0.0, std::cos(angle) * radius);
}

void circleInXZ()
{
    caption = demonstrationCaptions[0];
    const double angle = advanceAngle();
    placeOnCircle(angle, orbitRadius);
    aimAtOrigin();
}

void polarSphere()
{
    caption = demonstrationCaptions[1];
    const double angle = advanceAngle();
    elevation = static_cast<float>(elevationSwing * std::sin(swingRate * angle));
    placeOnSphere(angle, orbitRadius, elevation);
    aimAtOrigin();
}

void varyingRadius()
{
    caption = demonstrationCaptions[2];
    const double angle = advanceAngle();
    orbitRadius = static_cast<float>(radiusSwing * std::cos(swingRate * angle) + meanRadius);
    placeOnCircle(angle, orbitRadius);
    aimAtOrigin();
}

void sphereFromTooHigh()
{
    caption = demonstrationCaptions[3];
    elevation = highElevation;
    const double angle = advanceAngle();
    placeOnSphere(angle, orbitRadius, static_cast<double>(highElevation));
    aimAtOrigin();
}

void trueExamine()
{
    caption = demonstrationCaptions[4];
    // Coming from a mode that left the camera off the XZ plane, start the
    // orbit on the circle of radius 10 at the current azimuth.
    if (elevation != 0.0f) {
        elevation = 0.0f;
        placeOnCircle(orbitAngle, examineRadius);  // the angle before this step's advance
        // Looking at the origin, with y a positive zero.
        camera.direction = Vector3(-camera.position.x, 0.0, -camera.position.z).normalized();
    }
    const double angle = advanceAngle();
    camera.examine(examineDistance, static_cast<float>(examineYaw * std::cos(angle)),
                   static_cast<float>(examinePitch * std::sin(angle)));
}

}  // namespace

void idle()
{
    if (!animating)
        return;
    if (paceAllowsStep())
        advanceDemonstration();
    else
        // A slower pace draws the same picture again in between, so that the
        // idle calls come at the pace of frames, as the steps do at full pace.
        glutPostRedisplay();
}

void advanceDemonstration()
{
    const Camera before = camera;
    switch (modeCounter % demonstrationCount) {
    case 0: circleInXZ(); break;
    case 1: polarSphere(); break;
    case 2: varyingRadius(); break;
    case 3: sphereFromTooHigh(); break;
    case 4: trueExamine(); break;
    default: break;
    }

    recordTrail();
    recordFrame(before);
    resetHandDistance();
    glutPostRedisplay();
}

void stepOnce()
{
    if (animating)
        holdCamera();
    restartPaceCount();
    advanceDemonstration();
}

void restartDemonstrations()
{
    camera = Camera();
    modeCounter = 0;
    caption = "";
    orbitRadius = 10.0f;
    orbitAngle = 0.0f;
    elevation = 0.0f;
    animating = true;
    glutIdleFunc(idle);
    glutPostRedisplay();
}
