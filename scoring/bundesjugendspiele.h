// Scoring rules of the athletics competition of the Bundesjugendspiele: the age-group tables, the four
// point formulas and the calculation pass. Plain standard C++: no Windows header. Texts (notes,
// certificate codes) are Windows-1252 bytes on every target.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Sex letter followed by the age in whole years, "M12", "W8"; age 0 stands for every age below 8.
using TAgeGroupKey = std::string;

// An ordered list of "name=value" rows, looked up by name without regard to letter case.
class TKeyedList {
public:
    void Clear();
    void Add(std::string row);
    int Count() const { return static_cast<int>(Rows.size()); }
    const std::string& Row(int index) const { return Rows[static_cast<std::size_t>(index)].Text; }
    // The text after the first "=" of the row named `name`; empty when there is no such row.
    std::string_view Value(std::string_view name) const { return ValueAt(Find(name)); }
    // The index of the row named `name`, or -1.
    int Find(std::string_view name) const;
    // The text after the first "=" of row `index`; empty for -1.
    std::string_view ValueAt(int index) const;

private:
    struct TRow {
        std::string Text;
        std::size_t NameLength;   // position of the first "="
        std::uint64_t PackedName; // the name in capitals, when it has at most 7 characters; else 0
    };
    std::vector<TRow> Rows;
};

// A certificate kind; its rows stay empty.
class TBJSUrkunde : public TKeyedList {
public:
    explicit TBJSUrkunde(std::string name) : Name(std::move(name)) {}
    const std::string Name;
};

// The rules object. While ElectronicTiming is false, sprint times get the hand-timing allowance.
class TBundesjugendspiele {
public:
    bool ElectronicTiming = false;
};

// Unit state, alive between BundesjugendspieleStartup and BundesjugendspieleShutdown.
extern std::unique_ptr<TBundesjugendspiele> Bundesjugendspiele;
extern std::unique_ptr<TBJSUrkunde> Siegerurkunde, Ehrenurkunde, Teilnehmerurkunde;
extern std::unique_ptr<TKeyedList> ThresholdTable, SprintDistanceTable, ThrowImplementTable, RunDistanceTable;

// Builds the rules object, the three certificate kinds and the four tables, in that order.
void BundesjugendspieleStartup();
// Frees the tables, then the certificate kinds, then the rules object.
void BundesjugendspieleShutdown();

// Keeps the unit started for one scope (kalkomat-cli, tests).
class TScoringUnit {
public:
    TScoringUnit() { BundesjugendspieleStartup(); }
    ~TScoringUnit() { BundesjugendspieleShutdown(); }
    TScoringUnit(const TScoringUnit&) = delete;
    TScoringUnit& operator=(const TScoringUnit&) = delete;
};

TAgeGroupKey DeriveAgeGroupKey(std::string_view sex, int birthYear, int currentYear);

struct TCertificateThresholds {
    int Su = 0; // minimum total for the "Siegerurkunde"
    int Eu = 0; // minimum total for the "Ehrenurkunde"
};
TCertificateThresholds CertificateThresholds(std::string_view key);
// "EU", "SU" or "TU".
std::string CertificateCode(std::string_view key, int total);
// The comma-separated choices for kind "Sprint", "Wurf" or "Lauf"; empty for any other kind.
std::string DisciplineOptions(std::string_view kind, std::string_view key);

// The four point formulas; 0 for anything that cannot be scored, never negative.
int SprintPoints(std::string_view sex, int distance, double time);
int JumpPoints(std::string_view sex, std::string_view kind, double result); // kind "H": high jump
int ThrowPoints(std::string_view sex, int implement, double distance);
int RunPoints(std::string_view sex, int distance, double time);

// Sorts the ranking array into ascending order.
void SortPoints(std::array<std::uint16_t, 4>& points);

struct TPerformanceSheet {
    std::string Sex;          // "M" or "W"
    TAgeGroupKey AgeGroup;    // selects the certificate minimums
    int SprintDistance = 0;   // metres; 0 when none is chosen
    double SprintTime = 0;    // seconds
    double LongJump = 0;      // metres
    double HighJump = 0;      // metres
    int ThrowImplement = 0;   // implement code; 0 when none is chosen
    double ThrowDistance = 0; // metres
    int RunDistance = 0;      // metres; 0 when none is chosen
    int RunMinutes = 0;
    double RunSeconds = 0;
};

struct TPerformanceResult {
    int PointsSprint = 0;
    int PointsLongJump = 0;
    int PointsHighJump = 0;
    int PointsJump = 0; // the better jump
    int PointsThrow = 0;
    int PointsRun = 0;
    int Total = 0;           // the best three of sprint, jump, throw and run
    std::string Certificate; // "EU", "SU", "TU" or "----"
    std::vector<std::string> Notes;
};

TPerformanceResult EvaluatePerformance(const TPerformanceSheet& sheet);
