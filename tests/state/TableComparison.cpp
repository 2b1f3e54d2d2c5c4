#include "TableComparison.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <ostream>

namespace {

const char* kindName(ValueKind kind)
{
    return kind == ValueKind::floatValue ? "float" : "double";
}

bool isFloating(ValueKind kind)
{
    return kind == ValueKind::floatValue || kind == ValueKind::doubleValue;
}

// Maps the bits of a float or double onto an unsigned line on which
// neighbouring values are neighbouring integers and both zeros meet.
template <typename Bits> Bits orderedBits(Bits bits)
{
    constexpr Bits signBit = Bits{1} << (sizeof(Bits) * 8 - 1);
    return (bits & signBit) != 0 ? signBit - (bits & ~signBit) : signBit + bits;
}

template <typename Real, typename Bits> std::uint64_t distance(Real a, Real b)
{
    if (!std::isfinite(a) || !std::isfinite(b))
        return unknownDistance;
    Bits aBits = 0;
    Bits bBits = 0;
    std::memcpy(&aBits, &a, sizeof a);
    std::memcpy(&bBits, &b, sizeof b);
    const Bits aOrdered = orderedBits(aBits);
    const Bits bOrdered = orderedBits(bBits);
    return aOrdered > bOrdered ? aOrdered - bOrdered : bOrdered - aOrdered;
}

// A value that does not parse entirely counts as not a number.
double parseDouble(const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() ? value : std::nan("");
}

std::string checkpointOf(const std::vector<Field>& fields)
{
    return fields.empty() ? std::string("?") : fields.front().value;
}

std::string describeDistance(std::uint64_t ulps, ValueKind kind)
{
    if (ulps == unknownDistance)
        return "not finite";
    return std::to_string(ulps) + " ULP (" + kindName(kind) + ")";
}

// The first field of two lines that differ, by index; fields.size() if none.
std::size_t firstDifference(const std::vector<Field>& expected, const std::vector<Field>& actual)
{
    std::size_t i = 0;
    while (i < expected.size() && i < actual.size() && expected[i].name == actual[i].name &&
           expected[i].value == actual[i].value)
        ++i;
    return i;
}

}  // namespace

std::vector<Field> parseFields(const std::string& line)
{
    std::vector<Field> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t equals = line.find('=', at);
        if (equals == std::string::npos) {
            fields.push_back({line.substr(at), ""});
            break;
        }
        Field field{line.substr(at, equals - at), ""};
        std::size_t end = equals + 1;
        if (end < line.size() && line[end] == '"') {
            for (++end; end < line.size() && line[end] != '"'; ++end)
                if (line[end] == '\\')
                    ++end;
            end = std::min(end + 1, line.size());
        } else {
            end = std::min(line.find(' ', end), line.size());
        }
        field.value = line.substr(equals + 1, end - equals - 1);
        fields.push_back(field);
        at = end + 1;
    }
    return fields;
}

ValueKind kindOf(const std::string& value)
{
    const std::string magnitude = !value.empty() && value[0] == '-' ? value.substr(1) : value;
    if (magnitude == "inff" || magnitude == "nanf")
        return ValueKind::floatValue;
    if (magnitude == "inf" || magnitude == "nan")
        return ValueKind::doubleValue;
    if (magnitude.rfind("0x", 0) == 0 && magnitude.find('p') != std::string::npos)
        return magnitude.back() == 'f' ? ValueKind::floatValue : ValueKind::doubleValue;
    const std::size_t colon = value.find(':');
    if (colon != std::string::npos && colon > 0 && value[0] != '"')
        return ValueKind::digest;
    return ValueKind::exact;
}

std::uint64_t ulpDistance(const std::string& expected, const std::string& actual, ValueKind kind)
{
    if (kind == ValueKind::floatValue) {
        auto withoutSuffix = [](const std::string& text) {
            return !text.empty() && text.back() == 'f' ? text.substr(0, text.size() - 1) : text;
        };
        return distance<float, std::uint32_t>(
            static_cast<float>(parseDouble(withoutSuffix(expected))),
            static_cast<float>(parseDouble(withoutSuffix(actual))));
    }
    return distance<double, std::uint64_t>(parseDouble(expected), parseDouble(actual));
}

