#include "ProgramCallbacks.h"

#include "animation/Demonstrations.h"
#include "animation/Keyboard.h"
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

}  // namespace web
