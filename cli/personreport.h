// The `score` command: one pupil's entries from the command line, scored and laid out for a person or as
// one JSON object.
#pragma once

#include <string>

struct TPersonEntries {
    std::string Sex;      // "M" or "W", either letter case
    std::string AgeGroup; // such as "M12"; empty when the birth year decides
    int BirthYear = 0;    // used while AgeGroup is empty
    int CurrentYear = 0;  // the year that turns the birth year into an age
    // The option texts as given, empty when the discipline was not entered.
    std::string Sprint;   // DISTANCE:SECONDS       "50:8.0"
    std::string LongJump; // METRES                 "3.50"
    std::string HighJump; // METRES                 "1.20"
    std::string Throw;    // IMPLEMENT:METRES       "200:30"
    std::string Run;      // DISTANCE:MINUTES:SECONDS "1000:4:0"
};

// Scores one pupil. The result goes to `output`, as text for a person or, with `json`, as one JSON object
// on one line; problems go to `messages`, one line each. Both are UTF-8. Needs the scoring unit started.
// Returns a TExitStatus: ExitUsage (and no output) for an entry that cannot be read, ExitReported when a
// distance or implement is not one of the age group's choices.
int ScorePerson(const TPersonEntries& entries, bool json, std::string& output, std::string& messages);
