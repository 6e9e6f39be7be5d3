// Whole free-acceleration tests through the port: the phases of each
// measuring selection, their prompts and colours, and how a test ends.

#include "SmokeWindowFixture.h"

#include "shared/ConcludedTest.h"
#include "smoke/SmokeTexts.h"

namespace {

using namespace smoke_text;
constexpr int Pass = 135; // GeneralePos
constexpr int Fail = 136; // GeneraleNeg

// Records the tests the window hands over for keeping.
struct KeptTests : TestArchiveSink {
    void store(const ConcludedTest& test) override { kept.push_back(test); }
    std::vector<ConcludedTest> kept;
};

class SmokeSequencerTest : public SmokeWindowTest {
  protected:
    void SetUp() override {
        SmokeWindowTest::SetUp();
        g.report.Archive = &archive;
    }
    KeptTests archive;

    static constexpr double Idle = 800;
    static constexpr double Full = 4000;

    bool concluded() const { return g.smoke.AccelerationIndex >= 8; }

    // One acceleration of the speed-triggered selection, done as the prompts ask.
    void accelerate(double peakK) {
        script.rpm = Idle;
        script.k = 0.1;
        ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "AVVIO" || form->TestPhase == "UNO"; }));
        EXPECT_EQ(form->Label39.caption(), text(Acc));
        EXPECT_EQ(form->Label39.backColor(), ui::colour::White);
        script.rpm = Full;
        script.k = peakK;
        ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "DUE"; }));
        EXPECT_EQ(form->Label39.caption(), text(ManMax));
        ASSERT_TRUE(tickUntil([&] { return form->TestPhase != "DUE"; }));
        script.rpm = Idle;
        script.k = 0.1;
        if (concluded())
            return;
        EXPECT_EQ(form->TestPhase, "TRE");
        EXPECT_EQ(form->Label39.caption(), text(Dec));
        EXPECT_EQ(form->Label39.backColor(), ui::colour::Pink);
        ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "QUATTRO"; }));
        EXPECT_EQ(form->Label39.caption(), text(ManMin));
    }

    QStringList peakColumn() const {
        QStringList column;
        for (const ui::Label& label : form->Label36)
            column << label.caption();
        return column;
    }
};

class SpeedTriggeredTest : public SmokeSequencerTest, public ::testing::WithParamInterface<int> {};

