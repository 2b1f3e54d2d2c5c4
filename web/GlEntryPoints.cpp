// OpenGL 1.x, GLU and GLUT: exactly the entry points the program calls, on
// the fixed-function layer and WebGL. Anything else the program might call
// is left undefined, so that the link fails rather than the page.
#include "GlEntryPoints.h"

#include "FixedFunction.h"
#include "GluMatrices.h"
#include "Page.h"
#include "Shapes.h"
#include "font8x13.h"

#include <GL/glu.h>
#include <GL/glut.h>

namespace {

void drawTriangles(const weblayer::Viewport& viewport, const weblayer::ClipVertex* vertices,
                   int count)
{
    pageViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    pageDraw(vertices->clip, count);
}

weblayer::FixedFunction gl(drawTriangles);
float clearColor[4] = {0, 0, 0, 0};
int initialWidth = 300, initialHeight = 300;

}  // namespace

namespace weblayer {

void setWindow(int width, int height, double pixelRatio)
{
    gl.setWindowSize(width, height, pixelRatio);
}

}  // namespace weblayer

extern "C" {

// ---- OpenGL ----

void glEnable(GLenum cap)
{
    switch (cap) {
    case GL_DEPTH_TEST:
        gl.flush();
        pageEnableDepthTest();
        break;
    case GL_LIGHTING: gl.setLighting(true); break;
    case GL_LIGHT0: gl.setLight0(true); break;
    case GL_COLOR_MATERIAL: gl.setColorMaterial(true); break;
    default: break;
    }
}
void glMatrixMode(GLenum mode)
{
    gl.selectProjection(mode == GL_PROJECTION);
}
void glLoadIdentity()
{
    gl.loadIdentity();
}
void glPushMatrix()
{
    gl.push();
}
void glPopMatrix()
{
    gl.pop();
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    gl.translate(x, y, z);
}
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a)
{
    const GLclampf rgba[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i)
        clearColor[i] = weblayer::toEightBits(rgba[i]);
}
void glClear(GLbitfield mask)
{
    gl.flush();
    pageClear(clearColor[0], clearColor[1], clearColor[2], clearColor[3],
              (mask & GL_COLOR_BUFFER_BIT) != 0 ? 1 : 0, (mask & GL_DEPTH_BUFFER_BIT) != 0 ? 1 : 0);
}
void glLineWidth(GLfloat width)
{
    gl.setLineWidth(width);
}
void glLightfv(GLenum light, GLenum pname, const GLfloat* params)
{
    if (light != GL_LIGHT0)
        return;
    switch (pname) {
    case GL_AMBIENT: gl.setLightAmbient(params); break;
    case GL_DIFFUSE: gl.setLightDiffuse(params); break;
    case GL_POSITION: gl.setLightPosition(params); break;
    default: break;
    }
}
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    gl.setViewport(x, y, width, height);
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b)
{
    gl.color(r, g, b);
}
void glNormal3f(GLfloat x, GLfloat y, GLfloat z)
{
    gl.normal(x, y, z);
}
// glBegin hands its mode over as it is; unknown ones, GL_POINTS among them,
// are refused as OpenGL's invalid enum.
static_assert(static_cast<GLenum>(weblayer::Primitive::lines) == GL_LINES &&
              static_cast<GLenum>(weblayer::Primitive::lineLoop) == GL_LINE_LOOP &&
              static_cast<GLenum>(weblayer::Primitive::lineStrip) == GL_LINE_STRIP &&
              static_cast<GLenum>(weblayer::Primitive::triangles) == GL_TRIANGLES &&
              static_cast<GLenum>(weblayer::Primitive::triangleStrip) == GL_TRIANGLE_STRIP &&
              static_cast<GLenum>(weblayer::Primitive::triangleFan) == GL_TRIANGLE_FAN &&
              static_cast<GLenum>(weblayer::Primitive::quads) == GL_QUADS &&
              static_cast<GLenum>(weblayer::Primitive::quadStrip) == GL_QUAD_STRIP &&
              static_cast<GLenum>(weblayer::Primitive::polygon) == GL_POLYGON);
void glBegin(GLenum mode)
{
    gl.begin(static_cast<weblayer::Primitive>(mode));
}
void glEnd()
{
    gl.end();
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    gl.vertex(x, y, z);
}
void glVertex3dv(const GLdouble* v)
{
    gl.vertex(static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2]));
}
void glRasterPos4dv(const GLdouble* v)
{
    gl.rasterPosition(v[0], v[1], v[2], v[3]);
}

// ---- GLU ----

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    weblayer::Matrix m{};
    if (weblayer::perspectiveMatrix(fovy, aspect, zNear, zFar, m))
        gl.multiply(m);
}
void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY,
               GLdouble centreZ, GLdouble upX, GLdouble upY, GLdouble upZ)
{
    gl.multiply(
        weblayer::lookAtRotation(eyeX, eyeY, eyeZ, centreX, centreY, centreZ, upX, upY, upZ));
    // GLU translates with doubles, which OpenGL keeps as floats.
    gl.translate(static_cast<float>(-eyeX), static_cast<float>(-eyeY), static_cast<float>(-eyeZ));
}

// ---- GLUT: window and drawing ----

void* glutBitmap8By13 = nullptr;

void glutInit(int* /*argc*/, char** /*argv*/) {}
void glutInitDisplayMode(unsigned int /*mode*/) {}
void glutInitWindowSize(int width, int height)
{
    initialWidth = width;
    initialHeight = height;
}
void glutInitWindowPosition(int /*x*/, int /*y*/) {}
int glutCreateWindow(const char* title)
{
    pageInit(initialWidth, initialHeight);
    pageSetTitle(title);
    gl.setWindowSize(initialWidth, initialHeight);
    return 1;
}
void glutSwapBuffers()
{
    // The browser shows the canvas when the animation frame ends; what is
    // drawn must be in it by then.
    gl.flush();
}
void glutSolidCube(GLdouble size)
{
    weblayer::solidCube(gl, size);
}
void glutSolidSphere(GLdouble radius, GLint slices, GLint stacks)
{
    weblayer::solidSphere(gl, radius, slices, stacks);
}
void glutWireSphere(GLdouble radius, GLint slices, GLint stacks)
{
    weblayer::wireSphere(gl, radius, slices, stacks);
}
void glutBitmapCharacter(void* font, int character)
{
    if (font != GLUT_BITMAP_8_BY_13 || character < 1 || character > 255)
        return;
    // glBitmap takes rows bottom first, with one more row below the
    // descent, as the desktop toolkit hands them over.
    unsigned char rows[weblayer::glyphHeight + 1] = {};
    for (int row = 0; row < weblayer::glyphHeight; ++row)
        rows[weblayer::glyphHeight - row] = weblayer::glyphRows[character][row];
    const auto below = static_cast<float>(weblayer::glyphHeight - weblayer::glyphAscent + 1);
    gl.bitmap(weblayer::glyphWidth, weblayer::glyphHeight + 1, 0.0f, below,
              static_cast<float>(weblayer::glyphWidth), 0.0f, rows);
}

}  // extern "C"
