#pragma once

#include "RealWindow.h"

#include <string>

// 8-bit RGB PNG files, the format of the checked-in reference pictures.
namespace png {

Image read(const std::string& path);
void write(const Image& image, const std::string& path);

}  // namespace png
