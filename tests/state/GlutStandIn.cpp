// The replay runs the program's callbacks with no window: these do-nothing
// definitions take the place of the GLUT entry points that the program's
// libraries name. They are declared by the program's own GLUT header, so each
// has the same calling convention as the real function on every platform. Of
// them the callbacks the replay drives call only glutPostRedisplay and
// glutIdleFunc; the rest sit in the same objects as the callbacks (start-up,
// frames, full screen) and must only link.

#include <GL/glut.h>

void FGAPIENTRY glutPostRedisplay() {}
void FGAPIENTRY glutIdleFunc(void (* /*callback*/)()) {}

#if defined(_WIN32) && !defined(GLUT_DISABLE_ATEXIT_HACK) && !defined(__WATCOMC__)
// There the header routes glutInit and glutCreateWindow through these, which
// are handed the program's exit function.
void FGAPIENTRY __glutInitWithExit(int* /*argc*/, char** /*argv*/, void(__cdecl* /*exit*/)(int)) {}
int FGAPIENTRY __glutCreateWindowWithExit(const char* /*title*/, void(__cdecl* /*exit*/)(int))
{
    return 1;
}
#else
void FGAPIENTRY glutInit(int* /*argc*/, char** /*argv*/) {}
int FGAPIENTRY glutCreateWindow(const char* /*title*/)
{
    return 1;
}
#endif
#if !defined(_WIN32)
// Elsewhere a font is the address of a variable of the library's.
void* glutBitmap8By13 = nullptr;
#endif

void FGAPIENTRY glutInitDisplayMode(unsigned int /*mode*/) {}
void FGAPIENTRY glutInitWindowPosition(int /*x*/, int /*y*/) {}
void FGAPIENTRY glutInitWindowSize(int /*width*/, int /*height*/) {}
void FGAPIENTRY glutDisplayFunc(void (* /*callback*/)()) {}
void FGAPIENTRY glutKeyboardFunc(void (* /*callback*/)(unsigned char, int, int)) {}
void FGAPIENTRY glutReshapeFunc(void (* /*callback*/)(int, int)) {}
void FGAPIENTRY glutMouseFunc(void (* /*callback*/)(int, int, int, int)) {}
void FGAPIENTRY glutMotionFunc(void (* /*callback*/)(int, int)) {}
void FGAPIENTRY glutSpecialFunc(void (* /*callback*/)(int, int, int)) {}
void FGAPIENTRY glutSwapBuffers() {}
void FGAPIENTRY glutFullScreen() {}
void FGAPIENTRY glutReshapeWindow(int /*width*/, int /*height*/) {}
void FGAPIENTRY glutBitmapCharacter(void* /*font*/, int /*character*/) {}
void FGAPIENTRY glutSolidCube(double /*size*/) {}
void FGAPIENTRY glutSolidSphere(double /*radius*/, GLint /*slices*/, GLint /*stacks*/) {}
void FGAPIENTRY glutWireSphere(double /*radius*/, GLint /*slices*/, GLint /*stacks*/) {}