TEST_P(SpeedTriggeredTest, PassesAfterThreeAccelerations) {
    const int model = GetParam();
    openWindow(model);
    reachMeasuring();
    // The operator reads each notice for three ticks; the scheduler goes on meanwhile.
    qsizetype sentWhileOpen = 0;
    links->whileOpen = [&](const RecordingSmokeLinks::Shown&) {
        const qsizetype before = port->written().size();
        tick(3);
        sentWhileOpen += port->written().size() - before;
    };
    startTest(ANFUMO::SpeedTriggered);
    EXPECT_EQ(form->TestPhase, "AVVIOALTO");

    // Engine still revving: release first.
    script.rpm = 1500;
    tick(4);
    // A maker status reply whitens the prompt until the next value reply.
    if (lastRequest() == "0x3F")
        tick();
    EXPECT_EQ(form->TestPhase, "AVVIOALTO");
    EXPECT_EQ(form->Label39.caption(), text(Dec));
    EXPECT_EQ(form->Label39.backColor(), ui::colour::Pink);

    for (const double peak : {1.0, 1.2, 1.4})
        accelerate(peak);
    ASSERT_TRUE(concluded());
    tick(2);
    // Kept once, at the verdict.
    ASSERT_EQ(archive.kept.size(), 1u);
    EXPECT_EQ(archive.kept[0].outcome, ConcludedTest::Outcome::Passed);
    EXPECT_EQ(archive.kept[0].value(QStringLiteral("3MeasOPA")), "1.4");
    EXPECT_EQ(peakColumn().mid(0, 4), (QStringList{"1", "1.2", "1.4", "0"}));
    EXPECT_EQ(form->Label33.caption(), text(Pass));
    EXPECT_EQ(form->Label33.backColor(), ui::colour::Green);
    EXPECT_EQ(form->Label35.caption(), "1.2");
    EXPECT_EQ(g.smoke.SmokeTestResult.AcceptedSet, "1,2,3");
    EXPECT_EQ(form->Label52.caption(), "800");
    EXPECT_EQ(form->Label53.caption(), "4000");
    EXPECT_EQ(form->TestPhase, " ");
    EXPECT_EQ(form->Label39.caption(), text(Concl));
    EXPECT_EQ(form->Label39.backColor(), ui::colour::LightBlue);

    std::vector<RecordingSmokeLinks::Shown> notices;
    for (const auto& shown : links->shown)
        if (shown.window == "Exclam")
            notices.push_back(shown);
    if (model == MctcModel) {
        // Once; it blocks the operator, not the scheduler.
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].text, text(ExclStamp1));
        EXPECT_TRUE(notices[0].schedulerRunning);
        EXPECT_EQ(sentWhileOpen, 3);
        EXPECT_EQ(g.app.ExclamPrintText, text(ExclStamp4));
        EXPECT_EQ(g.app.ExclamShown, -1);
        EXPECT_TRUE(form->Timer1.enabled());
    } else {
        EXPECT_TRUE(notices.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(BothProtocols, SpeedTriggeredTest, ::testing::Values(1, 5));

TEST_F(SmokeSequencerTest, SpeedTriggeredFailsAfterEightAccelerations) {
    openWindow(MctcModel);
    reachMeasuring();
    startTest(ANFUMO::SpeedTriggered);
    for (int i = 0; i < 8; ++i) {
        ASSERT_FALSE(concluded()) << i;
        accelerate(2.0);
    }
    ASSERT_TRUE(concluded());
    EXPECT_EQ(peakColumn(), QStringList(8, "2"));
    EXPECT_EQ(form->Label33.caption(), text(Fail));
    EXPECT_EQ(form->Label33.backColor(), ui::colour::Red);
    EXPECT_EQ(g.smoke.SmokeTestResult.AcceptedSet, "6,7,8");
    EXPECT_EQ(g.smoke.SmokeTestResult.ResultCode, 2);
}

TEST_F(SmokeSequencerTest, TestStartedAgainBeforeItsVerdictIsKeptOnceAsInterrupted) {
    openWindow(MctcModel);
    reachMeasuring();
    startTest(ANFUMO::SpeedTriggered);
    accelerate(2.0);
    accelerate(2.1);
    ASSERT_FALSE(concluded());
    EXPECT_TRUE(archive.kept.empty());
    form->Command2_Click();
    form->Form_Unload();
    ASSERT_EQ(archive.kept.size(), 1u);
    EXPECT_EQ(archive.kept[0].outcome, ConcludedTest::Outcome::Interrupted);
    EXPECT_EQ(archive.kept[0].value(QStringLiteral("2MeasOPA")), "2.1");
}

TEST_F(SmokeSequencerTest, DirectAcquisitionIsKeptWhenPrintedAndNeverTwiceWithTheSameRows) {
    openWindow(MctcModel);
    script.k = 2.0;
    reachMeasuring();
    startTest(ANFUMO::DirectAcquisition);
    for (int press = 1; press <= 3; ++press) {
        tick(4);
        form->Command1_Click();
    }
    ASSERT_EQ(g.smoke.AccelerationIndex, 3);
    form->Command4_Click();
    ASSERT_EQ(archive.kept.size(), 1u);
    EXPECT_EQ(archive.kept[0].outcome, ConcludedTest::Outcome::NoVerdict);
    EXPECT_EQ(archive.kept[0].value(QStringLiteral("3MeasOPA")), "2");
    // Printed again, then a new selection or closing: nothing new to keep.
    form->Command4_Click();
    form->Combo1.setListIndex(ANFUMO::SpeedTriggered);
    form->Combo1_Click();
    form->Form_Unload();
    EXPECT_EQ(archive.kept.size(), 1u);
}

TEST_F(SmokeSequencerTest, ChangingTheSelectionMidTestKeepsTheRowsAsInterrupted) {
    openWindow(MctcModel);
    reachMeasuring();
    startTest(ANFUMO::SpeedTriggered);
    accelerate(2.0);
    form->Combo1.setListIndex(ANFUMO::Continuous);
    form->Combo1_Click();
    ASSERT_EQ(archive.kept.size(), 1u);
    EXPECT_EQ(archive.kept[0].outcome, ConcludedTest::Outcome::Interrupted);
}

TEST_F(SmokeSequencerTest, OpacityTriggeredFollowsKAgainstTheThreshold) {
    openWindow(MctcModel);
    script.rpm = Idle;
    script.k = 0.1;
    reachMeasuring();
    startTest(ANFUMO::OpacityTriggered);
    // Clean exhaust and a warm cell: straight to waiting for the puff.
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "UNO"; }, 40));
    EXPECT_EQ(form->Label39.caption(), text(Acc));
    script.k = 0.9;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "DUE"; }, 10));
    EXPECT_EQ(form->Label39.caption(), text(ManMax));
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "TRE"; }, 200));
    EXPECT_EQ(form->Label39.backColor(), ui::colour::Pink);
    EXPECT_EQ(form->Label36[0].caption(), "0.9");
    // Exactly at the threshold is not clean yet.
    script.k = 0.5;
    tick(10);
    EXPECT_EQ(form->TestPhase, "TRE");
    script.k = 0.2;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "QUATTRO"; }, 10));
    script.k = 0.6;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "TRE"; }, 10));
    EXPECT_EQ(form->Label39.caption(), text(Dec));
}

