#include "RecordingPrinter.h"
#include "ReportData.h"

#include "lang/LanguageTexts.h"
#include "report/PrtKAPROCERT.h"
#include "report/PrtKAPRODIAGN.h"
#include "report/ReportLog.h"
#include "report/StampaOpaB.h"
#include "settings/Win1252.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"
#include "ui/Clock.h"
#include "ui/Paths.h"

#include <QFile>

namespace {

class SheetFormsTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        installLanguageFile();
        ui::Clock::set(QDateTime(QDate(2026, 12, 8), QTime(14, 12, 31)));
        useLanguage(1);
    }
    void useLanguage(int code) {
        g.settings.LanguageCode = static_cast<std::int16_t>(code);
        LoadLanguageTexts(g, code);
    }
    bool reportWritten() const { return QFile::exists(programFile("report.log")); }

    Globals g;
    RecordingDialogs dialogs;
};

TEST_F(SheetFormsTest, CertificateShowsTheRecordUnderCaptionsOfTheChosenLanguage) {
    fillPassedCertificate(g);
    useLanguage(2);
    PrtKAPROCERT form(g, dialogs);
    EXPECT_EQ(form.Analyser.Make.Value.caption(), "Korvellan"); // as designed, before loading

    form.Form_Load();

    EXPECT_EQ(form.Title.caption(), "GAS ANALYSIS REPORT");
    EXPECT_EQ(form.Analyser.Frame.caption(), "ANALYSER DATA");
    EXPECT_EQ(form.Analyser.Expiry.Caption.caption(), "Check expiry Gas analyser");
    EXPECT_EQ(form.AcceleratedIdle.Frame.caption(), "SUPPLEMENTARY TEST FOR VEHICLES WITH CATALYST AND LAMBDA PROBE");
    EXPECT_EQ(form.CopiesLabel.caption(), QString::fromUtf8("N° Copies"));
    EXPECT_EQ(form.Command2.toolTip(), "Print");
    // Measurement captions are not in the language table.
    EXPECT_EQ(form.Idle.CO.Caption.caption(), "CO(%vol.)");
    EXPECT_EQ(form.AcceleratedIdle.Lambda.Caption.caption(), "LAMBDA");

    EXPECT_EQ(form.Vehicle.Chassis.Value.caption(), "ZFA18800000123456");
    EXPECT_EQ(form.IdleCOcorrLimit.Value.caption(), "0.5");
    EXPECT_EQ(form.AcceleratedIdleCOcorrLimit.Value.caption(), "0.3");
    EXPECT_EQ(form.LambdaLimits.Value.caption(), "0.97 - 1.03");
    EXPECT_EQ(form.EndTime.Value.caption(), "10:09:40");
    // The verdict's colours come with the values.
    EXPECT_EQ(form.AcceleratedIdle.Lambda.Value.caption(), "1.012");
    EXPECT_EQ(form.AcceleratedIdle.Lambda.Value.backColor(), ui::colour::Yellow);
    EXPECT_EQ(form.Idle.CO.Value.backColor(), ui::colour::White);
    EXPECT_EQ(form.Result.caption(), "PROVA SUPERATA");
    EXPECT_EQ(form.Result.backColor(), ui::colour::Yellow);
}

TEST_F(SheetFormsTest, GasSheetsWriteNoReportThemselves) {
    fillPassedCertificate(g);
    fillDiagnosis(g);
    PrtKAPROCERT certificate(g, dialogs);
    certificate.Form_Load();
    PrtKAPRODIAGN diagnosis(g, dialogs);
    diagnosis.Form_Load();

    EXPECT_FALSE(reportWritten());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SheetFormsTest, DiagnosisShowsItsReadingsWithoutLimits) {
    fillDiagnosis(g);
    useLanguage(2);
    PrtKAPRODIAGN form(g, dialogs);
    form.Form_Load();

    EXPECT_EQ(form.Title.caption(), "GAS ANALYSIS MEASUREMENT");
    EXPECT_EQ(form.EngineSpeed.Caption.caption(), "Engine speed (rpm)");
    EXPECT_EQ(form.Time.Caption.caption(), "Time");
    EXPECT_EQ(form.OperatorName.Caption.caption(), "Operator");
    EXPECT_EQ(form.NOx.Caption.caption(), "NOx(ppm)");
    EXPECT_EQ(form.NOx.Value.caption(), "120");
    EXPECT_EQ(form.Time.Value.caption(), "11:30:05");
    EXPECT_EQ(form.OperatorName.Value.caption(), "Luca Bianchi");
}

