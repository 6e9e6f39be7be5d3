// A whole speed-triggered smoke test at a live station: the smoke window and
// the rev counter window on real serial ports against quaveron-sim processes,
// from warm-up to the verdict, the printed smoke report and report.log, in
// both of the opacimeter's protocols. Engine speed and oil temperature come
// from the rev counter, at values the opacimeter never reports.

#include "LiveStation.h"

#include "app/QtSmokeWindowLinks.h"
#include "link/QtSerialPort.h"
#include "smoke/ANFUMO.h"
#include "smoke/ANFUMOView.h"
#include "smoke/SmokeAcceptance.h"
#include "smoke/SmokeTexts.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

using e2e::waitUntil;

// Short procedures and a warm cell; after every start the simulated operator
// accelerates one second after the zeroing (one second), reaches governed
// speed half a second later, holds 3.5 s and comes back to idle, every 10.5 s.
// The window holds 3 s at full speed, then wants 5 s at idle before the next.
const char* const OpacimeterScenario = "set warmup=1 check=1 zeroing=1 ambient=60 cell=80\n"
                                       "set lead=1 rise=0.5 hold=3.5 fall=0.5 period=10.5\n"
                                       "set idle=820 governed=4400 peaks=1.0,1.1,1.2\n";

// The rev counter's engine follows the same accelerations, cued at the start,
// at its own idle and governed speeds; its oil probe reads a steady
// temperature. It reaches governed speed a little before the opacimeter's puff,
// as a real engine does, which leaves the window some room either way.
constexpr double IdleSpeed = 830;
constexpr double GovernedSpeed = 4350;
constexpr double OilTemperature = 88;
const QString Accelerations = QStringLiteral("0:830,1.9:830,2.4:4350,6:4350,6.5:830,10.5:830,repeat");
const QString SteadyOil = QStringLiteral("0:88");

struct Protocol {
    const char* name;
    const char* simulated; // --protocol
    int model;             // [MODOPA] Modello and the simulator's --model
    int linkMode;          // [COMOPA] TModCom
    int measuringText;     // the state line while the window measures
    bool endNotice;        // an MCTC-NET test ends with the print notice
    // The make on the report: the one an MCTC-NET opacimeter identifies itself
    // with, else Conf.ini's.
    const char* make;
};

class SmokeReportLiveTest : public e2e::LiveStationTest, public ::testing::WithParamInterface<Protocol> {
  protected:
    void TearDown() override {
        view.reset();
        form.reset();
        opacimeter.stop();
        LiveStationTest::TearDown();
    }

    void startOpacimeter() {
        writeBytes(workFile("smoke-scenario.txt"), OpacimeterScenario);
        const bool started =
            opacimeter.start(QStringLiteral("opa"), link("opa"),
                             {"--protocol", GetParam().simulated, "--model", QString::number(GetParam().model),
                              "--delay", "5", "--scenario", workFile("smoke-scenario.txt")});
        ASSERT_TRUE(started) << opacimeter.error().toStdString();
    }

    void configure() {
        writeConf(QStringLiteral("[COMOPA]\r\nTModCom=%1\r\nTCOM=%2\r\nTBRate=2\r\nMarca=Quaveron\r\n"
                                 "NOmologa=OM 12345\r\nModello=QV-OPA 100\r\nNserie=OPA0001\r\n"
                                 "[COMKAPRO]\r\nTModCom=2\r\nTCOM=%3\r\nTBRate=2\r\nMarca=Quaveron\r\n"
                                 "NOmologa=OM 67890\r\n"
                                 "[MODOPA]\r\nModello=%4\r\nUnitOpa=0\r\n[MODKAPRO]\r\nModello=3\r\n"
                                 "[LO]\r\nRN=1000\r\nMX=3000\r\nON=0.5\r\nVK=1.5\r\n")
                      .arg(GetParam().linkMode)
                      .arg(e2e::OpacimeterCom)
                      .arg(e2e::AnalyserCom)
                      .arg(GetParam().model));
    }

