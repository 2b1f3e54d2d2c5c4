#include "FixedFunction.h"
#include "GluMatrices.h"
#include "Shapes.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace {

constexpr int side = 200;

class WebLayer : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "web_layer_tests";
        static char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGB | GLUT_DEPTH);
        glutInitWindowSize(side, side);
        glutCreateWindow("web layer");
        glutDisplayFunc([] {});
        // Mapped and shown, so that every pixel read back was drawn.
        for (int i = 0; i < 50; ++i) {
            glutMainLoopEvent();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    void SetUp() override
    {
        glViewport(0, 0, side, side);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
};

weblayer::Matrix currentGlMatrix(GLenum which)
{
    weblayer::Matrix m{};
    glGetFloatv(which, m.m);
    return m;
}

void expectSameBits(const weblayer::Matrix& expected, const weblayer::Matrix& actual)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(0, std::memcmp(&expected.m[i], &actual.m[i], sizeof(float)))
            << "element " << i << ": " << expected.m[i] << " against " << actual.m[i];
}

TEST_F(WebLayer, lookAtAndPerspectiveGiveGlusMatricesBitForBit)
{
    struct View {
        double eye[3], centre[3], up[3];
    };
    const View views[] = {
        {{20, 20, 20}, {0, 0, 0}, {0, 1, 0}},
        {{0, 0, 10}, {0, 0, 0}, {0, 1, 0}},
        {{7.0710678118654755, 1.2, -7.0710678118654746}, {0.1, -0.3, 0.7}, {0.3, 0.9, 0.1}},
        {{1e-3, 5, 0}, {0, 0, 0}, {0, 1, 0}},  // nearly along the up vector
        {{3, 3, 3}, {3, 3, 3}, {0, 1, 0}},     // no direction at all
    };
    for (const View& v : views) {
        glLoadIdentity();
        gluLookAt(v.eye[0], v.eye[1], v.eye[2], v.centre[0], v.centre[1], v.centre[2], v.up[0],
                  v.up[1], v.up[2]);
        // Multiplied onto the identity, as OpenGL does: -0 becomes 0.
        const weblayer::Matrix ours =
            weblayer::Matrix::identity() *
            weblayer::lookAtRotation(v.eye[0], v.eye[1], v.eye[2], v.centre[0], v.centre[1],
                                     v.centre[2], v.up[0], v.up[1], v.up[2])
                .translated(static_cast<float>(-v.eye[0]), static_cast<float>(-v.eye[1]),
                            static_cast<float>(-v.eye[2]));
        expectSameBits(currentGlMatrix(GL_MODELVIEW_MATRIX), ours);
    }

    glMatrixMode(GL_PROJECTION);
    for (const double aspect : {1.0, 1000.0 / 600.0, 1.0 / 800.0, 4000.0, 0.0}) {
        glLoadIdentity();
        gluPerspective(45.0, aspect, 1.0, 100.0);
        weblayer::Matrix ours = weblayer::Matrix::identity();
        weblayer::Matrix perspective{};
        if (weblayer::perspectiveMatrix(45.0, aspect, 1.0, 100.0, perspective))
            ours = ours * perspective;
        expectSameBits(currentGlMatrix(GL_PROJECTION_MATRIX), ours);
    }
}

TEST_F(WebLayer, productsAndTranslationsRoundAsOpenGLs)
{
    weblayer::Matrix a{}, b{};
    for (int i = 0; i < 16; ++i) {
        a.m[i] = std::sin(1.0f + static_cast<float>(i) * 0.37f) * 3.0f;
        b.m[i] = std::cos(0.5f + static_cast<float>(i) * 1.13f) / 7.0f;
    }
    glLoadMatrixf(a.m);
    glMultMatrixf(b.m);
    glTranslatef(0.3f, -2.0f, 1e-3f);
    expectSameBits(currentGlMatrix(GL_MODELVIEW_MATRIX), (a * b).translated(0.3f, -2.0f, 1e-3f));
}

