// The idle and accelerated-idle test phases run on each measurement reply
// while the gate of testPhasesGateOpen() is open: one step at most per reply.
#include "gas/ANGAS.h"

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
    if (limits.rpmCheck && gas().GasEngineSpeed >= limits.rpmMin) {
        Label27.setCaption(uiText(UiSlowDown));
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
    }
}

void ANGAS::catalysedPause() {
    if (!phaseElapsed())
        return;
    Label28.setCaption(uiText(UiResult));
    Label28.setBackColor(ui::colour::White);
    const gas::GasLimits limits = gas::LimitsOf(g_.settings);
    // The timed measurement starts once the engine is within the accelerated-idle range.
    if (limits.rpmCheck && gas::AcceleratedSpeedBand(limits, gas().GasEngineSpeed) != gas::SpeedBand::Within) {
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
        const GasState& gs = gas();
        const gas::AcceleratedVerdict values =
            gas::JudgeAcceleratedIdle(gas::LimitsOf(g_.settings), gs.GasEngineSpeed, gs.GasCOcorr, gs.GasLambda, true);
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
        const GasState& gs = gas();
        const gas::GasLimits limits = gas::LimitsOf(g_.settings);
        // The engine must be back below the idle limit whether or not speed is checked.
        if (gs.GasEngineSpeed >= limits.rpmMin || gs.GasCOcorr > limits.coCorrIdle)
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
    return linkMode_ == MctcNet && gas::IsDiluted(gas().GasO2, gas().GasCO2);
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
        switch (gas::AcceleratedSpeedBand(limits, gas().GasEngineSpeed)) {
        case gas::SpeedBand::Below: instruction = UiSpeedUp; break;
        case gas::SpeedBand::Above: instruction = UiSlowDown; break;
        case gas::SpeedBand::Within: break;
        }
    }
    Label27.setCaption(uiText(instruction));
}

void ANGAS::colourIdleCOcorr() {
    const bool high = gas().GasCOcorr > g_.settings.LCOcorMin;
    Label9.setBackColor(high ? ui::colour::Red : ui::colour::White);
}

void ANGAS::colourAcceleratedValues() {
    const GasState& gs = gas();
    const gas::AcceleratedVerdict values =
        gas::JudgeAcceleratedIdle(gas::LimitsOf(g_.settings), gs.GasEngineSpeed, gs.GasCOcorr, gs.GasLambda, true);
    Label9.setBackColor(values.coCorrHigh ? ui::colour::Red : ui::colour::White);
    Label26.setBackColor(values.lambdaOut ? ui::colour::Red : ui::colour::White);
}

void ANGAS::abandonInterruptedTest() {
    // Readings from before and after a lost line must never make one verdict:
    // the test is given up and the operator starts it again.
    if (TestPhase.isEmpty() || TestPhase == QLatin1String("OUT"))
        return;
    TestPhase.clear();
    PBar1.setVisible(false);
    clearCertificateResults();
    Command2.setEnabled(false);
    Label28.setCaption(uiText(UiResult));
    Label28.setBackColor(ui::colour::White);
    setInstruction(NamedText(g_, u"LINEAProvaInterrotta"), ui::colour::Red);
}