// The timed selection's waits, in ticks, as each phase is entered.
class TimedSelectionTest : public SmokeSequencerTest,
                           public ::testing::WithParamInterface<std::pair<int, std::vector<int>>> {};

TEST_P(TimedSelectionTest, WaitsOfEachProtocol) {
    const auto& [model, waits] = GetParam();
    openWindow(model);
    reachMeasuring();
    startTest(ANFUMO::Timed);
    const QStringList phases{"AVVIO", "UNO", "DUE", "TRE", "QUATTRO", "UNO"};
    QString phase = form->TestPhase;
    for (int step = 0; step < phases.size(); ++step) {
        ASSERT_TRUE(tickUntil([&] { return form->TestPhase != phase; }, 400)) << step;
        phase = form->TestPhase;
        EXPECT_EQ(phase, phases[step]);
        EXPECT_EQ(form->PhaseDeadline - form->TickCount, waits[step]) << phase.toStdString();
    }
    EXPECT_EQ(form->Label39.caption(), text(Acc));
    EXPECT_EQ(g.smoke.AccelerationIndex, 1);
}

INSTANTIATE_TEST_SUITE_P(BothProtocols, TimedSelectionTest,
                         ::testing::Values(std::pair{1, std::vector{200, 54, 120, 50, 120, 50}},
                                           std::pair{5, std::vector{280, 50, 120, 50, 200, 50}}));

TEST_F(SmokeSequencerTest, StartLeavesTheAdvanceButtonOfATestCutShortAsItWas) {
    openWindow(MctcModel);
    script.k = 2.0;
    reachMeasuring();
    startTest(ANFUMO::Manual);
    for (int press = 1; press <= 7; ++press) {
        tick(4);
        form->Command1_Click();
    }
    ASSERT_EQ(form->Command1.caption(), text(Fine));
    form->Command2_Click();
    EXPECT_EQ(form->Command1.caption(), text(Fine));
    EXPECT_EQ(g.smoke.AccelerationIndex, 0);
}