    void openSmokeWindow() {
        g.app.SmokeWindowActive = 1;
        auto links = std::make_unique<QtSmokeWindowLinks>(g, dialogs);
        QtSmokeWindowLinks* beside = links.get();
        form = std::make_unique<ANFUMO>(g, dialogs, std::move(links), std::make_unique<QtSerialPort>());
        view = std::make_unique<ANFUMOView>(*form);
        beside->setWindow(view.get());
        form->Form_Load();
        view->show();
        ASSERT_TRUE(form->MSComm1.PortOpen()) << "the smoke window did not open " << link("opa").toStdString();
    }

    std::string failure(const char* what) {
        return std::string(what) + "\nphases: " + phases.join(' ').toStdString() +
               "\nstatus: " + form->Label2.caption().toStdString() +
               ", prompt: " + form->Label39.caption().toStdString() + ", speed " + std::to_string(g.rpm.RpmValue) +
               "\nmessages: " + messagesAcknowledged.join(", ").toStdString() +
               "\nopacimeter: " + opacimeter.trace().right(400).toStdString() +
               "\nrev counter: " + revCounter.trace().right(300).toStdString();
    }

    e2e::SimulatorProcess opacimeter;
    QStringList phases;
    std::unique_ptr<ANFUMO> form;
    std::unique_ptr<ANFUMOView> view;
};

