// kalkomat-cli: the points calculator of the Bundesjugendspiele athletics competition on the command
// line, for one pupil (`score`) or a whole class list (`batch`).
#include <cstdio>
#include <cstring>
#include <cerrno>
#include <exception>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/classlist.h"
#include "cli/console.h"
#include "cli/personreport.h"
#include "cli/textcodec.h"
#include "scoring/bundesjugendspiele.h"

namespace {

// A file name for messages, which are UTF-8: Windows hands the program its arguments in the ANSI code
// page, Windows-1252 on German systems.
std::string MessageText(const std::string& argument) {
#ifdef _WIN32
    return Windows1252ToUtf8(argument);
#else
    return argument;
#endif
}

int RunScore(const TPersonEntries& entries, bool json) {
    std::string output, messages;
    const int status = ScorePerson(entries, json, output, messages);
    WriteText(stdout, output);
    std::fflush(stdout);
    WriteText(stderr, messages);
    return status;
}

int RunBatch(const std::string& file, TClassListOptions options) {
    std::FILE* input = stdin;
    if (file != "-") {
        input = std::fopen(file.c_str(), "rb");
        if (!input) {
            WriteText(stderr,
                      "kalkomat-cli: cannot open " + MessageText(file) + ": " + std::strerror(errno) + "\n");
            return ExitUsage;
        }
        options.FileName = MessageText(file);
    }
    const TByteSource source = [input](char* buffer, std::size_t capacity) -> std::ptrdiff_t {
        const std::size_t got = std::fread(buffer, 1, capacity, input);
        if (got == 0 && std::ferror(input))
            return -1;
        return static_cast<std::ptrdiff_t>(got);
    };
    const TByteSink output = [](std::string_view bytes) {
        return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    };
    const TByteSink messages = [](std::string_view bytes) { return WriteText(stderr, bytes); };
    int status = ScoreClassList(source, output, messages, options);
    if (input != stdin)
        std::fclose(input);
    if (std::fflush(stdout) != 0 && status != ExitUsage) {
        WriteText(stderr, "kalkomat-cli: cannot write the output\n");
        status = ExitUsage;
    }
    return status;
}

int Run(int argc, char** argv) {
    CLI::App app{"Points, total and certificate of the Bundesjugendspiele athletics competition.",
                 "kalkomat-cli"};
    app.set_version_flag("--version", std::string("kalkomat-cli ") + KALKOMAT_VERSION);
    app.require_subcommand(1);
    int year = CurrentLocalYear();

    TPersonEntries person;
    bool json = false;
    CLI::App* score = app.add_subcommand("score", "Score one pupil and print the result");
    score->add_option("--sex", person.Sex, "M (boy) or W (girl)")->required();
    CLI::Option* birthYear = score->add_option("--birth-year", person.BirthYear,
                                               "year of birth; with --year it gives the age group");
    CLI::Option* ageGroup =
        score->add_option("--age-group", person.AgeGroup, "age group instead of the birth year, such as M12");
    birthYear->excludes(ageGroup);
    score->add_option("--year", year, "year of the competition")->capture_default_str();
    score->add_option("--sprint", person.Sprint, "DISTANCE:SECONDS, such as 50:8.0");
    score->add_option("--long-jump", person.LongJump, "METRES, such as 3.50");
    score->add_option("--high-jump", person.HighJump, "METRES, such as 1.20");
    score->add_option("--throw", person.Throw,
                      "IMPLEMENT:METRES; implement 80 or 200 (g ball), 1000 (sling ball), 3 to 6 (shot)");
    score->add_option("--run", person.Run, "DISTANCE:MINUTES:SECONDS, such as 1000:4:05");
    score->add_flag("--json", json, "print one JSON object");

    std::string file;
    std::string encoding = "auto";
    CLI::App* batch = app.add_subcommand(
        "batch",
        "Score a class list (CSV with a header row) and write it with the results to standard output");
    batch->add_option("FILE", file, "the class list; - for standard input")->required();
    batch->add_option("--year", year, "year of the competition, for the birth_year column")
        ->capture_default_str();
    batch->add_option("--encoding", encoding, "encoding of a file without byte-order mark")
        ->check(CLI::IsMember({"auto", "utf-8", "windows-1252"}, CLI::ignore_case))
        ->capture_default_str();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? ExitClean : ExitUsage;
    }
    if (score->parsed() && birthYear->count() == 0 && ageGroup->count() == 0) {
        WriteText(stderr, "kalkomat-cli: score needs --birth-year or --age-group\n");
        return ExitUsage;
    }

    TScoringUnit scoringUnit;
    if (score->parsed()) {
        person.CurrentYear = year;
        return RunScore(person, json);
    }
    TClassListOptions options;
    options.CurrentYear = year;
    if (CLI::detail::to_lower(encoding) == "utf-8")
        options.Encoding = TTextEncoding::Utf8;
    else if (CLI::detail::to_lower(encoding) == "windows-1252")
        options.Encoding = TTextEncoding::Windows1252;
    return RunBatch(file, options);
}

} // namespace

int main(int argc, char** argv) {
    UseBinaryStandardStreams();
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        WriteText(stderr, std::string("kalkomat-cli: ") + e.what() + "\n");
        return ExitUsage;
    }
}