TEST_F(SheetFormsTest, SmokeSheetFillsItsFieldsAndWritesTheSameValuesToTheReport) {
    fillFiveAccelerationSmokeTest(g);
    StampaOpaB form(g, dialogs);
    form.Form_Load();

    EXPECT_EQ(form.Title.caption(), "REFERTO OPACIMETRO");
    EXPECT_EQ(form.Opacimeter.Expiry.Caption.caption(), "Scadenza controllo Opacimetro");
    EXPECT_EQ(form.Vehicle.EngineType.Caption.caption(), "Motore tipo");
    EXPECT_EQ(form.Vehicle.EngineType.Value.caption(), "");
    EXPECT_EQ(form.Vehicle.Fuel.Value.caption(), "");
    EXPECT_EQ(form.OilTemperature.Value.caption(), "84.5");
    EXPECT_EQ(form.IdleSpeed.Value.caption(), "780");
    EXPECT_EQ(form.MaxSpeed.Value.caption(), "4230");
    EXPECT_EQ(form.OpacityThreshold.Value.caption(), "0.5");
    EXPECT_EQ(form.AcceptedSet.Value.caption(), "3,4,5");
    EXPECT_EQ(form.Unit.caption(), "%");
    EXPECT_EQ(form.Result.caption(), "POSITIVO");
    EXPECT_EQ(form.Date.Value.caption(), "08/12/2026");
    EXPECT_EQ(form.StartTime.Value.caption(), "14:05:00");
    EXPECT_EQ(form.EndTime.Value.caption(), "14:12:30");
    for (int row = 0; row < StampaOpaB::RowCount; ++row) {
        EXPECT_EQ(form.Peak[row].caption(), g.smoke.RowPeakText[row]) << row;
        EXPECT_EQ(form.Speed[row].caption(), g.smoke.RowSpeedText[row]) << row;
    }

    QByteArray expected;
    for (const QString& line : SmokeReportLines(g))
        expected += settings::toWin1252(line) + "\r\n";
    EXPECT_EQ(readBytes(programFile("report.log")), expected);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SheetFormsTest, SmokeRowsAreColouredByTheirStatusCodesEachColumnOnItsOwn) {
    fillFiveAccelerationSmokeTest(g);
    const std::array<std::int16_t, 8> kCodes{0, 1, 2, 3, 4, 5, -1, 4};
    const std::array<std::int16_t, 8> speedCodes{4, 3, 3, 2, 1, 0, 7, 9};
    g.smoke.RowUsedK = kCodes;
    g.smoke.RowUsedSpeed = speedCodes;
    StampaOpaB form(g, dialogs);
    const ui::Colour designed = form.Peak[5].backColor();
    form.Form_Load();

    const ui::Colour kExpected[] = {ui::colour::Yellow, ui::colour::Green, ui::colour::Red, ui::colour::Orange,
                                    ui::colour::Yellow, designed,          designed,        ui::colour::Yellow};
    const ui::Colour speedExpected[] = {ui::colour::Yellow, ui::colour::Orange, ui::colour::Orange, ui::colour::Red,
                                        ui::colour::Green,  ui::colour::Yellow, designed,           designed};
    for (int row = 0; row < StampaOpaB::RowCount; ++row) {
        EXPECT_EQ(form.Peak[row].backColor(), kExpected[row]) << row;
        EXPECT_EQ(form.Speed[row].backColor(), speedExpected[row]) << row;
    }
}

TEST_F(SheetFormsTest, SmokeSheetShowsTheUnitAndTheOilMark) {
    fillFiveAccelerationSmokeTest(g);
    struct Case {
        int unit;
        double oil;
        const char* unitText;
        const char* oilText;
    };
    for (const Case& c : {Case{1, 888, "HSU", "OutRange"}, Case{0, 90, "%", "90"}, Case{3, 888.5, "%", "888.5"}}) {
        g.settings.SmokeUnit = c.unit;
        g.smoke.SmokeOilTemperature = c.oil;
        StampaOpaB form(g, dialogs);
        form.Form_Load();
        EXPECT_EQ(form.Unit.caption(), c.unitText);
        EXPECT_EQ(form.OilTemperature.Value.caption(), c.oilText);
    }
}

