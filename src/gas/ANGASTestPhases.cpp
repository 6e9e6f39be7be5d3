// The idle and accelerated-idle test phases run on each measurement reply
// while the gate of testPhasesGateOpen() is open: one step at most per reply.
#include "gas/ANGAS.h"

#include "gas/GasParsers.h"
#include "gas/GasVerdicts.h"
#include "lang/LanguageTexts.h"
#include "shared/Globals.h"

#include <algorithm>

namespace {

constexpr int UiSlowDown = 29;
constexpr int UiSpeedUp = 30;
constexpr int UiHoldIdle = 32;
constexpr int UiTestEnded = 33;
constexpr int UiKeepGoing = 56;
constexpr int UiIdleEnded = 58;
constexpr int UiHoldAccelerated = 60;
constexpr int UiAcceleratedEnded = 61;
constexpr int UiResult = 11;
constexpr int UiNotPassed = 59;

// The idle verdict stays on screen this long before the accelerated idle is asked for.
constexpr int IdleVerdictTicks = 140;
// How long after its timed measurement a phase may wait for its values to come within limits.
constexpr int GraceTicks = 600;

bool isCatalysed(int fuel) {
    return fuel % 2 == 1;
}

} // namespace

gas::TestReadings ANGAS::testReadings() const {
    using Reply = gas::MeasurementReply;
    const GasState& gs = gas();
    const auto reading = [this](double value, Reply::Field field) {
        return unreadMeasurementFields_ & (1u << field) ? gas::NoValue : value;
    };
    return {reading(gs.GasEngineSpeed, Reply::EngineSpeed), reading(gs.GasCOcorr, Reply::COcorr),
            reading(gs.GasLambda, Reply::Lambda), reading(gs.GasO2, Reply::O2), reading(gs.GasCO2, Reply::CO2)};
}

void ANGAS::RunTestPhases() {
    if (TestPhase == QLatin1String("MINIMO"))
        startIdlePhase();
    else if (isCatalysed(TCarb))
        runCatalysedPhase();
    else
        runNonCatalysedPhase();
}

void ANGAS::startIdlePhase() {
    RisMin = 0;
    clearCertificateResults();
    Command2.setEnabled(false);
    const gas::GasLimits limits = gas::LimitsOf(g_.settings);
    // The timed measurement starts only with the engine known to be at idle.
    const double speed = testReadings().engineSpeed;
    if (limits.rpmCheck && gas::IdleSpeedAwaited(limits, speed)) {
        Label27.setCaption(uiText(gas::IsGiven(speed) ? UiSlowDown : UiHoldIdle));
        return;
    }
    TestPhase = QStringLiteral("UNO");
    Label27.setCaption(uiText(UiHoldIdle));
    startTimedPhase();
}

void ANGAS::runCatalysedPhase() {
    if (TestPhase == QLatin1String("UNO"))
        catalysedIdle();
    else if (TestPhase == QLatin1String("DUE"))
        catalysedPause();
    else if (TestPhase == QLatin1String("TRE"))
        acceleratedIdle();
    else if (TestPhase == QLatin1String("QUATTRO")) {
        Label27.setCaption(uiText(UiAcceleratedEnded));
        ProvaMinAcc();
        Command2.setEnabled(true);
        TestPhase = QStringLiteral("OUT");
        keepCertification();
    }
}

void ANGAS::catalysedIdle() {
    showIdleInstruction();
    colourIdleCOcorr();
    if (!phaseElapsed()) {
        if (sampleDiluted())
            startTimedPhase();
        else
            showPhaseProgress();
        return;
    }
    PBar1.setVisible(false);
    if (sampleDiluted())
        return;
    Label27.setCaption(uiText(UiIdleEnded));
    ProvaMin();
    CertificateField& result = g_.report.GasCertificate.Result;
    if (RisMin == 1) {
        result.BackColor = ui::colour::Yellow;
        PhaseEndTick = TickCount + IdleVerdictTicks;
        TestPhase = QStringLiteral("DUE");
    } else {
        result = {uiText(UiNotPassed), ui::colour::Red};
        Command2.setEnabled(true);
        TestPhase = QStringLiteral("OUT");
        keepCertification();
    }
}

void ANGAS::catalysedPause() {
    if (!phaseElapsed())
        return;
    Label28.setCaption(uiText(UiResult));
    Label28.setBackColor(ui::colour::White);
    const gas::GasLimits limits = gas::LimitsOf(g_.settings);
    // The timed measurement starts once the engine is within the accelerated-idle range.
    if (limits.rpmCheck && gas::AcceleratedSpeedBand(limits, testReadings().engineSpeed) != gas::SpeedBand::Within) {
        showAcceleratedInstruction();
        return;
    }
    Label27.setCaption(uiText(UiHoldAccelerated));
    startTimedPhase();
    TestPhase = QStringLiteral("TRE");
}