bool compareExactly(const std::vector<std::string>& expected,
                    const std::vector<std::string>& actual, std::ostream& out)
{
    for (std::size_t line = 0; line < expected.size() || line < actual.size(); ++line) {
        if (line >= actual.size()) {
            out << "missing lines: the table ends before line " << line + 1 << " (checkpoint "
                << checkpointOf(parseFields(expected[line])) << ")\n";
            return false;
        }
        if (line >= expected.size()) {
            out << "extra lines from line " << line + 1 << ": " << actual[line] << '\n';
            return false;
        }
        if (expected[line] == actual[line])
            continue;

        const std::vector<Field> want = parseFields(expected[line]);
        const std::vector<Field> got = parseFields(actual[line]);
        const std::size_t i = firstDifference(want, got);
        out << "line " << line + 1 << ", checkpoint " << checkpointOf(want) << ": ";
        if (i >= want.size() || i >= got.size() || want[i].name != got[i].name) {
            out << "fields differ: expected " << (i < want.size() ? want[i].name : "(none)")
                << ", actual " << (i < got.size() ? got[i].name : "(none)") << '\n';
            return false;
        }
        out << want[i].name << " differs\n  expected " << want[i].value << "\n  actual   "
            << got[i].value << '\n';
        const ValueKind kind = kindOf(want[i].value);
        if (isFloating(kind) && kindOf(got[i].value) == kind)
            out << "  distance "
                << describeDistance(ulpDistance(want[i].value, got[i].value, kind), kind) << '\n';
        return false;
    }
    return true;
}

bool reportUlps(const std::vector<std::string>& expected, const std::vector<std::string>& actual,
                std::ostream& out)
{
    if (expected.size() != actual.size()) {
        out << "structure differs: " << expected.size() << " checkpoints expected, "
            << actual.size() << " found\n";
        return false;
    }

    struct Largest {
        std::uint64_t ulps = 0;
        std::string checkpoint;
        ValueKind kind = ValueKind::exact;
        int differingLines = 0;
    };
    std::vector<std::string> order;
    std::map<std::string, Largest> largest;
    bool sound = true;

    for (std::size_t line = 0; line < expected.size(); ++line) {
        const std::vector<Field> want = parseFields(expected[line]);
        const std::vector<Field> got = parseFields(actual[line]);
        const std::string checkpoint = checkpointOf(want);
        if (want.size() != got.size()) {
            out << "structure differs at checkpoint " << checkpoint << ": " << want.size()
                << " fields expected, " << got.size() << " found\n";
            return false;
        }
        for (std::size_t i = 0; i < want.size(); ++i) {
            const ValueKind kind = kindOf(want[i].value);
            if (want[i].name != got[i].name ||
                (kind == ValueKind::exact && want[i].value != got[i].value) ||
                kindOf(got[i].value) != kind) {
                out << "structure differs at checkpoint " << checkpoint << ": expected "
                    << want[i].name << '=' << want[i].value << ", found " << got[i].name << '='
                    << got[i].value << '\n';
                return false;
            }
            if (kind == ValueKind::exact)
                continue;
            auto [entry, isNew] = largest.try_emplace(want[i].name);
            if (isNew)
                order.push_back(want[i].name);
            Largest& field = entry->second;
            field.kind = kind;
            if (want[i].value == got[i].value)
                continue;
            ++field.differingLines;
            const std::uint64_t ulps =
                isFloating(kind) ? ulpDistance(want[i].value, got[i].value, kind) : 0;
            if (ulps == unknownDistance) {
                out << "not finite at checkpoint " << checkpoint << ": " << got[i].name << '='
                    << got[i].value << '\n';
                sound = false;
            }
            if (field.checkpoint.empty() || ulps > field.ulps) {
                field.ulps = ulps;
                field.checkpoint = checkpoint;
            }
        }
    }

    for (const std::string& name : order) {
        const Largest& field = largest[name];
        out << name << ": ";
        if (field.differingLines == 0)
            out << "identical\n";
        else if (field.kind == ValueKind::digest)
            out << "differs at " << field.differingLines << " of " << expected.size()
                << " checkpoints, first at " << field.checkpoint << '\n';
        else
            out << "largest " << describeDistance(field.ulps, field.kind) << " at "
                << field.checkpoint << ", differs at " << field.differingLines << " of "
                << expected.size() << " checkpoints\n";
    }
    return sound;
}
