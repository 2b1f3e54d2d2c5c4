#pragma once

#include "Matrix.h"
#include "PixelRatio.h"
#include "TriangleBatch.h"

#include <array>
#include <cstddef>
#include <vector>

// The part of OpenGL 1.x that the program uses, done on the CPU: matrix
// stacks, immediate mode with the current colour and normal, light 0 with
// colour material, primitive assembly, and the raster position. Lines of
// any width (WideLines.h) and bitmaps (Bitmaps.h) are rasterized here too;
// the rest comes out as plain triangles with a colour per vertex, for any
// renderer to rasterize.
namespace softgl {

// glBegin's modes, with OpenGL's own values. Points are not among them: the
// program draws none.
enum class Primitive : unsigned {
    lines = 0x0001,
    lineLoop = 0x0002,
    lineStrip = 0x0003,
    triangles = 0x0004,
    triangleStrip = 0x0005,
    triangleFan = 0x0006,
    quads = 0x0007,
    quadStrip = 0x0008,
    polygon = 0x0009
};

// OpenGL's error flag, as far as this layer raises it.
enum class Error { none, invalidEnum };

// Vertex arrays as glVertexPointer and glNormalPointer give them: three
// floats a vertex each.
struct VertexArrays {
    const float* positions;
    const float* normals;
    int count;
};

// A colour channel as the nearest of the 256 values a pixel can hold,
// rounded in double precision from the single-precision value (0.7f, just
// below 178.5 / 255, is 178), so that WebGL stores the value OpenGL would.
float toEightBits(float channel);

class FixedFunction {
public:
    explicit FixedFunction(TriangleSink sink);

    // The window's size in the program's pixels, and the device pixels per
    // program pixel of what it is drawn on (see PixelRatio): viewports, line
    // widths and bitmaps are given in the program's pixels and drawn on the
    // device's, and the raster position stays in the program's.
    void setWindowSize(int width, int height, double pixelRatio = 1.0);
    void setViewport(int x, int y, int width, int height);

    // Matrices: the mode chooses the stack (true for the projection).
    void selectProjection(bool projection) { projectionMode = projection; }
    void loadIdentity();
    void multiply(const Matrix& matrix);
    void translate(float x, float y, float z);
    void push();
    void pop();
    const Matrix& modelview() const { return modelviews.top(); }
    const Matrix& projection() const { return projections.top(); }

    void setLighting(bool on);
    void setLight0(bool on);
    void setColorMaterial(bool on);
    void setLineWidth(float width);
    // Light 0's ambient, diffuse and position; the position goes through the
    // modelview matrix as it is now.
    void setLightAmbient(const float rgba[4]);
    void setLightDiffuse(const float rgba[4]);
    void setLightPosition(const float xyzw[4]);

    void color(float r, float g, float b);
    void normal(float x, float y, float z);
    // An unknown primitive is OpenGL's invalid enum: the error is recorded,
    // and the vertices up to end() draw nothing.
    void begin(Primitive primitive);
    void vertex(float x, float y, float z);
    void end();
    // Primitives drawn by index from vertex arrays, as glMultiDrawElements
    // draws them: `primitives` of `length` indices each, one after the other.
    // Each vertex has its own normal and the current colour, and is
    // transformed and lit once for all of them; the current normal stays as
    // it was.
    void drawElements(Primitive primitive, const VertexArrays& arrays, const unsigned* indices,
                      int length, int primitives = 1);

    // The raster position, and a bitmap drawn there with rows bottom first
    // and bit 7 the leftmost pixel, as glBitmap takes them.
    void rasterPosition(double x, double y, double z, double w);
    void bitmap(int width, int height, float xOrigin, float yOrigin, float xMove, float yMove,
                const unsigned char* rows);
    bool rasterValid() const { return raster.valid; }
    float rasterX() const { return raster.x; }
    float rasterY() const { return raster.y; }

    // Hands what is drawn so far to the sink: before anything else draws on
    // the same framebuffer, and at the end of a frame.
    void flush() { output.flush(); }

    // The first error since the last call, which it clears, as glGetError.
    Error takeError();

private:
    // As deep as OpenGL guarantees (32): a push beyond it is refused, as a
    // stack overflow error would refuse it, and so is a pop of the last one.
    class MatrixStack {
    public:
        Matrix& top() { return matrices[depth - 1]; }
        const Matrix& top() const { return matrices[depth - 1]; }
        void push();
        void pop();

    private:
        std::array<Matrix, 32> matrices{Matrix::identity()};
        std::size_t depth = 1;
    };

    struct Raster {
        bool valid = true;
        float x = 0, y = 0, z = 0;
        float color[4] = {1, 1, 1, 1};
    };

    MatrixStack& currentStack() { return projectionMode ? projections : modelviews; }
    // The products of the matrices that every vertex needs, brought up to
    // date after the matrices changed.
    void updateTransforms();
    ClipVertex transformed(const float position[4], const float color[4]) const;
    ClipVertex arrayVertex(const VertexArrays& arrays, unsigned index) const;
    // The colour that lighting gives a vertex of this colour with this
    // object-space normal.
    void lit(const float normal[3], const float color[4], float rgba[4]) const;
    // That of the current normal and colour, which vertices given one by one
    // share: computed again only after something it depends on changed.
    const float* currentLitColor();
    void assemble(const ClipVertex& vertex);
    void assembleLine(const ClipVertex& vertex);
    // The vertex assembled n vertices before the next one.
    const ClipVertex& back(std::size_t n) const { return recent[(assembled - n) % 3]; }
    void triangle(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c);

    TriangleBatch output;
    PixelRatio scale;
    Viewport view;        // in the program's pixels, as glViewport gives it
    Viewport deviceView;  // the same on the device's pixels, where everything is drawn
    bool projectionMode = false;
    MatrixStack modelviews, projections;
    bool transformsChanged = true;
    Matrix modelviewProjection = Matrix::identity();
    NormalMatrix normalMatrix{Matrix::identity()};

    bool lighting = false, light0 = false, colorMaterial = false;
    float lineWidth = 1.0f;
    float lightAmbient[4] = {0, 0, 0, 1};
    float lightDiffuse[4] = {1, 1, 1, 1};
    float lightDirection[3] = {0, 0, 1};  // towards the light, normalized, eye space
    float currentColor[4] = {1, 1, 1, 1};
    float currentNormal[3] = {0, 0, 1};
    float currentLit[4] = {1, 1, 1, 1};
    bool currentLitChanged = true;

    // Primitive assembly, one vertex at a time: what the primitive's next
    // triangle or segment may need of the vertices before.
    bool inside = false;
    Primitive primitive = Primitive::lines;
    std::size_t assembled = 0;
    ClipVertex first{};
    ClipVertex recent[3]{};
    ClipVertex lineFirst{}, lineBefore{};

    // The vertex arrays of the primitives drawn now, transformed and lit.
    std::vector<ClipVertex> arrayVertices;

    Raster raster;
    Error error = Error::none;
};

}  // namespace softgl
