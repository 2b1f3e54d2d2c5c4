#include "animation/Trail.h"

#include "camera/Camera.h"

#include "opengl/GlHeaders.h"

Vector3 trail[trailLength];
int trailHead = 0;

void recordTrail()
{
    trail[trailHead] = camera.position;
    ++trailHead;
    if (trailHead == trailLength)
        trailHead = 0;
}

void clearTrail()
{
    for (Vector3& entry : trail)
        entry = Vector3();
    trailHead = 0;
}

void drawTrail()
{
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < trailLength; ++i) {
        const Vector3& point = trail[(trailHead + i) % trailLength];
        if (point.x != 0.0 || point.y != 0.0 || point.z != 0.0)
            glVertex3dv(&point.x);
    }
    glEnd();
}
