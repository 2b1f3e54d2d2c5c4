#include "display/Window.h"

#include "opengl/GlHeaders.h"

int main(int argc, char** argv)
{
    startUp(&argc, argv);
    glutMainLoop();
    return 0;
}
