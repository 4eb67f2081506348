// Scoring a whole class list: reads it as CSV, writes it back with the results of every pupil added.
// Streams: memory stays the same whatever the number of rows.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "cli/textcodec.h"

// Exit statuses of kalkomat-cli.
enum TExitStatus : int {
    ExitClean = 0,    // everything read
    ExitReported = 1, // some cells were reported (and counted as 0 or left unscored)
    ExitUsage = 2,    // nothing done: wrong call, missing file or column, unreadable file
};

struct TClassListOptions {
    std::string FileName = "<stdin>";                 // the name in messages
    int CurrentYear = 0;                              // the year that turns a birth year into an age
    TTextEncoding Encoding = TTextEncoding::Unknown;  // Unknown: found from the bytes, UTF-8 for plain ASCII
    std::size_t ReadSize = std::size_t{1} << 20;      // bytes asked for per read
    std::size_t MaxRecordSize = std::size_t{1} << 20; // a longer record stops the run (a quote left open)
};

// Reads up to `capacity` bytes into `buffer`: the number read, 0 at the end, -1 on a read error.
using TByteSource = std::function<std::ptrdiff_t(char* buffer, std::size_t capacity)>;
// Takes bytes; false when they could not be written.
using TByteSink = std::function<bool(std::string_view bytes)>;

// The columns added to every row, in this order.
inline constexpr std::string_view AddedColumns[] = {
    "points_sprint", "points_long_jump", "points_high_jump",
    "points_jump",   "points_throw",     "points_run",
    "total",         "certificate",      "notes",
    "errors",
};

// Scores the class list from `input` and writes it with the added columns to `output`, in the input's
// delimiter, line breaks and encoding. Problems go to `messages` as UTF-8 lines "FILE:LINE: COLUMN: text".
// Needs the scoring unit started. Returns a TExitStatus.
int ScoreClassList(const TByteSource& input, const TByteSink& output, const TByteSink& messages,
                   const TClassListOptions& options);

// The same for a class list held in memory.
int ScoreClassListText(std::string_view input, std::string& output, std::string& messages,
                       const TClassListOptions& options);
