// Whole conversations with the simulated gas analyser on an in-memory line.
#include "GasSimulatorFixture.h"

namespace {

TEST_F(GasSimulatorTest, MakerAnalyserFromStartUpThroughWarmUpWaitingZeroingAndMeasuring) {
    connect(0);
    run(8);
    EXPECT_EQ(requests().mid(0, 4), QStringList({"0x31", "0x2E", "0x23 08 0A 0D 0E 0C 07 06 05 02", "0x3F"}));
    EXPECT_EQ(form->Label25.caption(), QString::fromLatin1(analyser->settings().firmware));
    ASSERT_TRUE(runUntilState(ui(40), 20));
    EXPECT_EQ(form->Label27.caption(), ui(28));
    EXPECT_EQ(form->Label8.caption(), "- - -");

    ASSERT_TRUE(runUntilState(ui(63)));
    const qsizetype waiting = requestCount();
    run(12);
    // Values and status in turn.
    const QStringList polls = requestsSince(waiting);
    for (qsizetype i = 1; i < polls.size(); ++i)
        EXPECT_NE(polls[i], polls[i - 1]);
    EXPECT_TRUE(polls.contains("0x50"));
    EXPECT_NE(form->Label8.caption(), "- - -");

    form->Command1_Click();
    ASSERT_TRUE(runUntilState(ui(62), 20));
    EXPECT_TRUE(form->PBar1.visible());
    ASSERT_TRUE(runUntilState(ui(45)));
    run(12);
    EXPECT_EQ(form->MeasuringFlag, 1);
    EXPECT_EQ(g.gas.AnalyserStatus, 129);
    EXPECT_NE(form->Label15.caption(), "- - -");
    EXPECT_TRUE(inOrder(requests(), {"0x45", "0x3F", "0x50", "0x3F", "0x50"}));
    EXPECT_NE(form->Label5.caption(), "ERRORE COM");
}

TEST_F(GasSimulatorTest, McTcAnalyserBelowVersion15ThenStartToMeasuring) {
    connect(3, "1.40");
    run(10);
    EXPECT_EQ(requests().mid(0, 5), QStringList({"ID", "@SD 05032024|093000", "@LA", "@LI", "ST"}));
    ASSERT_TRUE(runUntilState(ui(45)));
    form->Command1_Click();
    const qsizetype start = requestCount();
    ASSERT_TRUE(runUntilState("Test HC", 200));
    run(60);
    EXPECT_TRUE(inOrder(requestsSince(start), {"ET", "ST", "AZ", "ST", "ST", "ST", "ST", "@RS", "ST", "HC", "EH", "EH",
                                               "ST", "@RS", "@VA", "ST"}));
    EXPECT_EQ(g.gas.LeakTestStatus, "R");
    EXPECT_EQ(g.gas.HcResidueResult, "R");
    EXPECT_EQ(form->TestPhase, "MINIMO");
    EXPECT_EQ(form->Label5.caption(), ui(45));
    EXPECT_NE(form->Label8.caption(), "- - -");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(GasSimulatorTest, McTcAnalyserFromVersion15AsksParameter047) {
    connect(3);
    run(8);
    EXPECT_EQ(requests().mid(0, 4), QStringList({"ID", "@SD 05032024|093000", "@LU 047", "@ST"}));
    EXPECT_EQ(form->Label7.caption(), "1234");
    ASSERT_TRUE(runUntilState(ui(40), 10));
    ASSERT_TRUE(runUntilState(ui(45)));
    run(12);
    const QStringList last = requests().mid(requestCount() - 6);
    EXPECT_TRUE(inOrder(last, {"@RS", "@VA", "@ST"}));
    EXPECT_NE(form->Label12.caption(), "- - -");
}

TEST_F(GasSimulatorTest, SilencedAnalyserShowsErrorComAndIsAskedAgainUntilItAnswers) {
    connect(3);
    ASSERT_TRUE(runUntilState(ui(40), 20));
    analyser->engine().setAnswering(false);
    run(45);
    EXPECT_EQ(form->Label5.caption(), "ERRORE COM");
    const qsizetype silent = requestCount();
    analyser->engine().setAnswering(true);
    // The warm-up has ended meanwhile: the next status shows the analyser measuring.
    ASSERT_TRUE(runUntilState(ui(45), 45));
    EXPECT_EQ(requestsSince(silent - 1).first(), requestsSince(silent).first());
}

} // namespace