TEST_F(SheetFormsTest, SmokeSheetOpensEvenWhenTheReportCannotBeWritten) {
    fillFiveAccelerationSmokeTest(g);
    ui::Paths::setProgramDirectory(programFile("gone"));
    StampaOpaB form(g, dialogs);
    form.Form_Load();

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.contains("report.log"));
    EXPECT_EQ(form.Vehicle.Plate.Value.caption(), "EF456GH");
    EXPECT_FALSE(form.Me.closeRequested());
}

// Printing, the same on every sheet: what the printer got and what the sheet looked like then.
class PrintingSheetTest : public SheetFormsTest {
  protected:
    void SetUp() override {
        SheetFormsTest::SetUp();
        fillFiveAccelerationSmokeTest(g);
        form.Form_Load();
        form.setPrinter(&printer);
        printer.whilePrinting = [this] {
            hiddenWhilePrinting = !form.Command1.visible() && !form.Command2.visible() && !form.CopiesBox.visible() &&
                                  !form.CopiesLabel.visible();
        };
    }
    bool printControlsShown() const {
        return form.Command1.visible() && form.Command2.visible() && form.CopiesBox.visible() &&
               form.CopiesLabel.visible();
    }

    StampaOpaB form{g, dialogs};
    RecordingPrinter printer;
    bool hiddenWhilePrinting = false;
};

TEST_F(PrintingSheetTest, ThreeCopiesAreOnePrintOfThreePagesWithoutTheControls) {
    form.CopiesBox.setText("3");
    form.Command2_Click();

    EXPECT_EQ(printer.printedCopies, std::vector<int>{3});
    EXPECT_TRUE(hiddenWhilePrinting);
    EXPECT_TRUE(printControlsShown());
    EXPECT_FALSE(form.Me.closeRequested());
}

TEST_F(PrintingSheetTest, NoCopiesPrintNothing) {
    for (const char* copies : {"0", "-2"}) {
        form.CopiesBox.setText(copies);
        form.Command2_Click();
    }
    EXPECT_TRUE(printer.printedCopies.empty());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(printControlsShown());
}

TEST_F(PrintingSheetTest, ACopiesTextThatIsNoCountIsRefusedAndTheSheetStaysOpen) {
    for (const char* copies : {"", "due", "3x", "100", "1e9"}) {
        form.CopiesBox.setText(copies);
        form.Command2_Click();
    }
    EXPECT_TRUE(printer.printedCopies.empty());
    ASSERT_EQ(dialogs.shown.size(), 5u);
    EXPECT_TRUE(dialogs.shown[1].text.contains("due"));
    EXPECT_TRUE(printControlsShown());
    EXPECT_FALSE(form.Me.closeRequested());
}

TEST_F(PrintingSheetTest, WithoutAPrinterTheOperatorMaySaveAPdfAndGoOn) {
    printer.printAnswer = ui::PrintOutcome::NoPrinter;
    dialogs.answers = {ui::Answer::Yes};
    form.CopiesBox.setText("2");
    form.Command2_Click();

    EXPECT_EQ(printer.savedCopies, std::vector<int>{2});
    EXPECT_TRUE(hiddenWhilePrinting);
    EXPECT_TRUE(printControlsShown());
    form.Command1_Click();
    EXPECT_TRUE(form.Me.closeRequested());
}

TEST_F(PrintingSheetTest, TheCopiesFieldIsOneAgainTheNextTimeTheSheetOpens) {
    form.CopiesBox.setText("2");
    EXPECT_EQ(g.report.PrintCopies, "2");
    form.Command2_Click();
    EXPECT_EQ(printer.printedCopies, std::vector<int>{2});

    StampaOpaB again(g, dialogs);
    again.Form_Load();
    EXPECT_EQ(again.CopiesBox.text(), "1");
    EXPECT_EQ(g.report.PrintCopies, "1");
}

TEST_F(PrintingSheetTest, GasSheetsPrintTheSameWay) {
    fillPassedCertificate(g);
    PrtKAPROCERT certificate(g, dialogs);
    certificate.Form_Load();
    certificate.setPrinter(&printer);
    certificate.CopiesBox.setText("2");
    certificate.Command2_Click();
    certificate.CopiesBox.setText("x");
    certificate.Command2_Click();

    EXPECT_EQ(printer.printedCopies, std::vector<int>{2});
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(certificate.Command2.visible());
}

} // namespace
