#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "cli/classlist.h"
#include "cli/csvfile.h"
#include "scoring/bundesjugendspiele.h"

namespace {

// The scoring unit's notes as they come out in each encoding.
const std::string NoteUtf8 = "Hinweis: ungew\xC3\xB6hnlicher Messwert im Feld ";
const std::string Note1252 = "Hinweis: ungew\xF6hnlicher Messwert im Feld ";

const char* const DisciplineHeader = "sex;age_group;sprint_distance;sprint_time;long_jump;high_jump;"
                                     "throw_implement;throw_distance;run_distance;run_minutes;run_seconds";

struct TRun {
    int Status = -1;
    std::string Output;
    std::string Messages;
};

class ClassList : public ::testing::Test {
protected:
    TScoringUnit Unit;

    static TRun Score(std::string_view input, TClassListOptions options = {}) {
        options.FileName = "list.csv";
        if (options.CurrentYear == 0)
            options.CurrentYear = 2026;
        TRun run;
        run.Status = ScoreClassListText(input, run.Output, run.Messages, options);
        return run;
    }

    // Every record of `output` as its fields.
    static std::vector<std::vector<std::string>> Rows(std::string_view output, char delimiter) {
        std::vector<std::vector<std::string>> rows;
        SplitCsv(output, delimiter, [&rows](const TCsvRecord& record) {
            rows.emplace_back(record.Fields.begin(), record.Fields.end());
        });
        return rows;
    }

    // The last `count` fields of a row joined by ';'.
    static std::string Tail(const std::vector<std::string>& row, std::size_t count) {
        std::string text;
        for (std::size_t i = row.size() - count; i < row.size(); ++i) {
            if (i > row.size() - count)
                text += ';';
            text += row[i];
        }
        return text;
    }
};

struct TWorkedCase {
    const char* Cells; // under DisciplineHeader, German dialect
    const char* Want;  // points sprint, long jump, high jump, jump, throw, run; total; certificate
};

// The worked examples of the scoring rules, through the class-list path, in both dialects.
TEST_F(ClassList, WorkedExamplesInBothDialects) {
    const TWorkedCase cases[] = {
        {"M;M12;50;8,0;3,50;1,20;200;30;1000;4;0", "330;329;318;329;285;334;993;EU"},
        {"M;M12;50;8,0;3,50;1,20;200;30;;;", "330;329;318;329;285;0;944;SU"}, // no run: its 0 is dropped
        {"M;M12;50;8,0;;;;;;;", "330;0;0;0;0;0;330;TU"},
        {"W;W10;50;9,0;2,80;1,00;80;20;800;4;0", "267;278;175;278;280;202;825;EU"}, // exactly the minimum
        {"W;W0;50;9,0;;;;;;;", "267;0;0;0;0;0;267;TU"},
        {"W;W0;;;;;;;;;", "0;0;0;0;0;0;0;----"},
        {"M;M12;;;4,00;;;;;;", "0;387;0;387;0;0;387;TU"}, // extended precision: 387, not 388
        {"M;M12;;;;;;;1000;3;75", "0;0;0;0;0;293;293;TU"},
        {"M;M12;;;;;;;1000;4;15", "0;0;0;0;0;293;293;TU"}, // 3 min 75 s is 4 min 15 s
        {"w;W10;50;9,0;;;;;;;", "267;0;0;0;0;0;267;TU"},   // a small w still scores as a girl
    };
    struct TDialect {
        char Delimiter;
        const char* LineBreak;
        const char* Bom;
    };
    for (const TDialect& dialect : {TDialect{';', "\n", ""}, TDialect{',', "\r\n", "\xEF\xBB\xBF"}}) {
        SCOPED_TRACE(dialect.Delimiter);
        // The English dialect: decimal points, commas between the cells.
        auto inDialect = [&dialect](std::string text) {
            for (char& ch : text) {
                if (dialect.Delimiter == ',' && ch == ',')
                    ch = '.';
                else if (ch == ';')
                    ch = dialect.Delimiter;
            }
            return text;
        };
        std::string input = dialect.Bom + inDialect(DisciplineHeader) + dialect.LineBreak;
        for (const TWorkedCase& c : cases)
            input += inDialect(c.Cells) + dialect.LineBreak;
        const TRun run = Score(input);
        EXPECT_EQ(run.Status, ExitClean) << run.Messages;
        EXPECT_EQ(run.Messages, "");
        EXPECT_EQ(run.Output.substr(0, std::string_view(dialect.Bom).size() + 4),
                  std::string(dialect.Bom) + inDialect("sex;")); // mark kept
        EXPECT_NE(run.Output.find(inDialect(";points_sprint;points_long_jump;points_high_jump;points_jump;"
                                            "points_throw;points_run;total;certificate;notes;errors") +
                                  dialect.LineBreak),
                  std::string::npos);
        const auto rows = Rows(std::string_view(run.Output).substr(std::string_view(dialect.Bom).size()),
                               dialect.Delimiter);
        ASSERT_EQ(rows.size(), std::size(cases) + 1);
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            SCOPED_TRACE(cases[i].Cells);
            EXPECT_EQ(Tail(rows[i + 1], 10), std::string(cases[i].Want) + ";;");
        }
    }
}

