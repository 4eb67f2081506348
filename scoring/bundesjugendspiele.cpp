#include "bundesjugendspiele.h"
#include "textfields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

// The official formulas are computed in x87 extended precision: results that fall exactly on a whole number
// in decimal lie just below it there (a boy's long jump of 4.00 m gives 387 points, not 388), and the
// points a school has always had must come out to the last one.
static_assert(std::numeric_limits<long double>::digits == 64,
              "Kalkomat scores in extended precision with a 64-bit significand (x87 long double); this "
              "target's long double is different, and its points would differ. Build for x86 or x86-64.");

std::unique_ptr<TBundesjugendspiele> Bundesjugendspiele;
std::unique_ptr<TBJSUrkunde> Siegerurkunde, Ehrenurkunde, Teilnehmerurkunde;
std::unique_ptr<TKeyedList> ThresholdTable, SprintDistanceTable, ThrowImplementTable, RunDistanceTable;

// ---- keyed text list -------------------------------------------------------------------------------------

void TKeyedList::Clear() { Rows.clear(); }

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Upper(x) == Upper(y); });
}

// Short names (every age-group key) compare as one number; the calculation looks a row up on every pass.
std::uint64_t PackName(std::string_view name) {
    if (name.empty() || name.size() > 7)
        return 0;
    std::uint64_t packed = 0;
    for (const char c : name)
        packed = packed << 8 | static_cast<unsigned char>(Upper(c));
    return packed | std::uint64_t{name.size()} << 56; // "A" and "\0A" stay apart
}

} // namespace

void TKeyedList::Add(std::string row) {
    const std::size_t equals = row.find('=');
    const std::size_t nameLength = equals == std::string::npos ? row.size() : equals;
    const std::uint64_t packed = PackName(std::string_view(row).substr(0, nameLength));
    Rows.push_back({std::move(row), nameLength, packed});
}

int TKeyedList::Find(std::string_view name) const {
    const std::uint64_t packed = PackName(name);
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        const TRow& row = Rows[i];
        if (packed != 0 ? row.PackedName == packed
                        : SameText(std::string_view(row.Text).substr(0, row.NameLength), name))
            return static_cast<int>(i);
    }
    return -1;
}

std::string_view TKeyedList::ValueAt(int index) const {
    if (index < 0 || index >= Count())
        return {};
    const TRow& row = Rows[static_cast<std::size_t>(index)];
    return row.NameLength < row.Text.size() ? std::string_view(row.Text).substr(row.NameLength + 1)
                                            : std::string_view();
}

// ---- tables ----------------------------------------------------------------------------------------------

