#pragma once

#include "GoldenCaseList.h"
#include "RealWindow.h"

#include <string>

// Renders a case in this process, which must not have opened the window yet.
Image renderGoldenCase(const GoldenCase& goldenCase);

// Renders a case in a fresh copy of this test program (which must be the
// running one), through a PNG file at `path`.
Image renderInFreshProcess(const std::string& name, const std::string& path);

// Renders `count` frames `stepsBetween` steps apart after `modeKeys` mode
// keys, into `directory`/frame-NNN.png; for the animated picture of a mode.
void renderFrames(int modeKeys, int stepsBetween, int count, const std::string& directory);
