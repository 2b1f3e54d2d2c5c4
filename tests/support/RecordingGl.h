#pragma once

// A recording stand-in for the OpenGL, GLU and GLUT entry points the program
// calls. Linked in place of the real libraries, it draws nothing and keeps
// every call, with its arguments widened to double, so that tests can check
// exact call sequences without a window.

#include <ostream>
#include <string>
#include <vector>

struct GlCall {
    std::string name;
    std::vector<double> args;       // every numeric argument, widened exactly
    std::string text;               // string argument (window title), if any
    const void* pointer = nullptr;  // callback or font argument, if any

    bool operator==(const GlCall& other) const;
};

std::ostream& operator<<(std::ostream& out, const GlCall& call);

namespace recording {

// Every call made since the last clear(), in order.
const std::vector<GlCall>& calls();
void clear();

// While false, calls are not kept (for allocation and speed measurements).
void setEnabled(bool enabled);

// The calls with the given name, in order.
std::vector<GlCall> callsNamed(const std::string& name);
int countNamed(const std::string& name);

// The callbacks installed through the stand-in, as the main loop would see them.
struct Callbacks {
    void (*display)() = nullptr;
    void (*keyboard)(unsigned char, int, int) = nullptr;
    void (*idle)() = nullptr;
    void (*reshape)(int, int) = nullptr;
    void (*mouse)(int, int, int, int) = nullptr;
    void (*motion)(int, int) = nullptr;
    void (*special)(int, int, int) = nullptr;
};
const Callbacks& callbacks();

}  // namespace recording

// Shorthand for building expected calls in tests.
GlCall call(const std::string& name, std::vector<double> args = {});
