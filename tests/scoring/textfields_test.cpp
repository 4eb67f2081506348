#include "textfields.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(TextFields, FieldCountAndFieldAt) {
    EXPECT_EQ(FieldCount("450,575", ','), 2);
    EXPECT_EQ(FieldCount("", ','), 0);
    EXPECT_EQ(FieldCount("450", ','), 1);
    EXPECT_EQ(FieldCount("450,", ','), 2);
    EXPECT_EQ(FieldAt("450,575", ',', 1), "450");
    EXPECT_EQ(FieldAt("450,575", ',', 2), "575");
    EXPECT_EQ(FieldAt("450,575", ',', 3), "");
    EXPECT_EQ(FieldAt("450,575", ',', 0), "");
    EXPECT_EQ(FieldAt("450,575", ',', -1), "");
    EXPECT_EQ(FieldAt("450", ',', 1), "450");
    EXPECT_EQ(FieldAt("450,", ',', 2), "");
    EXPECT_EQ(FieldAt(",a", ',', 2), "a");
    // Longer than 255 characters: counts and positions stay right.
    const std::string longText = std::string(300, ',') + "x";
    EXPECT_EQ(FieldCount(longText, ','), 301);
    EXPECT_EQ(FieldAt(longText, ',', 301), "x");
}

struct TIntegerCase {
    const char* Text;
    std::optional<std::int32_t> Want;
};

TEST(NumberReaders, ParseInteger) {
    const TIntegerCase cases[] = {
        {"12", 12},
        {"  12", 12},
        {"+7", 7},
        {"-3", -3},
        {"$1F", 31},
        {"x1f", 31},
        {"0x1F", 31},
        {"0X10", 16},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt}, // does not fit
        {"$80000000", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {"$", std::nullopt},
        {"12 ", std::nullopt}, // nothing may follow
        {"1.5", std::nullopt},
        {"1,5", std::nullopt},
        {"abc", std::nullopt},
        {"0x", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const TIntegerCase& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(ParseInteger(c.Text), c.Want);
    }
    EXPECT_EQ(ReadInteger("nonsense"), 0);
}

struct TDecimalCase {
    const char* Text;
    char Separator;
    std::optional<double> Want;
};

TEST(NumberReaders, ParseDecimal) {
    const TDecimalCase cases[] = {
        {"12,5", ',', 12.5},
        {"12.5", ',', std::nullopt}, // a point is no decimal separator on a German system
        {"12.5", '.', 12.5},
        {"12,5", '.', std::nullopt},
        {" 3,50 ", ',', 3.5},
        {"-1", ',', -1.0},
        {"+2,", ',', 2.0},
        {",5", ',', 0.5},
        {"1,5E2", ',', 150.0},
        {"1e-3", '.', 0.001},
        {"1.000,5", ',', std::nullopt}, // no thousands separators
        {"1,2,3", ',', std::nullopt},
        {"", ',', std::nullopt},
        {",", ',', std::nullopt},
        {"-", ',', std::nullopt},
        {"1e", '.', std::nullopt},
        {"inf", '.', std::nullopt},
        {"nan", '.', std::nullopt},
        {"1e999", '.', std::nullopt}, // out of range
        {"8 s", ',', std::nullopt},
        {"0x10", '.', std::nullopt},
    };
    for (const TDecimalCase& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(ParseDecimal(c.Text, c.Separator), c.Want);
    }
    EXPECT_EQ(ReadDecimal("abc", ','), 0.0);
    EXPECT_EQ(ReadDecimal(std::string(500, '1'), '.'), 0.0); // too long to be a measurement
}

} // namespace