TEST_F(SmokeSequencerTest, ManualSelectionAdvanceButtonNamesTheLastPressAndEndsTheTest) {
    openWindow(MctcModel);
    script.k = 2.0;
    reachMeasuring();
    form->Combo1.setListIndex(ANFUMO::Manual);
    form->Combo1_Click();
    EXPECT_EQ(form->TestPhase, "");
    form->Command2_Click();
    EXPECT_EQ(form->TestPhase, "DUE");
    EXPECT_FALSE(form->Command1.enabled());
    script.status = 4;
    ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTAZE"; }));
    script.status = 8;
    ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTMIS"; }));
    EXPECT_TRUE(form->Command1.enabled());

    for (int press = 1; press <= 8; ++press) {
        tick(4);
        form->Command1_Click();
        if (press < 7) {
            EXPECT_EQ(form->Command1.caption(), text(Avan)) << press;
            EXPECT_EQ(g.smoke.AccelerationIndex, press);
        } else if (press == 7) {
            EXPECT_EQ(form->Command1.caption(), text(Fine));
            EXPECT_TRUE(form->Command1.enabled());
        }
    }
    EXPECT_EQ(form->Command1.caption(), text(Avan));
    EXPECT_FALSE(form->Command1.enabled());
    EXPECT_EQ(g.smoke.AccelerationIndex, 10);
    EXPECT_EQ(form->Label33.caption(), text(Fail));
    EXPECT_EQ(peakColumn(), QStringList(8, "2"));
    // A disabled button pressed anyway changes nothing.
    form->Command1_Click();
    EXPECT_EQ(g.smoke.AccelerationIndex, 10);
    tick(2);
    EXPECT_EQ(form->Label39.caption(), text(Concl));
    EXPECT_EQ(form->TestPhase, " ");
}

TEST_F(SmokeSequencerTest, AdvanceDoesNothingWhileTheCellIsCold) {
    openWindow(MctcModel);
    reachMeasuring();
    startTest(ANFUMO::Manual);
    script.cell = 65;
    tick(4);
    EXPECT_EQ(form->Label24.backColor(), ui::colour::Red);
    EXPECT_EQ(form->Label39.caption(), text(AttRisc));
    EXPECT_EQ(form->Label39.backColor(), ui::colour::White);
    form->Command1_Click();
    EXPECT_EQ(g.smoke.AccelerationIndex, 0);
    script.cell = 71;
    tick(4);
    EXPECT_EQ(form->Label24.backColor(), ui::colour::White);
    form->Command1_Click();
    EXPECT_EQ(g.smoke.AccelerationIndex, 1);
}

TEST_F(SmokeSequencerTest, ReleaseAndReaccelerationNeedSpeedsStrictlyPastTheIdleLimit) {
    openWindow(MctcModel);
    reachMeasuring();
    startTest(ANFUMO::SpeedTriggered);
    script.rpm = Idle;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "AVVIO"; }));
    script.rpm = Full;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "TRE"; }));

    script.rpm = 1000; // LimitRpmMin
    tick(20);
    EXPECT_EQ(form->TestPhase, "TRE");
    script.rpm = 999;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "QUATTRO"; }, 4));
    const std::int64_t waitEnds = form->PhaseDeadline;
    script.rpm = 1000;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase != "QUATTRO"; }, 300));
    // Not a new acceleration: the wait ran out.
    EXPECT_EQ(form->TestPhase, "UNO");
    EXPECT_GT(form->TickCount, waitEnds);
    EXPECT_EQ(form->Label39.caption(), text(Acc));

    script.rpm = Full;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "TRE"; }));
    script.rpm = 999;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "QUATTRO"; }, 4));
    script.rpm = 1001;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "TRE"; }, 4));
    EXPECT_LT(form->TickCount, form->PhaseDeadline);
    EXPECT_EQ(form->Label39.backColor(), ui::colour::Pink);
}

TEST_F(SmokeSequencerTest, HoldAtMaximumEndsOnlyOnceItsDeadlineHasPassed) {
    openWindow(MctcModel);
    reachMeasuring();
    startTest(ANFUMO::SpeedTriggered);
    script.rpm = Idle;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "AVVIO"; }));
    script.rpm = Full;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "DUE"; }));
    // The next tick asks for values: let their reply arrive exactly at the deadline.
    ASSERT_TRUE(tickUntil([&] { return form->InstrumentState == "RSEC"; }, 4));
    form->TickCount = form->MeasureDeadline - 1;
    tick();
    ASSERT_EQ(form->TickCount, form->MeasureDeadline);
    EXPECT_EQ(form->TestPhase, "DUE");
    ASSERT_TRUE(tickUntil([&] { return form->InstrumentState == "RSEC"; }, 4));
    form->TickCount = form->MeasureDeadline;
    tick();
    EXPECT_EQ(form->TestPhase, "TRE");
}

