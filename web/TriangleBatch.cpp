#include "TriangleBatch.h"

namespace weblayer {

namespace {

// A dozen draws a frame, and a batch (192 KB) that stays in the processor's
// caches until the browser copies it: a frame's work took a tenth less than
// with four times as much.
constexpr int capacity = 3 * 2048;

}  // namespace

TriangleBatch::TriangleBatch(TriangleSink sink) : sink(sink), vertices(capacity) {}

void TriangleBatch::setWindowSize(int width, int height)
{
    flush();
    window = {0, 0, width, height};
}

void TriangleBatch::triangle(const Viewport& where, const ClipVertex& a, const ClipVertex& b,
                             const ClipVertex& c)
{
    if (where.empty())
        return;
    ClipVertex* v = room(where, 3);
    v[0] = a;
    v[1] = b;
    v[2] = c;
}

void TriangleBatch::rectangle(const WindowRectangle& r)
{
    if (window.empty())
        return;
    // Normalized device coordinates over the whole window.
    const auto along = static_cast<float>(r.alongY ? window.height : window.width);
    const auto across = static_cast<float>(r.alongY ? window.width : window.height);
    const float start = r.start * 2.0f / along - 1.0f;
    const float end = r.end * 2.0f / along - 1.0f;
    const float low = r.low * 2.0f / across - 1.0f;
    const float high = r.high * 2.0f / across - 1.0f;
    ClipVertex* v = room(window, 6);
    auto corner = [&r](ClipVertex& vertex, float major, float minor, int at) {
        vertex = {{r.alongY ? minor : major, r.alongY ? major : minor, r.z[at], 1.0f},
                  {r.color[at][0], r.color[at][1], r.color[at][2], r.color[at][3]}};
    };
    // The triangles (0, 1, 2) and (0, 2, 3) of the corners from the start's low one round.
    corner(v[0], start, low, 0);
    corner(v[1], end, low, 1);
    corner(v[2], end, high, 1);
    v[3] = v[0];
    v[4] = v[2];
    corner(v[5], start, high, 0);
}

ClipVertex* TriangleBatch::room(const Viewport& where, int n)
{
    if (count > 0 && (where != viewport || count + n > capacity))
        flush();
    viewport = where;
    ClipVertex* free = vertices.data() + count;
    count += n;
    return free;
}

void TriangleBatch::flush()
{
    if (count > 0)
        sink(viewport, vertices.data(), count);
    count = 0;
}

}  // namespace weblayer
