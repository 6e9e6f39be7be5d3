#include "GasWindowFixture.h"

#include "ui/Clock.h"

namespace {

QByteArray errorRegister(int code) {
    return QByteArray(1, static_cast<char>(code)) + "\x17" + QByteArray(1, '\0');
}

class GasSequencerTest : public GasWindowTest {
  protected:
    // MCTC-NET analyser measuring, the operator has pressed Start: the next tick asks "ET".
    void startMeasuring() {
        ui::Clock::set(QDateTime(QDate(2024, 3, 5), QTime(9, 30, 0)));
        openWindow();
        mctcStartUp();
        mctcStatus(8);
        form->Command1_Click();
    }
};

TEST_F(GasSequencerTest, MakerFuelChangeWhileMeasuringStaysInTheWindow) {
    openWindow({.model = 0});
    makerStartUp();
    makerStatus(129);
    const qsizetype before = requestCount();
    form->Combo1.setListIndex(4);
    form->Combo1_Click();
    EXPECT_EQ(requestCount(), before);
    EXPECT_EQ(form->TCarb, 4);
    EXPECT_EQ(form->FuelConstantK, 14.0);
    tick();
    EXPECT_EQ(lastRequest(), "0x50");
}

TEST_F(GasSequencerTest, MakerFuelChangeWhileWaitingSendsTheCodeThenPollsOn) {
    openWindow({.model = 0});
    makerStartUp();
    makerStatus(128);
    form->Combo3.setListIndex(1);
    form->Combo3_Click();
    // Petrol with catalyst, two-stroke, sent at once.
    EXPECT_EQ(lastRequest(), "0x26 43");
    tick(3);
    EXPECT_EQ(requests().last(), "0x26 43");
    replyMaker(0x26);
    EXPECT_EQ(form->NextState, "RSTATT");
    tick();
    EXPECT_EQ(lastRequest(), "0x50");
}

TEST_F(GasSequencerTest, MakerStopSendsStopAndResumesWithTheStatus) {
    openWindow({.model = 0});
    makerStartUp();
    makerStatus(129);
    EXPECT_EQ(form->MeasuringFlag, 1);
    form->Command1_Click();
    EXPECT_EQ(lastRequest(), "0x24");
    EXPECT_EQ(form->MeasuringFlag, 0);
    EXPECT_EQ(form->Command1.caption(), ui(20));
    EXPECT_EQ(form->Label27.caption(), ui(9));
    replyMaker(0x24);
    tick();
    EXPECT_EQ(lastRequest(), "0x3F");
}

TEST_F(GasSequencerTest, LeakTestAgeComparesRealDateTimes) {
    struct Case {
        const char* name;
        QDateTime now;
        QByteArray date;
        QByteArray time;
        const char* status;
    };
    const Case cases[] = {
        {"yesterday 10:00 seen at 09:59", QDateTime(QDate(2024, 3, 5), QTime(9, 59, 40)), "04032024", "1000", "R"},
        {"yesterday 10:00 seen at 10:00", QDateTime(QDate(2024, 3, 5), QTime(10, 0, 30)), "04032024", "1000", "R"},
        {"yesterday 10:00 seen at 10:01", QDateTime(QDate(2024, 3, 5), QTime(10, 1, 0)), "04032024", "1000", "I"},
        {"across the end of a month", QDateTime(QDate(2024, 2, 1), QTime(9, 0)), "31012024", "1000", "R"},
        {"across the end of a year", QDateTime(QDate(2025, 1, 1), QTime(8, 0)), "31122024", "2330", "R"},
        {"two days ago", QDateTime(QDate(2024, 3, 5), QTime(0, 5)), "03032024", "2359", "I"},
        {"never tested", QDateTime(QDate(2024, 3, 5), QTime(9, 0)), "00002000", "0000", "R"},
        {"a date that is no date", QDateTime(QDate(2024, 3, 5), QTime(9, 0)), "3?032024", "0800", "I"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startMeasuring();
        ui::Clock::set(c.now);
        exchangeMctc("ET", "ET", Fields({"R", c.date, c.time}));
        EXPECT_EQ(g.gas.LeakTestStatus, c.status);
        EXPECT_EQ(form->NextState, QString::fromLatin1(c.status) == "R" ? "ETER" : "ETEI");
    }
}

TEST_F(GasSequencerTest, OldLeakTestWarnsOnceAndSkipsTheZeroing) {
    startMeasuring();
    exchangeMctc("ET", "ET", Fields({"R", "01032024", "0800"}));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, ui(150));
    EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Exclamation);
    EXPECT_EQ(form->LeakMessageShown, 0);
    mctcStatus(8);
    EXPECT_EQ(form->NextState, "RSTMIS");
}

