#pragma once

// OpenGL, GLU and GLUT as the platform provides them: Apple ships GLUT as a
// framework of its own and marks the whole of OpenGL as deprecated; everyone
// else has freeglut's <GL/glut.h>, which brings <GL/gl.h> and <GL/glu.h>.
#if defined(__APPLE__)
#ifndef GL_SILENCE_DEPRECATION
#define GL_SILENCE_DEPRECATION
#endif
#include <GLUT/glut.h>
#else
#include <GL/glut.h>
#endif
