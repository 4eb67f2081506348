// Runs of the kalkomat-cli program itself: its exit statuses, standard streams and options.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

struct TProgramRun {
    int Status = -1;
    std::string Out, Err;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Program : public ::testing::Test {
protected:
    std::string Dir;

    void SetUp() override {
        char pattern[] = "/tmp/kalkomat-cli-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        Dir = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + Dir + "'").c_str()); }

    std::string Write(const std::string& name, const std::string& content) {
        std::string path = Dir + "/" + name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    // Runs kalkomat-cli with `args` (shell words) and optional standard input.
    TProgramRun Run(const std::string& args, const std::string& input = "") {
        const std::string in = Write("stdin", input);
        const std::string command = std::string("'") + KALKOMAT_CLI + "' " + args + " <'" + in + "' >'" +
                                    Dir + "/out' 2>'" + Dir + "/err'";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(Dir + "/out"), ReadFile(Dir + "/err")};
    }
};

TEST_F(Program, ScoresOnePupil) {
    TProgramRun run = Run("score --sex M --birth-year 2014 --year 2026 --sprint 50:8.0 --long-jump 3.50 "
                          "--high-jump 1.20 --throw 200:30 --run 1000:4:0 --json");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("\"total\":993,\"certificate\":\"EU\""), std::string::npos) << run.Out;
    run = Run("score --sex M --age-group M12 --sprint 50:8.0");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("Total         the best three of the four      330 points\n"), std::string::npos);
}

TEST_F(Program, UsageErrorsExitWith2) {
    const char* const calls[] = {
        "",                                                // no command
        "score --age-group M12",                           // no sex
        "score --sex M",                                   // no age group
        "score --sex M --age-group M12 --birth-year 2014", // both
        "score --sex M --age-group M12 --sprint 50",
        "batch",
        "batch /no/such/file.csv",
        "batch - --encoding latin9",
    };
    for (const char* call : calls) {
        SCOPED_TRACE(call);
        const TProgramRun run = Run(call);
        EXPECT_EQ(run.Status, 2);
        EXPECT_FALSE(run.Err.empty());
        EXPECT_EQ(run.Out, "");
    }
    EXPECT_NE(Run("batch /no/such/file.csv").Err.find("kalkomat-cli: cannot open /no/such/file.csv: "),
              std::string::npos);
    EXPECT_EQ(Run("--help").Status, 0);
}

TEST_F(Program, BatchReportsBadCellsOnStandardError) {
    const std::string path = Write("klasse.csv", "name;sex;birth_year;sprint_distance;sprint_time\r\n"
                                                 "Anna;W;2016;50;9,0\r\n"
                                                 "Ben;M;2014;50;8,O\r\n");
    TProgramRun run = Run("batch --year 2026 '" + path + "'");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, path + ":3: sprint_time: \"8,O\" is not a number; counted as 0\n");
    EXPECT_EQ(run.Out,
              "name;sex;birth_year;sprint_distance;sprint_time;points_sprint;points_long_jump;"
              "points_high_jump;points_jump;points_throw;points_run;total;certificate;notes;errors\r\n"
              "Anna;W;2016;50;9,0;267;0;0;0;0;0;267;TU;;\r\n"
              "Ben;M;2014;50;8,O;0;0;0;0;0;0;0;----;;\"sprint_time: \"\"8,O\"\" is not a number; "
              "counted as 0\"\r\n");
    // The same from standard input, named so in the report.
    run = Run("batch --year 2026 -", ReadFile(path));
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "<stdin>:3: sprint_time: \"8,O\" is not a number; counted as 0\n");
}

TEST_F(Program, ScoresTheExampleClassList) {
    const TProgramRun run = Run(std::string("batch --year 2026 '") + KALKOMAT_EXAMPLES + "/klasse.csv'");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(run.Out.find("Hinweis: ungew\xC3\xB6hnlicher Messwert im Feld"), std::string::npos);
}

} // namespace
