#include "FixedFunction.h"

#include "Bitmaps.h"

#include <algorithm>
#include <cmath>

namespace weblayer {

namespace {

constexpr float maxLineWidth = 255.0f;
// Vertex arrays up to this size are transformed and lit once per draw.
constexpr int maxKeptVertices = 1 << 16;

}  // namespace

float toEightBits(float channel)
{
    const double clamped = std::min(1.0, std::max(0.0, static_cast<double>(channel)));
    return static_cast<float>(std::floor(clamped * 255.0 + 0.5) / 255.0);
}

FixedFunction::FixedFunction(TriangleSink sink) : output(sink)
{
    assembly.setLineWidth(scale.length(lineWidth));
}

void FixedFunction::setWindowSize(int width, int height, double pixelRatio)
{
    scale = PixelRatio(pixelRatio);
    output.setWindowSize(scale.edge(width), scale.edge(height));
    assembly.setViewport(scale.viewport(view));
    assembly.setLineWidth(scale.length(lineWidth));
}

void FixedFunction::setViewport(int x, int y, int width, int height)
{
    view = {x, y, std::max(0, width), std::max(0, height)};
    assembly.setViewport(scale.viewport(view));
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
    lighting.setEnabled(on);
    currentLitChanged = true;
}

void FixedFunction::setLight0(bool on)
{
    lighting.setLight0(on);
    currentLitChanged = true;
}

void FixedFunction::setColorMaterial(bool on)
{
    lighting.setColorMaterial(on);
    currentLitChanged = true;
}

void FixedFunction::setLineWidth(float width)
{
    // As OpenGL, which refuses widths that are not positive and draws any
    // width beyond the largest it supports at that largest.
    if (width <= 0.0f)
        return;
    lineWidth = std::min(width, maxLineWidth);
    assembly.setLineWidth(scale.length(lineWidth));
}

void FixedFunction::setLightAmbient(const float rgba[4])
{
    lighting.setAmbient(rgba);
    currentLitChanged = true;
}

void FixedFunction::setLightDiffuse(const float rgba[4])
{
    lighting.setDiffuse(rgba);
    currentLitChanged = true;
}

void FixedFunction::setLightPosition(const float xyzw[4])
{
    float eye[4];
    modelview().transform(xyzw, eye);
    if (lighting.setPosition(eye))
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

const float* FixedFunction::currentLitColor()
{
    if (currentLitChanged)
        lighting.lit(normalMatrix, currentNormal, currentColor, currentLit);
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
    if (assembly.begin(p))
        updateTransforms();
}

void FixedFunction::vertex(float x, float y, float z)
{
    if (!assembly.inside())
        return;
    const float position[4] = {x, y, z, 1.0f};
    assembly.add(transformed(position, currentLitColor()));
}

void FixedFunction::drawElements(Primitive p, const VertexArrays& arrays, const unsigned* indices,
                                 int length, int primitives)
{
    begin(p);  // which also brings the matrices up to date
    if (!assembly.inside())
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
            assembly.add(kept ? arrayVertices[run[k]] : arrayVertex(arrays, run[k]));
        end();
    }
}

ClipVertex FixedFunction::arrayVertex(const VertexArrays& arrays, unsigned index) const
{
    const std::size_t first = std::size_t{3} * index;
    const float* at = arrays.positions + first;
    const float position[4] = {at[0], at[1], at[2], 1.0f};
    float color[4];
    lighting.lit(normalMatrix, arrays.normals + first, currentColor, color);
    return transformed(position, color);
}

void FixedFunction::end()
{
    assembly.end();
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
    const float left = std::floor(raster.x - xOrigin);
    const float bottom = std::floor(raster.y - yOrigin);
    drawBitmap({width, height, rows}, left, bottom, raster.z, raster.color, scale, output);
    raster.x += xMove;
    raster.y += yMove;
}

}  // namespace weblayer
