#include "report/ReportLog.h"

#include "settings/NumberText.h"
#include "settings/WholeFile.h"
#include "settings/Win1252.h"
#include "shared/Globals.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Paths.h"

#include <QLocale>

#include <cmath>

namespace {

constexpr int GasTitleText = 92;    // PrtKAPROCERTReferto
constexpr int SmokeTitleText = 128; // StampaOPARefer
constexpr double OilOutOfRange = 888.0;

QString reportPath() {
    return ui::Paths::inProgramDirectory(QStringLiteral("report.log"));
}

// A value that spans lines would split its line in two and shift every key
// after it for the software that reads the file.
QString oneLine(QString value) {
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

QString optionalNumber(const std::optional<double>& value) {
    return value ? LinePrintNumber(*value) : QString();
}

// Keys in order, each with its value.
class Lines {
  public:
    Lines& add(const char* key, const QString& value) {
        lines_ << QString::fromLatin1(key) + value;
        return *this;
    }
    QStringList take() { return std::move(lines_); }

  private:
    QStringList lines_;
};

} // namespace

QString LinePrintNumber(double value, bool singlePrecision) {
    if (value == 0)
        value = 0; // no "-0"
    QString digits = singlePrecision ? settings::formatSingle(value) : settings::formatDouble(value);
    const bool negative = digits.startsWith(u'-');
    if (negative)
        digits.remove(0, 1);
    const QString zeroPoint = QStringLiteral("0") + QLocale().decimalPoint();
    if (digits.startsWith(zeroPoint))
        digits.remove(0, 1);
    return (negative ? QStringLiteral("-") : QStringLiteral(" ")) + digits + QStringLiteral(" ");
}

QString TimeOfDayText(const QDateTime& moment) {
    return moment.isValid() ? ui::formatTime(moment.time()) : QString();
}

QString SmokeOilTemperatureText(double celsius) {
    return celsius == OilOutOfRange ? QStringLiteral("OutRange") : settings::formatDouble(celsius);
}

QStringList GasReportLines(const Globals& g) {
    const GasCertificateRecord& c = g.report.GasCertificate;
    const GasSheetHeader& h = c.Header;
    const CertificateReadings& idle = c.Idle;
    const CertificateReadings& acc = c.AcceleratedIdle;
    Lines lines;
    lines.add("Title=", g.lang.UiText[GasTitleText])
        .add("Mark=", h.AnalyserMake)
        .add("Type=", h.AnalyserModel)
        .add("Homologation=", h.AnalyserHomologation)
        .add("Serial=", h.AnalyserSerial)
        .add("Expiring=", h.CalibrationDate)
        .add("MarkRPM=", h.RpmMakeType)
        .add("HomologationRPM=", h.RpmHomologation)
        .add("SerialRPM=", h.RpmSerial)
        .add("ExpiringRPM=", h.RpmExpiry)
        .add("Manuf=", h.VehicleMakeType)
        .add("Model=", h.VehicleModel)
        .add("Plate=", h.VehiclePlate)
        .add("Loom=", h.VehicleChassis)
        .add("Fuel=", h.Fuel)
        .add("Regis=", h.VehicleYear)
        .add("AmbTemp=", c.AmbientTemperature)
        .add("AmbPress=", c.AmbientPressure)
        .add("AmbHum=", c.AmbientHumidity)
        .add("OilTemp=", c.OilTemperature)
        .add("CO=", idle.CO.Text)
        .add("CO2=", idle.CO2.Text)
        .add("COc=", idle.COcorr.Text)
        .add("COcMax=", idle.COcorrLimit)
        .add("HC=", idle.HC.Text)
        .add("O2=", idle.O2.Text)
        .add("Lambda=", idle.Lambda.Text)
        .add("ParRPMmin=", idle.EngineSpeed.Text)
        .add("RPM=", acc.EngineSpeed.Text)
        .add("CO_2=", acc.CO.Text)
        .add("CO2_2=", acc.CO2.Text)
        .add("COc_2=", acc.COcorr.Text)
        .add("COcMax_2=", acc.COcorrLimit)
        .add("HC_2=", acc.HC.Text)
        .add("O2_2=", acc.O2.Text)
        .add("Lambda_2=", acc.Lambda.Text)
        .add("Result=", c.Result.Text)
        .add("Date=", c.Date)
        .add("StartMeas=", c.StartTime)
        .add("EndMeas=", c.EndTime)
        .add("Tech=", c.TechnicalManager)
        .add("Agency=", c.AgencyName);
    return lines.take();
}

QString SmokeInstrumentMake(const Globals& g) {
    const QString& identified = g.link.InstrumentIdentity.Maker;
    return identified.isEmpty() ? g.settings.OpacimeterMake : identified;
}

QStringList SmokeReportLines(const Globals& g) {
    const InstrumentIdentityRecord& id = g.link.InstrumentIdentity;
    const SettingsState& s = g.settings;
    const StationState& st = g.station;
    const SmokeState& smoke = g.smoke;
    const SmokeTestResultRecord& result = smoke.SmokeTestResult;
    Lines lines;
    lines.add("Title=", g.lang.UiText[SmokeTitleText])
        .add("Mark=", SmokeInstrumentMake(g))
        .add("Type=", id.Model)
        .add("Homologation=", id.Homologation)
        .add("Serial=", id.SerialNumber)
        .add("Expiring=", id.ExpiryDate)
        .add("MarkRPM=", s.RpmMake)
        .add("HomologationRPM=", s.RpmApproval)
        .add("SerialRPM=", s.RpmSerial)
        .add("ExpiringRPM=", s.RpmExpiry)
        .add("Manuf=", st.VehicleMakeType)
        .add("Plate=", st.VehiclePlate)
        .add("Loom=", st.VehicleChassis)
        .add("Regis=", st.VehicleYear)
        .add("AmbTemp=", st.AmbientTemperature)
        .add("AmbPress=", st.AmbientPressure)
        .add("AmbHum=", st.AmbientHumidity)
        .add("OilTemp=", SmokeOilTemperatureText(smoke.SmokeOilTemperature))
        .add("MinRPM=", optionalNumber(result.MinIdleSpeed))
        .add("MaxRPM=", optionalNumber(result.MaxPeakSpeed))
        .add("ParMinRPM=", LinePrintNumber(s.LimitRpmMin, true))
        .add("ParMaxRPM=", LinePrintNumber(s.LimitRpmMax, true))
        .add("ParThrOPA=", LinePrintNumber(s.OpacityThreshold))
        .add("ParMaxOPA=", LinePrintNumber(s.OpacityLimitK));
    QStringList all = lines.take();
    for (int row = 0; row < SmokeState::AccelerationRowCount; ++row) {
        const QString digit = QString::number(row + 1);
        all << digit + QStringLiteral("MeasOPA=") + smoke.RowPeakText[row];
        all << digit + QStringLiteral("MeasRPM=") + smoke.RowSpeedText[row];
    }
    lines.add("MidOPAK=", result.MeanKText)
        .add("MidOPAP=", result.MeanOpacityText)
        .add("UnitOPAP=", s.SmokeUnit == 1 ? QStringLiteral("HSU") : QStringLiteral("%"))
        .add("Result=", result.VerdictText)
        .add("Date=", ui::formatDate(ui::Clock::today()))
        .add("StartMeas=", TimeOfDayText(smoke.TestStartTime))
        .add("EndMeas=", TimeOfDayText(smoke.TestEndTime))
        .add("Tech=", st.TechnicalManager)
        .add("Agency=", st.AgencyName);
    return all + lines.take();
}

bool WriteReportLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += settings::toWin1252(oneLine(line)) + "\r\n";
    return settings::replaceFileContent(reportPath(), bytes);
}

bool WriteGasReport(const Globals& g) {
    return WriteReportLines(GasReportLines(g));
}

bool WriteSmokeReport(const Globals& g) {
    return WriteReportLines(SmokeReportLines(g));
}

void TellReportNotWritten(const Globals& g, ui::Dialogs& dialogs) {
    const QString path = reportPath();
    QString text;
    switch (g.settings.LanguageCode) {
    case 2: text = QStringLiteral("The result file could not be written:\n%1"); break;
    case 3: text = QStringLiteral("No se pudo escribir el archivo de resultados:\n%1"); break;
    default: text = QStringLiteral("Impossibile scrivere il file dei risultati:\n%1"); break;
    }
    dialogs.message(text.arg(path), QString(), ui::Icon::Exclamation);
}
