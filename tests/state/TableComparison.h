#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// Reading and comparing state tables (see StateLine.h), for state_compare.

struct Field {
    std::string name;
    std::string value;
};

// The fields of one line, in order; a quoted value may hold spaces.
std::vector<Field> parseFields(const std::string& line);

// What a value is, from its syntax: a hex float with the suffix f is a
// float, one without is a double, `name:hex` is a digest of floating-point
// bits, anything else (texts, integers, names) must match exactly.
enum class ValueKind { floatValue, doubleValue, digest, exact };
ValueKind kindOf(const std::string& value);

// The distance between two values counted in steps of the value's own type,
// float or double; the two zeros are 0 apart. Non-finite values give
// unknownDistance.
constexpr std::uint64_t unknownDistance = UINT64_MAX;
std::uint64_t ulpDistance(const std::string& expected, const std::string& actual, ValueKind kind);

// Both return true when the tables pass and write what they found to `out`.
//
// Exact: every line the same, text for text; otherwise the first checkpoint
// and field that differ, both values and their distance.
bool compareExactly(const std::vector<std::string>& expected,
                    const std::vector<std::string>& actual, std::ostream& out);

// For targets whose mathematical library may round differently: the same
// checkpoints, fields, texts and integers are required, and no value may be
// non-finite; floating-point values may differ, and the largest distance of
// each field is reported with the checkpoint where it occurs.
bool reportUlps(const std::vector<std::string>& expected, const std::vector<std::string>& actual,
                std::ostream& out);
