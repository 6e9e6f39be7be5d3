#include "report/ConcludedTests.h"

#include "lang/LanguageTexts.h"
#include "report/ReportLog.h"
#include "shared/Globals.h"
#include "ui/Clock.h"

#include <array>
#include <functional>
#include <optional>

namespace {

constexpr int PassedText = 57;       // gas verdict "passed"
constexpr int SmokePassedText = 135; // GeneralePos
constexpr int SmokeFailedText = 136; // GeneraleNeg
constexpr int GasTitleText = 92;     // PrtKAPROCERTReferto

using Fields = QList<ConcludedTest::Field>;

// Exact numbers, so a restored sheet formats them as the live one did.
QString exact(double value) {
    return QString::number(value, 'g', 17);
}
QString exact(const std::optional<double>& value) {
    return value ? exact(*value) : QString();
}
double exactNumber(const QString& text) {
    return text.toDouble();
}
std::optional<double> optionalExact(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

Fields fieldsOfLines(const QStringList& lines) {
    Fields fields;
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        fields.append({line.left(equals), line.mid(equals + 1)});
    }
    return fields;
}

void replaceValue(Fields& fields, const QString& key, const QString& value) {
    for (ConcludedTest::Field& field : fields)
        if (field.first == key)
            field.second = value;
}

QDateTime momentOf(const QString& date, const QString& time) {
    return QDateTime(QDate::fromString(date, QStringLiteral("dd/MM/yyyy")),
                     QTime::fromString(time, QStringLiteral("HH:mm:ss")));
}

// The head of both gas sheets, by report.log key.
using HeaderAccess = std::function<QString&(GasSheetHeader&)>;
const std::array<std::pair<const char*, HeaderAccess>, 16>& headerKeys() {
    static const std::array<std::pair<const char*, HeaderAccess>, 16> keys{{
        {"Mark", [](GasSheetHeader& h) -> QString& { return h.AnalyserMake; }},
        {"Type", [](GasSheetHeader& h) -> QString& { return h.AnalyserModel; }},
        {"Homologation", [](GasSheetHeader& h) -> QString& { return h.AnalyserHomologation; }},
        {"Serial", [](GasSheetHeader& h) -> QString& { return h.AnalyserSerial; }},
        {"Expiring", [](GasSheetHeader& h) -> QString& { return h.CalibrationDate; }},
        {"MarkRPM", [](GasSheetHeader& h) -> QString& { return h.RpmMakeType; }},
        {"HomologationRPM", [](GasSheetHeader& h) -> QString& { return h.RpmHomologation; }},
        {"SerialRPM", [](GasSheetHeader& h) -> QString& { return h.RpmSerial; }},
        {"ExpiringRPM", [](GasSheetHeader& h) -> QString& { return h.RpmExpiry; }},
        {"Manuf", [](GasSheetHeader& h) -> QString& { return h.VehicleMakeType; }},
        {"Model", [](GasSheetHeader& h) -> QString& { return h.VehicleModel; }},
        {"Plate", [](GasSheetHeader& h) -> QString& { return h.VehiclePlate; }},
        {"Loom", [](GasSheetHeader& h) -> QString& { return h.VehicleChassis; }},
        {"EngineType", [](GasSheetHeader& h) -> QString& { return h.EngineType; }},
        {"Fuel", [](GasSheetHeader& h) -> QString& { return h.Fuel; }},
        {"Regis", [](GasSheetHeader& h) -> QString& { return h.VehicleYear; }},
    }};
    return keys;
}

// The certificate's values report.log does not carry, and the colours the verdict gave.
using CertificateAccess = std::function<QString&(GasCertificateRecord&)>;
const std::array<std::pair<const char*, CertificateAccess>, 1>& certificateExtras() {
    static const std::array<std::pair<const char*, CertificateAccess>, 1> keys{{
        {"LambdaLimits", [](GasCertificateRecord& c) -> QString& { return c.LambdaLimits; }},
    }};
    return keys;
}

using FieldAccess = std::function<CertificateField&(GasCertificateRecord&)>;
const std::array<std::pair<const char*, FieldAccess>, 15>& colouredFields() {
    static const std::array<std::pair<const char*, FieldAccess>, 15> keys{{
        {"ParRPMmin", [](GasCertificateRecord& c) -> CertificateField& { return c.Idle.EngineSpeed; }},
        {"CO", [](GasCertificateRecord& c) -> CertificateField& { return c.Idle.CO; }},
        {"CO2", [](GasCertificateRecord& c) -> CertificateField& { return c.Idle.CO2; }},
        {"COc", [](GasCertificateRecord& c) -> CertificateField& { return c.Idle.COcorr; }},
        {"HC", [](GasCertificateRecord& c) -> CertificateField& { return c.Idle.HC; }},
        {"O2", [](GasCertificateRecord& c) -> CertificateField& { return c.Idle.O2; }},
        {"Lambda", [](GasCertificateRecord& c) -> CertificateField& { return c.Idle.Lambda; }},
        {"RPM", [](GasCertificateRecord& c) -> CertificateField& { return c.AcceleratedIdle.EngineSpeed; }},
        {"CO_2", [](GasCertificateRecord& c) -> CertificateField& { return c.AcceleratedIdle.CO; }},
        {"CO2_2", [](GasCertificateRecord& c) -> CertificateField& { return c.AcceleratedIdle.CO2; }},
        {"COc_2", [](GasCertificateRecord& c) -> CertificateField& { return c.AcceleratedIdle.COcorr; }},
        {"HC_2", [](GasCertificateRecord& c) -> CertificateField& { return c.AcceleratedIdle.HC; }},
        {"O2_2", [](GasCertificateRecord& c) -> CertificateField& { return c.AcceleratedIdle.O2; }},
        {"Lambda_2", [](GasCertificateRecord& c) -> CertificateField& { return c.AcceleratedIdle.Lambda; }},
        {"Result", [](GasCertificateRecord& c) -> CertificateField& { return c.Result; }},
    }};
    return keys;
}

// The rest of the certificate by report.log key (the head is in headerKeys,
// the title comes from the language texts).
const std::array<std::pair<const char*, CertificateAccess>, 11>& certificateKeys() {
    static const std::array<std::pair<const char*, CertificateAccess>, 11> keys{{
        {"AmbTemp", [](GasCertificateRecord& c) -> QString& { return c.AmbientTemperature; }},
        {"AmbPress", [](GasCertificateRecord& c) -> QString& { return c.AmbientPressure; }},
        {"AmbHum", [](GasCertificateRecord& c) -> QString& { return c.AmbientHumidity; }},
        {"OilTemp", [](GasCertificateRecord& c) -> QString& { return c.OilTemperature; }},
        {"COcMax", [](GasCertificateRecord& c) -> QString& { return c.Idle.COcorrLimit; }},
        {"COcMax_2", [](GasCertificateRecord& c) -> QString& { return c.AcceleratedIdle.COcorrLimit; }},
        {"Date", [](GasCertificateRecord& c) -> QString& { return c.Date; }},
        {"StartMeas", [](GasCertificateRecord& c) -> QString& { return c.StartTime; }},
        {"EndMeas", [](GasCertificateRecord& c) -> QString& { return c.EndTime; }},
        {"Tech", [](GasCertificateRecord& c) -> QString& { return c.TechnicalManager; }},
        {"Agency", [](GasCertificateRecord& c) -> QString& { return c.AgencyName; }},
    }};
    return keys;
}

QString colourKey(const char* key) {
    return QLatin1String(key) + QStringLiteral("Colour");
}

QString gasInstrument(const GasSheetHeader& h) {
    return QStringList{h.AnalyserMake, h.AnalyserModel, h.AnalyserSerial}.join(u' ').simplified();
}

void restoreHeader(const ConcludedTest& test, GasSheetHeader& header) {
    for (const auto& [key, access] : headerKeys())
        access(header) = test.value(QLatin1String(key));
}

// Smoke values report.log writes in its own format (or not at all); kept exact beside them.
void addSmokeExtras(const Globals& g, Fields& fields) {
    fields.append({QStringLiteral("OilTempValue"), exact(g.smoke.SmokeOilTemperature)});
    fields.append({QStringLiteral("ParMinRPMValue"), exact(g.settings.LimitRpmMin)});
    fields.append({QStringLiteral("ParMaxRPMValue"), exact(g.settings.LimitRpmMax)});
}

void restoreSmokeCommon(const ConcludedTest& test, Globals& g) {
    InstrumentIdentityRecord& id = g.link.InstrumentIdentity;
    id.Maker = test.value(QStringLiteral("Mark"));
    id.Model = test.value(QStringLiteral("Type"));
    id.Homologation = test.value(QStringLiteral("Homologation"));
    id.SerialNumber = test.value(QStringLiteral("Serial"));
    id.ExpiryDate = test.value(QStringLiteral("Expiring"));
    id.Version = test.value(QStringLiteral("Firmware"));
    SettingsState& s = g.settings;
    s.RpmMake = test.value(QStringLiteral("MarkRPM"));
    s.RpmApproval = test.value(QStringLiteral("HomologationRPM"));
    s.RpmSerial = test.value(QStringLiteral("SerialRPM"));
    s.RpmExpiry = test.value(QStringLiteral("ExpiringRPM"));
    s.LimitRpmMin = static_cast<float>(exactNumber(test.value(QStringLiteral("ParMinRPMValue"))));
    s.LimitRpmMax = static_cast<float>(exactNumber(test.value(QStringLiteral("ParMaxRPMValue"))));
    StationState& st = g.station;
    st.VehicleMakeType = test.value(QStringLiteral("Manuf"));
    st.VehiclePlate = test.value(QStringLiteral("Plate"));
    st.VehicleChassis = test.value(QStringLiteral("Loom"));
    st.VehicleYear = test.value(QStringLiteral("Regis"));
    st.AmbientTemperature = test.value(QStringLiteral("AmbTemp"));
    st.AmbientPressure = test.value(QStringLiteral("AmbPress"));
    st.AmbientHumidity = test.value(QStringLiteral("AmbHum"));
    st.TechnicalManager = test.value(QStringLiteral("Tech"));
    st.AgencyName = test.value(QStringLiteral("Agency"));
    st.OperatorName = test.value(QStringLiteral("Operator"));
    g.smoke.TestStartTime = test.start;
    g.smoke.TestEndTime = test.end;
}

QString smokeInstrument(const Globals& g) {
    const InstrumentIdentityRecord& id = g.link.InstrumentIdentity;
    return QStringList{SmokeInstrumentMake(g), id.Model, id.SerialNumber}.join(u' ').simplified();
}

// The diagnosis sheet's values under their keys, in the order they are kept.
std::array<std::pair<const char*, QString*>, 13> diagnosisValues(GasDiagnosisRecord& d) {
    return {{{"OilTemp", &d.OilTemperature},
             {"RPM", &d.EngineSpeed},
             {"CO", &d.CO},
             {"CO2", &d.CO2},
             {"COc", &d.COcorr},
             {"HC", &d.HC},
             {"O2", &d.O2},
             {"Lambda", &d.Lambda},
             {"NOx", &d.NOx},
             {"Date", &d.Date},
             {"Time", &d.Time},
             {"Operator", &d.OperatorName},
             {"Agency", &d.AgencyName}}};
}

QString chartKey(int row) {
    return QStringLiteral("Chart%1").arg(row + 1, 2, 10, QLatin1Char('0'));
}

} // namespace

