#include "bundesjugendspiele.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

class Scoring : public ::testing::Test {
protected:
    TScoringUnit Unit;
};

// ---- formulas --------------------------------------------------------------------------------------------

enum class TKind { Sprint, LongJump, HighJump, Throw, Run };

struct TFormulaCase {
    TKind Kind;
    const char* Sex;
    int Selector; // distance or implement code
    double Value;
    int Want;
};

int Score(const TFormulaCase& c) {
    switch (c.Kind) {
    case TKind::Sprint:
        return SprintPoints(c.Sex, c.Selector, c.Value);
    case TKind::LongJump:
        return JumpPoints(c.Sex, "W", c.Value);
    case TKind::HighJump:
        return JumpPoints(c.Sex, "H", c.Value);
    case TKind::Throw:
        return ThrowPoints(c.Sex, c.Selector, c.Value);
    case TKind::Run:
        return RunPoints(c.Sex, c.Selector, c.Value);
    }
    return -1;
}

TEST_F(Scoring, FormulasGiveTheWorkedPoints) {
    const TFormulaCase cases[] = {
        {TKind::Sprint, "M", 50, 8.0, 330},
        {TKind::Sprint, "W", 75, 11.5, 362},
        {TKind::Sprint, "M", 100, 13.0, 475},
        {TKind::Sprint, "M", 50, 14.0, 0}, // term below a
        {TKind::Sprint, "M", 60, 8.0, 0},  // no constants
        {TKind::LongJump, "M", 0, 3.50, 329},
        {TKind::LongJump, "M", 0, 4.00, 387}, // 388 in double precision
        {TKind::LongJump, "W", 0, 3.20, 334},
        {TKind::HighJump, "M", 0, 1.20, 318},
        {TKind::HighJump, "W", 0, 1.10, 247},
        {TKind::Throw, "W", 80, 25, 340},
        {TKind::Throw, "M", 200, 30, 285},
        {TKind::Throw, "W", 1000, 20, 367},
        {TKind::Throw, "M", 3, 8.50, 402},
        {TKind::Throw, "M", 4, 8.50, 402},
        {TKind::Throw, "M", 5, 8.50, 402},
        {TKind::Throw, "M", 6, 8.50, 402},
        {TKind::Throw, "W", 3, 7.00, 343},
        {TKind::Run, "M", 1000, 240, 334},
        {TKind::Run, "W", 800, 210, 276},
        {TKind::Run, "W", 2000, 600, 283},
        {TKind::Run, "M", 3000, 720, 425},
        {TKind::Run, "W", 1000, 240, 0}, // girls have no 1000 m constants
        {TKind::Run, "W", 1000, 1, 0},
        {TKind::Sprint, "w", 50, 8.0, 330}, // a small w selects the boys' constants
    };
    for (const TFormulaCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.Sex << " " << static_cast<int>(c.Kind) << " " << c.Selector << " " << c.Value);
        EXPECT_EQ(Score(c), c.Want);
    }
}

TEST_F(Scoring, ElectronicTimingDropsTheAllowance) {
    Bundesjugendspiele->ElectronicTiming = true;
    EXPECT_EQ(SprintPoints("M", 50, 8.0), 356);
}

TEST_F(Scoring, UnscorableInputGivesZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double tiny = std::numeric_limits<double>::denorm_min();
    EXPECT_EQ(SprintPoints("M", 50, 0), 0);
    EXPECT_EQ(SprintPoints("M", 50, -8), 0);
    EXPECT_EQ(SprintPoints("M", 0, 8), 0);
    EXPECT_EQ(SprintPoints("M", 50, nan), 0);
    EXPECT_EQ(SprintPoints("M", 50, inf), 0); // 50 / inf is 0, below a
    EXPECT_EQ(JumpPoints("M", "", 3.5), 0);
    EXPECT_EQ(JumpPoints("M", "W", nan), 0);
    EXPECT_EQ(JumpPoints("M", "W", inf), 0);
    EXPECT_EQ(ThrowPoints("M", 0, 30), 0);
    EXPECT_EQ(ThrowPoints("M", 200, inf), 0);
    EXPECT_EQ(RunPoints("M", 1000, nan), 0);
    EXPECT_EQ(RunPoints("M", 0, 240), 0);
    // A quotient beyond 64 bits is a fault, not a huge score.
    EXPECT_EQ(RunPoints("M", 1000, tiny), 0);
    EXPECT_EQ(JumpPoints("M", "W", std::numeric_limits<double>::max()), 0);
}

