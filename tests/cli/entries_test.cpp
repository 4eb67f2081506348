#include <gtest/gtest.h>

#include "cli/entries.h"
#include "scoring/bundesjugendspiele.h"

namespace {

TEST(Entries, ReadWholeNumber) {
    const struct {
        const char* Text;
        std::optional<int> Want;
    } cases[] = {
        {"50", 50},
        {" 1000 ", 1000}, // blanks around, as spreadsheets leave them
        {"50,0", 50},     // a number column formatted with decimals
        {"50.00", 50},
        {"-3", -3},
        {"", std::nullopt}, // empty: the caller counts it as 0 without a report
        {"   ", std::nullopt},
        {"50,5", std::nullopt},
        {"5O", std::nullopt},
        {"1e10", std::nullopt}, // beyond 32 bits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(ReadWholeNumber(c.Text), c.Want);
    }
}

TEST(Entries, ReadMeasureTakesCommaOrPoint) {
    const struct {
        const char* Text;
        std::optional<double> Want;
    } cases[] = {
        {"3,50", 3.5},
        {"3.50", 3.5},
        {" 8,0 ", 8.0},
        {"4,00", 4.0}, // exactly 4: a long jump that scores 387, not 388
        {"-1", -1.0},
        {"", std::nullopt},
        {"3,5.0", std::nullopt},
        {"1.234,5", std::nullopt}, // no thousands separators
        {"8,O", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(ReadMeasure(c.Text), c.Want);
    }
}

TEST(Entries, ReadSexAndAgeGroup) {
    EXPECT_EQ(ReadSex("M"), 'M');
    EXPECT_EQ(ReadSex(" w "), 'W'); // a small w must not pick the boys' constants
    EXPECT_EQ(ReadSex("F"), std::nullopt);
    EXPECT_EQ(ReadSex("MW"), std::nullopt);
    EXPECT_EQ(ReadSex(""), std::nullopt);
    EXPECT_EQ(ReadAgeGroup("m12"), "M12");
    EXPECT_EQ(ReadAgeGroup("W0"), "W0");
    EXPECT_EQ(ReadAgeGroup("M2026"), "M2026");
    EXPECT_EQ(ReadAgeGroup("M"), std::nullopt);
    EXPECT_EQ(ReadAgeGroup("X12"), std::nullopt);
    EXPECT_EQ(ReadAgeGroup("M-1"), std::nullopt);
    EXPECT_EQ(ReadAgeGroup("M12a"), std::nullopt);
}

TEST(Entries, ChoiceCheckNamesTheOfferedChoices) {
    TScoringUnit unit;
    TChoiceCheck check;
    EXPECT_EQ(check.NotOffered("Sprint", "M12", 50), "");
    EXPECT_EQ(check.NotOffered("Sprint", "M12", 75), "50");
    EXPECT_EQ(check.NotOffered("Wurf", "W12", 200), "80, 3");
    EXPECT_EQ(check.NotOffered("Lauf", "W10", 1000), "800, 2000"); // girls have no 1000 m run
    EXPECT_EQ(check.NotOffered("Sprint", "W0", 50), "");           // below 8: the choices of age 8
    EXPECT_EQ(check.NotOffered("Sprint", "M12", 75), "50");        // again, from what it keeps
}

} // namespace
