#include "ReportData.h"

#include "report/ReportLog.h"
#include "settings/Win1252.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"
#include "ui/Clock.h"
#include "ui/Paths.h"

#include <QDir>
#include <QFile>
#include <QLocale>

namespace {

QByteArray crlfLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += settings::toWin1252(line) + "\r\n";
    return bytes;
}

class ReportLogTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        g.lang.UiText[92] = "REFERTO ANALISI GAS";
        g.lang.UiText[128] = "REFERTO OPACIMETRO";
        ui::Clock::set(QDateTime(QDate(2026, 12, 8), QTime(14, 12, 31)));
    }
    QByteArray report() const { return readBytes(programFile("report.log")); }
    QStringList reportLines() const {
        QStringList lines = settings::fromWin1252(report()).split("\r\n");
        lines.removeLast(); // after the last CR LF
        return lines;
    }

    Globals g;
};

TEST_F(ReportLogTest, PassedCertificateIsWrittenLineForLineBesideTheProgram) {
    fillPassedCertificate(g);

    ASSERT_TRUE(WriteGasReport(g));

    const QByteArray expected = crlfLines({
        "Title=REFERTO ANALISI GAS",
        "Mark=Korvellan",
        "Type=KGA 4000",
        "Homologation=OM 12345/GAS",
        "Serial=GA-0042",
        "Expiring=15/03/2027",
        "MarkRPM=Korvellan RC 20",
        "HomologationRPM=OM 777/RPM",
        "SerialRPM=RC-1001",
        "ExpiringRPM=01/09/2027",
        "Manuf=Fiat Punto 1.2",
        "Model=188A4000",
        "Plate=AB123CD",
        "Loom=ZFA18800000123456",
        "Fuel=Benzina catalizzata",
        "Regis=2004",
        "AmbTemp=21",
        "AmbPress=1013",
        "AmbHum=45",
        "OilTemp=82",
        "CO=0.12",
        "CO2=14.8",
        "COc=0.12",
        "COcMax=0.5",
        "HC=35",
        "O2=0.25",
        "Lambda=1.004",
        "ParRPMmin=850",
        "RPM=2350",
        "CO_2=0.08",
        "CO2_2=14.9",
        "COc_2=0.08",
        "COcMax_2=0.3",
        "HC_2=22",
        "O2_2=0.31",
        "Lambda_2=1.012",
        "Result=PROVA SUPERATA",
        "Date=08/12/2026",
        "StartMeas=10:02:15",
        "EndMeas=10:09:40",
        "Tech=Ing. Marta Rossi",
        "Agency=Officina Revisioni Nord",
    });
    EXPECT_EQ(report(), expected);
    EXPECT_FALSE(QFile::exists(workFile("report.log")));
}

TEST_F(ReportLogTest, ASecondCertificateReplacesTheFirstWhole) {
    fillPassedCertificate(g);
    ASSERT_TRUE(WriteGasReport(g));
    g.report.GasCertificate = GasCertificateRecord{};
    g.report.GasCertificate.Header.VehiclePlate = "ZZ999ZZ";

    ASSERT_TRUE(WriteGasReport(g));

    const QStringList lines = reportLines();
    ASSERT_EQ(lines.size(), 42);
    EXPECT_EQ(lines[12], "Plate=ZZ999ZZ");
    EXPECT_EQ(lines[1], "Mark=");
    EXPECT_FALSE(report().contains("AB123CD"));
    // Nothing is left over beside it from the replacement.
    EXPECT_EQ(QDir(program.path()).entryList(QDir::Files), QStringList{"report.log"});
}

TEST_F(ReportLogTest, SmokeTestOfFiveAccelerationsWritesEveryRowLineWithNothingAfterEmptyOnes) {
    fillFiveAccelerationSmokeTest(g);

    ASSERT_TRUE(WriteSmokeReport(g));

    const QByteArray expected = crlfLines({
        "Title=REFERTO OPACIMETRO",
        "Mark=Korvellan",
        "Type=OPK 500",
        "Homologation=OM 54321/OPA",
        "Serial=OP-0815",
        "Expiring=30/06/2027",
        "MarkRPM=Korvellan RC 20",
        "HomologationRPM=OM 777/RPM",
        "SerialRPM=RC-1001",
        "ExpiringRPM=01/09/2027",
        "Manuf=Iveco Daily 35C",
        "Plate=EF456GH",
        "Loom=ZCFC35A0005123456",
        "Regis=2011",
        "AmbTemp=18",
        "AmbPress=1009",
        "AmbHum=60",
        "OilTemp=84.5",
        "MinRPM= 780 ",
        "MaxRPM= 4230 ",
        "ParMinRPM= 1000 ",
        "ParMaxRPM= 3000 ",
        "ParThrOPA= .5 ",
        "ParMaxOPA= 1.5 ",
        "1MeasOPA=1.95",
        "1MeasRPM=4210",
        "2MeasOPA=1.82",
        "2MeasRPM=4180",
        "3MeasOPA=1.41",
        "3MeasRPM=4230",
        "4MeasOPA=1.36",
        "4MeasRPM=4200",
        "5MeasOPA=1.30",
        "5MeasRPM=4190",
        "6MeasOPA=",
        "6MeasRPM=",
        "7MeasOPA=",
        "7MeasRPM=",
        "8MeasOPA=",
        "8MeasRPM=",
        "MidOPAK=1.36",
        "MidOPAP=27.9",
        "UnitOPAP=%",
        "Result=POSITIVO",
        "Date=08/12/2026",
        "StartMeas=14:05:00",
        "EndMeas=14:12:30",
        "Tech=Ing. Marta Rossi",
        "Agency=Officina Revisioni Nord",
    });
    EXPECT_EQ(report(), expected);
}

