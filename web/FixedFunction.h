#pragma once

#include "Lighting.h"
#include "Matrix.h"
#include "PixelRatio.h"
#include "PrimitiveAssembly.h"
#include "TriangleBatch.h"

#include <array>
#include <cstddef>
#include <vector>

// The part of OpenGL 1.x that the program uses, done on the CPU: matrix
// stacks, immediate mode and vertex arrays with the current colour and
// normal, and the raster position; light 0 with colour material
// (Lighting.h) and primitive assembly (PrimitiveAssembly.h) have files of
// their own. Lines of any width (WideLines.h) and bitmaps (Bitmaps.h) are
// rasterized here too; the rest comes out as plain triangles with a colour
// per vertex, for any renderer to rasterize.
namespace weblayer {

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
    // An unknown primitive is refused, as OpenGL's invalid enum refuses it:
    // the vertices up to end() draw nothing.
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

    // Hands what is drawn so far to the sink: before anything else draws on
    // the same framebuffer, and at the end of a frame.
    void flush() { output.flush(); }

private:
    // As deep as OpenGL guarantees (32): a push beyond it is refused, as a
    // stack overflow error would refuse it, and so is a pop of the last one.
    class MatrixStack {
    public:
        Matrix& top() { return matrices[depth - 1]; }
        [[nodiscard]] const Matrix& top() const { return matrices[depth - 1]; }
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
    [[nodiscard]] const Matrix& modelview() const { return modelviews.top(); }
    [[nodiscard]] const Matrix& projection() const { return projections.top(); }
    // The products of the matrices that every vertex needs, brought up to
    // date after the matrices changed.
    void updateTransforms();
    ClipVertex transformed(const float position[4], const float color[4]) const;
    [[nodiscard]] ClipVertex arrayVertex(const VertexArrays& arrays, unsigned index) const;
    // The lit colour of the current normal and colour, which vertices given
    // one by one share: computed again only after something it depends on
    // changed.
    const float* currentLitColor();

    TriangleBatch output;
    PixelRatio scale;
    Viewport view;  // in the program's pixels, as glViewport gives it
    bool projectionMode = false;
    MatrixStack modelviews, projections;
    bool transformsChanged = true;
    Matrix modelviewProjection = Matrix::identity();
    NormalMatrix normalMatrix{Matrix::identity()};

    Lighting lighting;
    float lineWidth = 1.0f;  // in the program's pixels
    float currentColor[4] = {1, 1, 1, 1};
    float currentNormal[3] = {0, 0, 1};
    float currentLit[4] = {1, 1, 1, 1};
    bool currentLitChanged = true;

    // Drawn on the device's pixels, with the viewport and the line width
    // scaled to them.
    PrimitiveAssembly assembly{output};

    // The vertex arrays of the primitives drawn now, transformed and lit.
    std::vector<ClipVertex> arrayVertices;

    Raster raster;
};

}  // namespace weblayer
