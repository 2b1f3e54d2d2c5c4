#include "display/Scene.h"

#include "animation/Trail.h"
#include "camera/Camera.h"

#include "opengl/GlHeaders.h"

void drawAxes()
{
    constexpr float reach = 300.0f;
    glNormal3f(0.0f, 1.0f, 0.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_LINES);
    glVertex3f(-reach, 0.0f, 0.0f);
    glVertex3f(reach, 0.0f, 0.0f);
    glVertex3f(0.0f, -reach, 0.0f);
    glVertex3f(0.0f, reach, 0.0f);
    glVertex3f(0.0f, 0.0f, -reach);
    glVertex3f(0.0f, 0.0f, reach);
    glEnd();
}

void drawScene()
{
    glPushMatrix();
    glColor3f(0.0f, 1.0f, 0.0f);
    glutSolidCube(1.0);
    glTranslatef(2.0f, 0.0f, 0.0f);
    glColor3f(0.0f, 0.0f, 1.0f);
    glutSolidSphere(1.0, 20, 20);
    glTranslatef(-4.0f, 0.0f, 0.0f);  // from the blue sphere to (-2, 0, 0)
    glColor3f(1.0f, 0.0f, 0.0f);
    glutWireSphere(1.0, 20, 20);
    glPopMatrix();

    // The camera marker. In the camera's own view it lies inside the near
    // plane and is clipped away, so only the overview shows it.
    glPushMatrix();
    glColor3f(1.0f, 1.0f, 1.0f);
    glTranslatef(static_cast<float>(camera.position.x), static_cast<float>(camera.position.y),
                 static_cast<float>(camera.position.z));
    glutSolidSphere(0.25, 10, 10);
    glPopMatrix();

    drawTrail();
}

void drawCaption(const char* text)
{
    static const double rasterPosition[4] = {-20.0, 9.0, 0.0, 1.0};
    drawText(rasterPosition, text);
}

void drawText(const double position[4], const char* text)
{
    // Lighting stays on: with a zero normal only the ambient terms light the
    // raster colour, which gives the text its grey.
    glColor3f(1.0f, 1.0f, 1.0f);
    glNormal3f(0.0f, 0.0f, 0.0f);
    glRasterPos4dv(position);
    for (const char* c = text; *c != '\0'; ++c)
        glutBitmapCharacter(GLUT_BITMAP_8_BY_13, static_cast<unsigned char>(*c));
}
