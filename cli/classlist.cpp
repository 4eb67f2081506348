#include "cli/classlist.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "cli/csvfile.h"
#include "cli/entries.h"
#include "scoring/bundesjugendspiele.h"

namespace {

enum TColumn : int {
    ColSex,
    ColAgeGroup,
    ColBirthYear,
    ColSprintDistance,
    ColSprintTime,
    ColLongJump,
    ColHighJump,
    ColThrowImplement,
    ColThrowDistance,
    ColRunDistance,
    ColRunMinutes,
    ColRunSeconds,
    ColumnCount
};

constexpr std::string_view ColumnNames[ColumnCount] = {
    "sex",       "age_group",       "birth_year",     "sprint_distance", "sprint_time", "long_jump",
    "high_jump", "throw_implement", "throw_distance", "run_distance",    "run_minutes", "run_seconds",
};

constexpr std::size_t OutputChunk = std::size_t{1} << 20;
constexpr std::size_t MessageChunk = std::size_t{64} << 10;
constexpr std::size_t EchoLimit = 40; // bytes of a bad cell quoted in its report
// Bytes read ahead before the first row is written, so that one telling byte decides the encoding of the
// whole output; only a file whose first non-ASCII byte comes later needs --encoding.
constexpr std::size_t EncodingLookahead = std::size_t{1} << 20;

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char ca = a[i], cb = b[i];
        if (ca >= 'A' && ca <= 'Z')
            ca = static_cast<char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z')
            cb = static_cast<char>(cb - 'A' + 'a');
        if (ca != cb)
            return false;
    }
    return true;
}

