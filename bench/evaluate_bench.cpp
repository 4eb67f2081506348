// Micro-benchmarks of EvaluatePerformance (budget: 150 ns per evaluation) and of the class-list path
// without file I/O.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "cli/classlist.h"
#include "scoring/bundesjugendspiele.h"

namespace {

TPerformanceSheet Sheet(std::string sex, std::string group, int sprint, double sprintTime, double longJump,
                        double highJump, int implement, double throwDistance, int run, int minutes,
                        double seconds) {
    TPerformanceSheet s;
    s.Sex = std::move(sex);
    s.AgeGroup = std::move(group);
    s.SprintDistance = sprint;
    s.SprintTime = sprintTime;
    s.LongJump = longJump;
    s.HighJump = highJump;
    s.ThrowImplement = implement;
    s.ThrowDistance = throwDistance;
    s.RunDistance = run;
    s.RunMinutes = minutes;
    s.RunSeconds = seconds;
    return s;
}

// One full sheet, the boy of the worked example.
void EvaluatePerformanceFullSheet(benchmark::State& state) {
    TScoringUnit unit;
    const TPerformanceSheet sheet = Sheet("M", "M12", 50, 8.0, 3.5, 1.2, 200, 30, 1000, 4, 0);
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable only counts
        TPerformanceResult result = EvaluatePerformance(sheet);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(EvaluatePerformanceFullSheet);

// A class's mix: both sexes, every formula and age group, some disciplines missing.
void EvaluatePerformanceMixedClass(benchmark::State& state) {
    TScoringUnit unit;
    std::vector<TPerformanceSheet> sheets;
    for (int i = 0; i < 64; ++i) {
        const bool girl = i % 2 != 0;
        const int age = 8 + i % 12;
        std::string group(1, girl ? 'W' : 'M');
        group += std::to_string(age);
        sheets.push_back(Sheet(std::string(1, girl ? 'W' : 'M'), group,
                               age < 14   ? 50
                               : age < 16 ? 75
                                          : 100,
                               7.5 + i % 9 * 0.4, i % 5 ? 2.5 + i % 7 * 0.25 : 0,
                               i % 3 ? 0.9 + i % 5 * 0.08 : 0,
                               age < 12   ? 80
                               : age < 14 ? 200
                                          : (i % 3 ? 1000 : 4),
                               15 + i % 20, i % 4 ? 800 : 2000, i % 4 ? 3 + i % 3 : 9, i % 60));
    }
    std::size_t next = 0;
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable only counts
        TPerformanceResult result = EvaluatePerformance(sheets[next++ & 63]);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(EvaluatePerformanceMixedClass);

// A sheet with implausible values: all four notes are made.
void EvaluatePerformanceFourNotes(benchmark::State& state) {
    TScoringUnit unit;
    const TPerformanceSheet sheet = Sheet("W", "W12", 50, 130, -1, 3.5, 80, 200, 800, 4, 0);
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable only counts
        TPerformanceResult result = EvaluatePerformance(sheet);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(EvaluatePerformanceFourNotes);

// The class-list path in memory: reading, scoring and writing, rows per second.
void ScoreClassListInMemory(benchmark::State& state) {
    TScoringUnit unit;
    std::string input =
        "nr;name;sex;birth_year;sprint_distance;sprint_time;long_jump;high_jump;throw_implement;"
        "throw_distance;run_distance;run_minutes;run_seconds\r\n";
    const int rows = 10000;
    for (int i = 0; i < rows; ++i) {
        for (const std::string& piece :
             {std::to_string(i), std::string(i % 50 ? ";Name" : ";\"Nachname; Vorname\""),
              std::string(i % 2 ? ";W;2014;50;9," : ";M;2014;50;8,"), std::to_string(i % 10),
              std::string(";3,"), std::to_string(10 + i % 90), std::string(";1,1"), std::to_string(i % 10),
              std::string(i % 2 ? ";80;2" : ";200;3"), std::to_string(i % 10), std::string(";800;4;"),
              std::to_string(i % 60), std::string("\r\n")})
            input += piece;
    }
    TClassListOptions options;
    options.CurrentYear = 2026;
    std::string output, messages;
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable only counts
        output.clear();
        messages.clear();
        benchmark::DoNotOptimize(ScoreClassListText(input, output, messages, options));
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(ScoreClassListInMemory)->Unit(benchmark::kMillisecond);

} // namespace
