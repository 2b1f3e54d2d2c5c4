#pragma once

// What both views draw, in world coordinates. Each leaves the modelview
// matrix as it found it.
void drawAxes();
void drawScene();

// One line of text near the top left of the overview, in the 8 x 13 font.
void drawCaption(const char* text);

// One line of grey text in the 8 x 13 font from the raster position
// `position` (homogeneous world coordinates).
void drawText(const double position[4], const char* text);
