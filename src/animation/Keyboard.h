#pragma once

// The GLUT keyboard callback: Escape quits, space pauses and resumes, any
// other key moves on to the next demonstration.
void keyboard(unsigned char key, int x, int y);
