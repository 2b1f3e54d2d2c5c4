// Renders one reference frame with the real program in a real window and the
// real GLUT, and writes the pixels OpenGL reads back to a PPM file, to be
// compared with tests/golden/ on any machine. It needs nothing but the
// program's own dependencies, so it builds wherever the program builds, a
// cross build for Windows included.
//
// Usage: render_frame --list-cases
//        render_frame --renderer                  (GL_RENDERER and GL_VERSION)
//        render_frame --render-case NAME OUT.ppm

#include "GoldenCaseList.h"
#include "WindowControl.h"

#include "animation/Keyboard.h"
#include "display/Window.h"
#include "opengl/GlHeaders.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

bool writePpm(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    // OpenGL's rows run from the bottom up; a picture's from the top down.
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    bool written = true;
    for (int y = height - 1; y >= 0; --y)
        written = written && std::fwrite(&rgb[y * rowBytes], 1, rowBytes, file) == rowBytes;
    return std::fclose(file) == 0 && written;
}

int renderCase(const GoldenCase& goldenCase, const std::string& out)
{
    realwindow::open();
    for (int i = 0; i < goldenCase.modeKeys; ++i)
        keyboard('m', 0, 0);
    realwindow::step(goldenCase.steps);
    display();
    glFinish();
    std::vector<unsigned char> rgb(static_cast<std::size_t>(windowWidth) * windowHeight * 3);
    // display() has swapped the buffers already. Mesa's software renderer
    // (on X, and behind wine) swaps by copying the back buffer to the window
    // and keeps it, while reading GL_FRONT gives its never-drawn stand-in for
    // the window: so the frame is read from the back buffer.
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    if (glGetError() != GL_NO_ERROR) {
        std::cerr << "render_frame: OpenGL reported an error reading the frame back\n";
        return 1;
    }
    if (!writePpm(out, windowWidth, windowHeight, rgb)) {
        std::cerr << "render_frame: cannot write " << out << '\n';
        return 1;
    }
    return 0;
}

int printRenderer()
{
    realwindow::open();
    const auto text = [](GLenum name) {
        const GLubyte* value = glGetString(name);
        return value == nullptr ? std::string("unknown") : reinterpret_cast<const char*>(value);
    };
    std::cout << text(GL_RENDERER) << '\n' << text(GL_VERSION) << '\n';
    return 0;
}

int usage()
{
    std::cerr << "usage: render_frame --list-cases\n"
                 "       render_frame --renderer\n"
                 "       render_frame --render-case NAME OUT.ppm\n";
    return 2;
}

int run(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "--list-cases" && argc == 2) {
        for (const GoldenCase& goldenCase : goldenCases())
            std::cout << goldenCase.name << '\n';
        return 0;
    }
    if (command == "--renderer" && argc == 2)
        return printRenderer();
    if (command == "--render-case" && argc == 4) {
        for (const GoldenCase& goldenCase : goldenCases())
            if (goldenCase.name == argv[2])
                return renderCase(goldenCase, argv[3]);
        std::cerr << "render_frame: no such case: " << argv[2] << '\n';
        return 2;
    }
    return usage();
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "render_frame: " << error.what() << '\n';
        return 1;
    }
}
