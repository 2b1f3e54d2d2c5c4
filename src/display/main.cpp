#include "display/Window.h"

#include <GL/glut.h>

int main(int argc, char** argv)
{
    startUp(&argc, argv);
    glutMainLoop();
    return 0;
}
