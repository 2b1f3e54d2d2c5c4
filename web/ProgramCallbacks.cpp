#include "ProgramCallbacks.h"

#include "animation/Demonstrations.h"
#include "animation/Keyboard.h"
#include "display/HandInput.h"
#include "display/Window.h"

namespace web {

void programIdle()
{
    idle();
}
void programDisplay()
{
    display();
}
void programKeyboard(unsigned char key, int x, int y)
{
    keyboard(key, x, y);
}
void programReshape(int width, int height)
{
    reshape(width, height);
}
void programMouse(int button, int state, int x, int y)
{
    mouse(button, state, x, y);
}
void programMotion(int x, int y)
{
    motion(x, y);
}
void programSpecial(int key, int x, int y)
{
    special(key, x, y);
}

}  // namespace web
