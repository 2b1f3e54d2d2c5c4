// The replay runs the program's callbacks with no window and no OpenGL: these
// do-nothing definitions take the place of the few library entry points that
// the linked code refers to. They are declared by the program's own headers,
// so each definition has the same calling convention as the real function on
// every platform. A callback that starts calling another entry point needs
// one more line here.

#include <GL/glut.h>

// GLUT: the idle and keyboard callbacks ask for redisplays and take the idle
// callback away while paused.
void FGAPIENTRY glutPostRedisplay() {}
void FGAPIENTRY glutIdleFunc(void (* /*callback*/)()) {}

// OpenGL and GLU: drawTrail and Camera::apply sit in the objects that hold
// recordTrail and Camera::examine, so the linker asks for them; they are
// never called.
void APIENTRY glBegin(GLenum /*mode*/) {}
void APIENTRY glEnd() {}
void APIENTRY glColor3f(GLfloat /*red*/, GLfloat /*green*/, GLfloat /*blue*/) {}
void APIENTRY glVertex3dv(const GLdouble* /*v*/) {}
void APIENTRY gluLookAt(GLdouble /*eyeX*/, GLdouble /*eyeY*/, GLdouble /*eyeZ*/,
                        GLdouble /*centreX*/, GLdouble /*centreY*/, GLdouble /*centreZ*/,
                        GLdouble /*upX*/, GLdouble /*upY*/, GLdouble /*upZ*/)
{
}
