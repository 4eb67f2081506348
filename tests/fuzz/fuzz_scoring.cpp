// The calculation pass and the four formulas over arbitrary numbers: never negative, never a crash, the
// total always the best three of the ranking, and the same points as a plain re-computation of the
// formulas wherever the entries are plausible.
#include "FuzzInput.h"
#include "bundesjugendspiele.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

const TScoringUnit Unit;

// The formulas written out once more, as a teacher would from the rule book: long double throughout.
int Plain(long double term, double a, double c) {
    const long double q = (term - a) / c;
    if (!(q < 2147483648.0L)) // only asked for plausible entries; this keeps the unasked ones defined
        return -1;
    return q < 1 ? 0 : static_cast<int>(static_cast<long long>(q));
}

void Expect(bool plausible, int got, int want) {
    if (plausible && got != want)
        std::abort();
}

void CheckAgainstPlainFormulas(const TPerformanceSheet& s, const TPerformanceResult& r) {
    const bool girl = s.Sex == "W";
    const long double sprint = 50.0L / (static_cast<long double>(s.SprintTime) + 0.24);
    Expect(s.SprintDistance == 50 && s.SprintTime >= 5 && s.SprintTime <= 20, r.PointsSprint,
           girl ? Plain(sprint, 3.648, 0.0066) : Plain(sprint, 3.79, 0.0069));
    const long double longJump = std::sqrt(static_cast<long double>(s.LongJump));
    Expect(s.LongJump >= 0.5 && s.LongJump <= 9, r.PointsLongJump,
           girl ? Plain(longJump, 1.0935, 0.00208) : Plain(longJump, 1.15028, 0.00219));
    const long double highJump = std::sqrt(static_cast<long double>(s.HighJump));
    Expect(s.HighJump >= 0.5 && s.HighJump <= 3, r.PointsHighJump,
           girl ? Plain(highJump, 0.8807, 0.00068) : Plain(highJump, 0.841, 0.0008));
    const double runTime = 60.0 * s.RunMinutes + s.RunSeconds;
    const long double run = 800.0L / runTime;
    Expect(s.RunDistance == 800 && runTime >= 60 && runTime <= 1200, r.PointsRun,
           girl ? Plain(run, 2.0232, 0.00647) : Plain(run, 2.325, 0.00644));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput in(data, size);
    TPerformanceSheet s;
    s.Sex = in.Take<std::uint8_t>() % 2 ? "W" : "M";
    s.AgeGroup = in.Text(8);
    s.SprintDistance = in.Take<std::int32_t>();
    s.SprintTime = in.Take<double>();
    s.LongJump = in.Take<double>();
    s.HighJump = in.Take<double>();
    s.ThrowImplement = in.Take<std::int32_t>();
    s.ThrowDistance = in.Take<double>();
    s.RunDistance = in.Take<std::int32_t>();
    s.RunMinutes = in.Take<std::int32_t>();
    s.RunSeconds = in.Take<double>();

    const TPerformanceResult r = EvaluatePerformance(s);
    for (const int points : {r.PointsSprint, r.PointsLongJump, r.PointsHighJump, r.PointsJump, r.PointsThrow,
                             r.PointsRun, r.Total})
        if (points < 0)
            std::abort();
    if (r.PointsJump != std::max(r.PointsLongJump, r.PointsHighJump))
        std::abort();
    int ranked[] = {std::min(r.PointsSprint, 0xFFFF), std::min(r.PointsJump, 0xFFFF),
                    std::min(r.PointsThrow, 0xFFFF), std::min(r.PointsRun, 0xFFFF)};
    std::sort(std::begin(ranked), std::end(ranked));
    if (r.Total != ranked[1] + ranked[2] + ranked[3])
        std::abort();
    if (r.Certificate != "EU" && r.Certificate != "SU" && r.Certificate != "TU" && r.Certificate != "----")
        std::abort();
    if ((r.Total < 1) != (r.Certificate == "----") || r.Notes.size() > 4)
        std::abort();
    CheckAgainstPlainFormulas(s, r);
    return 0;
}
