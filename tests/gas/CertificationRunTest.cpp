// Whole certification tests played against the simulated analyser: the phases,
// the operator's instructions, the colours and the verdicts, in both protocols.
#include "GasSimulatorFixture.h"

#include "gas/ANGASView.h"
#include "lang/LanguageTexts.h"
#include "shared/ConcludedTest.h"
#include "sim/GasScenario.h"
#include "sim/GasScenarioRuns.h"
#include "support/ViewHelpers.h"

#include <QLabel>
#include <QProgressBar>

namespace {

constexpr int Maker = 0;
constexpr int Mctc = 3;
constexpr int PetrolNoCatalyst = 0;
constexpr int PetrolCatalyst = 1;
// Two seconds per timed measurement keeps the runs short.
constexpr int Duration = 80;

const char* const Idle = "0 rpm=850 co=0.10 co2=14.8 o2=0.30 hc=30 lambda=1.00\n";
// Idle, held past the idle verdict and its pause, then the accelerated idle.
const char* const Accelerate = "6000 rpm=850\n6500 rpm=2300 lambda=1.01\n";

class CertificationRunTest : public GasSimulatorTest {
  protected:
    struct Trace {
        QStringList phases;
        QStringList instructions;
        // Ticks at which each phase began, by name.
        std::map<QString, int> phaseTick;
        // The value labels as they stood when the idle phase ended.
        QStringList idleShown;
        int ticks = 0;
    };

    QStringList shownValues() const {
        return {form->Label15.caption(), form->Label8.caption(),  form->Label10.caption(), form->Label9.caption(),
                form->Label11.caption(), form->Label12.caption(), form->Label26.caption()};
    }

    // Readies the analyser, chooses certification and the fuel, presses Start.
    // The scenario's times count from the moment the analyser starts measuring.
    void startTest(int model, int fuel, const QByteArray& scenario, int rpmCheck = 1) {
        const QByteArray origin = model == Mctc ? "origin residue\n" : "origin zeroed\n";
        QString error;
        const std::optional<sim::GasScenario> parsed = sim::GasScenario::parse(origin + scenario, &error);
        ASSERT_TRUE(parsed) << error.toStdString();
        startTest(model, fuel, *parsed, rpmCheck);
    }

    void startTest(int model, int fuel, const sim::GasScenario& scenario, int rpmCheck = 1) {
        connect(model);
        analyser->setScenario(scenario);
        ASSERT_TRUE(runUntilState(g.lang.UiText[model == Mctc ? 45 : 63]));
        run(6);
        g.settings.TestDurationTicks = Duration;
        g.settings.RpmCheck = static_cast<std::int16_t>(rpmCheck);
        form->Combo4.setListIndex(0);
        form->Combo4_Click();
        form->Combo1.setListIndex(fuel);
        form->Combo1_Click();
        run(6);
        ASSERT_EQ(form->TCarb, fuel);
        form->Command1_Click();
    }

