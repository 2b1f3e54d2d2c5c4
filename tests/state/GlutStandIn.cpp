// The replay runs the program's callbacks with no window: these do-nothing
// definitions take the place of the GLUT entry points the callbacks call.
// They are declared by the program's own GLUT header, so each has the same
// calling convention as the real function on every platform. A callback that
// starts calling another GLUT function needs one more line here.

#include <GL/glut.h>

void FGAPIENTRY glutPostRedisplay() {}
void FGAPIENTRY glutIdleFunc(void (* /*callback*/)()) {}