ConcludedTest ConcludedGasCertificate(const Globals& g, const QDateTime& end) {
    GasCertificateRecord c = g.report.GasCertificate;
    c.EndTime = ui::formatTime(end.time());
    Globals copy;
    copy.report.GasCertificate = c;
    copy.lang.UiText[GasTitleText] = g.lang.UiText[GasTitleText];

    ConcludedTest test;
    test.kind = ConcludedTest::Kind::GasCertificate;
    test.fields = fieldsOfLines(GasReportLines(copy));
    test.fields.append({QStringLiteral("EngineType"), c.Header.EngineType});
    for (const auto& [key, access] : certificateExtras())
        test.fields.append({QLatin1String(key), access(c)});
    for (const auto& [key, access] : colouredFields())
        test.fields.append({colourKey(key), QString::number(access(c).BackColor)});
    test.fields.append({QStringLiteral("Firmware"), g.gas.FirmwareVersion});
    test.fields.append({QStringLiteral("Operator"), g.station.OperatorName});
    test.outcome =
        c.Result.Text == g.lang.UiText[PassedText] ? ConcludedTest::Outcome::Passed : ConcludedTest::Outcome::NotPassed;
    test.start = momentOf(c.Date, c.StartTime);
    test.end = end;
    test.plate = c.Header.VehiclePlate;
    test.instrument = gasInstrument(c.Header);
    test.verdict = c.Result.Text;
    if (c.ExpiredInstrumentOverride)
        test.note = NamedText(g, u"SCADENZAConsentita");
    return test;
}