    // Plays until the verdict, noting each phase and instruction as it changes.
    Trace playToVerdict(int limit = 2500) {
        Trace trace;
        for (; trace.ticks < limit && form->TestPhase != QLatin1String("OUT"); ++trace.ticks) {
            run(1);
            const QString phase = form->TestPhase;
            if (!phase.isEmpty() && (trace.phases.isEmpty() || trace.phases.back() != phase)) {
                if (!trace.phases.isEmpty() && trace.phases.back() == QLatin1String("UNO"))
                    trace.idleShown = shownValues();
                trace.phases << phase;
                trace.phaseTick.emplace(phase, trace.ticks);
            }
            const QString instruction = form->Label27.caption();
            if (trace.instructions.isEmpty() || trace.instructions.back() != instruction)
                trace.instructions << instruction;
        }
        return trace;
    }
};

struct RunCase {
    const char* name;
    int model;
    int fuel;
    int rpmCheck;
    QByteArray scenario;
    QStringList phases;
    QStringList instructions; // in this order, others between allowed
    int verdict;              // UiText entry: 57 passed, 59 not passed
    // The certificate field the verdict shows red for a missing value.
    CertificateField CertificateReadings::*redField = nullptr;
    bool redAtIdle = true;
};

void PrintTo(const RunCase& c, std::ostream* os) {
    *os << c.name;
}

class CertificationRuns : public CertificationRunTest, public ::testing::WithParamInterface<RunCase> {};

// Records the tests the window hands over for keeping.
struct KeptTests : TestArchiveSink {
    void store(const ConcludedTest& test) override { kept.push_back(test); }
    std::vector<ConcludedTest> kept;
};

TEST_P(CertificationRuns, PlayFromStartToVerdict) {
    const RunCase& c = GetParam();
    KeptTests archive;
    g.report.Archive = &archive;
    startTest(c.model, c.fuel, c.scenario, c.rpmCheck);
    const Trace trace = playToVerdict();
    EXPECT_EQ(trace.phases, c.phases);
    EXPECT_TRUE(inOrder(trace.instructions, c.instructions))
        << trace.instructions.join(' ').toStdString() << " / " << trace.phases.join(' ').toStdString();

    const bool passed = c.verdict == 57;
    EXPECT_EQ(form->Label28.caption(), ui(c.verdict));
    EXPECT_EQ(form->Label28.backColor(), passed ? ui::colour::Green : ui::colour::Red);
    const CertificateField& result = g.report.GasCertificate.Result;
    EXPECT_EQ(result.Text, ui(c.verdict));
    EXPECT_EQ(result.BackColor, passed ? ui::colour::Yellow : ui::colour::Red);
    EXPECT_TRUE(form->Command2.enabled());
    EXPECT_FALSE(form->PBar1.visible());
    if (c.redField) {
        const GasCertificateRecord& certificate = g.report.GasCertificate;
        const CertificateReadings& readings = c.redAtIdle ? certificate.Idle : certificate.AcceleratedIdle;
        EXPECT_EQ((readings.*c.redField).BackColor, ui::colour::Red);
    }
    // The verdict stays while the values go on being shown, and goes to report.log as shown.
    run(20);
    EXPECT_EQ(form->TestPhase, "OUT");
    EXPECT_EQ(form->Label28.caption(), ui(c.verdict));
    // Kept once, at the verdict, with it.
    ASSERT_EQ(archive.kept.size(), 1u);
    EXPECT_EQ(archive.kept[0].outcome, passed ? ConcludedTest::Outcome::Passed : ConcludedTest::Outcome::NotPassed);
    EXPECT_EQ(archive.kept[0].verdict, ui(c.verdict));
    EXPECT_EQ(archive.kept[0].value(QStringLiteral("Result")), ui(c.verdict));
    form->Command2_Click();
    EXPECT_TRUE(readBytes(programFile("report.log")).contains("\r\nResult=" + ui(c.verdict).toLatin1() + "\r\n"));
    // Started again, a test with a verdict is not kept again.
    form->Command1_Click();
    EXPECT_EQ(archive.kept.size(), 1u);
    g.report.Archive = nullptr;
}

const QStringList Catalysed = {"MINIMO", "UNO", "DUE", "TRE", "QUATTRO", "OUT"};
const QStringList FailedAtIdle = {"MINIMO", "UNO", "OUT"};
const QStringList NotCatalysed = {"MINIMO", "UNO", "DUE", "OUT"};
const QStringList CatalysedSteps = {"ui32", "ui58", "ui30", "ui60", "ui61"};

INSTANTIATE_TEST_SUITE_P(
    BothProtocols, CertificationRuns,
    ::testing::Values(
        RunCase{"CatalysedPassesMaker", Maker, PetrolCatalyst, 1, QByteArray(Idle) + Accelerate, Catalysed,
                CatalysedSteps, 57},
        RunCase{"CatalysedPassesMctc", Mctc, PetrolCatalyst, 1, QByteArray(Idle) + Accelerate, Catalysed,
                CatalysedSteps, 57},
        // Corrected CO 1.0 (maker: worked out by the window) or 1.07 (MCTC-NET) against 0.5.
        RunCase{"CatalysedFailsAtIdleMaker",
                Maker,
                PetrolCatalyst,
                1,
                "0 rpm=850 co=1.0 co2=13 lambda=1\n",
                FailedAtIdle,
                {"ui32", "ui58"},
                59},
        RunCase{"CatalysedFailsAtIdleMctc",
                Mctc,
                PetrolCatalyst,
                1,
                "0 rpm=850 co=1.0 co2=13 lambda=1\n",
                FailedAtIdle,
                {"ui32", "ui58"},
                59},
        // The idle speed creeps up to the limit itself: still within it.
        RunCase{"CatalysedIdleSpeedAtTheLimitPasses",
                Mctc,
                PetrolCatalyst,
                1,
                QByteArray(Idle) + "500 rpm=850\n1000 rpm=1000\n2600 rpm=1000\n" + Accelerate,
                Catalysed,
                {"ui32", "ui29", "ui58", "ui30", "ui60", "ui61"},
                57},
        // Corrected CO equal to its limit at both speeds is within it.
        RunCase{"CorrectedCoAtItsLimitsPasses",
                Mctc,
                PetrolCatalyst,
                0,
                "0 rpm=850 co=0.5 co2=14.5 cocorr=0.5 lambda=1\n6000 rpm=850 cocorr=0.5\n"
                "6500 rpm=2300 cocorr=0.3 lambda=1.01\n",
                Catalysed,
                {"ui32", "ui58", "ui60", "ui61"},
                57},
        // Without the rpm check the accelerated speed is neither asked for nor judged.
        RunCase{"RpmCheckOffIgnoresEngineSpeed",
                Mctc,
                PetrolCatalyst,
                0,
                QByteArray(Idle) + "6000 rpm=850\n6500 rpm=3200 lambda=1.01\n",
                Catalysed,
                {"ui32", "ui58", "ui60", "ui61"},
                57},
        // No lambda from the analyser (-1) is below the lowest lambda.
        RunCase{"MissingLambdaFailsTheAcceleratedIdle",
                Mctc,
                PetrolCatalyst,
                1,
                QByteArray(Idle) + "6000 rpm=850\n6500 rpm=2300 lambda=none\n",
                Catalysed,
                {"ui32", "ui58", "ui60", "ui56", "ui61"},
                59},
        RunCase{"NotCatalysedPassesMaker", Maker, PetrolNoCatalyst, 1, Idle, NotCatalysed, {"ui32", "ui33"}, 57},
        RunCase{"NotCatalysedPassesMctc", Mctc, PetrolNoCatalyst, 1, Idle, NotCatalysed, {"ui32", "ui33"}, 57},
        // Speed at RPMmin when the timed phase ends: the phase waits until it drops.
        RunCase{"NotCatalysedWaitsWhileSpeedAtRpmMinMctc",
                Mctc,
                PetrolNoCatalyst,
                1,
                QByteArray(Idle) + "500 rpm=850\n600 rpm=1000\n5000 rpm=1000\n5100 rpm=850\n",
                NotCatalysed,
                {"ui32", "ui29", "ui56", "ui33"},
                57},
        // The maker protocol gives up waiting after 15 s and judges the last values.
        RunCase{"NotCatalysedMakerStopsWaitingAndFails",
                Maker,
                PetrolNoCatalyst,
                1,
                QByteArray(Idle) + "500 rpm=850\n600 rpm=1100\n",
                NotCatalysed,
                {"ui32", "ui29", "ui56", "ui33"},
                59},
        // A value the analyser does not give is within no limit: the verdict on
        // it fails, and a phase that waits for its values waits for it.
        // No CO2 reading: the window's corrected CO (maker) and the analyser's (MCTC-NET) are none.
        RunCase{"IdleCorrectedCoWithoutCo2FailsMaker",
                Maker,
                PetrolCatalyst,
                1,
                "0 rpm=850 co=2.0 co2=none\n",
                FailedAtIdle,
                {"ui32", "ui58"},
                59,
                &CertificateReadings::COcorr},
        RunCase{"IdleCorrectedCoWithoutCo2FailsMctc",
                Mctc,
                PetrolCatalyst,
                1,
                "0 rpm=850 co=2.0 co2=none\n",
                FailedAtIdle,
                {"ui32", "ui58"},
                59,
                &CertificateReadings::COcorr},
        // The model 2 analyser gives no corrected CO at all.
        RunCase{"Model2WithoutCorrectedCoFails",
                2,
                PetrolCatalyst,
                1,
                Idle,
                FailedAtIdle,
                {"ui32", "ui58"},
                59,
                &CertificateReadings::COcorr},
        RunCase{"IdleSpeedLostFailsMaker",
                Maker,
                PetrolCatalyst,
                1,
                QByteArray(Idle) + "500 rpm=none\n",
                FailedAtIdle,
                {"ui32", "ui58"},
                59,
                &CertificateReadings::EngineSpeed},
        RunCase{"IdleSpeedLostFailsMctc",
                Mctc,
                PetrolCatalyst,
                1,
                QByteArray(Idle) + "500 rpm=none\n",
                FailedAtIdle,
                {"ui32", "ui58"},
                59,
                &CertificateReadings::EngineSpeed},
        RunCase{"AcceleratedCorrectedCoLostFailsMaker",
                Maker,
                PetrolCatalyst,
                1,
                QByteArray(Idle) + "6000 rpm=850\n6500 rpm=2300 lambda=1.01 co2=none\n",
                Catalysed,
                {"ui32", "ui58", "ui60", "ui56", "ui61"},
                59,
                &CertificateReadings::COcorr,
                false},
        RunCase{"AcceleratedCorrectedCoLostFailsMctc",
                Mctc,
                PetrolCatalyst,
                1,
                QByteArray(Idle) + "6000 rpm=850\n6500 rpm=2300 lambda=1.01 co2=none\n",
                Catalysed,
                {"ui32", "ui58", "ui60", "ui56", "ui61"},
                59,
                &CertificateReadings::COcorr,
                false},
        // An empty field reads 0 but is no reading; without the rpm check speed is not needed.
        RunCase{"AcceleratedEmptyCorrectedCoFieldFailsMctc",
                Mctc,
                PetrolCatalyst,
                0,
                "0 rpm=850 cocorr=0.1\n6000 rpm=850 cocorr=0.1\n6500 rpm=blank lambda=1.01 cocorr=blank\n",
                Catalysed,
                {"ui32", "ui58", "ui60", "ui56", "ui61"},
                59,
                &CertificateReadings::COcorr,
                false},
        // The maker protocol waits 15 s for a corrected CO, then judges without one.
        RunCase{"NotCatalysedMakerWaitsForCorrectedCoThenFails",
                Maker,
                PetrolNoCatalyst,
                1,
                QByteArray(Idle) + "500 co2=none\n",
                NotCatalysed,
                {"ui32", "ui56", "ui33"},
                59,
                &CertificateReadings::COcorr},
        // MCTC-NET waits as long as it takes: here until the field is filled again.
        RunCase{"NotCatalysedWaitsThroughAnEmptyCorrectedCoFieldMctc",
                Mctc,
                PetrolNoCatalyst,
                1,
                "0 rpm=850 cocorr=0.1\n500 cocorr=blank\n5000 cocorr=0.1\n",
                NotCatalysed,
                {"ui32", "ui56", "ui33"},
                57},
        // Whether air is in the sample cannot be told without O2: the idle phase
        // waits and is judged on the sample that follows.
        RunCase{"IdleWaitsWhileOxygenIsMissingMctc",
                Mctc,
                PetrolCatalyst,
                1,
                "0 rpm=850 o2=none co2=1.0 cocorr=0.1\n4000 o2=none co2=1.0 cocorr=0.1\n"
                "4000 o2=0.30 co2=14.8 cocorr=0.8\n",
                FailedAtIdle,
                {"ui32", "ui58"},
                59}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });

TEST_F(CertificationRunTest, SimulatorsReadyMadeRunsEndInTheirVerdicts) {
    const struct {
        const char* run;
        int model;
        QStringList phases;
        int verdict;
    } runs[] = {{"pass", Maker, Catalysed, 57},
                {"idle-fail", Mctc, FailedAtIdle, 59},
                {"lambda-fail", Maker, Catalysed, 59},
                {"diluted", Mctc, Catalysed, 57}};
    for (const auto& r : runs) {
        SCOPED_TRACE(r.run);
        const auto protocol = r.model == Mctc ? sim::GasProtocol::Mctc : sim::GasProtocol::Maker;
        const auto scenario = sim::CertificationRunScenario(QString::fromLatin1(r.run), protocol, Duration / 40);
        ASSERT_TRUE(scenario);
        startTest(r.model, PetrolCatalyst, *scenario);
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_EQ(playToVerdict().phases, r.phases);
        EXPECT_EQ(form->Label28.caption(), ui(r.verdict));
    }
}

TEST_F(CertificationRunTest, TestStoppedBeforeItsVerdictIsKeptOnceAsInterrupted) {
    for (const int model : {Maker, Mctc}) {
        SCOPED_TRACE(model);
        KeptTests archive;
        g.report.Archive = &archive;
        const auto protocol = model == Mctc ? sim::GasProtocol::Mctc : sim::GasProtocol::Maker;
        const auto scenario = sim::CertificationRunScenario(QStringLiteral("pass"), protocol, Duration / 40);
        ASSERT_TRUE(scenario);
        startTest(model, PetrolCatalyst, *scenario);
        for (int i = 0; i < 2000 && form->TestPhase != QLatin1String("TRE"); ++i)
            run(1);
        ASSERT_EQ(form->TestPhase, "TRE");
        // The operator presses the start (or, maker analyser, stop) button in mid-test, then closes the window.
        form->Command1_Click();
        form->Form_Unload();
        ASSERT_EQ(archive.kept.size(), 1u);
        EXPECT_EQ(archive.kept[0].outcome, ConcludedTest::Outcome::Interrupted);
        EXPECT_EQ(archive.kept[0].value(QStringLiteral("CO")), g.report.GasCertificate.Idle.CO.Text);
        g.report.Archive = nullptr;
    }
}

TEST_F(CertificationRunTest, LambdaAboveItsLimitKeepsTheTestGoingFor15SecondsThenFails) {
    startTest(Mctc, PetrolCatalyst, QByteArray(Idle) + "6000 rpm=850\n6500 rpm=2300 lambda=1.05\n");
    g.settings.LambdaLS = 1.03;
    const Trace trace = playToVerdict();
    ASSERT_EQ(trace.phases, Catalysed);
    EXPECT_TRUE(inOrder(trace.instructions, {"ui60", "ui56", "ui61"}));
    // The timed phase, then 600 ticks of "values not yet within limits".
    const int accelerated = trace.phaseTick.at("TRE");
    const int verdict = trace.phaseTick.at("QUATTRO");
    EXPECT_NEAR(verdict - accelerated, Duration + 600, 6);
    EXPECT_EQ(form->Label28.caption(), ui(59));
    EXPECT_EQ(form->Label26.backColor(), ui::colour::Red);
    EXPECT_EQ(form->Label9.backColor(), ui::colour::White);
    const CertificateReadings& accelerated2 = g.report.GasCertificate.AcceleratedIdle;
    EXPECT_EQ(accelerated2.Lambda.BackColor, ui::colour::Red);
    EXPECT_EQ(accelerated2.COcorr.BackColor, ui::colour::Yellow);
    EXPECT_EQ(accelerated2.EngineSpeed.BackColor, ui::colour::Yellow);
    EXPECT_EQ(accelerated2.Lambda.Text, "1.05");
}

TEST_F(CertificationRunTest, DilutedSampleRestartsTheIdlePhaseMctc) {
    // Air in the sample from 1 s to 4 s: the idle phase then needs a full
    // duration of good sample.
    startTest(Mctc, PetrolCatalyst,
              QByteArray(Idle) + "1000 o2=0.30 co2=14.8\n1000 o2=20.5 co2=0.5\n4000 o2=20.5 co2=0.5\n"
                                 "4000 o2=0.30 co2=14.8\n9000 rpm=850\n9500 rpm=2300 lambda=1.01\n");
    int restarts = 0;
    int lastValue = 0;
    for (int i = 0; i < 400 && form->TestPhase != QLatin1String("DUE"); ++i) {
        run(1);
        if (form->TestPhase == QLatin1String("UNO")) {
            if (form->PBar1.value() < lastValue)
                ++restarts;
            lastValue = form->PBar1.value();
        }
    }
    ASSERT_EQ(form->TestPhase, "DUE");
    EXPECT_GE(restarts, 1);
    // Judged on good sample only: scenario time 4 s plus a full duration had passed.
    EXPECT_GE(analyser->model().scenarioTime(clock.now()), 4000 + Duration * 25);
    EXPECT_EQ(form->Label28.caption(), ui(57));
    EXPECT_EQ(form->Label9.backColor(), ui::colour::White);
}

TEST_F(CertificationRunTest, IdlePhaseShowsProgressAndColoursCorrectedCo) {
    startTest(Mctc, PetrolCatalyst, "0 rpm=850 co=0.9 co2=14 lambda=1\n");
    for (int i = 0; i < 200 && form->TestPhase != QLatin1String("UNO"); ++i)
        run(1);
    ASSERT_EQ(form->TestPhase, "UNO");
    run(30);
    EXPECT_TRUE(form->PBar1.visible());
    EXPECT_EQ(form->PBar1.max(), Duration);
    EXPECT_GT(form->PBar1.value(), 20);
    EXPECT_EQ(form->Label27.caption(), ui(32));
    EXPECT_EQ(form->Label9.backColor(), ui::colour::Red);
    EXPECT_FALSE(form->Command2.enabled());
    // The certificate's results were cleared for the new test.
    EXPECT_EQ(g.report.GasCertificate.Idle.CO.Text, "");
    EXPECT_EQ(g.report.GasCertificate.Result.BackColor, ui::colour::Yellow);
}

TEST_F(CertificationRunTest, CertificateHoldsBothTestsAsDisplayed) {
    g.settings.GasMake = "Korvellan";
    g.settings.GasApproval = "OM 12345 GAS";
    g.settings.RpmMake = "Tachy 9";
    g.station.TechnicalManager = "Ing. Rossi";
    g.station.AgencyName = "Officina Nord";
    g.station.AmbientTemperature = "21";
    startTest(Mctc, PetrolCatalyst,
              "0 rpm=850 co=0.12 co2=14.6 o2=0.35 hc=42 lambda=1.002\n6000 rpm=850 co=0.12 hc=42 lambda=1.002\n"
              "6500 rpm=2310 co=0.05 hc=25 lambda=1.012\n");
    // The vehicle data are read from Conf.ini as the window opens.
    g.station.VehiclePlate = "AB123CD";
    const QDateTime started = ui::Clock::now();
    const Trace trace = playToVerdict();
    ASSERT_EQ(trace.phases, Catalysed);
    ASSERT_EQ(form->Label28.caption(), ui(57));

    const GasCertificateRecord& c = g.report.GasCertificate;
    const auto texts = [](const CertificateReadings& r) {
        return QStringList{r.EngineSpeed.Text, r.CO.Text, r.CO2.Text,   r.COcorr.Text,
                           r.HC.Text,          r.O2.Text, r.Lambda.Text};
    };
    EXPECT_EQ(texts(c.Idle), trace.idleShown);
    EXPECT_EQ(texts(c.AcceleratedIdle), shownValues());
    EXPECT_EQ(c.Idle.CO.Text, "0.12");
    EXPECT_EQ(c.Idle.Lambda.Text, "1.002");
    EXPECT_EQ(c.AcceleratedIdle.EngineSpeed.Text, "2310");
    EXPECT_EQ(c.Idle.COcorrLimit, "0.5");
    EXPECT_EQ(c.AcceleratedIdle.COcorrLimit, "0.3");
    EXPECT_EQ(c.LambdaLimits, "0.97 - 1.03");
    EXPECT_EQ(c.OilTemperature, form->Label13.caption());
    for (const CertificateField* field : {&c.Idle.COcorr, &c.Idle.EngineSpeed, &c.AcceleratedIdle.Lambda})
        EXPECT_EQ(field->BackColor, ui::colour::Yellow);
    EXPECT_EQ(c.Header.AnalyserMake, "Korvellan");
    EXPECT_EQ(c.Header.AnalyserModel, "KAPRO 500");
    EXPECT_EQ(c.Header.AnalyserHomologation, "OM 12345 GAS");
    EXPECT_EQ(c.Header.AnalyserSerial, "GV000001");
    EXPECT_EQ(c.Header.CalibrationDate, "31/12/2030");
    EXPECT_EQ(c.Header.RpmMakeType, "Tachy 9");
    EXPECT_EQ(c.Header.Fuel, form->Combo1.text());
    EXPECT_EQ(c.Header.EngineType, "RPM conv(4T)");
    EXPECT_EQ(c.AmbientTemperature, "21");
    EXPECT_EQ(c.TechnicalManager, "Ing. Rossi");
    EXPECT_EQ(c.AgencyName, "Officina Nord");
    EXPECT_EQ(c.Date, "05/03/2024");
    EXPECT_EQ(c.StartTime, ui::formatTime(started.time()));
    EXPECT_EQ(c.EndTime, "");
}

class CertificationViewTest : public CertificationRunTest {
  protected:
    void TearDown() override {
        view.reset();
        CertificationRunTest::TearDown();
    }
    std::unique_ptr<ANGASView> view;
};

TEST_F(CertificationViewTest, ScreenshotsOfTheIdlePhaseAndTheVerdict) {
    installLanguageFile();
    for (const auto& [language, suffix] : {std::pair{1, "it"}, {2, "en"}}) {
        SCOPED_TRACE(suffix);
        view.reset();
        LoadLanguageTexts(g, language);
        g.settings.LanguageCode = static_cast<std::int16_t>(language);
        startTest(Mctc, PetrolCatalyst, QByteArray(Idle) + Accelerate);
        ASSERT_FALSE(HasFatalFailure());
        view = std::make_unique<ANGASView>(*form);
        for (int i = 0; i < 300 && form->TestPhase != QLatin1String("UNO"); ++i)
            run(1);
        run(40);
        auto* progress = view->findChild<QProgressBar*>("PBar1");
        ASSERT_NE(progress, nullptr);
        EXPECT_TRUE(saveScreenshot(view.get(), QStringLiteral("gas-idle-phase-%1.png").arg(suffix)));
        EXPECT_TRUE(progress->isVisible());
        EXPECT_EQ(progress->maximum(), Duration);
        EXPECT_GT(progress->value(), 0);
        EXPECT_EQ(view->findChild<QLabel*>("Label27")->text(), g.lang.UiText[32]);

        playToVerdict();
        EXPECT_TRUE(saveScreenshot(view.get(), QStringLiteral("gas-verdict-%1.png").arg(suffix)));
        EXPECT_EQ(view->findChild<QLabel*>("Label28")->text(), g.lang.UiText[57]);
        EXPECT_FALSE(progress->isVisible());
    }
}

} // namespace
