#include "Lighting.h"

#include <algorithm>
#include <cmath>

namespace weblayer {

namespace {

// OpenGL's default scene ambient and material, where colour material is off.
constexpr float sceneAmbient = 0.2f;
constexpr float defaultAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
constexpr float defaultDiffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};

float clamp01(float v)
{
    return std::min(1.0f, std::max(0.0f, v));
}

}  // namespace

void Lighting::setAmbient(const float rgba[4])
{
    std::copy(rgba, rgba + 4, ambient);
}

void Lighting::setDiffuse(const float rgba[4])
{
    std::copy(rgba, rgba + 4, diffuse);
}

bool Lighting::setPosition(const float eye[4])
{
    const float length = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    if (length == 0.0f)
        return false;
    for (int i = 0; i < 3; ++i)
        direction[i] = eye[i] / length;
    return true;
}

void Lighting::lit(const NormalMatrix& normals, const float normal[3], const float color[4],
                   float rgba[4]) const
{
    if (!enabled) {
        for (int i = 0; i < 4; ++i)
            rgba[i] = clamp01(color[i]);
        return;
    }
    float eyeNormal[3];
    normals.transform(normal, eyeNormal);
    const float* materialAmbient = colorMaterial ? color : defaultAmbient;
    const float* materialDiffuse = colorMaterial ? color : defaultDiffuse;
    const float facing = std::max(0.0f, eyeNormal[0] * direction[0] + eyeNormal[1] * direction[1] +
                                            eyeNormal[2] * direction[2]);
    for (int i = 0; i < 3; ++i) {
        float c = materialAmbient[i] * sceneAmbient;
        if (light0)
            c = c + materialAmbient[i] * ambient[i] + facing * (materialDiffuse[i] * diffuse[i]);
        rgba[i] = clamp01(c);
    }
    rgba[3] = clamp01(materialDiffuse[3]);
}

}  // namespace weblayer