ConcludedTest ConcludedGasDiagnosis(const Globals& g) {
    GasDiagnosisRecord d = g.report.GasDiagnosis;
    ConcludedTest test;
    test.kind = ConcludedTest::Kind::GasDiagnosis;
    for (const auto& [key, access] : headerKeys())
        test.fields.append({QLatin1String(key), access(d.Header)});
    for (const auto& [key, value] : diagnosisValues(d))
        test.fields.append({QLatin1String(key), *value});
    test.fields.append({QStringLiteral("Firmware"), g.gas.FirmwareVersion});
    test.start = test.end = momentOf(d.Date, d.Time);
    test.plate = d.Header.VehiclePlate;
    test.instrument = gasInstrument(d.Header);
    return test;
}

ConcludedTest ConcludedSmokeTest(const Globals& g, const QDateTime& end) {
    const SmokeState& s = g.smoke;
    ConcludedTest test;
    test.kind = ConcludedTest::Kind::Smoke;
    test.fields = fieldsOfLines(SmokeReportLines(g));
    replaceValue(test.fields, QStringLiteral("Date"), ui::formatDate(end.date()));
    replaceValue(test.fields, QStringLiteral("EndMeas"), TimeOfDayText(end));
    addSmokeExtras(g, test.fields);
    test.fields.append({QStringLiteral("MinRPMValue"), exact(s.SmokeTestResult.MinIdleSpeed)});
    test.fields.append({QStringLiteral("MaxRPMValue"), exact(s.SmokeTestResult.MaxPeakSpeed)});
    test.fields.append({QStringLiteral("ParThrOPAValue"), exact(g.settings.OpacityThreshold)});
    test.fields.append({QStringLiteral("ParMaxOPAValue"), exact(g.settings.OpacityLimitK)});
    for (int row = 0; row < SmokeState::AccelerationRowCount; ++row) {
        const QString digit = QString::number(row + 1);
        test.fields.append({digit + QStringLiteral("MarkOPA"), QString::number(s.RowUsedK[row])});
        test.fields.append({digit + QStringLiteral("MarkRPM"), QString::number(s.RowUsedSpeed[row])});
    }
    test.fields.append({QStringLiteral("AcceptedSet"), s.SmokeTestResult.AcceptedSet});
    test.fields.append({QStringLiteral("ResultCode"), QString::number(s.SmokeTestResult.ResultCode)});
    test.fields.append({QStringLiteral("Firmware"), g.link.InstrumentIdentity.Version});
    test.fields.append({QStringLiteral("Operator"), g.station.OperatorName});
    const QString& verdict = s.SmokeTestResult.VerdictText;
    // A direct acquisition ends without a verdict.
    if (s.AccelerationIndex < SmokeState::AccelerationRowCount)
        test.outcome = ConcludedTest::Outcome::Interrupted;
    else if (verdict == g.lang.UiText[SmokePassedText])
        test.outcome = ConcludedTest::Outcome::Passed;
    else if (verdict == g.lang.UiText[SmokeFailedText])
        test.outcome = ConcludedTest::Outcome::NotPassed;
    test.start = s.TestStartTime;
    test.end = end;
    test.plate = g.station.VehiclePlate;
    test.instrument = smokeInstrument(g);
    test.verdict = verdict;
    if (s.SmokeTestResult.ExpiredInstrumentOverride)
        test.note = NamedText(g, u"SCADENZAConsentita");
    return test;
}

