#include "Shapes.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <vector>

namespace weblayer {

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

// A sphere's vertices (the top one, each inner stack's ring, the bottom one)
// with the indices that draw it: the solid as one triangle strip per stack,
// the wire as one line strip per slice from pole to pole, then one line loop
// per inner stack.
struct SphereMesh {
    float radius = 0.0f;
    int slices = 0, stacks = 0;
    std::vector<float> positions, normals;
    std::vector<unsigned> strips, wire;

    [[nodiscard]] VertexArrays arrays() const
    {
        return {positions.data(), normals.data(), static_cast<int>(positions.size() / 3)};
    }
};

SphereMesh tessellated(float radius, int slices, int stacks)
{
    SphereMesh mesh{radius, slices, stacks, {}, {}, {}, {}};
    const CircleTable around(-slices, false);
    const CircleTable down(stacks, true);
    auto add = [&](float x, float y, float z) {
        mesh.positions.insert(mesh.positions.end(), {x * radius, y * radius, z * radius});
        mesh.normals.insert(mesh.normals.end(), {x, y, z});
    };
    add(0.0f, 0.0f, 1.0f);
    for (int i = 1; i < stacks; ++i)
        for (int j = 0; j < slices; ++j)
            add(around.cosine[j] * down.sine[i], around.sine[j] * down.sine[i], down.cosine[i]);
    add(0.0f, 0.0f, -1.0f);

    const auto ring = [slices](int stack) { return static_cast<unsigned>(1 + stack * slices); };
    const auto bottom = static_cast<unsigned>(mesh.positions.size() / 3 - 1);
    for (int j = 0; j < slices; ++j)
        mesh.strips.insert(mesh.strips.end(), {ring(0) + j, 0u});
    mesh.strips.insert(mesh.strips.end(), {ring(0), 0u});
    for (int i = 0; i < stacks - 2; ++i) {
        for (int j = 0; j < slices; ++j)
            mesh.strips.insert(mesh.strips.end(), {ring(i + 1) + j, ring(i) + j});
        mesh.strips.insert(mesh.strips.end(), {ring(i + 1), ring(i)});
    }
    for (int j = 0; j < slices; ++j)
        mesh.strips.insert(mesh.strips.end(), {bottom, ring(stacks - 2) + j});
    mesh.strips.insert(mesh.strips.end(), {bottom, ring(stacks - 2)});

    for (int j = 0; j < slices; ++j) {
        mesh.wire.push_back(0);
        for (int i = 0; i < stacks - 1; ++i)
            mesh.wire.push_back(ring(i) + j);
        mesh.wire.push_back(bottom);
    }
    for (int i = 0; i < stacks - 1; ++i)
        for (int j = 0; j < slices; ++j)
            mesh.wire.push_back(ring(i) + j);
    return mesh;
}

// Tessellated once per radius, slices and stacks: a program draws the same
// few spheres in every frame. The oldest gives way to a new one.
const SphereMesh& sphere(float radius, int slices, int stacks)
{
    static std::array<SphereMesh, 4> meshes;
    static std::size_t oldest = 0;
    for (const SphereMesh& mesh : meshes)
        if (mesh.slices > 0 && mesh.radius == radius && mesh.slices == slices &&
            mesh.stacks == stacks)
            return mesh;
    SphereMesh& mesh = meshes[oldest];
    oldest = (oldest + 1) % meshes.size();
    mesh = tessellated(radius, slices, stacks);
    return mesh;
}

bool drawable(int slices, int stacks)
{
    // Nothing to tessellate, and no size that would take unbounded memory.
    return slices > 0 && stacks >= 2 && slices <= 4096 && stacks <= 4096;
}

// The cube's faces as the desktop toolkit lists them, laid out once for an
// edge of 1: four corners each, with the face's normal.
struct UnitCube {
    float positions[72];
    float normals[72];
    unsigned indices[36];
};

UnitCube unitCube()
{
    const float corners[8][3] = {{.5f, .5f, .5f},   {-.5f, .5f, .5f},  {-.5f, -.5f, .5f},
                                 {.5f, -.5f, .5f},  {.5f, -.5f, -.5f}, {.5f, .5f, -.5f},
                                 {-.5f, .5f, -.5f}, {-.5f, -.5f, -.5f}};
    const float faceNormals[6][3] = {{0, 0, 1},  {1, 0, 0},  {0, 1, 0},
                                     {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    const int faces[6][4] = {{0, 1, 2, 3}, {0, 3, 4, 5}, {0, 5, 6, 1},
                             {1, 6, 7, 2}, {7, 4, 3, 2}, {4, 7, 6, 5}};
    UnitCube cube{};
    for (int face = 0; face < 6; ++face) {
        for (int k = 0; k < 4; ++k)
            for (int axis = 0; axis < 3; ++axis) {
                cube.positions[(face * 4 + k) * 3 + axis] = corners[faces[face][k]][axis];
                cube.normals[(face * 4 + k) * 3 + axis] = faceNormals[face][axis];
            }
        const unsigned split[6] = {0, 1, 2, 0, 2, 3};
        for (int k = 0; k < 6; ++k)
            cube.indices[face * 6 + k] = static_cast<unsigned>(face * 4) + split[k];
    }
    return cube;
}

}  // namespace

void solidCube(FixedFunction& gl, double size)
{
    static const UnitCube cube = unitCube();
    const auto edge = static_cast<float>(size);
    float positions[72];
    for (int i = 0; i < 72; ++i)
        positions[i] = edge * cube.positions[i];
    gl.drawElements(Primitive::triangles, {positions, cube.normals, 24}, cube.indices, 36);
}

void solidSphere(FixedFunction& gl, double radius, int slices, int stacks)
{
    if (!drawable(slices, stacks))
        return;
    const SphereMesh& mesh = sphere(static_cast<float>(radius), slices, stacks);
    gl.drawElements(Primitive::triangleStrip, mesh.arrays(), mesh.strips.data(), 2 * (slices + 1),
                    stacks);
}

void wireSphere(FixedFunction& gl, double radius, int slices, int stacks)
{
    if (!drawable(slices, stacks))
        return;
    const SphereMesh& mesh = sphere(static_cast<float>(radius), slices, stacks);
    const int poleToPole = stacks + 1;
    gl.drawElements(Primitive::lineStrip, mesh.arrays(), mesh.wire.data(), poleToPole, slices);
    gl.drawElements(Primitive::lineLoop, mesh.arrays(),
                    mesh.wire.data() + static_cast<std::ptrdiff_t>(slices) * poleToPole, slices,
                    stacks - 1);
}

}  // namespace weblayer
