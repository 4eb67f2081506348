// Regional settings with a decimal point: the window reads its numbers with the point, and a comma then
// makes a number unreadable.
#include "KalkomatFixture.h"

using namespace uitest;

TEST_F(KalkomatWindow, DecimalPointSettings) {
    ASSERT_EQ(UserDecimalSeparator(), '.');
    Choose(W().cbGeburtsjahrgang, "2014");
    Choose(W().cbSprintDN, "50");
    Type(W().edSprintDW, "8.0");
    Type(W().edWeitsprungDW, "3.50");
    Type(W().edHochsprungDW, "1,20");
    EnterIn(W().edHochsprungDW);
    EXPECT_EQ(W().lbPTSprint.Text(), "330");
    EXPECT_EQ(W().lbPTWeitsprung.Text(), "329");
    EXPECT_EQ(W().edWeitsprungDW.Text(), "3.50");
    EXPECT_EQ(W().lbPTHochsprung.Text(), "0");
    EXPECT_EQ(W().edHochsprungDW.Text(), "");
    EXPECT_EQ(W().lbPTSumme.Text(), "Punkte:  659");
}
