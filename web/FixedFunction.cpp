#include "FixedFunction.h"

#include "Bitmaps.h"
#include "WideLines.h"

#include <algorithm>
#include <cmath>

namespace softgl {

namespace {

// OpenGL's default scene ambient and material, where colour material is off.
constexpr float sceneAmbient = 0.2f;
constexpr float defaultAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
constexpr float defaultDiffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
constexpr float maxLineWidth = 255.0f;
// Vertex arrays up to this size are transformed and lit once per draw.
constexpr int maxKeptVertices = 1 << 16;

float clamp01(float v)
{
    return std::min(1.0f, std::max(0.0f, v));
}

bool known(Primitive primitive)
{
    switch (primitive) {
    case Primitive::lines:
    case Primitive::lineLoop:
    case Primitive::lineStrip:
    case Primitive::triangles:
    case Primitive::triangleStrip:
    case Primitive::triangleFan:
    case Primitive::quads:
    case Primitive::quadStrip:
    case Primitive::polygon: return true;
    }
    return false;
}

}  // namespace

float toEightBits(float channel)
{
    const double clamped = std::min(1.0, std::max(0.0, static_cast<double>(channel)));
    return static_cast<float>(std::floor(clamped * 255.0 + 0.5) / 255.0);
}

FixedFunction::FixedFunction(TriangleSink sink) : output(sink) {}

void FixedFunction::setWindowSize(int width, int height, double pixelRatio)
{
    scale = PixelRatio(pixelRatio);
    output.setWindowSize(scale.edge(width), scale.edge(height));
    deviceView = scale.viewport(view);
}

void FixedFunction::setViewport(int x, int y, int width, int height)
{
    view = {x, y, std::max(0, width), std::max(0, height)};
    deviceView = scale.viewport(view);
}

// ---- matrices ----

void FixedFunction::MatrixStack::push()
{
    if (depth < matrices.size()) {
        matrices[depth] = matrices[depth - 1];
        ++depth;
    }
}

void FixedFunction::MatrixStack::pop()
{
    if (depth > 1)
        --depth;
}

void FixedFunction::loadIdentity()
{
    currentStack().top() = Matrix::identity();
    transformsChanged = true;
}

void FixedFunction::multiply(const Matrix& matrix)
{
    Matrix& top = currentStack().top();
    top = top * matrix;
    transformsChanged = true;
}

void FixedFunction::translate(float x, float y, float z)
{
    Matrix& top = currentStack().top();
    top = top.translated(x, y, z);
    transformsChanged = true;
}

void FixedFunction::push()
{
    currentStack().push();
}

void FixedFunction::pop()
{
    currentStack().pop();
    transformsChanged = true;
}

void FixedFunction::updateTransforms()
{
    if (!transformsChanged)
        return;
    modelviewProjection = projection() * modelview();
    normalMatrix = NormalMatrix(modelview());
    transformsChanged = false;
    currentLitChanged = true;
}

// ---- lighting ----

void FixedFunction::setLighting(bool on)
{
    lighting = on;
    currentLitChanged = true;
}

void FixedFunction::setLight0(bool on)
{
    light0 = on;
    currentLitChanged = true;
}

void FixedFunction::setColorMaterial(bool on)
{
    colorMaterial = on;
    currentLitChanged = true;
}

void FixedFunction::setLineWidth(float width)
{
    // As OpenGL, which refuses widths that are not positive and draws any
    // width beyond the largest it supports at that largest.
    if (width > 0.0f)
        lineWidth = std::min(width, maxLineWidth);
}

void FixedFunction::setLightAmbient(const float rgba[4])
{
    std::copy(rgba, rgba + 4, lightAmbient);
    currentLitChanged = true;
}

void FixedFunction::setLightDiffuse(const float rgba[4])
{
    std::copy(rgba, rgba + 4, lightDiffuse);
    currentLitChanged = true;
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
    currentLitChanged = true;
}

void FixedFunction::color(float r, float g, float b)
{
    currentColor[0] = r;
    currentColor[1] = g;
    currentColor[2] = b;
    currentColor[3] = 1.0f;
    currentLitChanged = true;
}

void FixedFunction::normal(float x, float y, float z)
{
    currentNormal[0] = x;
    currentNormal[1] = y;
    currentNormal[2] = z;
    currentLitChanged = true;
}

void FixedFunction::lit(const float normal[3], const float color[4], float rgba[4]) const
{
    if (!lighting) {
        for (int i = 0; i < 4; ++i)
            rgba[i] = clamp01(color[i]);
        return;
    }
    float eyeNormal[3];
    normalMatrix.transform(normal, eyeNormal);
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

const float* FixedFunction::currentLitColor()
{
    if (currentLitChanged)
        lit(currentNormal, currentColor, currentLit);
    currentLitChanged = false;
    return currentLit;
}

// ---- primitives ----

ClipVertex FixedFunction::transformed(const float position[4], const float color[4]) const
{
    ClipVertex v{};
    modelviewProjection.transform(position, v.clip);
    std::copy(color, color + 4, v.color);
    return v;
}

void FixedFunction::begin(Primitive p)
{
    if (!known(p)) {
        if (error == Error::none)
            error = Error::invalidEnum;
        return;
    }
    updateTransforms();
    inside = true;
    primitive = p;
    assembled = 0;
}

void FixedFunction::vertex(float x, float y, float z)
{
    if (!inside)
        return;
    const float position[4] = {x, y, z, 1.0f};
    assemble(transformed(position, currentLitColor()));
}

void FixedFunction::drawElements(Primitive p, const VertexArrays& arrays, const unsigned* indices,
                                 int length, int primitives)
{
    begin(p);  // which also brings the matrices up to date
    if (!inside)
        return;
    // Each vertex once, unless there are too many to keep.
    const bool kept = arrays.count <= maxKeptVertices;
    if (kept) {
        arrayVertices.resize(static_cast<std::size_t>(arrays.count));
        for (int i = 0; i < arrays.count; ++i)
            arrayVertices[i] = arrayVertex(arrays, static_cast<unsigned>(i));
    }
    for (int i = 0; i < primitives; ++i) {
        if (i > 0)
            begin(p);
        const unsigned* run = indices + static_cast<std::ptrdiff_t>(i) * length;
        for (int k = 0; k < length; ++k)
            assemble(kept ? arrayVertices[run[k]] : arrayVertex(arrays, run[k]));
        end();
    }
}

ClipVertex FixedFunction::arrayVertex(const VertexArrays& arrays, unsigned index) const
{
    const float* at = arrays.positions + 3 * index;
    const float position[4] = {at[0], at[1], at[2], 1.0f};
    float color[4];
    lit(arrays.normals + 3 * index, currentColor, color);
    return transformed(position, color);
}

void FixedFunction::end()
{
    if (!inside)
        return;
    inside = false;
    if (primitive == Primitive::lineLoop && assembled > 2)
        drawWideLine(lineBefore, lineFirst, deviceView, scale.length(lineWidth), output);
}

// Each triangle or segment as soon as its last vertex is given, in the order
// OpenGL decomposes the primitive.
void FixedFunction::assemble(const ClipVertex& v)
{
    const std::size_t k = assembled;
    switch (primitive) {
    case Primitive::lines:
    case Primitive::lineStrip:
    case Primitive::lineLoop: assembleLine(v); return;
    case Primitive::triangles:
        if (k % 3 == 2)
            triangle(back(2), back(1), v);
        break;
    case Primitive::triangleStrip:
        // Every other triangle's first two corners swapped, so that all of
        // them face the same way.
        if (k >= 2) {
            if (k % 2 == 0)
                triangle(back(2), back(1), v);
            else
                triangle(back(1), back(2), v);
        }
        break;
    case Primitive::triangleFan:
    case Primitive::polygon:
        if (k >= 2)
            triangle(first, back(1), v);
        break;
    case Primitive::quads:
        if (k % 4 == 3) {
            triangle(back(3), back(2), back(1));
            triangle(back(3), back(1), v);
        }
        break;
    case Primitive::quadStrip:
        if (k >= 3 && k % 2 == 1) {
            triangle(back(3), back(2), v);
            triangle(back(3), v, back(1));
        }
        break;
    }
    if (k == 0)
        first = v;
    recent[k % 3] = v;
    ++assembled;
}

void FixedFunction::assembleLine(const ClipVertex& v)
{
    const std::size_t k = assembled;
    if (k >= 1 && (primitive != Primitive::lines || k % 2 == 1))
        drawWideLine(lineBefore, v, deviceView, scale.length(lineWidth), output);
    if (k == 0)
        lineFirst = v;
    lineBefore = v;
    ++assembled;
}

void FixedFunction::triangle(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c)
{
    output.triangle(deviceView, a, b, c);
}

Error FixedFunction::takeError()
{
    const Error taken = error;
    error = Error::none;
    return taken;
}

// ---- raster position and bitmaps ----

void FixedFunction::rasterPosition(double x, double y, double z, double w)
{
    updateTransforms();
    const float position[4] = {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z),
                               static_cast<float>(w)};
    const ClipVertex v = transformed(position, currentLitColor());
    raster.valid = v.clip[3] > 0.0f;
    for (int i = 0; i < 3; ++i)
        raster.valid = raster.valid && -v.clip[3] <= v.clip[i] && v.clip[i] <= v.clip[3];
    if (!raster.valid)
        return;
    float window[3];
    view.toWindow(v.clip, window);
    raster.x = window[0];
    raster.y = window[1];
    raster.z = window[2];
    std::copy(v.color, v.color + 4, raster.color);
}

void FixedFunction::bitmap(int width, int height, float xOrigin, float yOrigin, float xMove,
                           float yMove, const unsigned char* rows)
{
    if (!raster.valid)
        return;
    // Each bit lands on the program's pixel whose corner is the floor of its
    // position, as on the desktop, and covers that pixel's device pixels.
    const float left = std::floor(raster.x - xOrigin), bottom = std::floor(raster.y - yOrigin);
    drawBitmap({width, height, rows}, left, bottom, raster.z, raster.color, scale, output);
    raster.x += xMove;
    raster.y += yMove;
}

}  // namespace softgl
