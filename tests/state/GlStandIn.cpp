// drawTrail and Camera::apply sit in the objects that hold recordTrail and
// Camera::examine, so the linker asks for the OpenGL and GLU functions they
// call, although the replay never calls them. Where the system's OpenGL
// library can be linked without a display it may be linked instead of these.

#include <GL/gl.h>
#include <GL/glu.h>

void APIENTRY glBegin(GLenum /*mode*/) {}
void APIENTRY glEnd() {}
void APIENTRY glColor3f(GLfloat /*red*/, GLfloat /*green*/, GLfloat /*blue*/) {}
void APIENTRY glVertex3dv(const GLdouble* /*v*/) {}
void APIENTRY gluLookAt(GLdouble /*eyeX*/, GLdouble /*eyeY*/, GLdouble /*eyeZ*/,
                        GLdouble /*centreX*/, GLdouble /*centreY*/, GLdouble /*centreZ*/,
                        GLdouble /*upX*/, GLdouble /*upY*/, GLdouble /*upZ*/)
{
}
