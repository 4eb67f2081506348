// Results typed into the window with German regional settings (decimal comma): the typing guard, the
// keyboard flow, the reading of the numbers, the calculation and what the window shows, the notes in
// their own boxes, and the time from Enter to the updated labels.
#include "KalkomatFixture.h"

#include <algorithm>
#include <cstdio>
#include <string>

using namespace uitest;

namespace {

struct TSheet {
    const char* BirthYear; // the clock stands at 2026
    bool Girl;
    const char* SprintDistance; // nullptr: nothing chosen, nothing typed
    const char* SprintTime;
    const char* LongJump;
    const char* HighJump;
    const char* Implement;
    const char* ThrowDistance;
    const char* RunDistance;
    const char* Minutes;
    const char* Seconds;
};

struct TShown {
    const char* Sprint;
    const char* LongJump;
    const char* HighJump;
    const char* Throw;
    const char* Run;
    const char* Total;
    const char* Certificate;
};

} // namespace

class KalkomatEntry : public KalkomatWindow {
protected:
    void Fill(const TSheet& s) {
        Choose(W().cbGeburtsjahrgang, s.BirthYear);
        if (s.Girl)
            Click(W().rbW.Handle(), 8, 8);
        if (s.SprintDistance)
            Choose(W().cbSprintDN, s.SprintDistance);
        if (s.SprintTime)
            Type(W().edSprintDW, s.SprintTime);
        if (s.LongJump)
            Type(W().edWeitsprungDW, s.LongJump);
        if (s.HighJump)
            Type(W().edHochsprungDW, s.HighJump);
        if (s.Implement)
            Choose(W().cbWurfDN, s.Implement);
        if (s.ThrowDistance)
            Type(W().edWurfDW, s.ThrowDistance);
        if (s.RunDistance)
            Choose(W().cbLaufDN, s.RunDistance);
        if (s.Minutes)
            Type(W().edLaufDWmin, s.Minutes);
        if (s.Seconds)
            Type(W().edLaufDWs, s.Seconds);
    }
    void ExpectShown(const TShown& want) {
        EXPECT_EQ(W().lbPTSprint.Text(), want.Sprint);
        EXPECT_EQ(W().lbPTWeitsprung.Text(), want.LongJump);
        EXPECT_EQ(W().lbPTHochsprung.Text(), want.HighJump);
        EXPECT_EQ(W().lbPTWurf.Text(), want.Throw);
        EXPECT_EQ(W().lbPTLauf.Text(), want.Run);
        EXPECT_EQ(W().lbPTSumme.Text(), want.Total);
        EXPECT_EQ(W().lbUrkunde.Text(), want.Certificate);
        // The total ends where the column of points above it ends.
        EXPECT_EQ(W().lbPTSumme.Bounds().Right(), 549);
        EXPECT_EQ(W().lbPTSprint.Bounds().Right(), 549);
    }
};

TEST_F(KalkomatEntry, DecimalSeparatorIsTheComma) { EXPECT_EQ(UserDecimalSeparator(), ','); }

