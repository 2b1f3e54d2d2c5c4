#pragma once

// The demonstrations' names, in the order the mode key runs them: the outside
// view shows the running one's, and the web page lists them all.
inline constexpr int demonstrationCount = 5;
inline constexpr const char* demonstrationCaptions[demonstrationCount] = {
    "A circle in XZ",
    "A polar sphere",
    "Varying the radius of an XZ circle",
    "Spinning a polar sphere from too high up (undesired behavior)",
    "True examine mode using vectors",
};
