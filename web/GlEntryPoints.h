#pragma once

namespace web {

// The canvas's size in pixels, for what is drawn in window coordinates.
void setWindowSize(int width, int height);

}  // namespace web
