#include "Png.h"

#include <png.h>

#include <cstring>
#include <stdexcept>

namespace png {

Image read(const std::string& path)
{
    png_image header;
    std::memset(&header, 0, sizeof header);
    header.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&header, path.c_str()))
        throw std::runtime_error("cannot read " + path + ": " + header.message);
    // Whatever the file holds (palette, grey, alpha, 16 bits), read 8-bit RGB.
    header.format = PNG_FORMAT_RGB;
    Image image;
    image.width = static_cast<int>(header.width);
    image.height = static_cast<int>(header.height);
    image.rgb.resize(PNG_IMAGE_SIZE(header));
    if (!png_image_finish_read(&header, nullptr, image.rgb.data(), 0, nullptr))
        throw std::runtime_error("cannot decode " + path + ": " + header.message);
    return image;
}

void write(const Image& image, const std::string& path)
{
    png_image header;
    std::memset(&header, 0, sizeof header);
    header.version = PNG_IMAGE_VERSION;
    header.width = static_cast<png_uint_32>(image.width);
    header.height = static_cast<png_uint_32>(image.height);
    header.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&header, path.c_str(), 0, image.rgb.data(), 0, nullptr))
        throw std::runtime_error("cannot write " + path + ": " + header.message);
}

}  // namespace png