ConcludedTest ConcludedChart(const Globals& g, const QDateTime& end) {
    ConcludedTest test;
    test.kind = ConcludedTest::Kind::Chart;
    // The smoke report's head: instruments, vehicle, ambient; then the recording.
    const QStringList head = SmokeReportLines(g).mid(1, 16);
    test.fields = fieldsOfLines(head);
    addSmokeExtras(g, test.fields);
    for (int row = 0; row < SmokeState::ChartRows; ++row) {
        const auto& cells = g.smoke.ChartData[static_cast<size_t>(row)];
        test.fields.append({chartKey(row), QStringList{exact(cells[0]), exact(cells[1]), exact(cells[2])}.join(u';')});
    }
    test.fields.append({QStringLiteral("Date"), ui::formatDate(end.date())});
    test.fields.append({QStringLiteral("Time"), TimeOfDayText(end)});
    test.fields.append({QStringLiteral("Operator"), g.station.OperatorName});
    test.start = test.end = end;
    test.plate = g.station.VehiclePlate;
    test.instrument = smokeInstrument(g);
    return test;
}

void KeepConcludedTest(const Globals& g, const ConcludedTest& test) {
    if (g.report.Archive)
        g.report.Archive->store(test);
}

QString ConcludedTestDate(const ConcludedTest& test) {
    return test.value(QStringLiteral("Date"));
}

