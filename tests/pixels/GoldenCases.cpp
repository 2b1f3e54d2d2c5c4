#include "GoldenCases.h"

#include "Png.h"
#include "ProgramWindow.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <stdexcept>

extern char** environ;

Image renderGoldenCase(const GoldenCase& goldenCase)
{
    realwindow::open();
    pressModeKey(goldenCase.modeKeys);
    realwindow::step(goldenCase.steps);
    return realwindow::renderFrame();
}

void renderFrames(int modeKeys, int stepsBetween, int count, const std::string& directory)
{
    realwindow::open();
    pressModeKey(modeKeys);
    for (int frame = 0; frame < count; ++frame) {
        realwindow::step(stepsBetween);
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%03d.png", frame);
        png::write(realwindow::renderFrame(), directory + name);
    }
}

Image renderInFreshProcess(const std::string& name, const std::string& path)
{
    std::string self = "/proc/self/exe";
    std::string option = "--render-case";
    std::string caseName = name;
    std::string out = path;
    std::vector<char*> arguments = {self.data(), option.data(), caseName.data(), out.data(),
                                    nullptr};
    pid_t child = 0;
    int status = 0;
    if (posix_spawn(&child, self.c_str(), nullptr, nullptr, arguments.data(), environ) != 0 ||
        waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("rendering " + name + " in a fresh process failed");
    return png::read(path);
}
