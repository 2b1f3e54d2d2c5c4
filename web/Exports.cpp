// The program's callbacks under their own names with C linkage, so that the
// page and its tests can drive the program exactly as the desktop tests do
// (Module._idle, Module._display, ...).
#include "ProgramCallbacks.h"

#include <emscripten.h>

extern "C" {

EMSCRIPTEN_KEEPALIVE void idle()
{
    web::programIdle();
}
EMSCRIPTEN_KEEPALIVE void display()
{
    web::programDisplay();
}
EMSCRIPTEN_KEEPALIVE void keyboard(int key, int x, int y)
{
    web::programKeyboard(static_cast<unsigned char>(key), x, y);
}
EMSCRIPTEN_KEEPALIVE void reshape(int width, int height)
{
    web::programReshape(width, height);
}
EMSCRIPTEN_KEEPALIVE void mouse(int button, int state, int x, int y)
{
    web::programMouse(button, state, x, y);
}
EMSCRIPTEN_KEEPALIVE void motion(int x, int y)
{
    web::programMotion(x, y);
}
EMSCRIPTEN_KEEPALIVE void special(int key, int x, int y)
{
    web::programSpecial(key, x, y);
}

}  // extern "C"

// The running demonstration's name, for the page's own text. Declared here:
// its header also declares the program's idle(), which the export above
// would clash with.
extern const char* caption;

extern "C" EMSCRIPTEN_KEEPALIVE const char* programCaption()
{
    return caption;
}
