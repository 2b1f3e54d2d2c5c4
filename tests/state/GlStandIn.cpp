// The objects that hold the callbacks the replay drives also hold the frame,
// the scene and Camera::apply, so the linker asks for the OpenGL and GLU
// functions those call, although the replay never calls them. Where the
// system's OpenGL library can be linked without a display it may be linked
// instead of these.

#include <GL/gl.h>
#include <GL/glu.h>

void APIENTRY glBegin(GLenum /*mode*/) {}
void APIENTRY glEnd() {}
void APIENTRY glClear(GLbitfield /*mask*/) {}
void APIENTRY glClearColor(GLclampf /*red*/, GLclampf /*green*/, GLclampf /*blue*/,
                           GLclampf /*alpha*/)
{
}
void APIENTRY glColor3f(GLfloat /*red*/, GLfloat /*green*/, GLfloat /*blue*/) {}
void APIENTRY glEnable(GLenum /*capability*/) {}
void APIENTRY glLightfv(GLenum /*light*/, GLenum /*name*/, const GLfloat* /*values*/) {}
void APIENTRY glLineWidth(GLfloat /*width*/) {}
void APIENTRY glLoadIdentity() {}
void APIENTRY glMatrixMode(GLenum /*mode*/) {}
void APIENTRY glNormal3f(GLfloat /*x*/, GLfloat /*y*/, GLfloat /*z*/) {}
void APIENTRY glPushMatrix() {}
void APIENTRY glPopMatrix() {}
void APIENTRY glRasterPos4dv(const GLdouble* /*v*/) {}
void APIENTRY glTranslatef(GLfloat /*x*/, GLfloat /*y*/, GLfloat /*z*/) {}
void APIENTRY glVertex3dv(const GLdouble* /*v*/) {}
void APIENTRY glVertex3f(GLfloat /*x*/, GLfloat /*y*/, GLfloat /*z*/) {}
void APIENTRY glViewport(GLint /*x*/, GLint /*y*/, GLsizei /*width*/, GLsizei /*height*/) {}
void APIENTRY gluLookAt(GLdouble /*eyeX*/, GLdouble /*eyeY*/, GLdouble /*eyeZ*/,
                        GLdouble /*centreX*/, GLdouble /*centreY*/, GLdouble /*centreZ*/,
                        GLdouble /*upX*/, GLdouble /*upY*/, GLdouble /*upZ*/)
{
}
void APIENTRY gluPerspective(GLdouble /*fovy*/, GLdouble /*aspect*/, GLdouble /*near*/,
                             GLdouble /*far*/)
{
}