void RestoreConcludedTest(const ConcludedTest& test, Globals& g) {
    switch (test.kind) {
    case ConcludedTest::Kind::GasCertificate: {
        GasCertificateRecord& c = g.report.GasCertificate;
        c = GasCertificateRecord{};
        restoreHeader(test, c.Header);
        for (const auto& [key, access] : certificateKeys())
            access(c) = test.value(QLatin1String(key));
        for (const auto& [key, access] : certificateExtras())
            access(c) = test.value(QLatin1String(key));
        for (const auto& [key, access] : colouredFields()) {
            CertificateField& field = access(c);
            field.Text = test.value(QLatin1String(key));
            // Without a colour kept, the colour of a sheet not yet judged.
            const QString colour = test.value(colourKey(key));
            field.BackColor = colour.isEmpty() ? ui::colour::Yellow : static_cast<ui::Colour>(colour.toLongLong());
        }
        g.gas.FirmwareVersion = test.value(QStringLiteral("Firmware"));
        g.station.OperatorName = test.value(QStringLiteral("Operator"));
        return;
    }
    case ConcludedTest::Kind::GasDiagnosis: {
        GasDiagnosisRecord& d = g.report.GasDiagnosis;
        d = GasDiagnosisRecord{};
        restoreHeader(test, d.Header);
        for (const auto& [key, value] : diagnosisValues(d))
            *value = test.value(QLatin1String(key));
        g.gas.FirmwareVersion = test.value(QStringLiteral("Firmware"));
        return;
    }
    case ConcludedTest::Kind::Smoke: {
        restoreSmokeCommon(test, g);
        SmokeState& s = g.smoke;
        s.SmokeOilTemperature = exactNumber(test.value(QStringLiteral("OilTempValue")));
        g.settings.OpacityThreshold = exactNumber(test.value(QStringLiteral("ParThrOPAValue")));
        g.settings.OpacityLimitK = exactNumber(test.value(QStringLiteral("ParMaxOPAValue")));
        g.settings.SmokeUnit = test.value(QStringLiteral("UnitOPAP")) == QLatin1String("HSU") ? 1 : 0;
        for (int row = 0; row < SmokeState::AccelerationRowCount; ++row) {
            const QString digit = QString::number(row + 1);
            s.RowPeakText[row] = test.value(digit + QStringLiteral("MeasOPA"));
            s.RowSpeedText[row] = test.value(digit + QStringLiteral("MeasRPM"));
            s.RowUsedK[row] = static_cast<std::int16_t>(test.value(digit + QStringLiteral("MarkOPA")).toInt());
            s.RowUsedSpeed[row] = static_cast<std::int16_t>(test.value(digit + QStringLiteral("MarkRPM")).toInt());
        }
        SmokeTestResultRecord& r = s.SmokeTestResult;
        r = SmokeTestResultRecord{};
        r.MeanKText = test.value(QStringLiteral("MidOPAK"));
        r.MeanOpacityText = test.value(QStringLiteral("MidOPAP"));
        r.MinIdleSpeed = optionalExact(test.value(QStringLiteral("MinRPMValue")));
        r.MaxPeakSpeed = optionalExact(test.value(QStringLiteral("MaxRPMValue")));
        r.AcceptedSet = test.value(QStringLiteral("AcceptedSet"));
        r.VerdictText = test.value(QStringLiteral("Result"));
        r.ResultCode = static_cast<std::int16_t>(test.value(QStringLiteral("ResultCode")).toInt());
        s.AccelerationIndex = SmokeState::AccelerationRowCount;
        return;
    }
    case ConcludedTest::Kind::Chart: {
        restoreSmokeCommon(test, g);
        g.smoke.SmokeOilTemperature = exactNumber(test.value(QStringLiteral("OilTempValue")));
        for (int row = 0; row < SmokeState::ChartRows; ++row) {
            const QStringList cells = test.value(chartKey(row)).split(u';');
            auto& out = g.smoke.ChartData[static_cast<size_t>(row)];
            for (int column = 0; column < 3 && column < cells.size(); ++column)
                out[static_cast<size_t>(column)] = exactNumber(cells[column]);
        }
        return;
    }
    }
}