// What OpenGL's feedback mode or the layer's sink reports: for each
// primitive its window-space vertices (x, y, z) and colours.
struct Vertex {
    std::array<float, 3> position;
    std::array<float, 4> color;
};
using Primitive = std::vector<Vertex>;

std::vector<Primitive> captured;

void capture(const weblayer::Viewport& view, const weblayer::ClipVertex* vertices, int count)
{
    for (int i = 0; i < count; i += 3) {
        Primitive triangle;
        for (int k = 0; k < 3; ++k) {
            const weblayer::ClipVertex& v = vertices[i + k];
            const float x = v.clip[0] / v.clip[3], y = v.clip[1] / v.clip[3],
                        z = v.clip[2] / v.clip[3];
            triangle.push_back({{(x + 1) * view.width / 2 + view.x,
                                 (y + 1) * view.height / 2 + view.y, (z + 1) / 2},
                                {v.color[0], v.color[1], v.color[2], v.color[3]}});
        }
        captured.push_back(triangle);
    }
}

std::vector<Primitive> feedback(void (*draw)())
{
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const int size = glRenderMode(GL_RENDER);
    std::vector<Primitive> primitives;
    auto vertex = [&](int& i) {
        Vertex v{{buffer[i], buffer[i + 1], buffer[i + 2]},
                 {buffer[i + 3], buffer[i + 4], buffer[i + 5], buffer[i + 6]}};
        i += 7;
        return v;
    };
    for (int i = 0; i < size;) {
        const auto token = static_cast<GLenum>(buffer[i++]);
        if (token == GL_POLYGON_TOKEN) {
            const int n = static_cast<int>(buffer[i++]);
            Primitive p;
            for (int k = 0; k < n; ++k)
                p.push_back(vertex(i));
            primitives.push_back(p);
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            Primitive p{vertex(i)};
            p.push_back(vertex(i));
            primitives.push_back(p);
        } else {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
    }
    return primitives;
}

void expectSamePrimitives(const std::vector<Primitive>& expected,
                          const std::vector<Primitive>& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t p = 0; p < expected.size(); ++p) {
        ASSERT_EQ(expected[p].size(), actual[p].size()) << "primitive " << p;
        // The same corners; a strip's odd triangles may list them in another order.
        for (const Vertex& e : expected[p]) {
            const bool found =
                std::any_of(actual[p].begin(), actual[p].end(), [&](const Vertex& a) {
                    for (int k = 0; k < 3; ++k)
                        if (std::fabs(a.position[k] - e.position[k]) > (k < 2 ? 2e-3f : 1e-5f))
                            return false;
                    for (int k = 0; k < 4; ++k)
                        if (std::fabs(a.color[k] - e.color[k]) > 1e-5f)
                            return false;
                    return true;
                });
            EXPECT_TRUE(found) << "primitive " << p << ": vertex (" << e.position[0] << ", "
                               << e.position[1] << ", " << e.position[2] << ") colour ("
                               << e.color[0] << ", " << e.color[1] << ", " << e.color[2] << ")";
        }
    }
}

// Without the strips' degenerate triangles at the poles, which feedback may
// or may not report.
std::vector<Primitive> withArea(const std::vector<Primitive>& triangles)
{
    std::vector<Primitive> kept;
    for (const Primitive& t : triangles) {
        const auto& a = t[0].position;
        const auto& b = t[1].position;
        const auto& c = t[2].position;
        if (std::fabs((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])) > 1e-6f)
            kept.push_back(t);
    }
    return kept;
}