TEST_F(Scoring, HugeButFiniteQuotientsKeepTheLargestPoints) {
    // 1000 m in a millionth of a second: a quotient between 2^31 and 2^63.
    EXPECT_EQ(RunPoints("M", 1000, 1e-6), std::numeric_limits<int>::max());
    // Below 2^31 the value is kept: a term of 9,000,002.158 m/s is 1.5e9 points.
    const int points = RunPoints("M", 1000, 1000.0 / 9000002.158);
    EXPECT_GE(points, 1499999990);
    EXPECT_LE(points, 1500000010);
}

// ---- age groups and tables -------------------------------------------------------------------------------

TEST_F(Scoring, DeriveAgeGroupKey) {
    EXPECT_EQ(DeriveAgeGroupKey("M", 2014, 2026), "M12");
    EXPECT_EQ(DeriveAgeGroupKey("W", 2019, 2026), "W0");
    EXPECT_EQ(DeriveAgeGroupKey("M", 2006, 2026), "M20");
    EXPECT_EQ(DeriveAgeGroupKey("W", 0, 2026), "W2026");
    EXPECT_EQ(DeriveAgeGroupKey("M", 2014, 0), "M0"); // an unreadable current year
    EXPECT_EQ(DeriveAgeGroupKey("M", std::numeric_limits<int>::min(), std::numeric_limits<int>::max()),
              "M4294967295"); // no overflow
}

struct TThresholdCase {
    const char* Key;
    int Su;
    int Eu;
};

TEST_F(Scoring, CertificateThresholds) {
    const TThresholdCase cases[] = {
        {"M12", 750, 975},   {"W19", 950, 1150},  {"W18", 950, 1150},
        {"M20", 1275, 1550}, {"M57", 1275, 1550}, {"M2026", 1275, 1550},
        {"W0", 0, 0},        {"M7", 0, 0},        {"X12", 950, 1150}, // no row
        {"m8", 450, 575},                                             // rows are found without regard to case
        {"W10", 625, 825},   {"M", 0, 0},         {"", 0, 0},
    };
    for (const TThresholdCase& c : cases) {
        SCOPED_TRACE(c.Key);
        const TCertificateThresholds t = CertificateThresholds(c.Key);
        EXPECT_EQ(t.Su, c.Su);
        EXPECT_EQ(t.Eu, c.Eu);
    }
}

TEST_F(Scoring, CertificateCode) {
    EXPECT_EQ(CertificateCode("M12", 975), "EU");
    EXPECT_EQ(CertificateCode("M12", 974), "SU");
    EXPECT_EQ(CertificateCode("M12", 750), "SU");
    EXPECT_EQ(CertificateCode("M12", 749), "TU");
    EXPECT_EQ(CertificateCode("M12", 0), "TU");
    EXPECT_EQ(CertificateCode("W0", 5000), "TU");
    EXPECT_EQ(CertificateCode("W0", 1), "TU");
}

struct TOptionsCase {
    const char* Kind;
    const char* Key;
    const char* Want;
};

TEST_F(Scoring, DisciplineOptions) {
    const TOptionsCase cases[] = {
        {"Wurf", "M18", "200,1000,6"},
        {"Lauf", "W8", "800"},
        {"Sprint", "W0", "50"},
        {"Sprint", "M25", "100"},
        {"sprint", "M12", ""},
        {"Hochsprung", "M12", ""},
        {"Sprint", "M13", "50,75"},
        {"Lauf", "W10", "800,2000"},
        {"Wurf", "M14", "200,1000,4"},
        {"Wurf", "W12", "80,3"},
        {"Lauf", "M2026", "800,1000,3000"},
    };
    for (const TOptionsCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Kind << " " << c.Key);
        EXPECT_EQ(DisciplineOptions(c.Kind, c.Key), c.Want);
    }
}