TEST_F(ClassList, NotesInTheirOrderAndInTheFilesEncoding) {
    const std::string row = "M;M12;50;125;-1;3,01;200;151;;;\n";
    const std::string want = "\"" + NoteUtf8 + "\"\"Sprint\"\" | " + NoteUtf8 + "\"\"Hochsprung\"\" | " +
                             NoteUtf8 + "\"\"Weitsprung\"\" | " + NoteUtf8 + "\"\"Wurf\"\"\";\n";
    TRun run = Score(std::string(DisciplineHeader) + "\n" + row);
    EXPECT_EQ(run.Status, ExitClean) << run.Messages; // notes are no errors
    EXPECT_EQ(run.Output.substr(run.Output.size() - want.size()), want);

    // A Windows-1252 file (its umlaut is the first byte above 0x7F) gets Windows-1252 notes.
    run = Score("name;" + std::string(DisciplineHeader) + "\nJ\xFCrgen;" + row);
    std::string want1252 = want;
    for (std::size_t at; (at = want1252.find(NoteUtf8)) != std::string::npos;)
        want1252.replace(at, NoteUtf8.size(), Note1252);
    EXPECT_EQ(run.Output.substr(run.Output.size() - want1252.size()), want1252);
}

struct TEncodingCase {
    const char* Name;
    std::string Input;
    TTextEncoding Forced;
    const std::string* Note;
};

TEST_F(ClassList, EncodingOfTheNotesFollowsTheFile) {
    const std::string rows = "sex;age_group;sprint_distance;sprint_time;name\n"
                             "M;M12;50;125;Anna\n";
    const std::string late1252 = rows + std::string(200, ' ') +
                                 "\nM;M12;;;Gr\xF6"
                                 "ber\n";
    const std::string late8 = rows + std::string(200, ' ') +
                              "\nM;M12;;;Gr\xC3\xB6"
                              "ber\n";
    const TEncodingCase cases[] = {
        {"ASCII only", rows, TTextEncoding::Unknown, &NoteUtf8},
        {"byte-order mark", "\xEF\xBB\xBF" + rows, TTextEncoding::Unknown, &NoteUtf8},
        {"UTF-8 name", rows + "W;W9;;;J\xC3\xBCrgen\n", TTextEncoding::Unknown, &NoteUtf8},
        {"Windows-1252 name", rows + "W;W9;;;J\xFCrgen\n", TTextEncoding::Unknown, &Note1252},
        {"forced Windows-1252", rows, TTextEncoding::Windows1252, &Note1252},
        // The first umlaut comes in a later read than the note: the output still has one encoding.
        {"late Windows-1252", late1252, TTextEncoding::Unknown, &Note1252},
        {"late UTF-8", late8, TTextEncoding::Unknown, &NoteUtf8},
    };
    for (const TEncodingCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TClassListOptions options;
        options.Encoding = c.Forced;
        options.ReadSize = 64;
        const TRun run = Score(c.Input, options);
        EXPECT_NE(run.Output.find(*c.Note + "\"\"Sprint\"\""), std::string::npos) << run.Output;
        // The last row's own bytes come out unchanged in any encoding.
        const std::size_t lastRow = c.Input.rfind('\n', c.Input.size() - 2) + 1;
        EXPECT_NE(run.Output.find(c.Input.substr(lastRow, c.Input.size() - 1 - lastRow) + ";0;"),
                  std::string::npos);
    }
}

