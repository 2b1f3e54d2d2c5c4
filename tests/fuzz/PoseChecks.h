#pragma once

#include "camera/Camera.h"

#include <cmath>
#include <sstream>
#include <string>

// Checks shared by the event fuzzer and the soak run. Lengths are computed
// here rather than with the program's own vector operations, so that a fault
// there cannot hide itself.
namespace posecheck {

inline double norm(const Vector3& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

inline bool isFinite(const Vector3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

inline std::string show(const Vector3& v)
{
    std::ostringstream out;
    out.precision(17);
    out << '(' << v.x << ", " << v.y << ", " << v.z << ')';
    return out.str();
}

// Empty when the pose is sound: every component finite, direction and up of
// unit length; otherwise what is wrong with it.
inline std::string poseFault(const Camera& pose, double tolerance = 1e-9)
{
    const struct {
        const char* name;
        const Vector3& value;
    } fields[] = {{"position", pose.position}, {"direction", pose.direction}, {"up", pose.up}};
    for (const auto& field : fields)
        if (!isFinite(field.value))
            return std::string(field.name) + " is not finite: " + show(field.value);
    for (int i = 1; i < 3; ++i) {
        const double length = norm(fields[i].value);
        if (!(std::abs(length - 1.0) <= tolerance)) {
            std::ostringstream out;
            out.precision(17);
            out << fields[i].name << " has length " << length << ": " << show(fields[i].value);
            return out.str();
        }
    }
    return {};
}

}  // namespace posecheck