TEST(ScoringUnit, StartupBuildsTablesInOrderAndShutdownFreesThem) {
    {
        TScoringUnit unit;
        ASSERT_TRUE(Bundesjugendspiele);
        EXPECT_FALSE(Bundesjugendspiele->ElectronicTiming);
        EXPECT_EQ(Siegerurkunde->Name, "Siegerurkunde");
        EXPECT_EQ(Ehrenurkunde->Name, "Ehrenurkunde");
        EXPECT_EQ(Teilnehmerurkunde->Name, "Teilnehmerurkunde");
        EXPECT_EQ(Siegerurkunde->Count(), 0);
        for (const TKeyedList* table : {ThresholdTable.get(), SprintDistanceTable.get(),
                                        ThrowImplementTable.get(), RunDistanceTable.get()}) {
            ASSERT_EQ(table->Count(), 24);
            EXPECT_EQ(table->Row(0).substr(0, 3), "M8=");
            EXPECT_EQ(table->Row(11).substr(0, 4), "M19=");
            EXPECT_EQ(table->Row(12).substr(0, 3), "W8=");
            EXPECT_EQ(table->Row(23).substr(0, 4), "W19=");
        }
    }
    EXPECT_FALSE(Bundesjugendspiele);
    EXPECT_FALSE(ThresholdTable);
    EXPECT_FALSE(Siegerurkunde);
}

// ---- calculation pass ------------------------------------------------------------------------------------

TPerformanceSheet BoyM12() {
    return {.Sex = "M",
            .AgeGroup = "M12",
            .SprintDistance = 50,
            .SprintTime = 8.0,
            .LongJump = 3.50,
            .HighJump = 1.20,
            .ThrowImplement = 200,
            .ThrowDistance = 30,
            .RunDistance = 1000,
            .RunMinutes = 4,
            .RunSeconds = 0};
}

TEST_F(Scoring, BoyOfTwelveReachesTheCertificateOfHonour) {
    const TPerformanceResult r = EvaluatePerformance(BoyM12());
    EXPECT_EQ(r.PointsSprint, 330);
    EXPECT_EQ(r.PointsLongJump, 329);
    EXPECT_EQ(r.PointsHighJump, 318);
    EXPECT_EQ(r.PointsJump, 329);
    EXPECT_EQ(r.PointsThrow, 285);
    EXPECT_EQ(r.PointsRun, 334);
    EXPECT_EQ(r.Total, 993); // the throw is dropped
    EXPECT_EQ(r.Certificate, "EU");
    EXPECT_TRUE(r.Notes.empty());
}

struct TSheetCase {
    const char* Name;
    TPerformanceSheet Sheet;
    int Total;
    const char* Certificate;
};

TPerformanceSheet With(TPerformanceSheet s, void (*change)(TPerformanceSheet&)) {
    change(s);
    return s;
}

TEST_F(Scoring, TotalsAndCertificates) {
    const TPerformanceSheet girl = {.Sex = "W",
                                    .AgeGroup = "W10",
                                    .SprintDistance = 50,
                                    .SprintTime = 9.0,
                                    .LongJump = 2.80,
                                    .HighJump = 1.00,
                                    .ThrowImplement = 80,
                                    .ThrowDistance = 20,
                                    .RunDistance = 800,
                                    .RunMinutes = 4};
    const TPerformanceSheet empty = {.Sex = "M", .AgeGroup = "M12"};

    const TSheetCase cases[] = {
        {"without the run", With(BoyM12(), [](TPerformanceSheet& s) { s.RunDistance = 0; }), 944, "SU"},
        {"sprint alone",
         With(BoyM12(),
              [](TPerformanceSheet& s) {
                  s.LongJump = s.HighJump = s.ThrowDistance = 0;
                  s.RunDistance = 0;
              }),
         330, "TU"},
        {"girl at exactly the minimum", girl, 825, "EU"},
        {"nothing entered", empty, 0, "----"},
        {"under eight with points", With(BoyM12(), [](TPerformanceSheet& s) { s.AgeGroup.assign("W0"); }),
         993, "TU"},
        {"under eight without points", With(empty, [](TPerformanceSheet& s) { s.AgeGroup.assign("W0"); }), 0,
         "----"},
        {"75 seconds count as minutes",
         With(BoyM12(),
              [](TPerformanceSheet& s) {
                  s.RunMinutes = 3;
                  s.RunSeconds = 60;
              }),
         993, "EU"},
    };
    for (const TSheetCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TPerformanceResult r = EvaluatePerformance(c.Sheet);
        EXPECT_EQ(r.Total, c.Total);
        EXPECT_EQ(r.Certificate, c.Certificate);
    }
    const TPerformanceResult g = EvaluatePerformance(girl);
    EXPECT_EQ(g.PointsSprint, 267);
    EXPECT_EQ(g.PointsLongJump, 278);
    EXPECT_EQ(g.PointsHighJump, 175);
    EXPECT_EQ(g.PointsThrow, 280);
    EXPECT_EQ(g.PointsRun, 202);
}

