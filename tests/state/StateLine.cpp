#include "StateLine.h"

#include "HexFloat.h"
#include "animation/Demonstrations.h"
#include "animation/Trail.h"
#include "camera/Camera.h"

#include <cstring>

namespace {

constexpr int newestEntriesShown = 3;
constexpr std::uint64_t fnvOffsetBasis = 0xcbf29ce484222325;
constexpr std::uint64_t fnvPrime = 0x100000001b3;

class Fields {
public:
    void add(const std::string& name, const std::string& value)
    {
        if (!text.empty())
            text += ' ';
        text += name;
        text += '=';
        text += value;
    }

    void add(const std::string& name, const Vector3& v)
    {
        add(name + ".x", hexFloat(v.x));
        add(name + ".y", hexFloat(v.y));
        add(name + ".z", hexFloat(v.z));
    }

    std::string text;
};

std::string quoted(const char* text)
{
    std::string result = "\"";
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '"' || *c == '\\')
            result += '\\';
        result += *c;
    }
    return result + '"';
}

std::string hex64(std::uint64_t value)
{
    std::string digits(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4)
        digits[static_cast<std::size_t>(i)] = "0123456789abcdef"[value & 0xf];
    return digits;
}

}  // namespace

std::uint64_t trailDigest()
{
    std::uint64_t hash = fnvOffsetBasis;
    for (const Vector3& entry : trail) {
        for (const double component : {entry.x, entry.y, entry.z}) {
            std::uint64_t bits = 0;
            std::memcpy(&bits, &component, sizeof bits);
            for (int byte = 0; byte < 8; ++byte, bits >>= 8) {
                hash ^= bits & 0xff;
                hash *= fnvPrime;
            }
        }
    }
    return hash;
}

std::string stateLine(const std::string& checkpoint)
{
    Fields fields;
    fields.add("checkpoint", checkpoint);
    fields.add("caption", quoted(caption));
    fields.add("modeCounter", std::to_string(modeCounter));
    fields.add("animating", animating ? "true" : "false");
    fields.add("orbitRadius", hexFloat(orbitRadius));
    fields.add("orbitAngle", hexFloat(orbitAngle));
    fields.add("elevation", hexFloat(elevation));
    fields.add("position", camera.position);
    fields.add("direction", camera.direction);
    fields.add("up", camera.up);
    fields.add("trailHead", std::to_string(trailHead));
    // Newest first: trail[-1] is the entry written last.
    for (int age = 1; age <= newestEntriesShown; ++age) {
        const int index = (trailHead - age + trailLength) % trailLength;
        fields.add("trail[-" + std::to_string(age) + "]", trail[index]);
    }
    fields.add("trailDigest", "fnv1a64:" + hex64(trailDigest()));
    return fields.text + '\n';
}