TEST_F(ClassList, Windows1252CellsAreUtf8InMessagesOnly) {
    const TRun run = Score("sex;age_group;sprint_time\nM;M12;8,0\xB0\n");
    EXPECT_EQ(run.Status, ExitReported);
    EXPECT_EQ(run.Messages, "list.csv:2: sprint_time: \"8,0\xC2\xB0\" is not a number; counted as 0\n");
    EXPECT_NE(run.Output.find(";\"sprint_time: \"\"8,0\xB0\"\" is not a number; counted as 0\"\n"),
              std::string::npos);
}

TEST_F(ClassList, QuotedFieldsPassThroughAsTheyCame) {
    const std::string input = "name,sex,age_group,long_jump,remark\r\n"
                              "\"Wei\xC3\x9F, Lena\",W,W10,\"2,80\",\"said \"\"hi\"\"\"\r\n"
                              "\"two\nlines\",M,M12,3.50,\r\n"
                              "Tom,M,M12,x,\r\n";
    const TRun run = Score(input);
    EXPECT_EQ(run.Status, ExitReported);
    const auto rows = Rows(run.Output, ',');
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1][0], "Wei\xC3\x9F, Lena");
    EXPECT_EQ(rows[1][6], "278");
    EXPECT_EQ(run.Output.find("\"Wei\xC3\x9F, Lena\",W,W10,\"2,80\",\"said \"\"hi\"\"\",0,278,"),
              run.Output.find("\r\n") + 2);
    EXPECT_EQ(rows[2][0], "two\nlines");
    EXPECT_EQ(rows[2][6], "329");
    // The third record starts on line 5: the quoted line break counts.
    EXPECT_EQ(run.Messages, "list.csv:5: long_jump: \"x\" is not a number; counted as 0\n");
}

struct TBadCellCase {
    const char* Row;     // under the header below
    const char* Message; // after "list.csv:2: "; the same text fills the row's errors column
    const char* Results; // points sprint, long jump, throw; total; certificate
};

TEST_F(ClassList, BadCellsAreReportedAndCountAsZero) {
    const char* header =
        "name;sex;birth_year;sprint_distance;sprint_time;long_jump;throw_implement;throw_distance\n";
    const TBadCellCase cases[] = {
        {"A;M;2014;50;8,O;3,50;200;30", "sprint_time: \"8,O\" is not a number; counted as 0",
         "0;329;285;614;TU"},
        {"A;M;2014;5O;8,0;;;", "sprint_distance: \"5O\" is not a whole number; counted as 0", "0;0;0;0;----"},
        {"A;M;2014;50,5;8,0;;;", "sprint_distance: \"50,5\" is not a whole number; counted as 0",
         "0;0;0;0;----"},
        {"A;M;2014;50;8,0;3,50;200;30 m", "throw_distance: \"30 m\" is not a number; counted as 0",
         "330;329;0;659;TU"},
        {"A;Q;2014;50;8,0;;;", "sex: \"Q\" is neither M nor W; row not scored", ";;;;"},
        {"A; ;2014;50;8,0;;;", "sex: empty; row not scored", ";;;;"},
        {"A;M;abc;50;8,0;3,50;;", "birth_year: \"abc\" is not a year; no certificate", "330;329;0;659;"},
        {"A;M;;50;8,0;3,50;;", "birth_year: empty; no certificate", "330;329;0;659;"},
        {"A;M;14;50;8,0;3,50;;", "birth_year: 14 is no year of birth in 2026; no certificate",
         "330;329;0;659;"},
        {"A;M;2027;50;8,0;3,50;;", "birth_year: 2027 is no year of birth in 2026; no certificate",
         "330;329;0;659;"},
        {"A;W;2014;75;11,5;;;", "sprint_distance: 75 is not offered for W12 (offered: 50)", "362;0;0;362;TU"},
        {"A;W;2014;;;;1000;20", "throw_implement: 1000 is not offered for W12 (offered: 80, 3)",
         "0;0;367;367;TU"},
        {"A;M;2014;50;8,0;;;;extra", "row: 9 cells where the header has 8; the results follow the last cell",
         "330;0;0;330;TU"},
        {"A;M;2014;50;8,0;x;;y",
         "long_jump: \"x\" is not a number; counted as 0 | throw_distance: \"y\" is not a number; counted as "
         "0",
         "330;0;0;330;TU"},
        {"A;M;2014;50;xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", // quoted cut short
         "sprint_time: \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" is not a number; counted as 0",
         "0;0;0;0;----"},
    };
    for (const TBadCellCase& c : cases) {
        SCOPED_TRACE(c.Row);
        const TRun run = Score(std::string(header) + c.Row + "\n");
        EXPECT_EQ(run.Status, ExitReported);
        const std::string message = c.Message;
        // One line on standard error for each report.
        std::string lines = "list.csv:2: " + message + "\n";
        for (std::size_t at; (at = lines.find(" | ")) != std::string::npos;)
            lines.replace(at, 3, "\nlist.csv:2: ");
        EXPECT_EQ(run.Messages, lines);
        const auto rows = Rows(run.Output, ';');
        ASSERT_EQ(rows.size(), 2u);
        const std::vector<std::string>& row = rows[1];
        EXPECT_EQ(row.back(), message);
        const std::size_t first = row.size() - 10;
        EXPECT_EQ(row[first] + ";" + row[first + 1] + ";" + row[first + 4] + ";" + row[first + 6] + ";" +
                      row[first + 7],
                  c.Results);
    }
}

