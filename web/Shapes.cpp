#include "Shapes.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace webgl {

namespace {

constexpr double pi = 3.14159265358979323846;  // the C library's M_PI, which not every one has

// Sines and cosines of n + 1 points on a circle (or a half circle), the last
// repeating the first (or ending at pi); a negative n turns the other way.
struct CircleTable {
    std::vector<float> sine, cosine;

    CircleTable(int n, bool halfCircle)
    {
        const int size = std::abs(n);
        const float angle = static_cast<float>(halfCircle ? 1 : 2) * static_cast<float>(pi) /
                            static_cast<float>(n == 0 ? 1 : n);
        sine.resize(size + 1);
        cosine.resize(size + 1);
        sine[0] = 0.0f;
        cosine[0] = 1.0f;
        for (int i = 1; i < size; ++i) {
            sine[i] = static_cast<float>(std::sin(angle * static_cast<float>(i)));
            cosine[i] = static_cast<float>(std::cos(angle * static_cast<float>(i)));
        }
        sine[size] = halfCircle ? 0.0f : sine[0];
        cosine[size] = halfCircle ? -1.0f : cosine[0];
    }
};

struct Mesh {
    std::vector<float> positions, normals;
    int count = 0;
};

// The top vertex, then each inner stack's ring, then the bottom vertex.
Mesh sphereMesh(float radius, int slices, int stacks)
{
    Mesh mesh;
    const CircleTable around(-slices, false), down(stacks, true);
    auto add = [&](float x, float y, float z) {
        mesh.positions.insert(mesh.positions.end(), {x * radius, y * radius, z * radius});
        mesh.normals.insert(mesh.normals.end(), {x, y, z});
        ++mesh.count;
    };
    add(0.0f, 0.0f, 1.0f);
    for (int i = 1; i < stacks; ++i)
        for (int j = 0; j < slices; ++j)
            add(around.cosine[j] * down.sine[i], around.sine[j] * down.sine[i], down.cosine[i]);
    add(0.0f, 0.0f, -1.0f);
    return mesh;
}

bool drawable(int slices, int stacks)
{
    // Nothing to tessellate, and no size that would take unbounded memory.
    return slices > 0 && stacks >= 2 && slices <= 4096 && stacks <= 4096;
}

}  // namespace

void solidCube(FixedFunction& gl, double size)
{
    static const float corners[8][3] = {{.5f, .5f, .5f},   {-.5f, .5f, .5f},  {-.5f, -.5f, .5f},
                                        {.5f, -.5f, .5f},  {.5f, -.5f, -.5f}, {.5f, .5f, -.5f},
                                        {-.5f, .5f, -.5f}, {-.5f, -.5f, -.5f}};
    static const float faceNormals[6][3] = {{0, 0, 1},  {1, 0, 0},  {0, 1, 0},
                                            {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    static const int faces[6][4] = {{0, 1, 2, 3}, {0, 3, 4, 5}, {0, 5, 6, 1},
                                    {1, 6, 7, 2}, {7, 4, 3, 2}, {4, 7, 6, 5}};
    const float edge = static_cast<float>(size);
    std::vector<float> positions, normals;
    std::vector<unsigned> indices;
    for (int face = 0; face < 6; ++face) {
        const auto first = static_cast<unsigned>(positions.size() / 3);
        for (int corner : faces[face]) {
            for (int axis = 0; axis < 3; ++axis) {
                positions.push_back(edge * corners[corner][axis]);
                normals.push_back(faceNormals[face][axis]);
            }
        }
        for (unsigned k : {0u, 1u, 2u, 0u, 2u, 3u})
            indices.push_back(first + k);
    }
    gl.drawElements(Primitive::triangles, positions.data(), normals.data(), indices.data(),
                    static_cast<int>(indices.size()));
}

void solidSphere(FixedFunction& gl, double radius, int slices, int stacks)
{
    if (!drawable(slices, stacks))
        return;
    const Mesh mesh = sphereMesh(static_cast<float>(radius), slices, stacks);
    const auto bottom = static_cast<unsigned>(mesh.count - 1);
    std::vector<unsigned> strip;
    auto draw = [&]() {
        gl.drawElements(Primitive::triangleStrip, mesh.positions.data(), mesh.normals.data(),
                        strip.data(), static_cast<int>(strip.size()));
        strip.clear();
    };
    for (int j = 0; j < slices; ++j)
        strip.insert(strip.end(), {static_cast<unsigned>(j + 1), 0u});
    strip.insert(strip.end(), {1u, 0u});
    draw();
    for (int i = 0; i < stacks - 2; ++i) {
        const auto offset = static_cast<unsigned>(1 + i * slices);
        for (int j = 0; j < slices; ++j)
            strip.insert(strip.end(), {offset + j + slices, offset + j});
        strip.insert(strip.end(), {offset + slices, offset});
        draw();
    }
    const auto offset = static_cast<unsigned>(1 + (stacks - 2) * slices);
    for (int j = 0; j < slices; ++j)
        strip.insert(strip.end(), {bottom, offset + j});
    strip.insert(strip.end(), {bottom, offset});
    draw();
}

void wireSphere(FixedFunction& gl, double radius, int slices, int stacks)
{
    if (!drawable(slices, stacks))
        return;
    const Mesh mesh = sphereMesh(static_cast<float>(radius), slices, stacks);
    std::vector<unsigned> line;
    auto draw = [&](Primitive primitive) {
        gl.drawElements(primitive, mesh.positions.data(), mesh.normals.data(), line.data(),
                        static_cast<int>(line.size()));
        line.clear();
    };
    // Each slice from pole to pole, then each stack as a ring.
    for (int i = 0; i < slices; ++i) {
        line.push_back(0);
        for (int j = 0; j < stacks - 1; ++j)
            line.push_back(static_cast<unsigned>(1 + i + j * slices));
        line.push_back(static_cast<unsigned>(mesh.count - 1));
        draw(Primitive::lineStrip);
    }
    for (int i = 0; i < stacks - 1; ++i) {
        for (int j = 0; j < slices; ++j)
            line.push_back(static_cast<unsigned>(1 + i * slices + j));
        draw(Primitive::lineLoop);
    }
}

}  // namespace webgl
