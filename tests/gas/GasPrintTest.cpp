// The gas window's print button: the certificate path writes
// report.log before the sheet, the diagnosis path fills its record at the
// moment of printing.
#include "GasWindowFixture.h"

#include "ui/Clock.h"
#include "ui/Paths.h"

namespace {

const QByteArray LiveValues = Fields({"0.18", "0.19", "14.6", "57", "0.42", "1.008", "86.4", "812", "38"});

class GasPrintTest : public GasWindowTest {
  protected:
    void measuring() {
        openWindow();
        mctcStartUp();
        mctcStatus(8);
        exchangeMctc("@RS", "@RS", QByteArray("\0\x17\0", 3));
        exchangeMctc("@VA", "@VA", LiveValues);
    }

    void chooseTestType(int index) {
        form->Combo4.setListIndex(index);
        form->Combo4_Click();
    }
};

TEST_F(GasPrintTest, DiagnosisTakesTheValuesShownAtTheMomentOfPrinting) {
    measuring();
    g.station.OperatorName = "Bianchi";
    g.station.AgencyName = "Officina Nord";
    g.station.VehiclePlate = "AB123CD";
    ui::Clock::set(QDateTime(QDate(2024, 3, 6), QTime(10, 15, 42)));
    form->Command2_Click();

    EXPECT_EQ(companions->diagnosisShown, 1);
    EXPECT_EQ(companions->certificateShown, 0);
    const GasDiagnosisRecord& d = g.report.GasDiagnosis;
    EXPECT_EQ(QStringList({d.CO, d.COcorr, d.CO2, d.HC, d.O2, d.Lambda, d.OilTemperature, d.EngineSpeed, d.NOx}),
              QStringList({"0.18", "0.19", "14.6", "57", "0.42", "1.008", "86.4", "812", "38"}));
    EXPECT_EQ(d.Date, "06/03/2024");
    EXPECT_EQ(d.Time, "10:15:42");
    EXPECT_EQ(g.report.GasCertificate.EndTime, d.Time);
    EXPECT_EQ(d.OperatorName, "Bianchi");
    EXPECT_EQ(d.AgencyName, "Officina Nord");
    EXPECT_EQ(d.Header.VehiclePlate, "AB123CD");
    EXPECT_EQ(d.Header.AnalyserModel, "KAPRO 500");
    EXPECT_EQ(d.Header.AnalyserSerial, "SN7788");
    EXPECT_EQ(d.Header.Fuel, form->Combo1.text());
    // A diagnosis never rewrites the result file of the last certificate.
    EXPECT_FALSE(QFile::exists(programFile("report.log")));
}

TEST_F(GasPrintTest, CertificateWritesReportLogWithTheEndTimeThenShowsTheSheet) {
    measuring();
    chooseTestType(0);
    g.report.GasCertificate.Result = {ui(57), ui::colour::Yellow};
    g.report.GasCertificate.StartTime = "09:30:00";
    ui::Clock::set(QDateTime(QDate(2024, 3, 5), QTime(9, 41, 7)));
    form->Command2_Click();

    EXPECT_EQ(companions->certificateShown, 1);
    EXPECT_EQ(g.report.GasCertificate.EndTime, "09:41:07");
    const QByteArray report = readBytes(programFile("report.log"));
    EXPECT_TRUE(report.contains("Result=ui57")) << report.constData();
    EXPECT_TRUE(report.contains("StartMeas=09:30:00\r\n"));
    EXPECT_TRUE(report.contains("EndMeas=09:41:07\r\n"));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(GasPrintTest, CertificateSheetStillShowsWhenReportLogCannotBeWritten) {
    measuring();
    chooseTestType(0);
    ui::Paths::setProgramDirectory(program.filePath("missing/folder"));
    form->Command2_Click();
    ui::Paths::setProgramDirectory(program.path());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Exclamation);
    EXPECT_EQ(companions->certificateShown, 1);
}

} // namespace