TEST_F(KalkomatEntry, CompleteSheetsGiveTheirPointsTotalAndCertificate) {
    const struct {
        const char* Name;
        TSheet Sheet;
        TShown Want;
    } cases[] = {
        {"boy of 12, everything",
         {"2014", false, "50", "8,0", "3,50", "1,20", "200", "30", "1000", "4", "0"},
         {"330", "329", "318", "285", "334", "Punkte:  993", "EU"}},
        {"boy of 12 without a run",
         {"2014", false, "50", "8,0", "3,50", "1,20", "200", "30", nullptr, nullptr, nullptr},
         {"330", "329", "318", "285", "0", "Punkte:  944", "SU"}},
        {"boy of 12, sprint alone",
         {"2014", false, "50", "8,0", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
         {"330", "0", "0", "0", "0", "Punkte:  330", "TU"}},
        {"girl of 10 exactly at the EU minimum",
         {"2016", true, "50", "9,0", "2,80", "1,00", "80", "20", "800", "4", "0"},
         {"267", "278", "175", "280", "202", "Punkte:  825", "EU"}},
        {"run time as minutes and seconds together",
         {"2014", false, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "1000", "3", "60"},
         {"0", "0", "0", "0", "334", "Punkte:  334", "TU"}},
        {"nothing entered",
         {"2014", false, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
         {"0", "0", "0", "0", "0", "Punkte:  0", "----"}},
        {"whole minutes in hexadecimal",
         {"2014", false, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "1000", "$4", nullptr},
         {"0", "0", "0", "0", "334", "Punkte:  334", "TU"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Reopen(); // a fresh window for each sheet
        TBoxCatcher boxes;
        Fill(c.Sheet);
        EnterIn(W().edLaufDWs);
        ExpectShown(c.Want);
        EXPECT_TRUE(boxes.Boxes.empty());
    }
}

TEST_F(KalkomatEntry, GirlOfSevenAlwaysGetsTheParticipationCertificate) {
    Year = 2025; // the birth-year list is made for 2026, so 2018 is seven years back
    Click(W().rbW.Handle(), 8, 8);
    Choose(W().cbGeburtsjahrgang, "2018");
    ASSERT_EQ(W().FAgeGroup, "W0");
    Choose(W().cbSprintDN, "50");
    Type(W().edSprintDW, "7,0");
    Click(W().btRechnen.Handle(), 10, 10);
    EXPECT_EQ(W().lbUrkunde.Text(), "TU");
    W().edSprintDW.Clear();
    Click(W().btRechnen.Handle(), 10, 10);
    EXPECT_EQ(W().lbUrkunde.Text(), "----");
}

TEST_F(KalkomatEntry, TypingGuardNeedsAChosenOption) {
    const struct {
        TEditField& Field;
        TComboList& Choice;
        const char* Option;
    } guarded[] = {
        {W().edSprintDW, W().cbSprintDN, "50"},
        {W().edWurfDW, W().cbWurfDN, "80"},
        {W().edLaufDWmin, W().cbLaufDN, "800"},
        {W().edLaufDWs, W().cbLaufDN, "800"},
    };
    for (const auto& g : guarded) {
        SCOPED_TRACE(g.Option);
        W().cbSprintDN.SetItemIndex(-1);
        W().cbWurfDN.SetItemIndex(-1);
        W().cbLaufDN.SetItemIndex(-1);
        g.Field.SetText("7");
        Type(g.Field, "12");
        PostMessageA(g.Field.Handle(), WM_CHAR, VK_BACK, 1); // Backspace is discarded as well
        Pump();
        EXPECT_EQ(g.Field.Text(), "7");
        Choose(g.Choice, g.Option);
        g.Field.SetText("");
        Type(g.Field, "1a.,"); // once chosen, anything passes
        EXPECT_EQ(g.Field.Text(), "1a.,");
    }
    // The jumps have no guard.
    Type(W().edWeitsprungDW, "3,5");
    Type(W().edHochsprungDW, "1,1");
    EXPECT_EQ(W().edWeitsprungDW.Text(), "3,5");
    EXPECT_EQ(W().edHochsprungDW.Text(), "1,1");
}

TEST_F(KalkomatEntry, SprintWithoutDistanceScoresNothing) {
    Choose(W().cbGeburtsjahrgang, "2014");
    Type(W().edSprintDW, "8,0"); // discarded: no distance chosen
    EXPECT_EQ(W().edSprintDW.Text(), "");
    W().edSprintDW.SetText("8,0"); // even when a text got there, the distance 0 scores nothing
    Type(W().edWeitsprungDW, "3,50");
    EnterIn(W().edWeitsprungDW);
    EXPECT_EQ(W().lbPTSprint.Text(), "0");
    EXPECT_EQ(W().lbPTWeitsprung.Text(), "329");
}

TEST_F(KalkomatEntry, NumbersAreReadWithTheCommaAndUnreadableOnesAreEmptied) {
    Choose(W().cbGeburtsjahrgang, "2014");
    Type(W().edWeitsprungDW, "3.50");   // the point is no decimal separator here
    Type(W().edHochsprungDW, " 1,20 "); // blanks around are allowed
    Choose(W().cbLaufDN, "1000");
    Type(W().edLaufDWmin, "0");
    Type(W().edLaufDWs, "abc");
    Choose(W().cbWurfDN, "200");
    Type(W().edWurfDW, "1.000,5"); // no thousands separators
    Click(W().btRechnen.Handle(), 10, 10);
    EXPECT_EQ(W().edWeitsprungDW.Text(), "");
    EXPECT_EQ(W().lbPTWeitsprung.Text(), "0");
    EXPECT_EQ(W().edHochsprungDW.Text(), " 1,20 "); // kept exactly as typed
    EXPECT_EQ(W().lbPTHochsprung.Text(), "318");
    EXPECT_EQ(W().edLaufDWmin.Text(), "");
    EXPECT_EQ(W().edLaufDWs.Text(), "");
    EXPECT_EQ(W().edWurfDW.Text(), "");
    EXPECT_EQ(W().lbPTSumme.Text(), "Punkte:  318");
}

TEST_F(KalkomatEntry, MinutesWithoutSecondsStay) {
    Choose(W().cbGeburtsjahrgang, "2014");
    Choose(W().cbLaufDN, "1000");
    Type(W().edLaufDWmin, "4");
    EnterIn(W().edLaufDWmin);
    EXPECT_EQ(W().edLaufDWmin.Text(), "4");
    EXPECT_EQ(W().edLaufDWs.Text(), "");
    EXPECT_EQ(W().lbPTLauf.Text(), "334"); // 4 minutes and 0 seconds
}

TEST_F(KalkomatEntry, NotesComeInOrderAfterTheLabelsAndBeforeTheSignal) {
    Choose(W().cbGeburtsjahrgang, "2014");
    Choose(W().cbSprintDN, "50");
    Type(W().edSprintDW, "125");
    Type(W().edWeitsprungDW, "-1");
    Type(W().edHochsprungDW, "3,01");
    Choose(W().cbWurfDN, "200");
    Type(W().edWurfDW, "150,5");
    Events.clear();
    TBoxCatcher boxes;
    boxes.Snapshot = [&] {
        Events.push_back("box");
        return W().lbPTSumme.Text() + "|" + W().lbUrkunde.Text() + "|" + W().edSprintDW.Text() + "|" +
               W().edWeitsprungDW.Text();
    };
    EnterIn(W().edWurfDW);
    const char* notes[] = {"Sprint", "Hochsprung", "Weitsprung", "Wurf"};
    ASSERT_EQ(boxes.Boxes.size(), 4u);
    const std::string after = W().lbPTSumme.Text() + "|" + W().lbUrkunde.Text() + "|125|";
    for (std::size_t i = 0; i < 4; ++i) {
        const TBox& box = boxes.Boxes[i];
        EXPECT_EQ(box.Text, std::string("Hinweis: ungewöhnlicher Messwert im Feld \"") + notes[i] + "\"");
        EXPECT_EQ(box.Caption, "Kalkomat");
        EXPECT_EQ(box.Buttons, (std::vector<std::string>{"OK"}));
        EXPECT_FALSE(box.HasIcon);
        EXPECT_EQ(box.Seen, after); // every label already shows the result
        EXPECT_NEAR((box.Rect.left + box.Rect.right) / 2.0, GetSystemMetrics(SM_CXSCREEN) / 2.0, 1);
        EXPECT_NEAR((box.Rect.top + box.Rect.bottom) / 2.0, GetSystemMetrics(SM_CYSCREEN) / 2.0, 1);
    }
    EXPECT_EQ(Events, (std::vector<std::string>{"box", "box", "box", "box", "signal"}));
    EXPECT_EQ(W().lbPTSprint.Text(), "0");
    EXPECT_EQ(W().edSprintDW.Text(), "125"); // an implausible time stays in its field
    EXPECT_EQ(W().edWeitsprungDW.Text(), "");
    EXPECT_EQ(W().edHochsprungDW.Text(), "3,01");
    EXPECT_EQ(GetFocus(), W().cbLaufDN.Handle()); // and then the focus moved on
}

TEST_F(KalkomatEntry, EnterCalculatesAndMovesOnInTabOrder) {
    const struct {
        TControl& From;
        TControl& To;
    } moves[] = {
        {W().edSprintDW, W().edWeitsprungDW},
        {W().edLaufDWs, W().cbGeburtsjahrgang},
        {W().rbM, W().cbSprintDN}, // wraps; the unchecked radio button is no stop
        {W().cbWurfDN, W().edWurfDW},
    };
    for (const auto& m : moves) {
        Events.clear();
        EnterIn(m.From);
        EXPECT_EQ(GetFocus(), m.To.Handle());
        EXPECT_EQ(Events, (std::vector<std::string>{"signal"})); // one calculation each
    }
    // The key is not consumed: after the calculation its character still reaches the field it was typed in.
    std::vector<char> reached;
    const auto guard = W().edSprintDW.OnKeyPress;
    W().edSprintDW.OnKeyPress = [&](TComponent& sender, char& key) {
        reached.push_back(key);
        guard(sender, key);
    };
    W().edSprintDW.SetText("9");
    EnterIn(W().edSprintDW);
    EXPECT_EQ(reached, std::vector<char>{'\r'});
    EXPECT_EQ(W().edSprintDW.Text(), "9"); // no distance chosen: the guard discarded the Enter character
    EXPECT_EQ(GetFocus(), W().edWeitsprungDW.Handle());
}

TEST_F(KalkomatEntry, ChoosingAnOptionMovesToItsField) {
    Choose(W().cbGeburtsjahrgang, "2014");
    const struct {
        TComboList& List;
        TEditField& Field;
    } lists[] = {
        {W().cbSprintDN, W().edSprintDW},
        {W().cbWurfDN, W().edWurfDW},
        {W().cbLaufDN, W().edLaufDWmin},
    };
    for (const auto& l : lists) {
        // By keyboard: the first arrow key that changes the entry moves on.
        l.List.SetFocus();
        Events.clear();
        PressKey(VK_DOWN);
        EXPECT_EQ(l.List.ItemIndex(), 0);
        EXPECT_EQ(GetFocus(), l.Field.Handle());
        EXPECT_TRUE(Events.empty()); // nothing is calculated
    }
    // By mouse, as the list reports it.
    Choose(W().cbWurfDN, "3");
    EXPECT_EQ(GetFocus(), W().edWurfDW.Handle());
}

// Whatever gets into the fields (pasted text, absurd numbers, texts longer than any field shows), the
// calculation shows points that are whole numbers of at least zero, the total of the best three and a
// certificate, for every age group.
TEST_F(KalkomatEntry, PastedAndAbsurdEntriesNeverBreakTheCalculation) {
    const std::string entries[] = {
        "-0",
        "-3,5",
        "0,000000001",
        "1e308",
        "1E-308",
        "9999999999",
        "2147483647",
        "-2147483648",
        "$FFFFFFFF",
        "1,7976931348623157E308",
        "NaN",
        "INF",
        "  \t 3,5",
        "3,5\r\n4",
        "äöüß",
        std::string(30000, '9'),
        std::string(5000, '0') + "1,5",
    };
    const auto number = [](const std::string& text) {
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.find_first_not_of("0123456789"), std::string::npos) << text;
        return text.empty() ? 0 : std::stoll(text.substr(0, 12));
    };
    const auto ranked = [&](const std::string& text) { return std::min(number(text), 0xFFFFLL); }; // 16 bits
    TBoxCatcher boxes;
    for (const std::string& entry : entries) {
        SCOPED_TRACE(entry.substr(0, 40));
        for (const bool girl : {false, true}) {
            Click((girl ? W().rbW : W().rbM).Handle(), 8, 8);
            for (const int year : {0, W().cbGeburtsjahrgang.Count() - 1}) {
                Choose(W().cbGeburtsjahrgang, W().cbGeburtsjahrgang.Item(year));
                SCOPED_TRACE(W().FAgeGroup);
                for (TComboList* list : {&W().cbSprintDN, &W().cbWurfDN, &W().cbLaufDN})
                    if (list->Count() > 0)
                        Choose(*list, list->Item(0));
                for (TEditField* field : {&W().edSprintDW, &W().edWeitsprungDW, &W().edHochsprungDW,
                                          &W().edWurfDW, &W().edLaufDWmin, &W().edLaufDWs})
                    field->SetText(entry);
                Click(W().btRechnen.Handle(), 10, 10);
                long long best[] = {
                    ranked(W().lbPTSprint.Text()),
                    std::max(ranked(W().lbPTWeitsprung.Text()), ranked(W().lbPTHochsprung.Text())),
                    ranked(W().lbPTWurf.Text()), ranked(W().lbPTLauf.Text())};
                std::sort(std::begin(best), std::end(best));
                const std::string total = W().lbPTSumme.Text();
                ASSERT_EQ(total.rfind("Punkte:  ", 0), 0u) << total;
                EXPECT_EQ(number(total.substr(9)), best[1] + best[2] + best[3]);
                const std::string certificate = W().lbUrkunde.Text();
                EXPECT_TRUE(certificate == "EU" || certificate == "SU" || certificate == "TU" ||
                            certificate == "----")
                    << certificate;
            }
        }
    }
}
