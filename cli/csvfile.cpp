#include "cli/csvfile.h"

#include <cstring>

std::size_t TCsvSplitter::Next(std::string_view data, bool atEnd, TCsvRecord& record) {
    const char* const p = data.data();
    const std::size_t n = data.size();
    if (n == 0)
        return 0;
    Pieces.clear();
    Scratch.clear();
    record.FieldEnds.clear();
    record.LineBreaksInside = 0;
    std::size_t i = 0;
    for (;;) {
        if (i < n && p[i] == '"') {
            // Quoted field: pieces between doubled quotes are gathered in Scratch.
            ++i;
            std::size_t start = i;
            bool gathered = false;
            const std::size_t scratchStart = Scratch.size();
            for (;;) {
                while (i < n && p[i] != '"' && p[i] != '\r' && p[i] != '\n')
                    ++i;
                if (i == n) {
                    if (!atEnd)
                        return 0;
                    break; // left open: runs to the end
                }
                if (p[i] == '\n') {
                    ++record.LineBreaksInside;
                    ++i;
                    continue;
                }
                if (p[i] == '\r') {
                    if (i + 1 == n && !atEnd)
                        return 0;
                    if (i + 1 == n || p[i + 1] != '\n')
                        ++record.LineBreaksInside; // a lone CR; CR LF is counted at its LF
                    ++i;
                    continue;
                }
                if (i + 1 == n && !atEnd)
                    return 0; // a doubled quote or the closing one: the next byte tells
                if (i + 1 < n && p[i + 1] == '"') {
                    Scratch.append(p + start, i + 1 - start);
                    gathered = true;
                    i += 2;
                    start = i;
                    continue;
                }
                break;
            }
            const std::size_t contentEnd = i;
            if (i < n)
                ++i; // the closing quote
            // Text between the closing quote and the next delimiter is kept, as spreadsheets do.
            const std::size_t trailStart = i;
            while (i < n && p[i] != Delimiter && p[i] != '\r' && p[i] != '\n')
                ++i;
            if (gathered || i > trailStart) {
                Scratch.append(p + start, contentEnd - start);
                Scratch.append(p + trailStart, i - trailStart);
                Pieces.push_back({scratchStart, Scratch.size() - scratchStart, true});
            } else {
                Pieces.push_back({start, contentEnd - start, false});
            }
        } else {
            const std::size_t start = i;
            while (i < n && p[i] != Delimiter && p[i] != '\r' && p[i] != '\n')
                ++i;
            Pieces.push_back({start, i - start, false});
        }
        record.FieldEnds.push_back(i);
        if (i == n) {
            if (!atEnd)
                return 0;
            record.Raw = data;
            record.LineBreak = {};
            break;
        }
        if (p[i] == Delimiter) {
            ++i;
            continue;
        }
        record.Raw = data.substr(0, i);
        if (p[i] == '\r') {
            if (i + 1 == n && !atEnd)
                return 0; // CR LF or a lone CR: the next byte tells
            const std::size_t length = (i + 1 < n && p[i + 1] == '\n') ? 2 : 1;
            record.LineBreak = data.substr(i, length);
            i += length;
        } else {
            record.LineBreak = data.substr(i, 1);
            ++i;
        }
        break;
    }
    record.Fields.clear();
    for (const TPiece& piece : Pieces)
        record.Fields.emplace_back((piece.InScratch ? Scratch.data() : p) + piece.Offset, piece.Length);
    return i;
}

void SplitCsv(std::string_view bytes, char delimiter,
              const std::function<void(const TCsvRecord&)>& onRecord) {
    TCsvSplitter splitter(delimiter);
    TCsvRecord record;
    while (const std::size_t taken = splitter.Next(bytes, true, record)) {
        onRecord(record);
        bytes.remove_prefix(taken);
    }
}

TDelimiterGuess DetectDelimiter(std::string_view bytes) {
    int semicolons = 0, commas = 0;
    bool quoted = false, closed = false, fieldStart = true, sure = false;
    for (char ch : bytes) {
        if (quoted) {
            quoted = ch != '"';
            closed = !quoted;
            continue;
        }
        if (ch == '"' && (fieldStart || closed)) { // opens a field, or is the second of a doubled quote
            closed = false;
            quoted = true;
            fieldStart = false;
            continue;
        }
        closed = false;
        fieldStart = ch == ';' || ch == ',';
        if (ch == ';')
            ++semicolons;
        else if (ch == ',')
            ++commas;
        else if (ch == '\r' || ch == '\n') {
            sure = true;
            break;
        }
    }
    return {semicolons > commas ? ';' : ',', sure};
}

void AppendCsvField(std::string& out, std::string_view text, char delimiter) {
    bool quote = false;
    for (char ch : text) {
        if (ch == delimiter || ch == '"' || ch == '\r' || ch == '\n') {
            quote = true;
            break;
        }
    }
    if (!quote) {
        out += text;
        return;
    }
    out += '"';
    for (char ch : text) {
        if (ch == '"')
            out += '"';
        out += ch;
    }
    out += '"';
}
