#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "cli/classlist.h"
#include "cli/personreport.h"
#include "scoring/bundesjugendspiele.h"

namespace {

class Person : public ::testing::Test {
protected:
    TScoringUnit Unit;
    std::string Output, Messages;

    // The boy of the worked example: M12, born 2014, scored in 2026.
    static TPersonEntries Boy() {
        TPersonEntries e;
        e.Sex = "M";
        e.BirthYear = 2014;
        e.CurrentYear = 2026;
        e.Sprint = "50:8.0";
        e.LongJump = "3.50";
        e.HighJump = "1.20";
        e.Throw = "200:30";
        e.Run = "1000:4:0";
        return e;
    }
};

TEST_F(Person, WorkedExampleAsText) {
    ASSERT_EQ(ScorePerson(Boy(), false, Output, Messages), ExitClean);
    EXPECT_EQ(Messages, "");
    EXPECT_EQ(Output, "Sex           M (boy)\n"
                      "Age group     M12 (Siegerurkunde from 750, Ehrenurkunde from 975 points)\n"
                      "Sprint        50 m in 8.0 s                   330 points\n"
                      "Long jump     3.50 m                          329 points\n"
                      "High jump     1.20 m                          318 points\n"
                      "Jump          the better of the two           329 points\n"
                      "Throw         200 g ball, 30 m                285 points\n"
                      "Run           1000 m in 4 min 0 s             334 points\n"
                      "Total         the best three of the four      993 points\n"
                      "Certificate   EU (Ehrenurkunde)\n");
}

TEST_F(Person, WorkedExamplesAsJson) {
    TPersonEntries girl;
    girl.Sex = "w";
    girl.AgeGroup = "W10";
    girl.Sprint = "50:9,0"; // a decimal comma works as well
    girl.LongJump = "2,80";
    girl.HighJump = "1,00";
    girl.Throw = "80:20";
    girl.Run = "800:4:0";
    ASSERT_EQ(ScorePerson(girl, true, Output, Messages), ExitClean) << Messages;
    EXPECT_EQ(Output, "{\"sex\":\"W\",\"age_group\":\"W10\",\"points_sprint\":267,\"points_long_jump\":278,"
                      "\"points_high_jump\":175,\"points_jump\":278,\"points_throw\":280,\"points_run\":202,"
                      "\"total\":825,\"certificate\":\"EU\",\"notes\":[],\"errors\":[]}\n");

    TPersonEntries boy = Boy();
    boy.Run.clear(); // without the run: 944, SU
    boy.Sprint = "50:125";
    ASSERT_EQ(ScorePerson(boy, true, Output, Messages), ExitClean);
    EXPECT_EQ(Output,
              "{\"sex\":\"M\",\"age_group\":\"M12\",\"points_sprint\":0,\"points_long_jump\":329,"
              "\"points_high_jump\":318,\"points_jump\":329,\"points_throw\":285,\"points_run\":0,"
              "\"total\":614,\"certificate\":\"TU\",\"notes\":[\"Hinweis: ungew\xC3\xB6hnlicher Messwert "
              "im Feld \\\"Sprint\\\"\"],\"errors\":[]}\n");
}

TEST_F(Person, ChoiceNotOfferedIsReportedButScored) {
    TPersonEntries boy = Boy();
    boy.Sprint = "75:8.0";
    EXPECT_EQ(ScorePerson(boy, true, Output, Messages), ExitReported);
    EXPECT_EQ(Messages, "kalkomat-cli: sprint distance 75 is not offered for M12 (offered: 50)\n");
    EXPECT_NE(Output.find("\"errors\":[\"sprint distance 75 is not offered for M12 (offered: 50)\"]"),
              std::string::npos);
}

TEST_F(Person, UnreadableEntriesAreUsageErrors) {
    const struct {
        std::function<void(TPersonEntries&)> Change;
        const char* Message;
    } cases[] = {
        {[](TPersonEntries& e) { e.Sex.assign(1, 'F'); }, "kalkomat-cli: --sex: \"F\" is neither M nor W\n"},
        {[](TPersonEntries& e) { e.Sprint = "50-8"; },
         "kalkomat-cli: --sprint: \"50-8\" is not DISTANCE:SECONDS such as 50:8.0\n"},
        {[](TPersonEntries& e) { e.Sprint = "50:8:0"; },
         "kalkomat-cli: --sprint: \"50:8:0\" is not DISTANCE:SECONDS such as 50:8.0\n"},
        {[](TPersonEntries& e) { e.LongJump = "3m"; },
         "kalkomat-cli: --long-jump: \"3m\" is not METRES such as 3.50\n"},
        {[](TPersonEntries& e) { e.Run = "1000:4"; },
         "kalkomat-cli: --run: \"1000:4\" is not DISTANCE:MINUTES:SECONDS such as 1000:4:05\n"},
        {[](TPersonEntries& e) { e.AgeGroup = "W12"; },
         "kalkomat-cli: --age-group W12 does not match --sex M\n"},
        {[](TPersonEntries& e) { e.AgeGroup = "12"; },
         "kalkomat-cli: --age-group: \"12\" is not an age group such as M12 or W9\n"},
        {[](TPersonEntries& e) { e.BirthYear = 14; },
         "kalkomat-cli: --birth-year: 14 is no year of birth in 2026\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        TPersonEntries entries = Boy();
        c.Change(entries);
        Output.clear();
        Messages.clear();
        EXPECT_EQ(ScorePerson(entries, false, Output, Messages), ExitUsage);
        EXPECT_EQ(Messages, c.Message);
        EXPECT_EQ(Output, "");
    }
}

} // namespace