// The program's lighting and a turned, moved view, for both sides; the
// solids stay inside the view, so that nothing is clipped.
void setUpScene(weblayer::FixedFunction* layer)
{
    const GLfloat ambient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
    const GLfloat diffuse[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    const GLfloat position[4] = {10.0f, 10.0f, 10.0f, 0.0f};
    weblayer::Matrix perspective{};
    weblayer::perspectiveMatrix(45.0, 1.0, 1.0, 100.0, perspective);
    const weblayer::Matrix view =
        weblayer::lookAtRotation(6, 4, 8, 0.2, 0, 0, 0, 1, 0).translated(-6, -4, -8);
    if (layer == nullptr) {
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
        glLightfv(GL_LIGHT0, GL_POSITION, position);
        glEnable(GL_LIGHT0);
        glEnable(GL_COLOR_MATERIAL);
        glLineWidth(2.0f);
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(perspective.m);
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(view.m);
        return;
    }
    layer->setWindowSize(side, side);
    layer->setViewport(0, 0, side, side);
    layer->setLighting(true);
    layer->setLightAmbient(ambient);
    layer->setLightDiffuse(diffuse);
    layer->setLightPosition(position);
    layer->setLight0(true);
    layer->setColorMaterial(true);
    layer->setLineWidth(2.0f);
    layer->selectProjection(true);
    layer->multiply(perspective);
    layer->selectProjection(false);
    layer->multiply(view);
}

TEST_F(WebLayer, solidsGiveTheDesktopToolkitsTrianglesNormalsAndLighting)
{
    auto desktop = [] {
        glColor3f(0.0f, 1.0f, 0.0f);
        glutSolidCube(1.0);
        glTranslatef(2.0f, 0.0f, 0.0f);
        glColor3f(0.0f, 0.0f, 1.0f);
        glutSolidSphere(1.0, 20, 20);
        glTranslatef(-2.5f, 0.4f, 0.0f);
        glColor3f(1.0f, 1.0f, 1.0f);
        glutSolidSphere(0.25, 10, 10);
    };
    setUpScene(nullptr);
    const std::vector<Primitive> expected = feedback(desktop);

    weblayer::FixedFunction layer(capture);
    captured.clear();
    setUpScene(&layer);
    layer.color(0.0f, 1.0f, 0.0f);
    weblayer::solidCube(layer, 1.0);
    layer.translate(2.0f, 0.0f, 0.0f);
    layer.color(0.0f, 0.0f, 1.0f);
    weblayer::solidSphere(layer, 1.0, 20, 20);
    layer.translate(-2.5f, 0.4f, 0.0f);
    layer.color(1.0f, 1.0f, 1.0f);
    weblayer::solidSphere(layer, 0.25, 10, 10);
    layer.flush();

    EXPECT_GT(expected.size(), 700u);
    expectSamePrimitives(withArea(expected), withArea(captured));
}

// The layer's line output painted on the CPU: whole-pixel rectangles in
// window coordinates, each coloured along its major axis, the last on top.
std::vector<float> paint(const std::vector<Primitive>& triangles)
{
    std::vector<float> rgb(side * side * 3, 0.0f);
    for (std::size_t i = 0; i + 1 < triangles.size(); i += 2) {
        const Vertex& start = triangles[i][0];
        const Vertex& end = triangles[i][1];
        const Vertex& across = triangles[i][2];
        const int major = start.position[0] != end.position[0] ? 0 : 1;
        const float from = start.position[major], to = end.position[major];
        // Whole pixels, give or take the rounding of the way back from
        // normalized device coordinates.
        const auto x0 = std::lround(std::min(start.position[0], across.position[0]));
        const auto x1 = std::lround(std::max(start.position[0], across.position[0]));
        const auto y0 = std::lround(std::min(start.position[1], across.position[1]));
        const auto y1 = std::lround(std::max(start.position[1], across.position[1]));
        for (long y = std::max(0L, y0); y < std::min(long{side}, y1); ++y)
            for (long x = std::max(0L, x0); x < std::min(long{side}, x1); ++x) {
                const float t =
                    (static_cast<float>(major == 0 ? x : y) + 0.5f - from) / (to - from);
                for (int c = 0; c < 3; ++c)
                    rgb[(y * side + x) * 3 + c] =
                        start.color[c] + t * (end.color[c] - start.color[c]);
            }
    }
    return rgb;
}

TEST_F(WebLayer, wideLinesCoverThePixelsOpenGLCoversLitWithTheCurrentNormalKept)
{
    auto draw = [](weblayer::FixedFunction* layer) {
        // The normal set before the sphere lights the strip after it: the
        // sphere's own normals do not become current.
        const float strip[3][3] = {{-1.0f, 0.5f, 0.2f}, {0.5f, -0.5f, 1.0f}, {1.0f, 1.0f, -1.0f}};
        if (layer == nullptr) {
            glNormal3f(0.0f, 1.0f, 0.0f);
            glColor3f(1.0f, 0.0f, 0.0f);
            glutWireSphere(2.5, 12, 8);
            glColor3f(1.0f, 1.0f, 1.0f);
            glBegin(GL_LINE_STRIP);
            for (const auto& v : strip)
                glVertex3f(v[0], v[1], v[2]);
            // Far behind the eye and back: clipped, not dropped.
            glVertex3f(30.0f, 20.0f, 40.0f);
            glEnd();
            return;
        }
        layer->normal(0.0f, 1.0f, 0.0f);
        layer->color(1.0f, 0.0f, 0.0f);
        weblayer::wireSphere(*layer, 2.5, 12, 8);
        layer->color(1.0f, 1.0f, 1.0f);
        layer->begin(weblayer::Primitive::lineStrip);
        for (const auto& v : strip)
            layer->vertex(v[0], v[1], v[2]);
        layer->vertex(30.0f, 20.0f, 40.0f);
        layer->end();
    };
    setUpScene(nullptr);
    glDisable(GL_DEPTH_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    draw(nullptr);
    glFinish();
    std::vector<unsigned char> expected(side * side * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, side, side, GL_RGB, GL_UNSIGNED_BYTE, expected.data());

    weblayer::FixedFunction layer(capture);
    captured.clear();
    setUpScene(&layer);
    draw(&layer);
    layer.flush();
    const std::vector<float> actual = paint(captured);

    int linePixels = 0, differing = 0;
    for (std::size_t i = 0; i < expected.size(); i += 3) {
        bool same = true;
        for (int c = 0; c < 3; ++c)
            same = same && std::fabs(actual[i + c] * 255.0f - expected[i + c]) <= 2.0f;
        linePixels += expected[i] + expected[i + 1] + expected[i + 2] > 0 ? 1 : 0;
        differing += same ? 0 : 1;
    }
    EXPECT_GT(linePixels, 2000);
    // Only near-ties may go the other way: which of two crossing lines ends
    // on top, or where a segment's last pixel falls.
    EXPECT_LE(differing, linePixels / 200) << "of " << linePixels << " line pixels";
    std::printf("%d of %d line pixels differ\n", differing, linePixels);
}

TEST_F(WebLayer, theRasterPositionIsLitAndPlacedAsOpenGLPlacesIt)
{
    setUpScene(nullptr);
    glColor3f(1.0f, 1.0f, 1.0f);
    glNormal3f(0.0f, 0.0f, 0.0f);
    const double at[4] = {-2.0, 0.9, 0.0, 1.0};
    glRasterPos4dv(at);
    GLfloat position[4], color[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    glGetFloatv(GL_CURRENT_RASTER_COLOR, color);

    weblayer::FixedFunction layer(capture);
    setUpScene(&layer);
    layer.color(1.0f, 1.0f, 1.0f);
    layer.normal(0.0f, 0.0f, 0.0f);
    layer.rasterPosition(at[0], at[1], at[2], at[3]);
    // A one-pixel bitmap there takes the lit raster colour and lands on the
    // pixel that holds OpenGL's raster position; the next one 8 pixels on.
    captured.clear();
    const unsigned char bit[1] = {0x80};
    layer.bitmap(1, 1, 0, 0, 8, 0, bit);
    layer.bitmap(1, 1, 0, 0, 8, 0, bit);
    layer.flush();
    ASSERT_EQ(captured.size(), 4u);
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(captured[0][0].color[k], color[k], 1e-6) << "channel " << k;
    EXPECT_EQ(captured[0][0].position[0], std::floor(position[0]));
    EXPECT_NEAR(captured[0][0].position[1], std::floor(position[1]), 1e-3);
    EXPECT_NEAR(captured[2][0].position[0], std::floor(position[0] + 8), 1e-3);

    // Outside the view the position is invalid, and bitmaps draw nothing.
    layer.rasterPosition(-200.0, 0.0, 0.0, 1.0);
    captured.clear();
    const unsigned char bits[1] = {0xFF};
    layer.bitmap(8, 1, 0, 0, 8, 0, bits);
    layer.flush();
    EXPECT_TRUE(captured.empty());

    // A mode the layer does not draw (points) is refused, as OpenGL's
    // invalid enum refuses it: its vertices draw nothing.
    layer.begin(static_cast<weblayer::Primitive>(GL_POINTS));
    layer.vertex(-2.0f, 0.9f, 0.0f);
    layer.end();
    layer.flush();
    EXPECT_TRUE(captured.empty());
}

// At 1.5 device pixels per pixel, pixels are two or one device pixels wide in
// turn, 12 to every 8: views side by side, and a bitmap's pixels, share
// their edges, neither leaving a gap nor overlapping.
TEST(WebLayerPixelRatio, atAFractionalRatioViewsAndBitmapPixelsTileTheDevicesPixels)
{
    const weblayer::PixelRatio ratio(1.5);
    const weblayer::Viewport left = ratio.viewport({1, 0, 3, 8}),
                             right = ratio.viewport({4, 0, 7, 8});
    EXPECT_EQ(left.x, ratio.edge(1));
    EXPECT_EQ(left.x + left.width, right.x);
    EXPECT_EQ(right.x + right.width, ratio.edge(11));
    weblayer::FixedFunction layer(capture);
    captured.clear();
    layer.setWindowSize(20, 10, 1.5);
    layer.setViewport(4, 0, 7, 8);
    layer.rasterPosition(-1.0 + 0.5 / 7, -1.0 + 0.5 / 8, 0.0, 1.0);  // in pixel (4, 0)
    // Every other pixel, then the pixels between: together the two rows
    // cover the eight pixels' columns once each.
    const unsigned char rows[2] = {0xAA, 0x55};
    layer.bitmap(8, 2, 0.0f, 0.0f, 8.0f, 0.0f, rows);
    layer.flush();
    ASSERT_EQ(captured.size(), 16u);  // a rectangle of two triangles for each set bit
    std::vector<int> covered(ratio.edge(20), 0);
    for (std::size_t i = 0; i < captured.size(); i += 2) {
        const long x0 = std::lround(captured[i][0].position[0]);
        const long y0 = std::lround(captured[i][0].position[1]);
        const long x1 = std::lround(captured[i][2].position[0]);
        const long y1 = std::lround(captured[i][2].position[1]);
        const int row = i < 8 ? 0 : 1;
        EXPECT_EQ(std::vector<long>({y0, y1}),
                  std::vector<long>({ratio.edge(row), ratio.edge(row + 1)}));
        EXPECT_TRUE(x1 - x0 == 1 || x1 - x0 == 2) << "a pixel " << x1 - x0 << " device pixels wide";
        for (long x = x0; x < x1; ++x)
            ++covered[static_cast<std::size_t>(x)];
    }
    for (int x = 0; x < ratio.edge(20); ++x)
        EXPECT_EQ(covered[static_cast<std::size_t>(x)],
                  ratio.edge(4) <= x && x < ratio.edge(12) ? 1 : 0)
            << "device column " << x;
}

}  // namespace
