#pragma once

#include "Matrix.h"

#include <vector>

// The part of OpenGL 1.x that the program uses, done on the CPU: matrix
// stacks, immediate mode with the current colour and normal, light 0 with
// colour material, lines of any width clipped in homogeneous coordinates,
// the raster position and bitmaps. What it draws comes out as plain
// triangles with a colour per vertex, for any renderer to rasterize.
namespace webgl {

struct Viewport {
    int x = 0, y = 0, width = 0, height = 0;
};

// A vertex for the rasterizer: clip coordinates and a colour in [0, 1].
struct OutVertex {
    float x, y, z, w;
    float r, g, b, a;
};

// Receives each batch of triangles with the viewport to draw it in.
using TriangleSink = void (*)(const Viewport& viewport, const OutVertex* vertices, int count);

enum class Primitive {
    points,
    lines,
    lineLoop,
    lineStrip,
    triangles,
    triangleStrip,
    triangleFan,
    quads,
    quadStrip,
    polygon
};

// A colour channel as the nearest of the 256 values a pixel can hold,
// rounded in double precision from the single-precision value (0.7f, just
// below 178.5 / 255, is 178), so that WebGL stores the value OpenGL would.
float toEightBits(float channel);

class FixedFunction {
public:
    explicit FixedFunction(TriangleSink sink);

    void setWindowSize(int width, int height);
    void setViewport(int x, int y, int width, int height);
    const Viewport& viewport() const { return view; }

    // Matrices: the mode chooses the stack (true for the projection).
    void selectProjection(bool projection) { projectionMode = projection; }
    void loadIdentity();
    void multiply(const Matrix& matrix);
    void translate(float x, float y, float z);
    void push();
    void pop();
    const Matrix& modelview() const { return modelviews.back(); }
    const Matrix& projection() const { return projections.back(); }

    void setLighting(bool on) { lighting = on; }
    void setLight0(bool on) { light0 = on; }
    void setColorMaterial(bool on) { colorMaterial = on; }
    void setLineWidth(float width);
    // Light 0's ambient, diffuse and position; the position goes through the
    // modelview matrix as it is now.
    void setLightAmbient(const float rgba[4]);
    void setLightDiffuse(const float rgba[4]);
    void setLightPosition(const float xyzw[4]);

    void color(float r, float g, float b);
    void normal(float x, float y, float z);
    void begin(Primitive primitive);
    void vertex(float x, float y, float z);
    void end();
    // Vertex arrays drawn by index, each vertex with its own normal and the
    // current colour; the current normal stays as it was.
    void drawElements(Primitive primitive, const float* positions, const float* normals,
                      const unsigned* indices, int count);

    // The raster position, and a bitmap drawn there with rows bottom first
    // and bit 7 the leftmost pixel, as glBitmap takes them.
    void rasterPosition(double x, double y, double z, double w);
    void bitmap(int width, int height, float xOrigin, float yOrigin, float xMove, float yMove,
                const unsigned char* rows);
    bool rasterValid() const { return raster.valid; }
    float rasterX() const { return raster.x; }
    float rasterY() const { return raster.y; }

    // The colour that lighting gives a vertex of this colour with this
    // eye-space normal.
    void shade(const float normal[3], const float color[4], float rgba[4]) const;

private:
    struct Vertex {
        float position[3];
        float normal[3];
        float color[4];
    };
    struct Transformed {
        float clip[4];
        float color[4];
    };
    struct Raster {
        bool valid = true;
        float x = 0, y = 0, z = 0;
        float color[4] = {1, 1, 1, 1};
    };

    Transformed transformed(const Vertex& v, const Matrix& mvp) const;
    void emitTriangles(const std::vector<Transformed>& vertices);
    void emitLines(const std::vector<Transformed>& vertices);
    void emitSegment(Transformed a, Transformed b);
    void emitWindowQuad(const float corners[4][3], const float colors[4][4]);
    void flushWindowQuads();

    TriangleSink sink;
    Viewport view;
    int windowWidth = 0, windowHeight = 0;
    bool projectionMode = false;
    std::vector<Matrix> modelviews{Matrix::identity()};
    std::vector<Matrix> projections{Matrix::identity()};

    bool lighting = false, light0 = false, colorMaterial = false;
    float lineWidth = 1.0f;
    float lightAmbient[4] = {0, 0, 0, 1};
    float lightDiffuse[4] = {1, 1, 1, 1};
    float lightDirection[3] = {0, 0, 1};  // towards the light, normalized, eye space
    float currentColor[4] = {1, 1, 1, 1};
    float currentNormal[3] = {0, 0, 1};

    bool inside = false;
    Primitive primitive = Primitive::points;
    std::vector<Vertex> pending;
    std::vector<Transformed> scratch;
    std::vector<OutVertex> out;
    std::vector<OutVertex> windowOut;
    Raster raster;
};

}  // namespace webgl