namespace {

// Rows in the order M8 … M19, W8 … W19.
constexpr const char* ThresholdRows[] = {
    "M8=450,575",   "M9=525,675",   "M10=600,775",   "M11=675,875",   "M12=750,975",   "M13=825,1050",
    "M14=900,1125", "M15=975,1225", "M16=1050,1325", "M17=1125,1400", "M18=1200,1475", "M19=1275,1550",
    "W8=475,625",   "W9=550,725",   "W10=625,825",   "W11=700,900",   "W12=775,975",   "W13=825,1025",
    "W14=850,1050", "W15=875,1075", "W16=900,1100",  "W17=925,1125",  "W18=950,1150",  "W19=950,1150",
};
constexpr const char* SprintDistanceRows[] = {
    "M8=50",   "M9=50",     "M10=50",  "M11=50",     "M12=50",  "M13=50,75", "M14=75",  "M15=75,100",
    "M16=100", "M17=100",   "M18=100", "M19=100",    "W8=50",   "W9=50",     "W10=50",  "W11=50",
    "W12=50",  "W13=50,75", "W14=75",  "W15=75,100", "W16=100", "W17=100",   "W18=100", "W19=100",
};
constexpr const char* ThrowImplementRows[] = {
    "M8=80",          "M9=80",          "M10=80",         "M11=80,200",     "M12=200,3",      "M13=200,3",
    "M14=200,1000,4", "M15=200,1000,4", "M16=200,1000,5", "M17=200,1000,5", "M18=200,1000,6", "M19=1000,6",
    "W8=80",          "W9=80",          "W10=80",         "W11=80",         "W12=80,3",       "W13=80,3",
    "W14=200,1000,3", "W15=200,1000,3", "W16=200,1000,4", "W17=200,1000,4", "W18=200,1000,4", "W19=1000,4",
};
constexpr const char* RunDistanceRows[] = {
    "M8=800,1000",
    "M9=800,1000",
    "M10=800,1000,2000",
    "M11=800,1000,2000",
    "M12=800,1000,2000",
    "M13=800,1000,2000",
    "M14=800,1000,3000",
    "M15=800,1000,3000",
    "M16=800,1000,3000",
    "M17=800,1000,3000",
    "M18=800,1000,3000",
    "M19=800,1000,3000",
    "W8=800",
    "W9=800",
    "W10=800,2000",
    "W11=800,2000",
    "W12=800,2000",
    "W13=800,2000",
    "W14=800,2000",
    "W15=800,2000",
    "W16=800,3000",
    "W17=800,3000",
    "W18=800,3000",
    "W19=800,3000",
};

template <std::size_t N> void Fill(TKeyedList& table, const char* const (&rows)[N]) {
    table.Clear();
    for (const char* row : rows)
        table.Add(row);
}

TCertificateThresholds ReadThresholds(std::string_view value) {
    TCertificateThresholds result{950, 1150}; // a key without a row
    if (FieldCount(value, ',') > 0) {
        result.Su = ReadInteger(FieldAt(value, ',', 1));
        result.Eu = ReadInteger(FieldAt(value, ',', 2));
    }
    return result;
}

// The threshold rows read once: every calculation asks for them, and the table is fixed after start-up.
std::vector<TCertificateThresholds> ThresholdValues;

} // namespace

void BundesjugendspieleStartup() {
    Bundesjugendspiele = std::make_unique<TBundesjugendspiele>();
    Siegerurkunde = std::make_unique<TBJSUrkunde>("Siegerurkunde");
    Ehrenurkunde = std::make_unique<TBJSUrkunde>("Ehrenurkunde");
    Teilnehmerurkunde = std::make_unique<TBJSUrkunde>("Teilnehmerurkunde");
    ThresholdTable = std::make_unique<TKeyedList>();
    SprintDistanceTable = std::make_unique<TKeyedList>();
    ThrowImplementTable = std::make_unique<TKeyedList>();
    RunDistanceTable = std::make_unique<TKeyedList>();
    Fill(*ThresholdTable, ThresholdRows);
    Fill(*SprintDistanceTable, SprintDistanceRows);
    Fill(*ThrowImplementTable, ThrowImplementRows);
    Fill(*RunDistanceTable, RunDistanceRows);
    ThresholdValues.clear();
    for (int i = 0; i < ThresholdTable->Count(); ++i)
        ThresholdValues.push_back(ReadThresholds(ThresholdTable->ValueAt(i)));
}

void BundesjugendspieleShutdown() {
    ThresholdValues.clear();
    RunDistanceTable.reset();
    ThrowImplementTable.reset();
    SprintDistanceTable.reset();
    ThresholdTable.reset();
    Teilnehmerurkunde.reset();
    Ehrenurkunde.reset();
    Siegerurkunde.reset();
    Bundesjugendspiele.reset();
}

// ---- age groups and certificates -------------------------------------------------------------------------

TAgeGroupKey DeriveAgeGroupKey(std::string_view sex, int birthYear, int currentYear) {
    // Widened: an unreadable year arrives as 0, and the key must still be an honest number.
    std::int64_t age = std::int64_t{currentYear} - birthYear;
    if (age < 8)
        age = 0;
    return std::string(sex) + std::to_string(age);
}

