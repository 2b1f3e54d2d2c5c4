#pragma once

// The program's own GLUT callbacks, reachable from code that must not see
// their C++ declarations (the exports give C functions the same names).
namespace web {

void programIdle();
void programDisplay();
void programKeyboard(unsigned char key, int x, int y);
void programReshape(int width, int height);
void programMouse(int button, int state, int x, int y);
void programMotion(int x, int y);
void programSpecial(int key, int x, int y);

}  // namespace web
