#include "display/Overlays.h"

#include "animation/FrameHistory.h"
#include "animation/HandControl.h"
#include "animation/Pace.h"
#include "camera/Camera.h"
#include "display/Scene.h"

#include "opengl/GlHeaders.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

bool showControls = false;
bool showCameraFrame = false;

namespace {

// Every line starts 8 pixels into the overview, at every window size. The
// controls take the bottom two lines, the figures the line above whatever is
// shown below them.
constexpr int textColumn = 8;
constexpr int controlsRow = 7;
constexpr int lineSpacing = 14;
// A glyph starts at the pixel that holds the raster position (its
// coordinates are rounded down): aimed a quarter pixel into it, no rounding
// of the transform can move the text by one.
constexpr double intoPixel = 0.25;

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

// Draws `text` from the pixel (column, row) of the current view, `width` x
// `height` pixels, counted from its lower left corner. With identity
// matrices the raster position is in normalized device coordinates: a
// pixel-for-pixel projection over the view.
void drawTextAtPixel(int column, int row, int width, int height, const char* text)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const double position[4] = {2.0 * (column + intoPixel) / width - 1.0,
                                2.0 * (row + intoPixel) / height - 1.0, 0.0, 1.0};
    drawText(position, text);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace

void hideOverlays()
{
    showControls = false;
    showCameraFrame = false;
    glutPostRedisplay();
}

void drawControls(int viewWidth, int viewHeight)
{
    drawTextAtPixel(textColumn, controlsRow, viewWidth, viewHeight,
                    "drag: orbit  right: turn  wheel: zoom  Home  F2");
    // Each line fits the overview of the first window size (47 characters),
    // in a fixed buffer: drawing a frame allocates nothing. F4 and F8 name
    // the pace and the way the drag turns that hold now.
    static char keys[48];
    char pace[8] = "full";
    if (animationPace != Pace())
        (void)std::snprintf(pace, sizeof pace, "1/%d", animationPace.divisor());
    const char* turning = handTurning == HandTurning::byAngles ? "angles" : "vectors";
    (void)std::snprintf(keys, sizeof keys, "F3: step  F4: pace %s  F8: %s  F11: full", pace,
                        turning);
    drawTextAtPixel(textColumn, controlsRow + lineSpacing, viewWidth, viewHeight, keys);
}

void drawCameraFrame(int viewWidth, int viewHeight)
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
    const double cosine = std::clamp(direction.dot(up) / (directionLength * upLength), -1.0, 1.0);
    // The turn keeps six characters with its sign, up to the half turn a
    // frame can turn at most, so that the line keeps its length.
    const double turn = latestFrame().pictureTurn;
    const int turnDecimals = std::fabs(turn) < 9.9995 ? 3 : std::fabs(turn) < 99.995 ? 2 : 1;
    // A fixed buffer: drawing a frame allocates nothing. The line fits the
    // first window size (48 characters from the overview's text column to
    // the window's edge) for every pose the program reaches; anything longer
    // is cut short. 0xb0 is the font's degree sign.
    static char figures[96];
    (void)std::snprintf(figures, sizeof figures, "|d|,|u|-1 %+.0e %+.0e %.2f\xb0 r %.2f t%+.*f\xb0",
                        directionLength - 1.0, upLength - 1.0, std::acos(cosine) * degreesPerRadian,
                        camera.position.length(), turnDecimals, turn);
    const int figuresRow = controlsRow + (showControls ? 2 : 1) * lineSpacing;
    drawTextAtPixel(textColumn, figuresRow, viewWidth, viewHeight, figures);
}
