#include "display/Overlays.h"

#include "camera/Camera.h"
#include "display/Scene.h"

#include "opengl/GlHeaders.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

bool showControls = false;
bool showCameraFrame = false;

namespace {

// Both lines start 8 pixels into the overview, 14 pixels apart near its
// bottom, in the window's first size.
constexpr double controlsPosition[4] = {12.875, 10.75, 18.625, 1.0};
constexpr double figuresPosition[4] = {12.75, 11.0, 18.5, 1.0};

constexpr double arrowLength = 3.0;
constexpr double headLength = 0.6;
constexpr double headWidth = 0.3;
constexpr double degreesPerRadian = 57.29577951308232;

// base + a * u + b * v
Vector3 offset(const Vector3& base, double a, const Vector3& u, double b, const Vector3& v)
{
    return {base.x + a * u.x + b * v.x, base.y + a * u.y + b * v.y, base.z + a * u.z + b * v.z};
}

// A shaft from the eye along `along` and two head strokes in the plane of
// `along` and `across`.
void drawArrow(float red, float green, float blue, const Vector3& along, const Vector3& across)
{
    glColor3f(red, green, blue);
    glBegin(GL_LINES);
    const Vector3& eye = camera.position;
    const Vector3 tip = offset(eye, arrowLength, along, 0.0, across);
    const Vector3 headLeft = offset(tip, -headLength, along, headWidth, across);
    const Vector3 headRight = offset(tip, -headLength, along, -headWidth, across);
    const Vector3* const strokes[6] = {&eye, &tip, &tip, &headLeft, &tip, &headRight};
    for (const Vector3* point : strokes)
        glVertex3dv(&point->x);
    glEnd();
}

double dot(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

}  // namespace

void drawControls()
{
    drawText(controlsPosition, "drag: orbit  right: turn  wheel: zoom  Home  F2");
}

void drawCameraFrame()
{
    const Vector3& direction = camera.direction;
    const Vector3& up = camera.up;
    const Vector3 right = direction.cross(up).normalized();

    // Lit like the axes, so the colours keep most of their strength.
    glNormal3f(0.0f, 1.0f, 0.0f);
    drawArrow(1.0f, 1.0f, 0.0f, direction, up);
    drawArrow(0.0f, 1.0f, 1.0f, up, direction);
    drawArrow(1.0f, 0.0f, 1.0f, right, up);

    const double directionLength = direction.length();
    const double upLength = up.length();
    const double cosine = std::clamp(dot(direction, up) / (directionLength * upLength), -1.0, 1.0);
    // A fixed buffer: drawing a frame allocates nothing. The line fits for
    // every pose the program reaches; anything longer is cut short.
    static char figures[96];
    (void)std::snprintf(figures, sizeof figures, "|d|-1 %+.0e  |u|-1 %+.0e  %.2f deg  r %.3f",
                        directionLength - 1.0, upLength - 1.0, std::acos(cosine) * degreesPerRadian,
                        camera.position.length());
    drawText(figuresPosition, figures);
}
