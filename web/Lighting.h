#pragma once

#include "Matrix.h"

// Light 0 with colour material, as OpenGL lights a vertex: in single
// precision, with OpenGL's default scene ambient and material.
namespace weblayer {

class Lighting {
public:
    void setEnabled(bool on) { enabled = on; }
    void setLight0(bool on) { light0 = on; }
    void setColorMaterial(bool on) { colorMaterial = on; }
    void setAmbient(const float rgba[4]);
    void setDiffuse(const float rgba[4]);
    // The light's position in eye space. Only a directional light (w = 0) is
    // drawn as such; a positional one is lit as if it were infinitely far in
    // its direction. False, and nothing changed, for a position without a
    // direction.
    bool setPosition(const float eye[4]);

    // The colour that lighting gives a vertex of this colour with this
    // object-space normal, which `normals` takes to eye space.
    void lit(const NormalMatrix& normals, const float normal[3], const float color[4],
             float rgba[4]) const;

private:
    bool enabled = false, light0 = false, colorMaterial = false;
    float ambient[4] = {0, 0, 0, 1};
    float diffuse[4] = {1, 1, 1, 1};
    float direction[3] = {0, 0, 1};  // towards the light, normalized, eye space
};

}  // namespace weblayer