TEST_F(Scoring, RunTimeIsMinutesAndSecondsTogether) {
    TPerformanceSheet a = BoyM12();
    a.RunMinutes = 3;
    a.RunSeconds = 75;
    TPerformanceSheet b = BoyM12();
    b.RunMinutes = 4;
    b.RunSeconds = 15;
    EXPECT_EQ(EvaluatePerformance(a).PointsRun, EvaluatePerformance(b).PointsRun);
    TPerformanceSheet negative = BoyM12();
    negative.RunMinutes = -4;
    EXPECT_EQ(EvaluatePerformance(negative).PointsRun, 0);
}

std::string Note(const char* field) {
    return std::string("Hinweis: ungew\xF6hnlicher Messwert im Feld \"") + field + "\"";
}

TEST_F(Scoring, PlausibilityNotes) {
    TPerformanceSheet s = BoyM12();
    s.SprintTime = 125;
    TPerformanceResult r = EvaluatePerformance(s);
    EXPECT_EQ(r.PointsSprint, 0);
    EXPECT_EQ(r.Notes, std::vector<std::string>{Note("Sprint")});

    s = BoyM12();
    s.HighJump = 3; // the limits themselves pass
    s.SprintTime = 120;
    s.LongJump = 7;
    s.ThrowDistance = 150;
    EXPECT_TRUE(EvaluatePerformance(s).Notes.empty());

    s.HighJump = 3.01;
    EXPECT_EQ(EvaluatePerformance(s).Notes, std::vector<std::string>{Note("Hochsprung")});

    s = BoyM12();
    s.LongJump = -1;
    r = EvaluatePerformance(s);
    EXPECT_EQ(r.PointsLongJump, 0);
    EXPECT_EQ(r.Notes, std::vector<std::string>{Note("Weitsprung")});

    s = BoyM12();
    s.ThrowDistance = 151;
    s.LongJump = 8;
    s.HighJump = -0.5;
    s.SprintTime = -1;
    r = EvaluatePerformance(s);
    const std::vector<std::string> inOrder = {Note("Sprint"), Note("Hochsprung"), Note("Weitsprung"),
                                              Note("Wurf")};
    EXPECT_EQ(r.Notes, inOrder);
}

TEST_F(Scoring, PointsBeyondSixteenBitsNeitherWrapNorVanish) {
    // A jump of 20 km: 63,000-odd points would still fit 16 bits; 100 km does not.
    TPerformanceSheet s = BoyM12();
    s.LongJump = 100000;
    const TPerformanceResult r = EvaluatePerformance(s);
    EXPECT_GT(r.PointsLongJump, 0xFFFF); // the field keeps the full value
    EXPECT_EQ(r.PointsJump, r.PointsLongJump);
    // Ranked as 65,535: the jump is kept among the best three instead of wrapping to a small number.
    EXPECT_EQ(r.Total, 0xFFFF + 330 + 334);
    EXPECT_EQ(r.Certificate, "EU");
}

TEST(SortPoints, AscendingAsUnsigned) {
    std::array<std::uint16_t, 4> p = {65535, 3, 40000, 0};
    SortPoints(p);
    EXPECT_EQ(p, (std::array<std::uint16_t, 4>{0, 3, 40000, 65535}));
}

} // namespace
