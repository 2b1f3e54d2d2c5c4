#include "HexFloat.h"
#include "TableComparison.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string glibcHex(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

double fromBits(std::uint64_t bits)
{
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The writer must print exactly what glibc prints, so that the golden table
// reads as ordinary hex floats, and must read back to the same bits.
TEST(HexFloat, PrintsWhatGlibcPrintsAndReadsBackExactly)
{
#ifndef __GLIBC__
    GTEST_SKIP() << "the reference text is glibc's";
#endif
    std::vector<double> values = {0.0,
                                  -0.0,
                                  1.0,
                                  -2.5,
                                  0.1,
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::denorm_min(),
                                  -std::numeric_limits<double>::denorm_min() * 12345,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity()};
    std::mt19937_64 random(8);
    for (int i = 0; i < 20000; ++i) {
        const double value = fromBits(random());
        if (!std::isnan(value))
            values.push_back(value);
    }
    for (const double value : values) {
        ASSERT_EQ(hexFloat(value), glibcHex(value));
        if (std::isfinite(value)) {
            const double back = std::strtod(hexFloat(value).c_str(), nullptr);
            ASSERT_EQ(std::memcmp(&back, &value, sizeof value), 0) << hexFloat(value);
        }
    }
    EXPECT_EQ(hexFloat(0.1f), glibcHex(0.1f) + "f");
    EXPECT_EQ(hexFloat(-0.0f), "-0x0p+0f");
    EXPECT_EQ(hexFloat(std::nan("")), "nan");
}

TEST(UlpDistance, CountsStepsOfTheFieldsOwnTypeAcrossZero)
{
    double d = -3 * std::numeric_limits<double>::denorm_min();
    float f = 1.0f;
    for (int i = 0; i < 7; ++i) {
        d = std::nextafter(d, 1.0);
        f = std::nextafter(f, 2.0f);
    }
    const double start = -3 * std::numeric_limits<double>::denorm_min();
    EXPECT_EQ(ulpDistance(hexFloat(start), hexFloat(d), ValueKind::doubleValue), 7u);
    EXPECT_EQ(ulpDistance(hexFloat(f), hexFloat(1.0f), ValueKind::floatValue), 7u);
    EXPECT_EQ(ulpDistance("-0x0p+0", "0x0p+0", ValueKind::doubleValue), 0u);
    // A float one float step apart is 2^29 double steps apart.
    EXPECT_EQ(ulpDistance("0x1p+0", "0x1.000002p+0", ValueKind::doubleValue), 1u << 29);
    EXPECT_EQ(ulpDistance("0x1p+0", "nan", ValueKind::doubleValue), unknownDistance);
    EXPECT_EQ(ulpDistance("0x1p+0", "0x1p+0junk", ValueKind::doubleValue), unknownDistance);
}

const std::vector<std::string> table = {
    R"(checkpoint=a caption="Two words" modeCounter=0 orbitAngle=0x1p+0f position.x=0x1.8p+1 )"
    R"(trailDigest=fnv1a64:00000000000000ff)",
    R"(checkpoint=b caption="Two words" modeCounter=1 orbitAngle=0x1p+1f position.x=-0x1p+0 )"
    R"(trailDigest=fnv1a64:00000000000000ff)",
};

std::vector<std::string> with(int line, const std::string& from, const std::string& to)
{
    std::vector<std::string> changed = table;
    std::string& text = changed[static_cast<std::size_t>(line)];
    text.replace(text.find(from), from.size(), to);
    return changed;
}

TEST(TableComparison, ReadsQuotedTextsAndKnowsEachValuesKind)
{
    const std::vector<Field> fields = parseFields(table[0]);
    ASSERT_EQ(fields.size(), 6u);
    EXPECT_EQ(fields[1].value, "\"Two words\"");
    EXPECT_EQ(fields[2].name, "modeCounter");
    EXPECT_EQ(kindOf(fields[1].value), ValueKind::exact);
    EXPECT_EQ(kindOf(fields[2].value), ValueKind::exact);
    EXPECT_EQ(kindOf(fields[3].value), ValueKind::floatValue);
    EXPECT_EQ(kindOf(fields[4].value), ValueKind::doubleValue);
    EXPECT_EQ(kindOf(fields[5].value), ValueKind::digest);
}

TEST(TableComparison, ExactNamesTheFirstDifferenceWithItsDistance)
{
    std::ostringstream out;
    EXPECT_TRUE(compareExactly(table, table, out));

    std::vector<std::string> actual = with(1, "0x1p+1f", "0x1.000004p+1f");
    actual[1] += " extra=1";
    out.str("");
    EXPECT_FALSE(compareExactly(table, actual, out));
    EXPECT_NE(out.str().find("line 2, checkpoint b: orbitAngle differs"), std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("expected 0x1p+1f"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("actual   0x1.000004p+1f"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("2 ULP (float)"), std::string::npos) << out.str();

    out.str("");
    EXPECT_FALSE(compareExactly(table, {table[0]}, out));
    EXPECT_NE(out.str().find("missing lines"), std::string::npos) << out.str();
}

TEST(TableComparison, UlpReportAllowsRoundingButNotAnotherStructure)
{
    std::ostringstream out;
    std::vector<std::string> rounded = with(0, "0x1.8p+1", "0x1.8000000000003p+1");
    rounded = std::vector<std::string>{rounded[0], with(1, "-0x1p+0", "-0x1.0000000000001p+0")[1]};
    rounded[1].replace(rounded[1].find("00ff"), 4, "00fe");
    EXPECT_TRUE(reportUlps(table, rounded, out));
    EXPECT_NE(out.str().find("position.x: largest 3 ULP (double) at a, differs at 2 of 2"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("orbitAngle: identical"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("trailDigest: differs at 1 of 2 checkpoints, first at b"),
              std::string::npos)
        << out.str();

    for (const auto& broken : {with(1, "modeCounter=1", "modeCounter=2"),
                               with(0, "Two words", "Two Words"), with(1, "0x1p+1f", "0x1p+1"),
                               with(1, "0x1p+1f", "nanf"), std::vector<std::string>{table[0]}}) {
        out.str("");
        EXPECT_FALSE(reportUlps(table, broken, out)) << broken.back();
    }
}

// The lesson replays mode 3 at the slowest pace, then by F3: the golden table
// must show exactly the states of full pace under other names, held while F3
// steps, so that the pace changes nothing but the speed. Of the window's
// input, a press only holds the camera, motion after the last release and
// F1 and F2 change nothing, and F8 ends a drag.
TEST(GoldenTable, TheSlowPaceAndInertInputRepeatTheStatesTheyShould)
{
    std::ifstream file(CAMERA_DEMO_GOLDEN_STATE_TABLE);
    ASSERT_TRUE(file) << CAMERA_DEMO_GOLDEN_STATE_TABLE;
    std::map<std::string, std::vector<Field>> rows;
    for (std::string line; std::getline(file, line);) {
        std::vector<Field> fields = parseFields(line);
        rows[fields.at(0).value] = fields;
    }
    const struct {
        const char* row;
        const char* twin;
        bool held;
    } pairs[] = {{"lesson.slowest.mode3.selected", "mode3.selected", false},
                 {"lesson.slowest.idle2400", "mode3.step300", false},
                 {"lesson.slowest.oneStep501", "mode3.step801", true},
                 {"lesson.slowest.resume.idle7", "mode3.step801", false},
                 {"input.left.press", "input.mode4.step50", true},
                 {"input.left.release.moveIgnored", "input.right.release.leftDragsOn", false},
                 {"input.F1.F2", "input.zoomed.left.drag", false},
                 {"angles.F8.moveIgnored", "angles.press.drag.F8", false}};
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair.row);
        const std::vector<Field>& row = rows[pair.row];
        const std::vector<Field>& twin = rows[pair.twin];
        ASSERT_EQ(row.size(), twin.size());
        ASSERT_GT(twin.size(), 1u);
        for (std::size_t i = 1; i < twin.size(); ++i) {
            EXPECT_EQ(row[i].name, twin[i].name);
            const bool changed = pair.held && twin[i].name == "animating";
            EXPECT_EQ(row[i].value, changed ? "false" : twin[i].value) << twin[i].name;
        }
    }
}

}  // namespace