TEST_F(ClassList, AgeGroupColumn) {
    const struct {
        const char* Row;
        const char* Message;
        const char* Sprint;
        const char* Certificate;
    } cases[] = {
        {"M;m12;50;8,0", "", "330", "TU"},
        {"M;M2026;100;13,0", "", "475", "TU"}, // ages above 19 have the choices of 19
        {"M;W12;50;8,0", "age_group: W12 does not match sex M; no certificate", "330", ""},
        {"M;12;50;8,0", "age_group: \"12\" is not an age group such as M12 or W9; no certificate", "330", ""},
        {"M;;50;8,0", "age_group: empty; no certificate", "330", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Row);
        const TRun run = Score(std::string("sex;age_group;sprint_distance;sprint_time\n") + c.Row + "\n");
        EXPECT_EQ(run.Status, *c.Message ? ExitReported : ExitClean);
        EXPECT_EQ(run.Messages, *c.Message ? "list.csv:2: " + std::string(c.Message) + "\n" : "");
        const auto rows = Rows(run.Output, ';');
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[1][4], c.Sprint);
        EXPECT_EQ(rows[1][4 + 7], c.Certificate);
    }
}

TEST_F(ClassList, AgeGroupBeforeBirthYearWhenBothAreGiven) {
    const TRun run = Score("sex;age_group;birth_year;sprint_distance;sprint_time;long_jump\n"
                           "M;M10;2014;50;8,0;3,50\n" // the age group wins: 659 is SU for M10
                           "M;;2014;50;8,0;3,50\n");  // the birth year when it is empty: TU for M12
    EXPECT_EQ(run.Status, ExitClean) << run.Messages;
    const auto rows = Rows(run.Output, ';');
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][6 + 6] + rows[1][6 + 7], "659SU");
    EXPECT_EQ(rows[2][6 + 6] + rows[2][6 + 7], "659TU");
}

TEST_F(ClassList, EveryRowComesOutInOrderWhateverTheReadSize) {
    std::string input = "nr;sex;birth_year;sprint_distance;sprint_time;remark\r\n";
    for (int i = 0; i < 200; ++i) {
        input += std::to_string(i) + ";" + (i % 3 ? "M" : "W") + ";" + std::to_string(2010 + i % 7) + ";50;";
        input += (i % 11 == 0) ? "bad" : std::to_string(7 + i % 5) + "," + std::to_string(i % 10);
        input += (i % 13 == 0) ? ";\"quoted;\r\n\"\"text\"\"\"\r\n" : ";\r\n";
        if (i % 17 == 0)
            input += "\r\n"; // an empty line stays one
        if (i % 19 == 0)
            input += ";;;;;\r\n"; // so does a row of empty cells
    }
    const TRun whole = Score(input);
    EXPECT_EQ(whole.Status, ExitReported);
    const auto rows = Rows(whole.Output, ';');
    int next = 0;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        if (rows[r].size() == 1 || rows[r][0].empty())
            continue;
        ASSERT_EQ(rows[r][0], std::to_string(next)) << r;
        ++next;
    }
    EXPECT_EQ(next, 200);
    // Cut into reads of any size, the input gives the same output and messages.
    for (std::size_t readSize : {1, 2, 3, 7, 64, 1000}) {
        SCOPED_TRACE(readSize);
        TClassListOptions options;
        options.ReadSize = readSize;
        const TRun run = Score(input, options);
        EXPECT_EQ(run.Status, whole.Status);
        EXPECT_EQ(run.Output, whole.Output);
        EXPECT_EQ(run.Messages, whole.Messages);
    }
}

