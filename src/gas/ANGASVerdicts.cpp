// The idle and accelerated-idle verdicts and the certificate and diagnosis
// records they fill. The records hold the values as the window shows them,
// so the sheets and report.log never need the window.
#include "gas/ANGAS.h"

#include "gas/GasVerdicts.h"
#include "report/ConcludedTests.h"
#include "settings/NumberText.h"
#include "shared/Globals.h"
#include "ui/Clock.h"

#include <array>

namespace {

constexpr int UiPassed = 57;
constexpr int UiNotPassed = 59;

ui::Colour redWhen(bool condition) {
    return condition ? ui::colour::Red : ui::colour::Yellow;
}

std::array<CertificateField*, 7> readingFields(CertificateReadings& r) {
    return {&r.EngineSpeed, &r.CO, &r.CO2, &r.COcorr, &r.HC, &r.O2, &r.Lambda};
}

// The texts of the value labels; the colours stay as the verdict set them.
void copyDisplayedReadings(const ANGAS& window, CertificateReadings& r) {
    r.EngineSpeed.Text = window.Label15.caption();
    r.CO.Text = window.Label8.caption();
    r.CO2.Text = window.Label10.caption();
    r.COcorr.Text = window.Label9.caption();
    r.HC.Text = window.Label11.caption();
    r.O2.Text = window.Label12.caption();
    r.Lambda.Text = window.Label26.caption();
}

} // namespace

void ANGAS::ProvaMin() {
    const gas::TestReadings r = testReadings();
    const gas::GasLimits limits = gas::LimitsOf(g_.settings);
    const gas::IdleVerdict verdict = gas::JudgeIdle(limits, r.engineSpeed, r.coCorr);
    GasCertificateRecord& c = g_.report.GasCertificate;
    if (verdict.passed()) {
        Label28.setCaption(uiText(UiPassed));
        Label28.setBackColor(ui::colour::Green);
        RisMin = 1;
    } else {
        Label28.setCaption(uiText(UiNotPassed));
        Label28.setBackColor(ui::colour::Red);
        RisMin = 0;
    }
    c.Idle.COcorr.BackColor = redWhen(verdict.coCorrHigh);
    c.Idle.EngineSpeed.BackColor = redWhen(verdict.speedHigh);

    fillCertificateStation();
    c.OilTemperature = Label13.caption();
    copyDisplayedReadings(*this, c.Idle);
    c.Idle.COcorrLimit = settings::formatDouble(limits.coCorrIdle);
    c.Date = ui::formatDate(ui::Clock::today());
    c.StartTime = MeasurementStart.isValid() ? ui::formatTime(MeasurementStart.time()) : QString();
}

void ANGAS::ProvaMinAcc() {
    const gas::TestReadings r = testReadings();
    const gas::GasLimits limits = gas::LimitsOf(g_.settings);
    const gas::AcceleratedVerdict verdict =
        gas::JudgeAcceleratedIdle(limits, r.engineSpeed, r.coCorr, r.lambda, RisMin == 1);
    GasCertificateRecord& c = g_.report.GasCertificate;
    if (verdict.passed()) {
        Label28.setCaption(uiText(UiPassed));
        Label28.setBackColor(ui::colour::Green);
        c.Result = {uiText(UiPassed), ui::colour::Yellow};
    } else {
        Label28.setCaption(uiText(UiNotPassed));
        Label28.setBackColor(ui::colour::Red);
        c.Result = {uiText(UiNotPassed), ui::colour::Red};
    }
    c.AcceleratedIdle.EngineSpeed.BackColor = redWhen(verdict.speedOut);
    c.AcceleratedIdle.COcorr.BackColor = redWhen(verdict.coCorrHigh);
    c.AcceleratedIdle.Lambda.BackColor = redWhen(verdict.lambdaOut);

    copyDisplayedReadings(*this, c.AcceleratedIdle);
    c.AcceleratedIdle.COcorrLimit = settings::formatDouble(limits.coCorrAcc);
    c.LambdaLimits =
        settings::formatDouble(limits.lambdaLow) + QStringLiteral(" - ") + settings::formatDouble(limits.lambdaHigh);
}

void ANGAS::keepCertification() {
    KeepConcludedTest(g_, ConcludedGasCertificate(g_, ui::Clock::now()));
}

void ANGAS::keepInterruptedCertification() {
    const bool underway = TestPhase == QLatin1String("UNO") || TestPhase == QLatin1String("DUE") ||
                          TestPhase == QLatin1String("TRE") || TestPhase == QLatin1String("QUATTRO");
    if (TProve != 0 || !underway)
        return;
    ConcludedTest test = ConcludedGasCertificate(g_, ui::Clock::now());
    test.outcome = ConcludedTest::Outcome::Interrupted;
    KeepConcludedTest(g_, test);
    // Kept once: the phases of a stopped test do not run on.
    TestPhase = QStringLiteral("OUT");
}

void ANGAS::clearCertificateResults() {
    GasCertificateRecord& c = g_.report.GasCertificate;
    c = GasCertificateRecord{};
    for (CertificateReadings* readings : {&c.Idle, &c.AcceleratedIdle})
        for (CertificateField* field : readingFields(*readings))
            field->BackColor = ui::colour::Yellow;
    c.Result.BackColor = ui::colour::Yellow;
    c.ExpiredInstrumentOverride = startedOnExpiredInstrument_;
}

GasSheetHeader ANGAS::sheetHeader() const {
    const SettingsState& s = g_.settings;
    const StationState& st = g_.station;
    const GasState& gs = gas();
    GasSheetHeader h;
    h.AnalyserMake = s.GasMake;
    h.AnalyserModel = Label1.caption();
    h.AnalyserHomologation = s.GasApproval;
    h.AnalyserSerial = gs.AnalyserSerial;
    h.CalibrationDate = gs.CalibrationDate;
    h.RpmMakeType = s.RpmMake;
    h.RpmHomologation = s.RpmApproval;
    h.RpmSerial = s.RpmSerial;
    h.RpmExpiry = s.RpmExpiry;
    h.VehicleMakeType = st.VehicleMakeType;
    h.VehicleModel = st.VehicleModel;
    h.VehiclePlate = st.VehiclePlate;
    h.VehicleChassis = st.VehicleChassis;
    h.EngineType = Combo3.text();
    h.Fuel = Combo1.text();
    h.VehicleYear = st.VehicleYear;
    return h;
}

void ANGAS::fillCertificateStation() {
    const StationState& st = g_.station;
    GasCertificateRecord& c = g_.report.GasCertificate;
    c.Header = sheetHeader();
    c.AmbientTemperature = st.AmbientTemperature;
    c.AmbientPressure = st.AmbientPressure;
    c.AmbientHumidity = st.AmbientHumidity;
    c.TechnicalManager = st.TechnicalManager;
    c.AgencyName = st.AgencyName;
}

void ANGAS::fillDiagnosis() {
    GasDiagnosisRecord& d = g_.report.GasDiagnosis;
    d = GasDiagnosisRecord{};
    d.Header = sheetHeader();
    d.OilTemperature = Label13.caption();
    d.EngineSpeed = Label15.caption();
    d.CO = Label8.caption();
    d.CO2 = Label10.caption();
    d.COcorr = Label9.caption();
    d.HC = Label11.caption();
    d.O2 = Label12.caption();
    d.Lambda = Label26.caption();
    d.NOx = Label33.caption();
    d.OperatorName = g_.station.OperatorName;
    d.AgencyName = g_.station.AgencyName;
}
