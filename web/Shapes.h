#pragma once

#include "FixedFunction.h"

// The solids of the desktop toolkit, tessellated as it tessellates them (the
// same vertices, normals and primitives), so that silhouettes and shading
// match the desktop program's.
namespace weblayer {

void solidCube(FixedFunction& gl, double size);
void solidSphere(FixedFunction& gl, double radius, int slices, int stacks);
void wireSphere(FixedFunction& gl, double radius, int slices, int stacks);

}  // namespace weblayer
