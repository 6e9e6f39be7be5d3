#include "GasWindowFixture.h"

// A frame of the analyser's device that arrives before the window has asked
// anything (a late answer to a window closed before, noise on a reopened
// line) answers nothing: the window still starts by asking who it is.
TEST_F(GasWindowTest, AFrameBeforeTheFirstRequestIsNoReply) {
    openWindow();
    replyMctc("@VA", Fields({"1.00", "1.00", "14.0", "100", "0.5", "1.000", "80", "800", "0"}));
    replyMctc("ST", QByteArray(1, 0x40 | 8));
    EXPECT_EQ(form->NextState, "INIZIO");
    tick();
    EXPECT_EQ(requests(), QStringList{"ID"});
}
