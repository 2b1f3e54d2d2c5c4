// The program's callbacks with C linkage under names of their own, so that
// the page's tests can drive the program exactly as the desktop tests do
// (Module._programIdle, Module._programDisplay, ...).
#include "animation/Demonstrations.h"
#include "animation/Keyboard.h"
#include "display/HandInput.h"
#include "display/Window.h"

#include <emscripten.h>

extern "C" {

EMSCRIPTEN_KEEPALIVE void programIdle()
{
    idle();
}
EMSCRIPTEN_KEEPALIVE void programDisplay()
{
    display();
}
EMSCRIPTEN_KEEPALIVE void programKeyboard(int key, int x, int y)
{
    keyboard(static_cast<unsigned char>(key), x, y);
}
EMSCRIPTEN_KEEPALIVE void programReshape(int width, int height)
{
    reshape(width, height);
}
EMSCRIPTEN_KEEPALIVE void programMouse(int button, int state, int x, int y)
{
    mouse(button, state, x, y);
}
EMSCRIPTEN_KEEPALIVE void programMotion(int x, int y)
{
    motion(x, y);
}
EMSCRIPTEN_KEEPALIVE void programSpecial(int key, int x, int y)
{
    special(key, x, y);
}

// The running demonstration's name, for the page's own text.
EMSCRIPTEN_KEEPALIVE const char* programCaption()
{
    return caption;
}

}  // extern "C"