struct RowSpeedCase {
    double idle;
    double peak;
    const char* idleShown;
    const char* peakShown;
    const char* lowestIdle;
};

class AccelerationRowTest : public SmokeSequencerTest, public ::testing::WithParamInterface<RowSpeedCase> {};

TEST_P(AccelerationRowTest, SpeedsOutsideTheSensorRangeShowORange) {
    const RowSpeedCase& c = GetParam();
    openWindow(MctcModel);
    reachMeasuring();
    script.rpm = c.idle;
    startTest(ANFUMO::Manual);
    tick(4);
    script.rpm = c.peak;
    tick(4);
    EXPECT_EQ(form->Label37[0].caption(), QLatin1String(c.idleShown));
    EXPECT_EQ(form->Label38[0].caption(), QLatin1String(c.peakShown));
    EXPECT_EQ(form->Label52.caption(), QLatin1String(c.lowestIdle));
    EXPECT_EQ(form->Label18[0].caption(), QString::number(c.peak));
}

INSTANTIATE_TEST_SUITE_P(Limits, AccelerationRowTest,
                         ::testing::Values(RowSpeedCase{350, 4000, "O-RANGE", "4000", "0"},
                                           RowSpeedCase{351, 4000, "351", "4000", "351"},
                                           RowSpeedCase{800, 9500, "800", "O-RANGE", "800"},
                                           RowSpeedCase{800, 9499, "800", "9499", "800"},
                                           // Both out: the idle speed is shown as a number, but
                                           // while the engine idled it showed "O-RANGE", read as 0.
                                           RowSpeedCase{300, 9600, "300", "O-RANGE", "0"}));

TEST_F(SmokeSequencerTest, ColdCellHoldsTheTestBeforeTheFirstAcceleration) {
    openWindow(MctcModel);
    reachMeasuring();
    startTest(ANFUMO::SpeedTriggered);
    script.cell = 60;
    script.rpm = Idle;
    tick(100);
    EXPECT_EQ(form->TestPhase, "AVVIOALTO");
    EXPECT_EQ(form->Label24.backColor(), ui::colour::Red);
    EXPECT_EQ(form->Label39.caption(), text(AttRisc));
    EXPECT_EQ(form->Label39.backColor(), ui::colour::Red);
    script.cell = 70.5;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "AVVIO"; }, 10));
    EXPECT_EQ(form->Label39.caption(), text(Acc));
}

TEST_F(SmokeSequencerTest, ClosedSlideHoldsTheFirstAccelerationUntilItOpens) {
    openWindow(MctcModel);
    reachMeasuring();
    script.slide = "00032";
    startTest(ANFUMO::SpeedTriggered);
    script.rpm = Idle;
    tick(60);
    EXPECT_EQ(form->TestPhase, "AVVIOALTO");
    script.slide = "00016";
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "AVVIO"; }, 60));
}

TEST_F(SmokeSequencerTest, RowsBlankedByAWarmUpHoldNoPeakToPassOn) {
    openWindow(MctcModel);
    reachMeasuring();
    startTest(ANFUMO::SpeedTriggered);
    accelerate(2.0);
    accelerate(2.0);
    script.status = 1;
    ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTRI"; }, 40));
    EXPECT_EQ(peakColumn().mid(0, 2), (QStringList{"- - -", "- - -"}));
    script.status = 8;
    ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTMIS"; }, 40));
    // The first three rows hold two unknown peaks: no mean over them passes.
    accelerate(1.0);
    ASSERT_FALSE(concluded());
    accelerate(1.0);
    accelerate(1.0);
    ASSERT_TRUE(concluded());
    EXPECT_EQ(form->Label33.caption(), text(Pass));
    EXPECT_EQ(g.smoke.SmokeTestResult.AcceptedSet, "3,4,5");
    EXPECT_EQ(form->Label35.caption(), "1");
}

