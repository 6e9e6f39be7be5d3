// What a value reply leads to, in either protocol: the readings, their
// display and log, the acceleration row and the test phases.

#include "smoke/ANFUMO.h"

#include "link/LiveValueLog.h"
#include "shared/Globals.h"
#include "smoke/SmokeDisplay.h"
#include "smoke/SmokeNumbers.h"
#include "smoke/SmokeTexts.h"
#include "ui/Clock.h"

namespace {

// Speeds the rev sensor cannot stand for: an idle this low or a peak this high
// is shown as out of range.
constexpr double LowestIdle = 350;
constexpr double HighestPeak = 9500;

} // namespace

void ANFUMO::takeReadings(const SmokeReadings& r) {
    SmokeState& s = g_.smoke;
    s.OpacityK = r.opacityK;
    s.OpacityPercent = r.opacityPercent;
    s.EngineSpeed = g_.settings.ExternalRpm == 1 ? g_.rpm.RpmValue : r.engineSpeed;
    s.SmokeOilTemperature = g_.settings.ExternalOilTemp == 1 ? g_.rpm.OilTemperature : r.oilTemperature;
    s.CellTemperature = r.cellTemperature;
    s.SmokeTemperature = r.smokeTemperature;
    kGiven_ = r.opacityKGiven;
    cellTemperatureGiven_ = r.cellTemperatureGiven;
    speedGiven_ = g_.settings.ExternalRpm == 1 ? s.EngineSpeed != -1 : r.engineSpeedGiven;
}

void ANFUMO::afterValueReply() {
    SmokeState& s = g_.smoke;
    s.OpacityK = PressureCorrectedK(s.OpacityK, g_.station.AmbientPressure);
    if (AlarmActive == 0) {
        showReadings();
        writeSmokeLog();
    }
    TrackIdleSpeed(g_);
    // Without k, or without the cell temperature that says whether k counts,
    // the peak of the acceleration held at full throttle is unknown.
    if ((!kGiven_ || !cellTemperatureGiven_) && TestPhase == QLatin1String("DUE"))
        peakUnknown_ = true;
    if (warm() && TestPhase == QLatin1String("DUE")) {
        TrackPeaks(g_);
        if (MeasureSelection == DirectAcquisition)
            s.PeakOpacity = s.OpacityK;
        writeAccelerationRow();
    }
    if (AlarmActive == 0 && s.AccelerationIndex < AccelerationRows)
        runTestPhases();
    concludeIfDone();
    if (MeasureSelection == Chart)
        mirrorToChart();
}

void ANFUMO::showReadings() {
    const SmokeState& s = g_.smoke;
    const bool mctc = linkMode() == 2;
    const auto temperature = [mctc](double value) {
        return mctc ? TemperatureCaption(value) : NonNegativeCaption(value);
    };
    Label24.setCaption(temperature(s.CellTemperature));
    Label25.setCaption(temperature(s.SmokeOilTemperature));
    Label26.setCaption(temperature(s.SmokeTemperature));
    Label27.setCaption(NonNegativeCaption(s.OpacityK));
    if (mctc && g_.settings.SmokeUnit == 1)
        Label28.setCaption(NumberCaption(HsuFromOpacityPercent(s.OpacityPercent)));
    else
        Label28.setCaption(NonNegativeCaption(s.OpacityPercent));
    Label31.setCaption(NonNegativeCaption(s.EngineSpeed));
}

void ANFUMO::writeSmokeLog() {
    if (!LogEnabled)
        return;
    // A maker opacimeter never reports "measuring": its ready state is when it measures.
    const auto& text = g_.lang.UiText;
    const QString& measuring = text[linkMode() == 2 ? smoke_text::Misura : smoke_text::Attivo];
    if (Label2.caption() != measuring)
        return;
    const QStringList shown{Label27.caption(), Label28.caption(), Label31.caption(),
                            Label25.caption(), Label24.caption(), Label26.caption()};
    AppendLiveValueLog(QStringLiteral("smoke.log"),
                       LiveValueLogLine(shown, ui::Clock::today(), g_.link.InstrumentIdentity.SerialNumber));
}

void ANFUMO::writeAccelerationRow() {
    SmokeState& s = g_.smoke;
    const int row = s.AccelerationIndex;
    // After the last acceleration the manual selections stay in "DUE": no row is left.
    if (row < 0 || row >= AccelerationRows)
        return;
    const QString outOfRange = QString::fromLatin1(OutOfRange);
    const auto fill = [&](bool idleOut, bool peakOut) {
        Label36[row].setCaption(peakUnknown_ ? QString::fromLatin1(NoValue) : NumberCaption(s.PeakOpacity));
        Label18[row].setCaption(NumberCaption(s.PeakSpeedShown));
        Label37[row].setCaption(idleOut ? outOfRange : NumberCaption(s.IdleSpeed));
        Label38[row].setCaption(peakOut ? outOfRange : NumberCaption(s.PeakSpeed));
    };
    // When both speeds are out of range the last rule wins: the idle shows as a number.
    if (s.IdleSpeed > LowestIdle && s.PeakSpeed < HighestPeak)
        fill(false, false);
    if (s.IdleSpeed <= LowestIdle)
        fill(true, false);
    if (s.PeakSpeed >= HighestPeak)
        fill(false, true);

    s.LowestIdleSpeed = qMin(s.LowestIdleSpeed, ShownNumber(Label37[row].caption()));
    Label52.setCaption(NumberCaption(s.LowestIdleSpeed));
    s.HighestPeakSpeed = qMax(s.HighestPeakSpeed, ShownNumber(Label38[row].caption()));
    Label53.setCaption(NumberCaption(s.HighestPeakSpeed));
    StoreSpeedExtremes(g_);
}

void ANFUMO::concludeIfDone() {
    if (AlarmActive != 0 || g_.smoke.AccelerationIndex < AccelerationRows)
        return;
    TestPhase = QStringLiteral(" ");
    setPrompt(smoke_text::Concl, ui::colour::LightBlue);
    if (linkMode() == 2 && EndNoticePending) {
        EndNoticePending = false;
        raiseExclam();
    }
}