TEST_F(GasSequencerTest, LeakTestRequestDisabledForcesValidAndGoesStraightToZeroing) {
    g.settings.SystemOptions = 4;
    for (const QByteArray status : {"I", "E", "X"}) {
        SCOPED_TRACE(status.toStdString());
        startMeasuring();
        exchangeMctc("ET", "ET", Fields({status, "01012020", "0800"}));
        EXPECT_EQ(g.gas.LeakTestStatus, "R");
        EXPECT_EQ(form->NextState, "ETER");
        mctcStatus(8);
        tick();
        EXPECT_EQ(lastRequest(), "AZ");
        EXPECT_TRUE(dialogs.shown.empty());
    }
}

TEST_F(GasSequencerTest, UnsplittableLeakStatusTakesTheDefaultsAndAsksAgain) {
    startMeasuring();
    exchangeMctc("ET", "ET", "R");
    EXPECT_EQ(g.gas.LeakTestStatus, " ");
    EXPECT_EQ(g.gas.LeakTestDate, "01/01/2000");
    EXPECT_EQ(g.gas.LeakTestTime, " ");
    tick();
    EXPECT_EQ(lastRequest(), "ET");
    replyMctc("ET", Fields({"R", "00002024", "0800"}));
    EXPECT_EQ(g.gas.LeakTestDate, "01/01/2024");
}

TEST_F(GasSequencerTest, StandByPressedWhileARequestIsOutstandingWaitsForItsReply) {
    openWindow();
    mctcStartUp();
    mctcStatus(8);
    tick();
    ASSERT_EQ(lastRequest(), "@RS");
    form->Command4_Click();
    tick(5);
    EXPECT_EQ(lastRequest(), "@RS");
    replyMctc("@RS", errorRegister(0));
    tick();
    EXPECT_EQ(lastRequest(), "SB");
    EXPECT_EQ(form->PendingRequest, "");
    replyMctc("SB");
    EXPECT_EQ(form->NextState, "SBY");
}

TEST_F(GasSequencerTest, StandByPressedBeforeAnUnansweredRequestGoesAfterTheTimeOut) {
    openWindow();
    mctcStartUp();
    mctcStatus(8);
    tick();
    form->Command4_Click();
    tick(40);
    EXPECT_EQ(lastRequest(), "@RS");
    tick();
    EXPECT_EQ(form->Label5.caption(), "ERRORE COM");
    tick();
    EXPECT_EQ(lastRequest(), "SB");
}

TEST_F(GasSequencerTest, StandByPressedWithNothingOutstandingGoesAtTheNextTick) {
    openWindow();
    mctcStartUp();
    form->Command4_Click();
    tick();
    EXPECT_EQ(lastRequest(), "SB");
    EXPECT_NE(form->Label5.caption(), "ERRORE COM");
}