TEST_F(ReportLogTest, SmokeLinesFollowTheOilMarkTheUnitAndTheMissingSpeeds) {
    fillFiveAccelerationSmokeTest(g);
    struct Case {
        double oil;
        int unit;
        const char* oilLine;
        const char* unitLine;
    };
    for (const Case& c :
         {Case{888, 0, "OilTemp=OutRange", "UnitOPAP=%"}, Case{888, 1, "OilTemp=OutRange", "UnitOPAP=HSU"},
          Case{887.5, 2, "OilTemp=887.5", "UnitOPAP=%"}, Case{-1, 1, "OilTemp=-1", "UnitOPAP=HSU"}}) {
        g.smoke.SmokeOilTemperature = c.oil;
        g.settings.SmokeUnit = c.unit;
        ASSERT_TRUE(WriteSmokeReport(g));
        const QStringList lines = reportLines();
        ASSERT_EQ(lines.size(), 49);
        EXPECT_EQ(lines[17], c.oilLine);
        EXPECT_EQ(lines[42], c.unitLine);
    }
    // A test cleared at its start and never concluded has no speeds and no times.
    g.smoke.SmokeTestResult.MinIdleSpeed.reset();
    g.smoke.SmokeTestResult.MaxPeakSpeed.reset();
    g.smoke.TestStartTime = QDateTime();
    ASSERT_TRUE(WriteSmokeReport(g));
    const QStringList lines = reportLines();
    EXPECT_EQ(lines[18], "MinRPM=");
    EXPECT_EQ(lines[19], "MaxRPM=");
    EXPECT_EQ(lines[45], "StartMeas=");
}

TEST_F(ReportLogTest, ItalianNumbersCarryADecimalComma) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    fillFiveAccelerationSmokeTest(g);
    g.settings.LimitRpmMin = 1000.5f;
    g.settings.LimitRpmMax = 31000;
    g.settings.OpacityThreshold = 0.25;
    g.settings.OpacityLimitK = 2.5;
    g.smoke.SmokeOilTemperature = 84.5;

    ASSERT_TRUE(WriteSmokeReport(g));

    const QStringList lines = reportLines();
    EXPECT_EQ(lines[17], "OilTemp=84,5");
    EXPECT_EQ(lines[20], "ParMinRPM= 1000,5 ");
    EXPECT_EQ(lines[21], "ParMaxRPM= 31000 ");
    EXPECT_EQ(lines[22], "ParThrOPA= ,25 ");
    EXPECT_EQ(lines[23], "ParMaxOPA= 2,5 ");
}

TEST_F(ReportLogTest, LinePrintNumbers) {
    struct Case {
        double value;
        bool single;
        const char* text;
    };
    for (const Case& c :
         {Case{1000, false, " 1000 "}, Case{0.5, false, " .5 "}, Case{-0.5, false, "-.5 "}, Case{0, false, " 0 "},
          Case{-0.0, false, " 0 "}, Case{-3, false, "-3 "}, Case{1.5, true, " 1.5 "}, Case{0.1, true, " .1 "},
          Case{123.456789012, false, " 123.456789012 "}, Case{123.456789012, true, " 123.4568 "}})
        EXPECT_EQ(LinePrintNumber(c.value, c.single), QString::fromLatin1(c.text)) << c.value;
}

TEST_F(ReportLogTest, ValuesAreWindows1252AndNeverBreakALine) {
    fillPassedCertificate(g);
    g.report.GasCertificate.AgencyName = QString::fromUtf8("Città\r\nNord");
    g.report.GasCertificate.OilTemperature = QString::fromUtf8("82 °C\n");

    ASSERT_TRUE(WriteGasReport(g));

    const QByteArray bytes = report();
    EXPECT_EQ(bytes.count("\r\n"), 42);
    EXPECT_EQ(bytes.count('\n'), 42);
    EXPECT_TRUE(bytes.contains(QByteArray("Agency=Citt\xE0  Nord\r\n")));
    EXPECT_TRUE(bytes.contains(QByteArray("OilTemp=82 \xB0"
                                          "C \r\n")));
}

TEST_F(ReportLogTest, AnUnwritableFolderFailsAndTellsTheOperator) {
    ui::Paths::setProgramDirectory(programFile("missing/folder"));
    fillPassedCertificate(g);

    EXPECT_FALSE(WriteGasReport(g));
    EXPECT_FALSE(WriteSmokeReport(g));

    RecordingDialogs dialogs;
    g.settings.LanguageCode = 2;
    TellReportNotWritten(g, dialogs);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.contains("missing/folder/report.log"));
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("The result file"));
}

TEST_F(ReportLogTest, TheOpacimeterMakeComesFromTheSettingsUntilOneIsIdentified) {
    g.settings.OpacimeterMake = "Korvellan (Conf.ini)";
    EXPECT_EQ(SmokeInstrumentMake(g), "Korvellan (Conf.ini)");
    g.link.InstrumentIdentity.Maker = "Korvellan";
    EXPECT_EQ(SmokeInstrumentMake(g), "Korvellan");
}

} // namespace