TEST_F(ClassList, RowsLineUpUnderTheHeader) {
    const TRun run = Score("name;sex;age_group;sprint_distance;sprint_time;remark\n"
                           "A;M;M12;50;8,0\n"      // short: empty cells added
                           "B;M;M12;50;8,0;ok;;\n" // empty cells beyond the header are left out
                           "C;M;M12;50;8,0");      // no line break at the end
    EXPECT_EQ(run.Status, ExitClean) << run.Messages;
    EXPECT_EQ(run.Output.substr(run.Output.find('\n') + 1), "A;M;M12;50;8,0;;330;0;0;0;0;0;330;TU;;\n"
                                                            "B;M;M12;50;8,0;ok;330;0;0;0;0;0;330;TU;;\n"
                                                            "C;M;M12;50;8,0;;330;0;0;0;0;0;330;TU;;\n");
}

TEST_F(ClassList, ScoringItsOwnOutputAgainReplacesTheResults) {
    const std::string input =
        "name;sex;age_group;sprint_distance;sprint_time\nA;M;M12;50;8,0\nB;W;W10;50;x\n";
    const TRun first = Score(input);
    const TRun second = Score(first.Output);
    EXPECT_EQ(second.Output, first.Output);
    EXPECT_EQ(second.Status, ExitReported);
}

struct TUsageCase {
    const char* Name;
    std::string_view Input;
    const char* Message;
};

TEST_F(ClassList, UsageErrorsWriteNothing) {
    const TUsageCase cases[] = {
        {"empty", "",
         "list.csv: the file is empty; a class list starts with a header row naming its columns\n"},
        {"no sex", "name;age_group\nA;M12\n", "list.csv: no \"sex\" column"},
        {"no age", "name;sex\nA;M\n", "list.csv: neither an \"age_group\" nor a \"birth_year\" column\n"},
        {"twice", "sex;age_group;SEX\n", "list.csv: the column \"sex\" appears twice\n"},
        {"UTF-16", "\xFF\xFEs\0e\0x\0", "list.csv: the file is UTF-16 text"},
        {"no header", "M;M12;50;8,0\n", "list.csv: no \"sex\" column"},
    };
    for (const TUsageCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TRun run = Score(c.Input);
        EXPECT_EQ(run.Status, ExitUsage);
        EXPECT_EQ(run.Output, "");
        EXPECT_EQ(run.Messages.substr(0, std::strlen(c.Message)), c.Message);
    }
}

TEST_F(ClassList, QuoteLeftOpenStopsAtTheRecordLimit) {
    std::string input = "name;sex;age_group\n\"A;M;M12\n";
    for (int i = 0; i < 100; ++i)
        input += "B;M;M12\n";
    TClassListOptions options;
    options.ReadSize = 16;
    options.MaxRecordSize = 256;
    const TRun run = Score(input, options);
    EXPECT_EQ(run.Status, ExitUsage);
    EXPECT_EQ(run.Messages, "list.csv:2: a row longer than 256 bytes; is a quote (\") left open?\n");
    // Below the limit the open quote takes the rest of the file into one cell, as spreadsheets do.
    options.MaxRecordSize = 4096;
    const TRun all = Score(input, options);
    EXPECT_EQ(all.Status, ExitReported) << all.Messages;
    EXPECT_EQ(Rows(all.Output, ';').size(), 2u);
}

TEST_F(ClassList, HeaderOnlyAndCommaDialectWithQuotedDecimals) {
    TRun run = Score("sex,age_group\r\n");
    EXPECT_EQ(run.Status, ExitClean);
    EXPECT_EQ(run.Output,
              "sex,age_group,points_sprint,points_long_jump,points_high_jump,points_jump,points_throw,"
              "points_run,total,certificate,notes,errors\r\n");
    run = Score("sex,age_group,long_jump,high_jump\nM,M12,\"3,50\",1.20\n");
    EXPECT_EQ(run.Status, ExitClean) << run.Messages;
    EXPECT_EQ(run.Output.substr(run.Output.find('\n') + 1),
              "M,M12,\"3,50\",1.20,0,329,318,329,0,0,329,TU,,\n");
}

} // namespace
