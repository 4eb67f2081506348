// Sex and birth year: the birth-year list, the age group, the minimum totals, the three discipline lists,
// the emptied fields and the signal, through the real controls. The clock stands at 2026.
#include "KalkomatFixture.h"

using namespace uitest;

namespace {

using TEntries = std::vector<std::string>;

TEntries EntriesOf(const TComboList& list) {
    TEntries entries;
    for (int i = 0; i < list.Count(); ++i)
        entries.push_back(list.Item(i));
    return entries;
}

} // namespace

TEST_F(KalkomatWindow, OpensWithTheYoungestYearForBoys) {
    EXPECT_EQ(EntriesOf(W().cbGeburtsjahrgang), (TEntries{"2018", "2017", "2016", "2015", "2014", "2013",
                                                          "2012", "2011", "2010", "2009", "2008", "2007"}));
    EXPECT_EQ(W().cbGeburtsjahrgang.Text(), "2018");
    EXPECT_EQ(W().lbStartgruppe.Text(), "M8");
    EXPECT_EQ(W().lbUrkundenPunkte.Text(), "Mindestpunktzahl  SU: 450   EU: 575");
    EXPECT_EQ(W().FAge, 8);
    EXPECT_EQ(W().FSex, "M");
    EXPECT_EQ(W().FAgeGroup, "M8");
    EXPECT_EQ(EntriesOf(W().cbSprintDN), (TEntries{"50"})); // the design entries 50, 75, 100 are gone
    EXPECT_EQ(EntriesOf(W().cbWurfDN), (TEntries{"80"}));
    EXPECT_EQ(EntriesOf(W().cbLaufDN), (TEntries{"800", "1000"}));
    for (TComboList* list : {&W().cbSprintDN, &W().cbWurfDN, &W().cbLaufDN})
        EXPECT_EQ(list->Text(), "");
    EXPECT_EQ(W().lbUrkunde.Text(), "----");
    EXPECT_EQ(Events, (TEntries{"signal"})); // the window opens with the signal
}

TEST_F(KalkomatWindow, GirlsBornIn2014AreW12) {
    Choose(W().cbGeburtsjahrgang, "2014");
    EXPECT_EQ(W().lbStartgruppe.Text(), "M12");
    Click(W().rbW.Handle(), 8, 8);
    EXPECT_TRUE(W().rbW.Checked());
    EXPECT_FALSE(W().rbM.Checked());
    EXPECT_EQ(W().lbStartgruppe.Text(), "W12");
    EXPECT_EQ(W().lbUrkundenPunkte.Text(), "Mindestpunktzahl  SU: 775   EU: 975");
    EXPECT_EQ(EntriesOf(W().cbSprintDN), (TEntries{"50"}));
    EXPECT_EQ(EntriesOf(W().cbWurfDN), (TEntries{"80", "3"}));
    EXPECT_EQ(EntriesOf(W().cbLaufDN), (TEntries{"800", "2000"}));
    // Nothing chosen, also in the list with a single entry.
    for (TComboList* list : {&W().cbSprintDN, &W().cbWurfDN, &W().cbLaufDN}) {
        EXPECT_EQ(list->ItemIndex(), -1);
        EXPECT_EQ(list->Text(), "");
    }
    EXPECT_EQ(Events, (TEntries{"signal", "signal", "signal"}));
}

TEST_F(KalkomatWindow, ClickOnTheCheckedRadioButtonChangesNothing) {
    Choose(W().cbSprintDN, "50");
    Type(W().edSprintDW, "8");
    Events.clear();
    Click(W().rbM.Handle(), 8, 8);
    EXPECT_TRUE(W().rbM.Checked());
    EXPECT_TRUE(Events.empty());
    EXPECT_EQ(W().edSprintDW.Text(), "8");
    // Neither does a click on the caption label beside the other one.
    Click(W().Label22.Handle(), 3, 3);
    EXPECT_TRUE(W().rbM.Checked());
    EXPECT_TRUE(Events.empty());
}

TEST_F(KalkomatWindow, ChangeEmptiesTheFieldsButKeepsTheResults) {
    Choose(W().cbSprintDN, "50");
    Type(W().edSprintDW, "8,0");
    Type(W().edWeitsprungDW, "3,50");
    Type(W().edHochsprungDW, "1,2");
    Choose(W().cbWurfDN, "80");
    Type(W().edWurfDW, "30");
    Choose(W().cbLaufDN, "800");
    Type(W().edLaufDWmin, "4");
    Type(W().edLaufDWs, "1");
    Click(W().btRechnen.Handle(), 10, 10);
    const std::string points = W().lbPTSprint.Text();
    const std::string total = W().lbPTSumme.Text();
    const std::string certificate = W().lbUrkunde.Text();
    ASSERT_NE(points, "0");

    Choose(W().cbGeburtsjahrgang, "2010");
    for (TEditField* field : {&W().edSprintDW, &W().edWeitsprungDW, &W().edHochsprungDW, &W().edWurfDW,
                              &W().edLaufDWmin, &W().edLaufDWs})
        EXPECT_EQ(field->Text(), "");
    for (TComboList* list : {&W().cbSprintDN, &W().cbWurfDN, &W().cbLaufDN})
        EXPECT_EQ(list->Text(), "");
    EXPECT_EQ(W().lbStartgruppe.Text(), "M16");
    EXPECT_EQ(W().lbPTSprint.Text(), points);
    EXPECT_EQ(W().lbPTSumme.Text(), total);
    EXPECT_EQ(W().lbUrkunde.Text(), certificate);
}

TEST_F(KalkomatWindow, OldestYearAndTheYearsAroundTheList) {
    Choose(W().cbGeburtsjahrgang, "2007");
    EXPECT_EQ(W().lbStartgruppe.Text(), "M19");
    EXPECT_EQ(W().lbUrkundenPunkte.Text(), "Mindestpunktzahl  SU: 1275   EU: 1550");

    // Into a new year while running: the list stays, the ages grow, 20 is looked up as 19.
    Year = 2027;
    Choose(W().cbGeburtsjahrgang, "2008");
    EXPECT_EQ(W().lbStartgruppe.Text(), "M19");
    Choose(W().cbGeburtsjahrgang, "2007");
    EXPECT_EQ(W().lbStartgruppe.Text(), "M20");
    EXPECT_EQ(W().FAge, 20);
    EXPECT_EQ(W().lbUrkundenPunkte.Text(), "Mindestpunktzahl  SU: 1275   EU: 1550");
    EXPECT_EQ(EntriesOf(W().cbWurfDN), (TEntries{"1000", "6"}));

    // The date set back below the list: the age counts as 0, the lists are those of age 8.
    Year = 2015;
    Click(W().rbW.Handle(), 8, 8);
    Choose(W().cbGeburtsjahrgang, "2018");
    EXPECT_EQ(W().lbStartgruppe.Text(), "W0");
    EXPECT_EQ(W().FAge, 0);
    EXPECT_EQ(W().lbUrkundenPunkte.Text(), "unter 8 Jahre -> TU");
    EXPECT_EQ(EntriesOf(W().cbLaufDN), (TEntries{"800"}));
}

TEST_F(KalkomatWindow, BirthYearChosenByKeyboard) {
    W().cbGeburtsjahrgang.SetFocus();
    Events.clear();
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_EQ(W().cbGeburtsjahrgang.Text(), "2016");
    EXPECT_EQ(W().lbStartgruppe.Text(), "M10");
    EXPECT_EQ(Events, (TEntries{"signal", "signal"}));
    EXPECT_EQ(GetFocus(), W().cbGeburtsjahrgang.Handle()); // the birth year keeps the focus
}
