#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/csvfile.h"

namespace {

// The fields of a record joined by '|'.
std::string Joined(const TCsvRecord& record) {
    std::string text;
    for (std::size_t i = 0; i < record.Fields.size(); ++i) {
        if (i > 0)
            text += '|';
        text += record.Fields[i];
    }
    return text;
}

// The records of `bytes` written as fields joined by '|', one string per record.
std::vector<std::string> Records(std::string_view bytes, char delimiter) {
    std::vector<std::string> records;
    SplitCsv(bytes, delimiter, [&records](const TCsvRecord& record) { records.push_back(Joined(record)); });
    return records;
}

struct TSplitCase {
    const char* Input;
    std::vector<std::string> Want;
};

TEST(CsvSplitter, SplitsRecordsAndFields) {
    const TSplitCase cases[] = {
        {"a;b;c\n1;2;3\n", {"a|b|c", "1|2|3"}},
        {"a;b\r\n1;2\r\n", {"a|b", "1|2"}},
        {"a;b\r1;2\r", {"a|b", "1|2"}}, // old Mac line breaks
        {"a;b\n1;2", {"a|b", "1|2"}},   // last line without a line break
        {";;\n", {"||"}},               // empty fields, also the last one
        {"\n\n", {"", ""}},             // empty lines are records of one empty field
        {"\"x;y\";\"say \"\"hi\"\"\"\n", {"x;y|say \"hi\""}},
        {"\"line 1\nline 2\";z\n", {"line 1\nline 2|z"}},
        {"\"\"\n", {""}},                                         // an empty quoted field
        {"\"ab\"cd;e\n", {"abcd|e"}},                             // text after the closing quote is kept
        {"a\"b;c\n", {"a\"b|c"}},                                 // a quote inside an unquoted field is text
        {"x;\"open\nrest;of;file\n", {"x|open\nrest;of;file\n"}}, // a quote left open runs to the end
        {"", {}},
    };
    for (const TSplitCase& c : cases) {
        SCOPED_TRACE(c.Input);
        EXPECT_EQ(Records(c.Input, ';'), c.Want);
    }
}

TEST(CsvSplitter, KeepsRawBytesLineBreaksAndFieldEnds) {
    const std::string input = "\"a;b\";\"c\"\"d\";e\r\nx\n\"q\nr\"";
    std::vector<TCsvRecord> seen;
    std::vector<std::string> raws, breaks;
    std::vector<int> inside;
    std::vector<std::vector<std::size_t>> ends;
    SplitCsv(input, ';', [&](const TCsvRecord& record) {
        raws.emplace_back(record.Raw);
        breaks.emplace_back(record.LineBreak);
        inside.push_back(record.LineBreaksInside);
        ends.push_back(record.FieldEnds);
    });
    EXPECT_EQ(raws, (std::vector<std::string>{"\"a;b\";\"c\"\"d\";e", "x", "\"q\nr\""}));
    EXPECT_EQ(breaks, (std::vector<std::string>{"\r\n", "\n", ""}));
    EXPECT_EQ(inside, (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(ends[0], (std::vector<std::size_t>{5, 12, 14}));
}

// Cut anywhere, the data must give the same records once the rest arrives: a record is handed out only
// when it is whole (a CR may be followed by LF, a quote by a second one).
TEST(CsvSplitter, WaitsForWholeRecordsAtEveryCut) {
    const std::string input = "n;\"a\"\"b\";\"c\r\nd\"\r\nx;y\r\"z\"\r\n;\n";
    const std::vector<std::string> want = Records(input, ';');
    ASSERT_EQ(want.size(), 4u);
    for (std::size_t cut = 0; cut <= input.size(); ++cut) {
        SCOPED_TRACE(cut);
        TCsvSplitter splitter(';');
        TCsvRecord record;
        std::vector<std::string> got;
        std::size_t at = 0;
        for (std::size_t available : {cut, input.size()}) {
            const bool atEnd = available == input.size();
            while (const std::size_t taken =
                       splitter.Next(std::string_view(input).substr(at, available - at), atEnd, record)) {
                got.push_back(Joined(record));
                at += taken;
            }
        }
        EXPECT_EQ(got, want);
    }
}

struct TDelimiterCase {
    const char* Header;
    char Want;
    bool Sure;
};

TEST(CsvDialect, DetectsDelimiterFromFirstLine) {
    const TDelimiterCase cases[] = {
        {"name;sex;birth_year\n", ';', true},
        {"name,sex,birth_year\r\n", ',', true},
        {"\"Name, Vorname\";sex;age_group\n", ';', true}, // commas in quotes do not count
        {"\"a;\"\"b\"\";c\",d,e\n", ',', true},           // nor semicolons behind a doubled quote
        {"sex\n1;2;3;4\n", ',', true},                    // only the first line decides
        {"sex;age", ';', false},                          // no line break yet
        {"", ',', false},
    };
    for (const TDelimiterCase& c : cases) {
        SCOPED_TRACE(c.Header);
        const TDelimiterGuess guess = DetectDelimiter(c.Header);
        EXPECT_EQ(guess.Delimiter, c.Want);
        EXPECT_EQ(guess.Sure, c.Sure);
    }
}

TEST(CsvWriter, QuotesOnlyWhenNeeded) {
    const struct {
        const char* Text;
        char Delimiter;
        const char* Want;
    } cases[] = {
        {"plain", ';', "plain"},   {"3,5", ';', "3,5"},
        {"3,5", ',', "\"3,5\""},   {"Feld \"Sprint\"", ';', "\"Feld \"\"Sprint\"\"\""},
        {"a\nb", ';', "\"a\nb\""}, {"", ';', ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        std::string out;
        AppendCsvField(out, c.Text, c.Delimiter);
        EXPECT_EQ(out, c.Want);
        EXPECT_EQ(Records(out + "\n", c.Delimiter), std::vector<std::string>{c.Text}); // reads back
    }
}

} // namespace