namespace {

struct TLookupKey {
    std::string_view Key;
    int Age = 0;          // the age read from the key, before clamping
    char Clamped[4] = {}; // the letter and "8" or "19" when the age lies outside 8 to 19
    std::size_t ClampedLength = 0;
    // The row to look for.
    std::string_view Name() const {
        return ClampedLength > 0 ? std::string_view(Clamped, ClampedLength) : Key;
    }
};

// The letter, then the age read from the two characters after it only: "M12" gives 12, "M2026" gives 20.
TLookupKey MakeLookupKey(std::string_view key) {
    TLookupKey lookup;
    const std::string_view letter = key.substr(0, 1);
    const std::string_view digits = key.substr(std::min<std::size_t>(1, key.size()), 2);
    int age = 0;
    const char* first = digits.data();
    const char* last = first + digits.size();
    if (!digits.empty() && *first == '+')
        ++first; // a sign is part of a decimal number; '-' is left to from_chars
    if (first == last || std::from_chars(first, last, age).ptr != last)
        age = 0;
    lookup.Key = key;
    lookup.Age = age;
    if (age >= 8 && age <= 19)
        return lookup;
    for (const char c : std::string(letter) + (age < 8 ? "8" : "19"))
        lookup.Clamped[lookup.ClampedLength++] = c;
    return lookup;
}

} // namespace

TCertificateThresholds CertificateThresholds(std::string_view key) {
    const TLookupKey lookup = MakeLookupKey(key);
    if (lookup.Age < 8)
        return {0, 0};
    const int row = ThresholdTable->Find(lookup.Name());
    return row < 0 ? ReadThresholds({}) : ThresholdValues[static_cast<std::size_t>(row)];
}

std::string CertificateCode(std::string_view key, int total) {
    const TCertificateThresholds minimum = CertificateThresholds(key);
    if (minimum.Su == 0)
        return "TU";
    if (total >= minimum.Eu)
        return "EU";
    if (total >= minimum.Su)
        return "SU";
    return "TU";
}

std::string DisciplineOptions(std::string_view kind, std::string_view key) {
    const TKeyedList* table = nullptr;
    if (kind == "Sprint")
        table = SprintDistanceTable.get();
    else if (kind == "Wurf")
        table = ThrowImplementTable.get();
    else if (kind == "Lauf")
        table = RunDistanceTable.get();
    if (table == nullptr)
        return {};
    return std::string(table->Value(MakeLookupKey(key).Name()));
}

// ---- point formulas --------------------------------------------------------------------------------------

