#include "ReportData.h"

#include "ui/Colours.h"

#include <QDate>
#include <QTime>

namespace {

void fillHeader(GasSheetHeader& h) {
    h.AnalyserMake = "Korvellan";
    h.AnalyserModel = "KGA 4000";
    h.AnalyserHomologation = "OM 12345/GAS";
    h.AnalyserSerial = "GA-0042";
    h.CalibrationDate = "15/03/2027";
    h.RpmMakeType = "Korvellan RC 20";
    h.RpmHomologation = "OM 777/RPM";
    h.RpmSerial = "RC-1001";
    h.RpmExpiry = "01/09/2027";
    h.VehicleMakeType = "Fiat Punto 1.2";
    h.VehicleModel = "188A4000";
    h.VehiclePlate = "AB123CD";
    h.VehicleChassis = "ZFA18800000123456";
    h.EngineType = "4 tempi";
    h.Fuel = "Benzina catalizzata";
    h.VehicleYear = "2004";
}

CertificateField field(const char* text, ui::Colour colour = ui::colour::Yellow) {
    return CertificateField{QString::fromUtf8(text), colour};
}

} // namespace

void fillPassedCertificate(Globals& g) {
    GasCertificateRecord& c = g.report.GasCertificate;
    fillHeader(c.Header);
    c.AmbientTemperature = "21";
    c.AmbientPressure = "1013";
    c.AmbientHumidity = "45";
    c.OilTemperature = "82";
    c.Idle.EngineSpeed = field("850");
    c.Idle.CO = field("0.12", ui::colour::White);
    c.Idle.CO2 = field("14.8", ui::colour::White);
    c.Idle.COcorr = field("0.12");
    c.Idle.HC = field("35", ui::colour::White);
    c.Idle.O2 = field("0.25", ui::colour::White);
    c.Idle.Lambda = field("1.004", ui::colour::White);
    c.Idle.COcorrLimit = "0.5";
    c.AcceleratedIdle.EngineSpeed = field("2350");
    c.AcceleratedIdle.CO = field("0.08", ui::colour::White);
    c.AcceleratedIdle.CO2 = field("14.9", ui::colour::White);
    c.AcceleratedIdle.COcorr = field("0.08");
    c.AcceleratedIdle.HC = field("22", ui::colour::White);
    c.AcceleratedIdle.O2 = field("0.31", ui::colour::White);
    c.AcceleratedIdle.Lambda = field("1.012");
    c.AcceleratedIdle.COcorrLimit = "0.3";
    c.LambdaLimits = "0.97 - 1.03";
    c.Result = field("PROVA SUPERATA");
    c.Date = "08/12/2026";
    c.StartTime = "10:02:15";
    c.EndTime = "10:09:40";
    c.TechnicalManager = "Ing. Marta Rossi";
    c.AgencyName = "Officina Revisioni Nord";
}

void fillDiagnosis(Globals& g) {
    GasDiagnosisRecord& d = g.report.GasDiagnosis;
    fillHeader(d.Header);
    d.OilTemperature = "79";
    d.EngineSpeed = "860";
    d.CO = "0.15";
    d.CO2 = "14.6";
    d.COcorr = "0.15";
    d.HC = "41";
    d.O2 = "0.30";
    d.Lambda = "1.006";
    d.NOx = "120";
    d.Date = "08/12/2026";
    d.Time = "11:30:05";
    d.OperatorName = "Luca Bianchi";
    d.AgencyName = "Officina Revisioni Nord";
}

void fillFiveAccelerationSmokeTest(Globals& g) {
    InstrumentIdentityRecord& id = g.link.InstrumentIdentity;
    id.Maker = "Korvellan";
    id.Model = "OPK 500";
    id.Homologation = "OM 54321/OPA";
    id.SerialNumber = "OP-0815";
    id.ExpiryDate = "30/06/2027";
    SettingsState& s = g.settings;
    s.RpmMake = "Korvellan RC 20";
    s.RpmApproval = "OM 777/RPM";
    s.RpmSerial = "RC-1001";
    s.RpmExpiry = "01/09/2027";
    s.LimitRpmMin = 1000;
    s.LimitRpmMax = 3000;
    s.OpacityThreshold = 0.5;
    s.OpacityLimitK = 1.5;
    s.SmokeUnit = 0;
    StationState& st = g.station;
    st.VehicleMakeType = "Iveco Daily 35C";
    st.VehiclePlate = "EF456GH";
    st.VehicleChassis = "ZCFC35A0005123456";
    st.VehicleYear = "2011";
    st.AmbientTemperature = "18";
    st.AmbientPressure = "1009";
    st.AmbientHumidity = "60";
    st.TechnicalManager = "Ing. Marta Rossi";
    st.AgencyName = "Officina Revisioni Nord";

    SmokeState& smoke = g.smoke;
    smoke.SmokeOilTemperature = 84.5;
    const char* peaks[] = {"1.95", "1.82", "1.41", "1.36", "1.30"};
    const char* speeds[] = {"4210", "4180", "4230", "4200", "4190"};
    for (int row = 0; row < SmokeState::AccelerationRowCount; ++row) {
        smoke.RowPeakText[row] = row < 5 ? QString::fromLatin1(peaks[row]) : QString();
        smoke.RowSpeedText[row] = row < 5 ? QString::fromLatin1(speeds[row]) : QString();
        const std::int16_t mark = row >= 2 && row < 5 ? SmokeState::RowInAcceptedSet : SmokeState::RowOutsideSet;
        smoke.RowUsedK[row] = mark;
        smoke.RowUsedSpeed[row] = mark;
    }
    SmokeTestResultRecord& r = smoke.SmokeTestResult;
    r.MeanKText = "1.36";
    r.MeanOpacityText = "27.9";
    r.MinIdleSpeed = 780;
    r.MaxPeakSpeed = 4230;
    r.AcceptedSet = "3,4,5";
    r.MeanSpeedValue = 4207;
    r.VerdictText = "POSITIVO";
    r.ResultCode = SmokeTestResultRecord::Pass;
    smoke.TestStartTime = QDateTime(QDate(2026, 12, 8), QTime(14, 5, 0));
    smoke.TestEndTime = QDateTime(QDate(2026, 12, 8), QTime(14, 12, 30));
}
