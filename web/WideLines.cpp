#include "WideLines.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace weblayer {

namespace {

// The part of the segment inside all six clip planes as fractions of its
// length; false when nothing of it is inside.
bool clipped(const ClipVertex& a, const ClipVertex& b, float& enter, float& leave)
{
    // The distances to the planes w + x = 0, w - x = 0, and so on for y and z.
    const float* p = a.clip;
    const float* q = b.clip;
    const float da[6] = {p[3] + p[0], p[3] - p[0], p[3] + p[1],
                         p[3] - p[1], p[3] + p[2], p[3] - p[2]};
    const float db[6] = {q[3] + q[0], q[3] - q[0], q[3] + q[1],
                         q[3] - q[1], q[3] + q[2], q[3] - q[2]};
    enter = 0.0f;
    leave = 1.0f;
    for (int plane = 0; plane < 6; ++plane) {
        if (da[plane] < 0.0f && db[plane] < 0.0f)
            return false;
        if (da[plane] < 0.0f)
            enter = std::max(enter, da[plane] / (da[plane] - db[plane]));
        else if (db[plane] < 0.0f)
            leave = std::min(leave, da[plane] / (da[plane] - db[plane]));
    }
    return enter <= leave;
}

ClipVertex between(const ClipVertex& a, const ClipVertex& b, float t)
{
    ClipVertex p{};
    for (int i = 0; i < 4; ++i) {
        p.clip[i] = a.clip[i] + t * (b.clip[i] - a.clip[i]);
        p.color[i] = a.color[i] + t * (b.color[i] - a.color[i]);
    }
    return p;
}

// std::round, halves away from zero, without the C library's call: the
// nearest whole number (halves to even), corrected where v lies just halfway.
float roundHalfAway(float v)
{
    const float nearest = std::nearbyint(v);
    return std::fabs(v - nearest) == 0.5f ? v + std::copysign(0.5f, v) : nearest;
}

// On the 1/256-pixel grid that rasterizers snap vertices to, so that lines
// computed a rounding apart (two axes seen edge on) cover the same pixels;
// false for a non-finite point, from which nothing sound can be drawn.
bool snapped(float window[3])
{
    if (!std::isfinite(window[0]) || !std::isfinite(window[1]) || !std::isfinite(window[2]))
        return false;
    for (int i = 0; i < 2; ++i)
        window[i] = roundHalfAway(window[i] * 256.0f) / 256.0f;
    return true;
}

}  // namespace

void drawWideLine(const ClipVertex& a, const ClipVertex& b, const Viewport& viewport, float width,
                  TriangleBatch& out)
{
    float enter = 0.0f;
    float leave = 1.0f;
    if (viewport.empty() || !clipped(a, b, enter, leave))
        return;
    const ClipVertex from = enter > 0.0f ? between(a, b, enter) : a;
    const ClipVertex to = leave < 1.0f ? between(a, b, leave) : b;
    if (from.clip[3] <= 0.0f || to.clip[3] <= 0.0f)
        return;
    float p0[3];
    float p1[3];
    viewport.toWindow(from.clip, p0);
    viewport.toWindow(to.clip, p1);
    if (!snapped(p0) || !snapped(p1))
        return;

    // In each column (or row) of the major axis whose centre the segment
    // covers, as many pixels as the width along the minor axis, centred on
    // the line. Runs of equal spans become whole-pixel rectangles, whose
    // edges lie half a pixel from any centre, so that the rasterizer's
    // rounding cannot move them.
    const float half = width * 0.5f;
    const float thickness = std::max(1.0f, roundHalfAway(width));
    const bool xMajor = std::fabs(p1[0] - p0[0]) >= std::fabs(p1[1] - p0[1]);
    const int major = xMajor ? 0 : 1;
    const int minor = 1 - major;
    const float* pa = p0;
    const float* pb = p1;
    const float* ca = from.color;
    const float* cb = to.color;
    if (pb[major] < pa[major]) {
        std::swap(pa, pb);
        std::swap(ca, cb);
    }
    const float length = pb[major] - pa[major];
    const float rise = pb[minor] - pa[minor];
    const int first = static_cast<int>(std::ceil(pa[major] - 0.5f));
    const int last = static_cast<int>(std::ceil(pb[major] - 0.5f)) - 1;
    if (first > last)
        return;  // no pixel centre along the major axis
    auto along = [&](float position) { return (position - pa[major]) / length; };
    // The lowest pixel of a column's span, a whole number kept as a float.
    auto lowest = [&](int column) {
        return std::ceil(pa[minor] + along(static_cast<float>(column) + 0.5f) * rise - half - 0.5f);
    };
    WindowRectangle span{};
    span.alongY = !xMajor;
    auto setEnd = [&](int at) {
        const float t = along(static_cast<float>(at));
        span.z[1] = pa[2] + t * (pb[2] - pa[2]);
        for (int c = 0; c < 4; ++c)
            span.color[1][c] = ca[c] + t * (cb[c] - ca[c]);
    };
    // Each run starts where the one before ended, with its depth and colour.
    setEnd(first);
    float low = lowest(first);
    for (int start = first; start <= last;) {
        span.z[0] = span.z[1];
        std::copy(span.color[1], span.color[1] + 4, span.color[0]);
        int end = start + 1;
        float next = low;
        while (end <= last && (next = lowest(end)) == low)
            ++end;
        span.start = static_cast<float>(start);
        span.end = static_cast<float>(end);
        span.low = low;
        span.high = low + thickness;
        setEnd(end);
        out.rectangle(span);
        start = end;
        low = next;
    }
}

}  // namespace weblayer