namespace {

struct TConstants {
    double A = 0; // offset subtracted from the performance term
    double C = 0; // divisor scaling it to points; 0 where no constants exist
};

struct TFormulaRow {
    int Selector; // distance in metres or implement code
    TConstants Boys;
    TConstants Girls;
};

constexpr TFormulaRow SprintRows[] = {
    {50, {3.79, 0.0069}, {3.648, 0.0066}},
    {75, {4.1, 0.00664}, {3.998, 0.0066}},
    {100, {4.341, 0.00676}, {4.0062, 0.00656}},
};
constexpr TFormulaRow RunRows[] = {
    {800, {2.325, 0.00644}, {2.0232, 0.00647}},
    {1000, {2.158, 0.006}, {0, 0}}, // girls do not run 1000 m
    {2000, {1.784, 0.006}, {1.8, 0.0054}},
    {3000, {1.7, 0.0058}, {1.75, 0.005}},
};
// The last row, code 0 here, stands for every shot weight.
constexpr TFormulaRow ThrowRows[] = {
    {80, {2.8, 0.011}, {2.0232, 0.00874}},
    {200, {1.936, 0.0124}, {1.4149, 0.01039}},
    {1000, {1.595, 0.009125}, {1.085, 0.00921}},
    {0, {1.425, 0.0037}, {1.279, 0.00398}},
};
constexpr TFormulaRow HighJumpRow = {0, {0.841, 0.0008}, {0.8807, 0.00068}};
constexpr TFormulaRow LongJumpRow = {0, {1.15028, 0.00219}, {1.0935, 0.00208}};

const TConstants& BySex(const TFormulaRow& row, std::string_view sex) {
    return sex == "W" ? row.Girls : row.Boys; // only a capital W selects the girls' constants
}

TConstants Lookup(const TFormulaRow* first, const TFormulaRow* last, int selector, std::string_view sex) {
    const TFormulaRow* row =
        std::find_if(first, last, [&](const TFormulaRow& r) { return r.Selector == selector; });
    return row == last ? TConstants{} : BySex(*row, sex);
}

#if defined(__i386__) || defined(__x86_64__)
// Holds the x87 unit at a 64-bit significand, rounding to nearest and all exceptions masked while a formula
// runs, whatever the runtime or the host left in the control word. Both runtimes start that way already, so
// the control word is only loaded when it differs: loading it stalls the unit.
class TExtendedPrecision {
public:
    TExtendedPrecision() {
        asm volatile("fnstcw %0" : "=m"(Saved) : : "memory");
        const std::uint16_t wanted = static_cast<std::uint16_t>((Saved & ~0x0F00u) | 0x0300u | 0x003Fu);
        Changed = wanted != Saved;
        if (Changed)
            asm volatile("fldcw %0" : : "m"(wanted) : "memory");
    }
    ~TExtendedPrecision() {
        if (Changed)
            asm volatile("fldcw %0" : : "m"(Saved) : "memory");
    }
    TExtendedPrecision(const TExtendedPrecision&) = delete;
    TExtendedPrecision& operator=(const TExtendedPrecision&) = delete;

private:
    std::uint16_t Saved = 0;
    bool Changed = false;
};

// Whole part of 0 <= x < 2^63. A plain cast would reload the control word twice to truncate; rounding with
// the current mode (to nearest) and stepping back when that went up is exact at this size and much faster.
std::int64_t WholePart(long double x) {
    std::int64_t n = 0;
    asm("fistpll %0" : "=m"(n) : "t"(x) : "st");
    if (static_cast<long double>(n) > x)
        --n;
    return n;
}
#else
#error "Kalkomat's scoring needs the x87 unit (x86 or x86-64)."
#endif

// Steps 4 to 6 of every formula: (term - a) / c, truncated toward zero, never negative. Every fault (a
// missing constant, an infinite or invalid term, a quotient beyond 64 bits) scores 0, checked here instead
// of trapped. Quotients from 2^31 on come only from absurd entries; they keep the largest point value
// instead of wrapping.
int Points(long double term, const TConstants& k) {
    if (k.C == 0 || !std::isfinite(term))
        return 0;
    const long double quotient = (term - k.A) / k.C;
    constexpr long double Limit64 = 9223372036854775808.0L; // 2^63
    if (!std::isfinite(quotient) || std::fabs(quotient) >= Limit64)
        return 0;
    if (quotient < 1) // truncated toward zero, below 1 it is 0 or negative: no points
        return 0;
    return static_cast<int>(std::min<std::int64_t>(WholePart(quotient), std::numeric_limits<int>::max()));
}

// Hand-timing allowance on sprint times.
double Allowance(int distance) {
    if (Bundesjugendspiele && Bundesjugendspiele->ElectronicTiming)
        return 0;
    if (distance <= 300)
        return 0.24;
    if (distance <= 400)
        return 0.14;
    return 0;
}

} // namespace

int SprintPoints(std::string_view sex, int distance, double time) {
    if (!(time > 0) || distance == 0)
        return 0;
    const TConstants k = Lookup(std::begin(SprintRows), std::end(SprintRows), distance, sex);
    const TExtendedPrecision precision;
    const long double term = static_cast<long double>(distance) /
                             (static_cast<long double>(time) + static_cast<long double>(Allowance(distance)));
    return Points(term, k);
}

