// Reading and writing CSV as spreadsheets save it (RFC 4180): fields cut at a delimiter, quoted fields
// that may hold delimiters, doubled quotes and line breaks; records ended by LF, CR LF or CR.
// Plain standard C++, no I/O: the reader takes bytes and hands out records.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One record. The views point into the bytes given to the splitter or into the splitter itself; they stay
// valid until its next call.
struct TCsvRecord {
    std::string_view Raw;                 // the record's bytes as read, without its line break
    std::string_view LineBreak;           // "\n", "\r\n", "\r", or empty for a last record without one
    std::vector<std::string_view> Fields; // the texts of the fields, quotes removed; at least one
    std::vector<std::size_t> FieldEnds;   // for each field, its end as an offset into Raw
    int LineBreaksInside = 0;             // line breaks within quoted fields
};

class TCsvSplitter {
public:
    explicit TCsvSplitter(char delimiter) : Delimiter(delimiter) {}

    // Splits the record at the start of `data`. Returns the bytes it takes, its line break included, or 0
    // when `data` does not hold a whole record yet (`record` is then undefined). With `atEnd` the data is
    // all there is: the last record may lack its line break, and a quoted field left open runs to the end.
    // Returns 0 for empty `data`.
    std::size_t Next(std::string_view data, bool atEnd, TCsvRecord& record);

    char Delimiter;

private:
    struct TPiece {
        std::size_t Offset;
        std::size_t Length;
        bool InScratch;
    };
    std::vector<TPiece> Pieces;
    std::string
        Scratch; // texts of fields that cannot be a plain view of the input ("" inside, text after the quote)
};

// Calls `onRecord` for every record of `bytes`, a whole file's content without byte-order mark.
void SplitCsv(std::string_view bytes, char delimiter, const std::function<void(const TCsvRecord&)>& onRecord);

struct TDelimiterGuess {
    char Delimiter = ',';
    bool Sure = false; // false while the first line is not complete in the bytes looked at
};
// The delimiter of a file, from its first line: ';' when that line holds more semicolons than commas
// outside quotes, otherwise ','.
TDelimiterGuess DetectDelimiter(std::string_view bytes);

// Appends `text` as one field, in quotes when it holds the delimiter, a quote, CR or LF.
void AppendCsvField(std::string& out, std::string_view text, char delimiter);