void ANGAS::acceleratedIdle() {
    if (graceElapsed()) {
        // The values never came within limits: the verdict is taken on the last ones.
        TestPhase = QStringLiteral("QUATTRO");
    } else if (phaseElapsed()) {
        PBar1.setVisible(false);
        if (sampleDiluted())
            return;
        const gas::TestReadings r = testReadings();
        const gas::AcceleratedVerdict values =
            gas::JudgeAcceleratedIdle(gas::LimitsOf(g_.settings), r.engineSpeed, r.coCorr, r.lambda, true);
        if (values.valuesWithin())
            TestPhase = QStringLiteral("QUATTRO");
        else
            Label27.setCaption(uiText(UiKeepGoing));
    } else {
        if (sampleDiluted()) {
            startTimedPhase();
            return;
        }
        showPhaseProgress();
        showAcceleratedInstruction();
    }
    colourAcceleratedValues();
}

void ANGAS::runNonCatalysedPhase() {
    if (TestPhase == QLatin1String("UNO")) {
        nonCatalysedIdle();
    } else if (TestPhase == QLatin1String("DUE")) {
        Label27.setCaption(uiText(UiTestEnded));
        ProvaMin();
        const QString verdict = Label28.caption();
        g_.report.GasCertificate.Result = {verdict, RisMin == 1 ? ui::colour::Yellow : ui::colour::Red};
        Command2.setEnabled(true);
        TestPhase = QStringLiteral("OUT");
        keepCertification();
    }
}

void ANGAS::nonCatalysedIdle() {
    // The maker protocol gives up waiting for the values after a grace time;
    // an MCTC-NET analyser keeps the phase until they come within limits.
    if (linkMode_ == MakerFrames && graceElapsed()) {
        TestPhase = QStringLiteral("DUE");
        return;
    }
    if (phaseElapsed()) {
        PBar1.setVisible(false);
        if (sampleDiluted())
            return;
        const gas::TestReadings r = testReadings();
        // The engine must be back below the idle limit whether or not speed is checked.
        if (gas::IdleValuesAwaited(gas::LimitsOf(g_.settings), r.engineSpeed, r.coCorr))
            Label27.setCaption(uiText(UiKeepGoing));
        else
            TestPhase = QStringLiteral("DUE");
        return;
    }
    if (sampleDiluted()) {
        startTimedPhase();
        return;
    }
    showPhaseProgress();
    showIdleInstruction();
    colourIdleCOcorr();
}

void ANGAS::startTimedPhase() {
    const int duration = std::max<int>(0, g_.settings.TestDurationTicks);
    PhaseStartTick = TickCount;
    PhaseEndTick = TickCount + static_cast<std::int64_t>(duration);
    PBar1.setMax(duration);
    PBar1.setValue(0);
    PBar1.setVisible(true);
}

void ANGAS::showPhaseProgress() {
    PBar1.setValue(static_cast<int>(std::clamp<std::int64_t>(TickCount - PhaseStartTick, 0, PBar1.max())));
}

bool ANGAS::phaseElapsed() const {
    return PhaseEndTick < TickCount;
}

bool ANGAS::graceElapsed() const {
    return PhaseEndTick + GraceTicks < TickCount;
}

bool ANGAS::sampleDiluted() const {
    // Only an MCTC-NET analyser's readings are checked for air in the sample.
    const gas::TestReadings r = testReadings();
    return linkMode_ == MctcNet && gas::IsDiluted(r.o2, r.co2);
}

void ANGAS::showIdleInstruction() {
    const gas::GasLimits limits = gas::LimitsOf(g_.settings);
    const bool tooFast = limits.rpmCheck && gas().GasEngineSpeed >= limits.rpmMin;
    Label27.setCaption(uiText(tooFast ? UiSlowDown : UiHoldIdle));
}

void ANGAS::showAcceleratedInstruction() {
    const gas::GasLimits limits = gas::LimitsOf(g_.settings);
    int instruction = UiHoldAccelerated;
    if (limits.rpmCheck) {
        switch (gas::AcceleratedSpeedBand(limits, testReadings().engineSpeed)) {
        case gas::SpeedBand::Below: instruction = UiSpeedUp; break;
        case gas::SpeedBand::Above: instruction = UiSlowDown; break;
        case gas::SpeedBand::Within: break;
        }
    }
    Label27.setCaption(uiText(instruction));
}

void ANGAS::colourIdleCOcorr() {
    const double coCorr = testReadings().coCorr;
    const bool high = !gas::IsGiven(coCorr) || coCorr > g_.settings.LCOcorMin;
    Label9.setBackColor(high ? ui::colour::Red : ui::colour::White);
}

void ANGAS::colourAcceleratedValues() {
    const gas::TestReadings r = testReadings();
    const gas::AcceleratedVerdict values =
        gas::JudgeAcceleratedIdle(gas::LimitsOf(g_.settings), r.engineSpeed, r.coCorr, r.lambda, true);
    Label9.setBackColor(values.coCorrHigh ? ui::colour::Red : ui::colour::White);
    Label26.setBackColor(values.lambdaOut ? ui::colour::Red : ui::colour::White);
}

void ANGAS::abandonInterruptedTest() {
    // Readings from before and after a lost line must never make one verdict:
    // the test is given up and the operator starts it again.
    if (TestPhase.isEmpty() || TestPhase == QLatin1String("OUT"))
        return;
    keepInterruptedCertification();
    TestPhase.clear();
    PBar1.setVisible(false);
    clearCertificateResults();
    Command2.setEnabled(false);
    Label28.setCaption(uiText(UiResult));
    Label28.setBackColor(ui::colour::White);
    setInstruction(NamedText(g_, u"LINEAProvaInterrotta"), ui::colour::Red);
}
