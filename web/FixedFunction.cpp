#include "FixedFunction.h"

#include <algorithm>
#include <cmath>

namespace webgl {

namespace {

// OpenGL's default scene ambient and material, where colour material is off.
constexpr float sceneAmbient = 0.2f;
constexpr float defaultAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
constexpr float defaultDiffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
constexpr std::size_t maxStackDepth = 32;

float clamp01(float v)
{
    return std::min(1.0f, std::max(0.0f, v));
}

}  // namespace

float toEightBits(float channel)
{
    const double clamped = std::min(1.0, std::max(0.0, static_cast<double>(channel)));
    return static_cast<float>(std::floor(clamped * 255.0 + 0.5) / 255.0);
}

FixedFunction::FixedFunction(TriangleSink sink) : sink(sink) {}

void FixedFunction::setWindowSize(int width, int height)
{
    windowWidth = width;
    windowHeight = height;
}

void FixedFunction::setViewport(int x, int y, int width, int height)
{
    view = {x, y, std::max(0, width), std::max(0, height)};
}

void FixedFunction::loadIdentity()
{
    (projectionMode ? projections : modelviews).back() = Matrix::identity();
}

void FixedFunction::multiply(const Matrix& matrix)
{
    Matrix& top = (projectionMode ? projections : modelviews).back();
    top = top * matrix;
}

void FixedFunction::translate(float x, float y, float z)
{
    Matrix& top = (projectionMode ? projections : modelviews).back();
    top = top.translated(x, y, z);
}

void FixedFunction::push()
{
    // Beyond the depth OpenGL guarantees the push is refused, as a stack
    // overflow error would refuse it.
    std::vector<Matrix>& stack = projectionMode ? projections : modelviews;
    if (stack.size() < maxStackDepth)
        stack.push_back(stack.back());
}

void FixedFunction::pop()
{
    std::vector<Matrix>& stack = projectionMode ? projections : modelviews;
    if (stack.size() > 1)
        stack.pop_back();
}

void FixedFunction::setLineWidth(float width)
{
    if (width > 0.0f)
        lineWidth = width;
}

void FixedFunction::setLightAmbient(const float rgba[4])
{
    std::copy(rgba, rgba + 4, lightAmbient);
}

void FixedFunction::setLightDiffuse(const float rgba[4])
{
    std::copy(rgba, rgba + 4, lightDiffuse);
}

void FixedFunction::setLightPosition(const float xyzw[4])
{
    // Only a directional light (w = 0) is drawn as such; a positional one is
    // lit as if it were infinitely far in its direction.
    float eye[4];
    modelview().transform(xyzw, eye);
    const float length = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    if (length == 0.0f)
        return;
    for (int i = 0; i < 3; ++i)
        lightDirection[i] = eye[i] / length;
}

void FixedFunction::color(float r, float g, float b)
{
    currentColor[0] = r;
    currentColor[1] = g;
    currentColor[2] = b;
    currentColor[3] = 1.0f;
}

void FixedFunction::normal(float x, float y, float z)
{
    currentNormal[0] = x;
    currentNormal[1] = y;
    currentNormal[2] = z;
}

void FixedFunction::shade(const float eyeNormal[3], const float color[4], float rgba[4]) const
{
    if (!lighting) {
        for (int i = 0; i < 4; ++i)
            rgba[i] = clamp01(color[i]);
        return;
    }
    const float* ambient = colorMaterial ? color : defaultAmbient;
    const float* diffuse = colorMaterial ? color : defaultDiffuse;
    const float facing =
        std::max(0.0f, eyeNormal[0] * lightDirection[0] + eyeNormal[1] * lightDirection[1] +
                           eyeNormal[2] * lightDirection[2]);
    for (int i = 0; i < 3; ++i) {
        float c = ambient[i] * sceneAmbient;
        if (light0)
            c = c + ambient[i] * lightAmbient[i] + facing * (diffuse[i] * lightDiffuse[i]);
        rgba[i] = clamp01(c);
    }
    rgba[3] = clamp01(diffuse[3]);
}

void FixedFunction::begin(Primitive p)
{
    inside = true;
    primitive = p;
    pending.clear();
}

void FixedFunction::vertex(float x, float y, float z)
{
    if (!inside)
        return;
    Vertex v{};
    v.position[0] = x;
    v.position[1] = y;
    v.position[2] = z;
    std::copy(currentNormal, currentNormal + 3, v.normal);
    std::copy(currentColor, currentColor + 4, v.color);
    pending.push_back(v);
}

void FixedFunction::drawElements(Primitive p, const float* positions, const float* normals,
                                 const unsigned* indices, int count)
{
    begin(p);
    for (int i = 0; i < count; ++i) {
        Vertex v{};
        std::copy(positions + 3 * indices[i], positions + 3 * indices[i] + 3, v.position);
        std::copy(normals + 3 * indices[i], normals + 3 * indices[i] + 3, v.normal);
        std::copy(currentColor, currentColor + 4, v.color);
        pending.push_back(v);
    }
    end();
}

FixedFunction::Transformed FixedFunction::transformed(const Vertex& v, const Matrix& mvp) const
{
    Transformed t{};
    const float position[4] = {v.position[0], v.position[1], v.position[2], 1.0f};
    mvp.transform(position, t.clip);
    float eyeNormal[3];
    modelview().transformNormal(v.normal, eyeNormal);
    shade(eyeNormal, v.color, t.color);
    return t;
}

void FixedFunction::end()
{
    if (!inside)
        return;
    inside = false;
    const Matrix mvp = projection() * modelview();
    scratch.clear();
    for (const Vertex& v : pending)
        scratch.push_back(transformed(v, mvp));

    switch (primitive) {
    case Primitive::lines:
    case Primitive::lineStrip:
    case Primitive::lineLoop: emitLines(scratch); break;
    case Primitive::points: break;
    default: emitTriangles(scratch); break;
    }
    pending.clear();
}

void FixedFunction::emitTriangles(const std::vector<Transformed>& v)
{
    out.clear();
    auto add = [&](std::size_t i) {
        const Transformed& t = v[i];
        out.push_back({t.clip[0], t.clip[1], t.clip[2], t.clip[3], t.color[0], t.color[1],
                       t.color[2], t.color[3]});
    };
    auto triangle = [&](std::size_t a, std::size_t b, std::size_t c) {
        add(a);
        add(b);
        add(c);
    };
    const std::size_t n = v.size();
    switch (primitive) {
    case Primitive::triangles:
        for (std::size_t i = 0; i + 2 < n; i += 3)
            triangle(i, i + 1, i + 2);
        break;
    case Primitive::triangleStrip:
        for (std::size_t i = 2; i < n; ++i)
            if (i % 2 == 0)
                triangle(i - 2, i - 1, i);
            else
                triangle(i - 1, i - 2, i);
        break;
    case Primitive::quads:
        for (std::size_t i = 0; i + 3 < n; i += 4) {
            triangle(i, i + 1, i + 2);
            triangle(i, i + 2, i + 3);
        }
        break;
    case Primitive::quadStrip:
        for (std::size_t i = 0; i + 3 < n; i += 2) {
            triangle(i, i + 1, i + 3);
            triangle(i, i + 3, i + 2);
        }
        break;
    default:  // fans and polygons
        for (std::size_t i = 2; i < n; ++i)
            triangle(0, i - 1, i);
        break;
    }
    if (!out.empty() && view.width > 0 && view.height > 0)
        sink(view, out.data(), static_cast<int>(out.size()));
}

void FixedFunction::emitLines(const std::vector<Transformed>& v)
{
    windowOut.clear();
    const std::size_t n = v.size();
    if (primitive == Primitive::lines) {
        for (std::size_t i = 0; i + 1 < n; i += 2)
            emitSegment(v[i], v[i + 1]);
    } else {
        for (std::size_t i = 0; i + 1 < n; ++i)
            emitSegment(v[i], v[i + 1]);
        if (primitive == Primitive::lineLoop && n > 2)
            emitSegment(v[n - 1], v[0]);
    }
    flushWindowQuads();
}

void FixedFunction::emitSegment(Transformed a, Transformed b)
{
    if (view.width <= 0 || view.height <= 0)
        return;
    // Clipped here against all six planes, in homogeneous coordinates, so
    // that a segment crossing w = 0 keeps its visible part.
    float enter = 0.0f, leave = 1.0f;
    for (int plane = 0; plane < 6; ++plane) {
        const int axis = plane / 2;
        const float sign = plane % 2 == 0 ? 1.0f : -1.0f;
        const float da = a.clip[3] + sign * a.clip[axis];
        const float db = b.clip[3] + sign * b.clip[axis];
        if (da < 0.0f && db < 0.0f)
            return;
        if (da < 0.0f)
            enter = std::max(enter, da / (da - db));
        else if (db < 0.0f)
            leave = std::min(leave, da / (da - db));
    }
    if (enter > leave)
        return;
    auto at = [&](float t) {
        Transformed p{};
        for (int i = 0; i < 4; ++i) {
            p.clip[i] = a.clip[i] + t * (b.clip[i] - a.clip[i]);
            p.color[i] = a.color[i] + t * (b.color[i] - a.color[i]);
        }
        return p;
    };
    const Transformed from = enter > 0.0f ? at(enter) : a;
    const Transformed to = leave < 1.0f ? at(leave) : b;
    if (from.clip[3] <= 0.0f || to.clip[3] <= 0.0f)
        return;

    const float halfWidth = view.width * 0.5f, halfHeight = view.height * 0.5f;
    auto toWindow = [&](const Transformed& p, float w[3]) {
        w[0] = p.clip[0] / p.clip[3] * halfWidth + (view.x + halfWidth);
        w[1] = p.clip[1] / p.clip[3] * halfHeight + (view.y + halfHeight);
        w[2] = p.clip[2] / p.clip[3];
    };
    float p0[3], p1[3];
    toWindow(from, p0);
    toWindow(to, p1);
    // On the 1/256-pixel grid that rasterizers snap vertices to, so that
    // lines computed a rounding apart (two axes seen edge on) cover the
    // same pixels.
    for (float* p : {p0, p1})
        for (int i = 0; i < 2; ++i) {
            if (!std::isfinite(p[i]) || !std::isfinite(p[2]))
                return;  // nothing sound to draw from non-finite vertices
            p[i] = std::round(p[i] * 256.0f) / 256.0f;
        }

    // Wide lines as OpenGL draws them without antialiasing: in each column
    // (or row) of the major axis whose centre the segment covers, as many
    // pixels as the width along the minor axis, centred on the line. Runs of
    // equal spans become whole-pixel rectangles, whose edges lie half a pixel
    // from any centre, so that the rasterizer's rounding cannot move them.
    const float half = lineWidth * 0.5f;
    const int thickness = std::max(1, static_cast<int>(std::lround(lineWidth)));
    const bool xMajor = std::fabs(p1[0] - p0[0]) >= std::fabs(p1[1] - p0[1]);
    const int major = xMajor ? 0 : 1, minor = 1 - major;
    const float* pa = p0;
    const float* pb = p1;
    const float* ca = from.color;
    const float* cb = to.color;
    if (pb[major] < pa[major]) {
        std::swap(pa, pb);
        std::swap(ca, cb);
    }
    const float length = pb[major] - pa[major];
    const int first = static_cast<int>(std::ceil(pa[major] - 0.5f));
    const int last = static_cast<int>(std::ceil(pb[major] - 0.5f)) - 1;
    auto along = [&](float position) { return (position - pa[major]) / length; };
    auto lowest = [&](int column) {
        const float centre =
            pa[minor] + along(static_cast<float>(column) + 0.5f) * (pb[minor] - pa[minor]);
        return static_cast<int>(std::ceil(centre - half - 0.5f));
    };
    for (int start = first; start <= last;) {
        const int low = lowest(start);
        int end = start + 1;
        while (end <= last && lowest(end) == low)
            ++end;
        float corners[4][3], colors[4][4];
        const auto majorAt = [&](int k) {
            return static_cast<float>(k == 1 || k == 2 ? end : start);
        };
        const auto minorAt = [&](int k) {
            return static_cast<float>(k < 2 ? low : low + thickness);
        };
        for (int k = 0; k < 4; ++k) {
            const float t = along(majorAt(k));
            corners[k][major] = majorAt(k);
            corners[k][minor] = minorAt(k);
            corners[k][2] = pa[2] + t * (pb[2] - pa[2]);
            for (int c = 0; c < 4; ++c)
                colors[k][c] = ca[c] + t * (cb[c] - ca[c]);
        }
        emitWindowQuad(corners, colors);
        start = end;
    }
}

void FixedFunction::emitWindowQuad(const float corners[4][3], const float colors[4][4])
{
    if (windowWidth <= 0 || windowHeight <= 0)
        return;
    auto add = [&](int i) {
        windowOut.push_back({corners[i][0] * 2.0f / windowWidth - 1.0f,
                             corners[i][1] * 2.0f / windowHeight - 1.0f, corners[i][2], 1.0f,
                             colors[i][0], colors[i][1], colors[i][2], colors[i][3]});
    };
    for (int i : {0, 1, 2, 0, 2, 3})
        add(i);
}

void FixedFunction::flushWindowQuads()
{
    if (windowOut.empty())
        return;
    // Wide lines and bitmaps may reach past the viewport, as on the desktop:
    // they are drawn in window coordinates over the whole window.
    const Viewport window{0, 0, windowWidth, windowHeight};
    sink(window, windowOut.data(), static_cast<int>(windowOut.size()));
    windowOut.clear();
}

void FixedFunction::rasterPosition(double x, double y, double z, double w)
{
    const float position[4] = {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z),
                               static_cast<float>(w)};
    float clip[4];
    (projection() * modelview()).transform(position, clip);
    raster.valid = clip[3] > 0.0f;
    for (int i = 0; i < 3; ++i)
        raster.valid = raster.valid && -clip[3] <= clip[i] && clip[i] <= clip[3];
    if (!raster.valid)
        return;
    const float halfWidth = view.width * 0.5f, halfHeight = view.height * 0.5f;
    raster.x = clip[0] / clip[3] * halfWidth + (view.x + halfWidth);
    raster.y = clip[1] / clip[3] * halfHeight + (view.y + halfHeight);
    raster.z = clip[2] / clip[3];
    float eyeNormal[3];
    modelview().transformNormal(currentNormal, eyeNormal);
    shade(eyeNormal, currentColor, raster.color);
}

void FixedFunction::bitmap(int width, int height, float xOrigin, float yOrigin, float xMove,
                           float yMove, const unsigned char* rows)
{
    if (!raster.valid)
        return;
    const int stride = (width + 7) / 8;
    // Each bit lands on the pixel whose corner is the floor of its position.
    const float left = std::floor(raster.x - xOrigin), bottom = std::floor(raster.y - yOrigin);
    float colors[4][4];
    for (auto& c : colors)
        std::copy(raster.color, raster.color + 4, c);
    windowOut.clear();
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            if (((rows[row * stride + column / 8] << (column % 8)) & 0x80) == 0)
                continue;
            // One pixel: a unit square that covers exactly one pixel centre.
            const float x = left + column, y = bottom + row;
            const float corners[4][3] = {{x, y, raster.z},
                                         {x + 1, y, raster.z},
                                         {x + 1, y + 1, raster.z},
                                         {x, y + 1, raster.z}};
            emitWindowQuad(corners, colors);
        }
    flushWindowQuads();
    raster.x += xMove;
    raster.y += yMove;
}

}  // namespace webgl