int JumpPoints(std::string_view sex, std::string_view kind, double result) {
    if (!(result > 0) || kind.empty())
        return 0;
    const TConstants& k = BySex(kind == "H" ? HighJumpRow : LongJumpRow, sex);
    const TExtendedPrecision precision;
    return Points(std::sqrt(static_cast<long double>(result)), k);
}

int ThrowPoints(std::string_view sex, int implement, double distance) {
    if (!(distance > 0) || implement == 0)
        return 0;
    const bool known = implement == 80 || implement == 200 || implement == 1000;
    const TConstants k = Lookup(std::begin(ThrowRows), std::end(ThrowRows), known ? implement : 0, sex);
    const TExtendedPrecision precision;
    return Points(std::sqrt(static_cast<long double>(distance)), k);
}

int RunPoints(std::string_view sex, int distance, double time) {
    if (!(time > 0) || distance == 0)
        return 0;
    const TConstants k = Lookup(std::begin(RunRows), std::end(RunRows), distance, sex);
    const TExtendedPrecision precision;
    return Points(static_cast<long double>(distance) / static_cast<long double>(time), k);
}

// ---- calculation pass ------------------------------------------------------------------------------------

void SortPoints(std::array<std::uint16_t, 4>& points) { std::sort(points.begin(), points.end()); }

namespace {

struct TPlausibility {
    double TPerformanceSheet::*Value;
    double Limit;
    const char* Field;
};
// In the order the notes are given.
constexpr TPlausibility PlausibilityRows[] = {
    {&TPerformanceSheet::SprintTime, 120, "Sprint"},
    {&TPerformanceSheet::HighJump, 3, "Hochsprung"},
    {&TPerformanceSheet::LongJump, 7, "Weitsprung"},
    {&TPerformanceSheet::ThrowDistance, 150, "Wurf"},
};

// Windows-1252 on every target.
constexpr char NotePrefix[] = "Hinweis: ungew\xF6hnlicher Messwert im Feld \"";

// The ranking holds 16 bits; a discipline beyond that (only absurd entries get there) ranks as the largest
// value instead of wrapping to a small one, so the total never wraps either.
std::uint16_t Rank(int points) { return static_cast<std::uint16_t>(std::clamp(points, 0, 0xFFFF)); }

} // namespace

TPerformanceResult EvaluatePerformance(const TPerformanceSheet& sheet) {
    TPerformanceResult result;
    result.PointsSprint = SprintPoints(sheet.Sex, sheet.SprintDistance, sheet.SprintTime);
    result.PointsLongJump = JumpPoints(sheet.Sex, "W", sheet.LongJump);
    result.PointsHighJump = JumpPoints(sheet.Sex, "H", sheet.HighJump);
    result.PointsThrow = ThrowPoints(sheet.Sex, sheet.ThrowImplement, sheet.ThrowDistance);
    const double runTime = 60.0 * sheet.RunMinutes + sheet.RunSeconds;
    result.PointsRun = RunPoints(sheet.Sex, sheet.RunDistance, runTime);
    result.PointsJump = std::max(result.PointsLongJump, result.PointsHighJump);

    std::array<std::uint16_t, 4> ranking = {Rank(result.PointsSprint), Rank(result.PointsJump),
                                            Rank(result.PointsThrow), Rank(result.PointsRun)};
    SortPoints(ranking);
    result.Total = std::int32_t{ranking[1]} + ranking[2] + ranking[3];

    result.Certificate = result.Total < 1 ? "----" : CertificateCode(sheet.AgeGroup, result.Total);

    for (const TPlausibility& check : PlausibilityRows) {
        const double value = sheet.*check.Value;
        if (value < 0 || value > check.Limit)
            result.Notes.push_back(std::string(NotePrefix) + check.Field + "\"");
    }
    return result;
}