TEST_P(SmokeReportLiveTest, PassesAndPrintsTheReportWithTheRevCounterValues) {
    ASSERT_NO_FATAL_FAILURE(startOpacimeter());
    ASSERT_NO_FATAL_FAILURE(startRevCounter(Accelerations, SteadyOil, true));
    ASSERT_NO_FATAL_FAILURE(configure());
    ASSERT_NO_FATAL_FAILURE(openRevCounterWindow(IdleSpeed, OilTemperature));
    ASSERT_NO_FATAL_FAILURE(openSmokeWindow());

    ASSERT_TRUE(waitUntil([&] { return form->Label2.caption() == text(GetParam().measuringText); }, 10000))
        << failure("never measuring");
    ASSERT_TRUE(waitUntil([&] { return form->Label31.caption() == "830"; }, 3000))
        << failure("the rev counter's idle speed is not shown");
    form->Combo1.setListIndex(ANFUMO::SpeedTriggered);
    form->Combo1_Click();
    // The operator starts the engine's accelerations with the test.
    form->Command2_Click();
    ASSERT_TRUE(revCounter.cue());

    const bool concluded = waitUntil(
        [&] {
            if (phases.isEmpty() || phases.last() != form->TestPhase)
                phases << form->TestPhase;
            return form->Label33.caption() != text(smoke_text::Esito);
        },
        45000);
    ASSERT_TRUE(concluded) << failure("no verdict");
    ASSERT_EQ(form->Label33.caption(), text(acceptance_text::Pass)) << failure("not passed");
    EXPECT_EQ(g.smoke.SmokeTestResult.AcceptedSet, "1,2,3");
    EXPECT_EQ(form->Label18[0].caption(), "4350");
    EXPECT_EQ(form->Label37[0].caption(), "830");

    form->Command4_Click();
    EXPECT_EQ(sheetsPrinted.size(), 1) << failure("no report printed");
    // The operator acknowledged the end-of-test notice, if any, before printing.
    const QStringList notices =
        GetParam().endNotice ? QStringList{"Quaveron: " + text(smoke_text::ExclStamp1)} : QStringList();
    EXPECT_EQ(messagesAcknowledged.mid(0, 1), notices) << messagesAcknowledged.join(", ").toStdString();
    EXPECT_EQ(printedPages(), 1);
    EXPECT_TRUE(keepPrintedPage(QStringLiteral("e2e-smoke-report-%1.png").arg(GetParam().name)));

    const QStringList lines = reportLines();
    EXPECT_EQ(lines.size(), 49) << lines.join('\n').toStdString();
    const QMap<QString, QString> report = reportValues();
    EXPECT_EQ(report.value("Result"), text(acceptance_text::Pass));
    EXPECT_EQ(report.value("MinRPM"), "830");
    EXPECT_EQ(report.value("MaxRPM"), "4350");
    EXPECT_EQ(report.value("OilTemp"), "88");
    EXPECT_EQ(report.value("Mark"), GetParam().make);
    EXPECT_EQ(report.value("MarkRPM"), e2e::RevCounterMake);
    EXPECT_EQ(report.value("SerialRPM"), e2e::RevCounterSerial);
    // Each accepted acceleration with its peak k and the rev counter's governed
    // speed. The simulator's puffs peak at 1.0, 1.1, 1.2, then stay at 1.2; on a
    // loaded machine the window may still be zeroing at the first one and
    // measure from the next on, so the rows follow on from the first row's peak.
    const QStringList puffs = {"1", "1.1", "1.2"};
    const qsizetype first = puffs.indexOf(report.value("1MeasOPA"));
    ASSERT_GE(first, 0) << "first peak " << report.value("1MeasOPA").toStdString();
    double sum = 0;
    for (int row = 0; row < 3; ++row) {
        const QString digit = QString::number(row + 1);
        const QString peak = puffs[std::min<qsizetype>(first + row, puffs.size() - 1)];
        EXPECT_EQ(report.value(digit + "MeasOPA"), peak) << "row " << row + 1;
        EXPECT_EQ(report.value(digit + "MeasRPM"), "4350") << "row " << row + 1;
        sum += peak.toDouble();
    }
    EXPECT_EQ(report.value("MidOPAK"), QString::number(std::round(sum / 3 * 100) / 100));
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front().text.toStdString();

    // Kept once, at the verdict, before the report was printed; printed again from the archive alike.
    QList<archive::ListedRecord> records = archivedRecords();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(printedWhenKept, QList<int>{0});
    EXPECT_EQ(records[0].record.test.kind, ConcludedTest::Kind::Smoke);
    EXPECT_EQ(records[0].record.test.outcome, ConcludedTest::Outcome::Passed);
    expectRecordHoldsReport(records[0].record);
    expectReprintMatchesPrint(QStringLiteral("e2e-smoke-reprint-%1.png").arg(GetParam().name));

    // Then one single-acceleration chart: kept once, as it is shown, with the recorded table.
    // MCTC-NET only: the window offers the chart selection for MCTC-NET opacimeters alone.
    if (GetParam().linkMode != 2)
        return;
    form->Combo1.setListIndex(ANFUMO::Chart);
    form->Combo1_Click();
    form->Command2_Click();
    ASSERT_TRUE(revCounter.cue());
    ASSERT_TRUE(waitUntil([&] { return archivedRecords().size() == 2; }, 40000))
        << failure("no chart kept") << " phase " << form->TestPhase.toStdString() << " index "
        << g.smoke.AccelerationIndex << " cell " << g.smoke.CellTemperature;
    records = archivedRecords();
    const ConcludedTest& chart = records[1].record.test;
    EXPECT_EQ(chart.kind, ConcludedTest::Kind::Chart);
    EXPECT_EQ(chart.plate, g.station.VehiclePlate);
    EXPECT_EQ(chart.value("MarkRPM"), e2e::RevCounterMake);
    for (int row = 0; row < SmokeState::ChartRows; ++row) {
        const auto& cells = g.smoke.ChartData[static_cast<size_t>(row)];
        EXPECT_EQ(chart.value(QStringLiteral("Chart%1").arg(row + 1, 2, 10, QLatin1Char('0'))),
                  QStringList({QString::number(cells[0], 'g', 17), QString::number(cells[1], 'g', 17),
                               QString::number(cells[2], 'g', 17)})
                      .join(u';'))
            << "chart row " << row + 1;
    }
    EXPECT_GT(g.smoke.ChartData[20][2], 0) << "the chart recorded no engine speed";
}

INSTANTIATE_TEST_SUITE_P(BothProtocols, SmokeReportLiveTest,
                         ::testing::Values(Protocol{"Mctc", "mctc", 5, 2, smoke_text::Misura, true, "KAPRO"},
                                           Protocol{"Maker", "maker", 0, 1, smoke_text::Attivo, false, "Quaveron"}),
                         [](const ::testing::TestParamInfo<Protocol>& info) { return std::string(info.param.name); });

} // namespace