// A reply without k, or without the cell temperature that says whether k
// counts, while the engine is held at full throttle: that acceleration has no
// peak, and no set of rows over it passes.
struct PeakGapCase {
    const char* name;
    int model;
    double OpacimeterScript::*input; // set to -1: the instrument has none
};

class PeakGapTest : public SmokeSequencerTest, public ::testing::WithParamInterface<PeakGapCase> {};

TEST_P(PeakGapTest, AccelerationWithoutItsPeakNeverPasses) {
    const PeakGapCase& c = GetParam();
    openWindow(c.model);
    reachMeasuring();
    startTest(ANFUMO::SpeedTriggered);
    accelerate(1.0);
    accelerate(1.0);
    script.rpm = Idle;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "AVVIO" || form->TestPhase == "UNO"; }));
    script.rpm = Full;
    script.k = 1.0;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "DUE"; }));
    const double kept = script.*c.input;
    script.*c.input = -1;
    tick(3);
    script.*c.input = kept;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase != "DUE"; }));
    script.rpm = Idle;
    script.k = 0.1;
    ASSERT_FALSE(concluded());
    EXPECT_EQ(peakColumn()[2], "- - -");
    for (int i = 0; i < 3; ++i)
        accelerate(1.0);
    ASSERT_TRUE(concluded());
    EXPECT_EQ(form->Label33.caption(), text(Pass));
    EXPECT_EQ(g.smoke.SmokeTestResult.AcceptedSet, "4,5,6");
    EXPECT_EQ(g.smoke.RowPeakText[2], "- - -");
    EXPECT_EQ(g.smoke.SmokeTestResult.ResultCode, 4);
    EXPECT_EQ(g.smoke.RowUsedK[2], 2); // red on the report
}

class SpeedGapTest : public SmokeSequencerTest, public ::testing::WithParamInterface<int> {};

// Without a speed the engine is not known to idle: the test waits at the
// start and after each release until the speed comes back.
TEST_P(SpeedGapTest, WaitsForTheEngineAtIdleUntilItsSpeedComesBack) {
    openWindow(GetParam());
    reachMeasuring();
    startTest(ANFUMO::SpeedTriggered);
    script.rpm = -1;
    tick(20);
    EXPECT_EQ(form->TestPhase, "AVVIOALTO");
    script.rpm = Idle;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "AVVIO"; }, 20));
    script.rpm = Full;
    script.k = 1.0;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "TRE"; }));
    script.rpm = -1;
    tick(20);
    EXPECT_EQ(form->TestPhase, "TRE");
    script.rpm = Idle;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "QUATTRO"; }, 20));
    script.rpm = -1;
    tick(250);
    EXPECT_EQ(form->TestPhase, "QUATTRO");
}

INSTANTIATE_TEST_SUITE_P(BothProtocols, SpeedGapTest, ::testing::Values(1, 5));

INSTANTIATE_TEST_SUITE_P(BothProtocols, PeakGapTest,
                         ::testing::Values(PeakGapCase{"KMaker", 1, &OpacimeterScript::k},
                                           PeakGapCase{"KMctc", 5, &OpacimeterScript::k},
                                           PeakGapCase{"CellMaker", 1, &OpacimeterScript::cell},
                                           PeakGapCase{"CellMctc", 5, &OpacimeterScript::cell}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SmokeSequencerTest, ContinuousSelectionKeepsThePromptWhiteAndWatchesTheCell) {
    openWindow(MctcModel);
    reachMeasuring();
    form->Label39.setBackColor(ui::colour::Red);
    tick(2);
    EXPECT_EQ(form->Label39.backColor(), ui::colour::White);
    EXPECT_EQ(form->Label24.backColor(), ui::colour::White);
    script.cell = 40;
    tick(2);
    EXPECT_EQ(form->Label24.backColor(), ui::colour::Red);
    EXPECT_EQ(form->Label39.caption(), text(AttRisc));
}

} // namespace
