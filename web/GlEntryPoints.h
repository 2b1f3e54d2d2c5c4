#pragma once

namespace weblayer {

// The program's window size in CSS pixels, and the canvas's device pixels
// per CSS pixel.
void setWindow(int width, int height, double pixelRatio);

}  // namespace weblayer