void AppendInt(std::string& out, long long value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// The input in large reads, in one buffer that holds the bytes not yet taken from `Begin` on.
class TInputBuffer {
public:
    TInputBuffer(const TByteSource& source, std::size_t readSize)
        : Source(source), ReadSize(readSize ? readSize : 1) {}

    std::string_view View() const { return {Data.get() + Begin, End - Begin}; }
    void Take(std::size_t count) { Begin += count; }
    bool AtEnd() const { return Eof; }
    bool Failed() const { return Error; }

    // Reads more bytes behind those not yet taken; false once the end is reached or a read failed.
    bool Fill() {
        if (Eof)
            return false;
        if (Begin > 0) {
            std::memmove(Data.get(), Data.get() + Begin, End - Begin);
            End -= Begin;
            Examined = Examined > Begin ? Examined - Begin : 0;
            Begin = 0;
        }
        if (Capacity - End < ReadSize) {
            // Left uninitialised: a small file touches only the pages it fills.
            Capacity = std::max(End + ReadSize, 2 * Capacity);
            std::unique_ptr<char[]> larger(new char[Capacity]);
            if (End > 0)
                std::memcpy(larger.get(), Data.get(), End);
            Data = std::move(larger);
        }
        const std::ptrdiff_t got = Source(Data.get() + End, ReadSize);
        if (got <= 0) {
            Error = got < 0;
            Eof = true;
            return false;
        }
        End += static_cast<std::size_t>(got);
        return true;
    }

    // The bytes that the encoding guess has not looked at yet.
    std::string_view Unexamined() const {
        const std::size_t from = Examined > Begin ? Examined : Begin;
        return {Data.get() + from, End - from};
    }
    void MarkExamined(std::size_t count) { Examined = (Examined > Begin ? Examined : Begin) + count; }

private:
    const TByteSource& Source;
    std::size_t ReadSize;
    std::unique_ptr<char[]> Data;
    std::size_t Capacity = 0;
    std::size_t Begin = 0, End = 0, Examined = 0;
    bool Eof = false, Error = false;
};

class TClassListScorer {
public:
    TClassListScorer(const TByteSource& input, const TByteSink& output, const TByteSink& messages,
                     const TClassListOptions& options)
        : Input(input, options.ReadSize), Output(output), Messages(messages), Options(options),
          Encoding(options.Encoding), Splitter(',') {}

    int Run();

private:
    TInputBuffer Input;
    const TByteSink& Output;
    const TByteSink& Messages;
    const TClassListOptions& Options;
    TTextEncoding Encoding;
    TCsvSplitter Splitter;
    TCsvRecord Record;
    TChoiceCheck Choices;
    TPerformanceSheet Sheet;

    int Columns[ColumnCount] = {}; // index of each known column in the header, -1 when absent
    std::vector<bool> Dropped;     // header columns holding results of an earlier run
    bool DropAny = false;
    std::size_t HeaderCount = 0;
    std::string DefaultLineBreak = "\n"; // the header's, for a last row without one
    char Delimiter = ',';
    int Line = 1;
    bool AnyReported = false;
    bool WriteFailed = false;

    std::string Out, Msg;            // output and messages not yet handed on
    std::string Errors, Notes, Echo; // of the current row; kept to reuse their memory

    bool Usage(std::string_view text);
    bool ReadMore();
    void UpdateEncoding();
    bool ReadHeader();
    void WriteHeader();
    void ScoreRow();
    void WriteCells();
    void WriteResults(const TPerformanceResult* result, bool certificate);
    std::string_view Cell(TColumn column) const;
    const std::string& Quoted(std::string_view cell);
    void Report(std::string_view column, std::string_view text);
    std::optional<std::string> AgeGroup(char sex);
    int WholeCell(TColumn column);
    double MeasureCell(TColumn column);
    void CheckChoice(TColumn column, std::string_view kind, const std::string& key, int value);
    void FlushOut(bool always);
    void FlushMessages(bool always);
};

bool TClassListScorer::Usage(std::string_view text) {
    Msg += Options.FileName;
    Msg += ": ";
    Msg += text;
    Msg += '\n';
    return false;
}

// Reads the next block and looks at its bytes for the encoding; false at the end or on a failure.
bool TClassListScorer::ReadMore() {
    const bool more = Input.Fill();
    UpdateEncoding();
    return more;
}

void TClassListScorer::UpdateEncoding() {
    if (Encoding != TTextEncoding::Unknown)
        return;
    const std::string_view bytes = Input.Unexamined();
    const TEncodingGuess guess = GuessEncoding(bytes);
    if (guess.Encoding != TTextEncoding::Unknown)
        Encoding = guess.Encoding;
    else if (Input.AtEnd() && guess.Settled < bytes.size())
        Encoding = TTextEncoding::Windows1252; // a UTF-8 sequence cut off by the end of the file
    Input.MarkExamined(guess.Settled);
}

bool TClassListScorer::ReadHeader() {
    while (Input.View().size() < 3 && ReadMore()) {
    }
    const std::string_view start = Input.View();
    if (start.substr(0, 3) == "\xEF\xBB\xBF") {
        Out += start.substr(0, 3); // kept, so that spreadsheets read the output as UTF-8 as well
        Input.Take(3);
        Input.MarkExamined(0);
        Encoding = TTextEncoding::Utf8;
    } else if (start.substr(0, 2) == "\xFF\xFE" || start.substr(0, 2) == "\xFE\xFF") {
        return Usage("the file is UTF-16 text; save it as CSV in UTF-8 or Windows-1252");
    }
    TDelimiterGuess guess;
    while (!(guess = DetectDelimiter(Input.View())).Sure && !Input.AtEnd()) {
        if (Input.View().size() > Options.MaxRecordSize)
            return Usage("the first line is too long for a header row");
        ReadMore();
    }
    if (Input.Failed())
        return Usage("cannot read the file");
    if (TrimBlanks(Input.View()).empty())
        return Usage("the file is empty; a class list starts with a header row naming its columns");
    Delimiter = guess.Delimiter;
    Splitter.Delimiter = Delimiter;
    std::size_t taken;
    while ((taken = Splitter.Next(Input.View(), Input.AtEnd(), Record)) == 0)
        ReadMore();

    for (int& column : Columns)
        column = -1;
    HeaderCount = Record.Fields.size();
    Dropped.assign(HeaderCount, false);
    for (std::size_t i = 0; i < HeaderCount; ++i) {
        const std::string_view name = TrimBlanks(Record.Fields[i]);
        for (int c = 0; c < ColumnCount; ++c) {
            if (!SameNameIgnoringCase(name, ColumnNames[c]))
                continue;
            if (Columns[c] >= 0)
                return Usage("the column \"" + std::string(ColumnNames[c]) + "\" appears twice");
            Columns[c] = static_cast<int>(i);
        }
        for (std::string_view added : AddedColumns)
            if (SameNameIgnoringCase(name, added))
                Dropped[i] = DropAny = true; // replaced by this run's results
    }
    if (Columns[ColSex] < 0)
        return Usage("no \"sex\" column; the first row must name the columns: sex, age_group or birth_year, "
                     "sprint_distance, sprint_time, long_jump, high_jump, throw_implement, throw_distance, "
                     "run_distance, run_minutes, run_seconds");
    if (Columns[ColAgeGroup] < 0 && Columns[ColBirthYear] < 0)
        return Usage("neither an \"age_group\" nor a \"birth_year\" column");
    if (!Record.LineBreak.empty())
        DefaultLineBreak = Record.LineBreak;
    WriteHeader();
    Line += 1 + Record.LineBreaksInside;
    Input.Take(taken);
    return true;
}

void TClassListScorer::WriteHeader() {
    WriteCells();
    for (std::string_view name : AddedColumns) {
        Out += Delimiter;
        Out += name;
    }
    Out += DefaultLineBreak;
}

std::string_view TClassListScorer::Cell(TColumn column) const {
    const int index = Columns[column];
    if (index < 0 || static_cast<std::size_t>(index) >= Record.Fields.size())
        return {};
    return Record.Fields[static_cast<std::size_t>(index)];
}

// The cell as its report quotes it: on one line and cut short when long.
const std::string& TClassListScorer::Quoted(std::string_view cell) {
    const std::size_t length = WholePrefix(cell, EchoLimit, Encoding);
    Echo.assign(1, '"');
    for (char ch : cell.substr(0, length))
        Echo += (ch == '\r' || ch == '\n' || ch == '\t') ? ' ' : ch;
    if (length < cell.size())
        Echo += "...";
    Echo += '"';
    return Echo;
}

void TClassListScorer::Report(std::string_view column, std::string_view text) {
    AnyReported = true;
    if (!Errors.empty())
        Errors += " | ";
    Errors += column;
    Errors += ": ";
    Errors += text;
    Msg += Options.FileName;
    Msg += ':';
    AppendInt(Msg, Line);
    Msg += ": ";
    Msg += column;
    Msg += ": ";
    if (Encoding == TTextEncoding::Windows1252)
        AppendWindows1252AsUtf8(Msg, text);
    else
        Msg += text;
    Msg += '\n';
}

int TClassListScorer::WholeCell(TColumn column) {
    const std::string_view cell = Cell(column);
    if (const std::optional<int> value = ReadWholeNumber(cell))
        return *value;
    if (!TrimBlanks(cell).empty())
        Report(ColumnNames[column], Quoted(cell) + " is not a whole number; counted as 0");
    return 0;
}

double TClassListScorer::MeasureCell(TColumn column) {
    const std::string_view cell = Cell(column);
    if (const std::optional<double> value = ReadMeasure(cell))
        return *value;
    if (!TrimBlanks(cell).empty())
        Report(ColumnNames[column], Quoted(cell) + " is not a number; counted as 0");
    return 0;
}

// The row's age-group key, or nullopt (reported) when the row gives none that fits.
std::optional<std::string> TClassListScorer::AgeGroup(char sex) {
    const std::string_view given = TrimBlanks(Cell(ColAgeGroup));
    if (!given.empty() || Columns[ColBirthYear] < 0) {
        std::optional<std::string> key = ReadAgeGroup(given);
        if (given.empty())
            Report(ColumnNames[ColAgeGroup], "empty; no certificate");
        else if (!key)
            Report(ColumnNames[ColAgeGroup],
                   Quoted(given) + " is not an age group such as M12 or W9; no certificate");
        else if ((*key)[0] != sex)
            Report(ColumnNames[ColAgeGroup], *key + " does not match sex " + sex + "; no certificate");
        else
            return key;
        return std::nullopt;
    }
    const std::string_view cell = Cell(ColBirthYear);
    const std::optional<int> year = ReadWholeNumber(cell);
    if (TrimBlanks(cell).empty())
        Report(ColumnNames[ColBirthYear], "empty; no certificate");
    else if (!year)
        Report(ColumnNames[ColBirthYear], Quoted(cell) + " is not a year; no certificate");
    else if (*year > Options.CurrentYear || *year < Options.CurrentYear - 100)
        Report(ColumnNames[ColBirthYear], std::to_string(*year) + " is no year of birth in " +
                                              std::to_string(Options.CurrentYear) + "; no certificate");
    else
        return DeriveAgeGroupKey(std::string_view(&sex, 1), *year, Options.CurrentYear);
    return std::nullopt;
}

void TClassListScorer::CheckChoice(TColumn column, std::string_view kind, const std::string& key, int value) {
    if (value == 0)
        return;
    const std::string offered = Choices.NotOffered(kind, key, value);
    if (!offered.empty())
        Report(ColumnNames[column],
               std::to_string(value) + " is not offered for " + key + " (offered: " + offered + ")");
}

void TClassListScorer::ScoreRow() {
    Errors.clear();
    if (Record.Raw.empty()) { // an empty line stays one
        Out += Record.LineBreak.empty() ? std::string_view(DefaultLineBreak) : Record.LineBreak;
        return;
    }
    bool blank = true;
    for (std::string_view field : Record.Fields)
        blank = blank && TrimBlanks(field).empty();
    WriteCells();
    if (blank) { // a row of empty cells, as spreadsheets leave below a table
        WriteResults(nullptr, false);
        return;
    }
    const std::string_view sexCell = Cell(ColSex);
    const std::optional<char> sex = ReadSex(sexCell);
    if (!sex) {
        if (TrimBlanks(sexCell).empty())
            Report(ColumnNames[ColSex], "empty; row not scored");
        else
            Report(ColumnNames[ColSex], Quoted(sexCell) + " is neither M nor W; row not scored");
        WriteResults(nullptr, false);
        return;
    }
    const std::optional<std::string> key = AgeGroup(*sex);
    Sheet.Sex.assign(1, *sex);
    Sheet.AgeGroup = key ? *key : Sheet.Sex + "0";
    Sheet.SprintDistance = WholeCell(ColSprintDistance);
    Sheet.SprintTime = MeasureCell(ColSprintTime);
    Sheet.LongJump = MeasureCell(ColLongJump);
    Sheet.HighJump = MeasureCell(ColHighJump);
    Sheet.ThrowImplement = WholeCell(ColThrowImplement);
    Sheet.ThrowDistance = MeasureCell(ColThrowDistance);
    Sheet.RunDistance = WholeCell(ColRunDistance);
    Sheet.RunMinutes = WholeCell(ColRunMinutes);
    Sheet.RunSeconds = MeasureCell(ColRunSeconds);
    if (key) {
        CheckChoice(ColSprintDistance, "Sprint", *key, Sheet.SprintDistance);
        CheckChoice(ColThrowImplement, "Wurf", *key, Sheet.ThrowImplement);
        CheckChoice(ColRunDistance, "Lauf", *key, Sheet.RunDistance);
    }
    const TPerformanceResult result = EvaluatePerformance(Sheet);
    WriteResults(&result, key.has_value());
}

// The row's own cells: as read when it can be, without the results of an earlier run, and with empty
// cells added up to the header's number so that the results line up under their names.
void TClassListScorer::WriteCells() {
    std::size_t keep = Record.Fields.size();
    if (keep > HeaderCount) {
        bool extraBlank = true;
        for (std::size_t i = HeaderCount; i < keep; ++i)
            extraBlank = extraBlank && TrimBlanks(Record.Fields[i]).empty();
        if (extraBlank) {
            keep = HeaderCount;
        } else {
            Report("row", std::to_string(keep) + " cells where the header has " +
                              std::to_string(HeaderCount) + "; the results follow the last cell");
        }
    }
    if (!DropAny) {
        Out += keep == Record.Fields.size() ? Record.Raw : Record.Raw.substr(0, Record.FieldEnds[keep - 1]);
        for (std::size_t i = keep; i < HeaderCount; ++i)
            Out += Delimiter;
        return;
    }
    bool first = true;
    for (std::size_t i = 0; i < std::max(keep, HeaderCount); ++i) {
        if (i < HeaderCount && Dropped[i])
            continue;
        if (!first)
            Out += Delimiter;
        first = false;
        if (i < keep)
            AppendCsvField(Out, Record.Fields[i], Delimiter);
    }
}

void TClassListScorer::WriteResults(const TPerformanceResult* result, bool certificate) {
    if (result) {
        for (int points : {result->PointsSprint, result->PointsLongJump, result->PointsHighJump,
                           result->PointsJump, result->PointsThrow, result->PointsRun, result->Total}) {
            Out += Delimiter;
            AppendInt(Out, points);
        }
        Out += Delimiter;
        if (certificate)
            Out += result->Certificate;
        Notes.clear();
        for (const std::string& note : result->Notes) {
            if (!Notes.empty())
                Notes += " | ";
            if (Encoding == TTextEncoding::Windows1252)
                Notes += note; // the scoring unit's texts are Windows-1252 already
            else
                AppendWindows1252AsUtf8(Notes, note);
        }
        Out += Delimiter;
        AppendCsvField(Out, Notes, Delimiter);
    } else {
        for (int i = 0; i < 9; ++i)
            Out += Delimiter;
    }
    Out += Delimiter;
    AppendCsvField(Out, Errors, Delimiter);
    Out += Record.LineBreak.empty() ? std::string_view(DefaultLineBreak) : Record.LineBreak;
}

void TClassListScorer::FlushOut(bool always) {
    if (Out.empty() || (!always && Out.size() < OutputChunk) || WriteFailed)
        return;
    if (!Output(Out))
        WriteFailed = true;
    Out.clear();
}

void TClassListScorer::FlushMessages(bool always) {
    if (Msg.empty() || (!always && Msg.size() < MessageChunk))
        return;
    Messages(Msg);
    Msg.clear();
}

int TClassListScorer::Run() {
    UpdateEncoding();
    while (Encoding == TTextEncoding::Unknown && Input.View().size() < EncodingLookahead && ReadMore()) {
    }
    int status = ExitClean;
    if (!ReadHeader()) {
        Out.clear(); // nothing of a file that cannot be scored, not even its byte-order mark
        status = ExitUsage;
    } else {
        for (;;) {
            const std::size_t taken = Splitter.Next(Input.View(), Input.AtEnd(), Record);
            // Checked on a whole record too: the bytes read ahead may already hold the rest of the file.
            if (taken > Options.MaxRecordSize ||
                (taken == 0 && Input.View().size() > Options.MaxRecordSize)) {
                Msg += Options.FileName + ':' + std::to_string(Line) + ": a row longer than " +
                       std::to_string(Options.MaxRecordSize) + " bytes; is a quote (\") left open?\n";
                status = ExitUsage;
                break;
            }
            if (taken == 0) {
                if (Input.AtEnd())
                    break;
                ReadMore();
                continue;
            }
            ScoreRow();
            Line += 1 + Record.LineBreaksInside;
            Input.Take(taken);
            FlushOut(false);
            FlushMessages(false);
            if (WriteFailed)
                break;
        }
        if (status == ExitClean && Input.Failed()) {
            Usage("cannot read the file to its end");
            status = ExitUsage;
        }
    }
    FlushOut(true);
    if (WriteFailed) {
        Msg += "kalkomat-cli: cannot write the output\n";
        status = ExitUsage;
    }
    FlushMessages(true);
    if (status == ExitClean && AnyReported)
        status = ExitReported;
    return status;
}

} // namespace

int ScoreClassList(const TByteSource& input, const TByteSink& output, const TByteSink& messages,
                   const TClassListOptions& options) {
    TClassListScorer scorer(input, output, messages, options);
    return scorer.Run();
}

int ScoreClassListText(std::string_view input, std::string& output, std::string& messages,
                       const TClassListOptions& options) {
    const TByteSource source = [&input](char* buffer, std::size_t capacity) -> std::ptrdiff_t {
        const std::size_t count = std::min(capacity, input.size());
        if (count > 0)
            std::memcpy(buffer, input.data(), count);
        input.remove_prefix(count);
        return static_cast<std::ptrdiff_t>(count);
    };
    const TByteSink outputSink = [&output](std::string_view bytes) {
        output += bytes;
        return true;
    };
    const TByteSink messageSink = [&messages](std::string_view bytes) {
        messages += bytes;
        return true;
    };
    return ScoreClassList(source, outputSink, messageSink, options);
}