TEST_F(GasSequencerTest, EveryFourthZeroingStatusReadsTheErrorRegisterWhateverCameBetween) {
    openWindow();
    mctcStartUp();
    mctcStatus(4);
    mctcStatus(4);
    EXPECT_EQ(form->ZeroingReplies, 2);
    mctcStatus(2);
    exchangeMctc("@RS", "@RS", errorRegister(0));
    exchangeMctc("@VA", "@VA", Fields({"0", "0", "0", "0", "20.9", "0", "20", "0", "0"}));
    mctcStatus(8);
    exchangeMctc("@RS", "@RS", errorRegister(0));
    exchangeMctc("@VA", "@VA", Fields({"0", "0", "0", "0", "20.9", "0", "20", "0", "0"}));
    EXPECT_EQ(form->ZeroingReplies, 2);
    mctcStatus(4);
    EXPECT_EQ(form->NextState, "RSTAZE");
    mctcStatus(4);
    EXPECT_EQ(form->NextState, "RSECXAZE");
    EXPECT_EQ(form->ZeroingReplies, 0);
    tick();
    EXPECT_EQ(lastRequest(), "@RS");
}

TEST_F(GasSequencerTest, SilentAnalyserShowsErrorComAfter41TicksAndRepeatsTheRequest) {
    for (const int model : {3, 0}) {
        SCOPED_TRACE(model);
        openWindow({.model = model});
        tick();
        const QString first = lastRequest();
        tick(40);
        EXPECT_EQ(requestCount(), 1);
        EXPECT_NE(form->Label5.caption(), "ERRORE COM");
        tick();
        EXPECT_EQ(form->Label5.caption(), "ERRORE COM");
        EXPECT_EQ(requestCount(), 1);
        tick();
        EXPECT_EQ(requests(), QStringList({first, first}));
        // No retry limit.
        tick(42 * 5);
        EXPECT_EQ(requestCount(), 7);
    }
}

TEST_F(GasSequencerTest, MessageBoxRaisedByAReplyShowsAfterTheReplyIsHandled) {
    startMeasuring();
    tick();
    ASSERT_EQ(lastRequest(), "ET");
    const qsizetype before = requestCount();
    // While the warning is up the event loop runs on: the scheduler sends the
    // next request and its reply arrives, twice over.
    dialogs.whileShown = [this] {
        EXPECT_EQ(form->Cycle.ReplyReady, 1);
        EXPECT_EQ(form->NextState, "ETEI");
        tick();
        replyMctc("@ST", "\x48");
        tick();
        replyMctc("@RS", errorRegister(0));
        tick();
    };
    replyMctc("ET", Fields({"I", "01032024", "0800"}));
    EXPECT_EQ(requestsSince(before), QStringList({"@ST", "@RS", "@VA"}));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, ui(150));
    EXPECT_EQ(form->NextState, "RSEC");
    replyMctc("@VA", Fields({"1", "1", "1", "1", "1", "1", "1", "1", "1"}));
    EXPECT_EQ(form->NextState, "ACQ");
}

TEST_F(GasSequencerTest, AnOldLeakTestAskedAgainWhileItsWarningIsUpWarnsOnlyOnce) {
    startMeasuring();
    tick();
    dialogs.whileShown = [this] {
        EXPECT_EQ(form->LeakMessageShown, 1);
        form->PendingRequest = QStringLiteral("STARTMIS");
        tick();
        replyMctc("ET", Fields({"I", "01032024", "0800"}));
    };
    replyMctc("ET", Fields({"I", "01032024", "0800"}));
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(form->LeakMessageShown, 0);
    EXPECT_EQ(form->NextState, "ETEI");
}

TEST_F(GasSequencerTest, FailedHcResidueTestWarnsAndMovesOn) {
    startMeasuring();
    exchangeMctc("ET", "ET", Fields({"R", "05032024", "0800"}));
    mctcStatus(8);
    exchangeMctc("AZ", "AZ");
    for (int i = 0; i < 4; ++i)
        mctcStatus(4);
    exchangeMctc("@RS", "@RS", errorRegister(0));
    mctcStatus(8);
    exchangeMctc("HC", "HC");
    exchangeMctc("EH", "EH", "I");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, ui(153));
    EXPECT_EQ(form->NextState, "ESHC");
    EXPECT_NE(form->TestPhase, "MINIMO");
}

} // namespace
