// A line that vanishes and comes back: the instrument's simulator process is
// stopped (its pseudo-terminal closes and its link goes), then started again
// on the same link some seconds later. The window must get its line back by
// itself; a test that was running when the line went is abandoned, never
// judged on readings from both sides of the gap.

#include "LiveStation.h"

#include "gas/ANGAS.h"
#include "gas/ANGASView.h"
#include "lang/LanguageTexts.h"
#include "link/ANSU.h"
#include "link/ANSUView.h"
#include "link/QtSerialPort.h"
#include "smoke/ANFUMO.h"
#include "smoke/ANFUMOView.h"
#include "smoke/NoSmokeWindowLinks.h"
#include "smoke/SmokeTexts.h"

#include <QElapsedTimer>

#include <cstdio>
#include <memory>

namespace {

using e2e::waitUntil;

constexpr int UiGasMeasuring = 45;
constexpr int UiGasWaiting = 63;
constexpr int UiGasResult = 11;
constexpr int Certification = 0;
constexpr int PetrolCatalyst = 1;

// Long enough for the window to give up three requests in a row.
constexpr int OutageMs = 4000;
// The window must be back within this time of the line's return.
constexpr int BackWithinMs = 3000;
// Generous waits for what only has to happen at all, on a busy machine.
constexpr int SlowMs = 8000;

const QString ComError = QStringLiteral("ERRORE COM");

// Short procedures, so the restarted instrument is ready again within a second.
const QStringList GasTimes = {"--warmup", "300", "--zeroing", "300", "--leak-test", "300", "--hc-test", "300"};
const char* const OpacimeterScenario = "set warmup=0.3 check=0.3 zeroing=0.3 ambient=60 cell=80\n";

struct Case {
    const char* name;
    bool gas;      // the gas window, else the smoke window
    int model;     // [MODKAPRO] / [MODOPA] Modello and the simulator's --model
    int linkMode;  // TModCom
    int readyText; // the state line once the instrument is back and ready
    const char* protocol;
};

class LineOutageLiveTest : public e2e::LiveStationTest, public ::testing::WithParamInterface<Case> {
  protected:
    void TearDown() override {
        gasView.reset();
        gas.reset();
        smokeView.reset();
        smoke.reset();
        instrument.stop();
        LiveStationTest::TearDown();
    }

    const char* lineName() const { return GetParam().gas ? "gas" : "opa"; }

    void startInstrument() {
        QStringList options = {
            "--protocol", GetParam().protocol, "--model", QString::number(GetParam().model), "--delay", "5"};
        if (GetParam().gas) {
            options += GasTimes;
        } else {
            writeBytes(workFile("opa.txt"), OpacimeterScenario);
            options += {"--scenario", workFile("opa.txt")};
        }
        ASSERT_TRUE(instrument.start(QLatin1String(lineName()), link(lineName()), options))
            << instrument.error().toStdString();
    }

    void openWindow() {
        const Case& c = GetParam();
        // Timed measurements of a minute: the phase is still running when the line goes.
        writeConf(QStringLiteral("[COMKAPRO]\r\nTModCom=%1\r\nTCOM=%2\r\nTBRate=2\r\n[MODKAPRO]\r\nModello=%3\r\n"
                                 "[IA]\r\nRN=1000\r\nCGLPP=2000\r\nGV=2500\r\nLI=0.97\r\nAS=1.03\r\nAM=1\r\n"
                                 "LN=0.5\r\nRC=0.3\r\nMCS=2400\r\n"
                                 "[COMOPA]\r\nTModCom=%1\r\nTCOM=%4\r\nTBRate=2\r\n[MODOPA]\r\nModello=%3\r\n"
                                 "UnitOpa=0\r\n[LO]\r\nRN=1000\r\nMX=3000\r\nON=0.5\r\nVK=1.5\r\n")
                      .arg(c.linkMode)
                      .arg(e2e::AnalyserCom)
                      .arg(c.model)
                      .arg(e2e::OpacimeterCom));
        if (c.gas) {
            g.app.GasWindowActive = 1;
            gas = std::make_unique<ANGAS>(g, dialogs, std::make_unique<QtSerialPort>());
            gasView = std::make_unique<ANGASView>(*gas);
            gas->Form_Load();
            gasView->show();
        } else {
            g.app.SmokeWindowActive = 1;
            smoke = std::make_unique<ANFUMO>(g, dialogs, std::make_unique<NoSmokeWindowLinks>(),
                                             std::make_unique<QtSerialPort>());
            smokeView = std::make_unique<ANFUMOView>(*smoke);
            smoke->Form_Load();
            smokeView->show();
        }
    }

    // The operator starts a test; it is running once its first phase is under way.
    void startTest() {
        if (gas) {
            gas->Combo4.setListIndex(Certification);
            gas->Combo4_Click();
            gas->Combo1.setListIndex(PetrolCatalyst);
            gas->Combo1_Click();
            gas->Command1_Click();
            ASSERT_TRUE(waitUntil([&] { return gas->TestPhase == QLatin1String("UNO"); }, 10000))
                << failure("the timed idle phase never started");
        } else {
            smoke->Combo1.setListIndex(ANFUMO::SpeedTriggered);
            smoke->Combo1_Click();
            smoke->Command2_Click();
            ASSERT_TRUE(waitUntil([&] { return smoke->TestPhase == QLatin1String("AVVIO"); }, 10000))
                << failure("the test never started");
        }
    }

    QString state() const { return gas ? gas->Label5.caption() : smoke->Label2.caption(); }
    QString instruction() const { return gas ? gas->Label27.caption() : smoke->Label39.caption(); }
    bool testRunning() const { return !(gas ? gas->TestPhase : smoke->TestPhase).trimmed().isEmpty(); }
    bool portOpen() const { return gas ? gas->MSComm2.PortOpen() : smoke->MSComm1.PortOpen(); }

    std::string failure(const char* what) {
        return std::string(what) + "\nstate: " + state().toStdString() +
               ", instruction: " + instruction().toStdString() +
               "\ninstrument: " + instrument.trace().right(500).toStdString();
    }

    e2e::SimulatorProcess instrument;
    std::unique_ptr<ANGAS> gas;
    std::unique_ptr<ANGASView> gasView;
    std::unique_ptr<ANFUMO> smoke;
    std::unique_ptr<ANFUMOView> smokeView;
};

TEST_P(LineOutageLiveTest, WindowGetsItsLineBackAndAbandonsTheInterruptedTest) {
    ASSERT_NO_FATAL_FAILURE(startInstrument());
    ASSERT_NO_FATAL_FAILURE(openWindow());
    ASSERT_TRUE(portOpen());
    ASSERT_TRUE(waitUntil([&] { return state() == text(GetParam().readyText); }, 10000)) << failure("never ready");
    ASSERT_NO_FATAL_FAILURE(startTest());

    // The line vanishes mid-measurement.
    instrument.stop();
    QElapsedTimer outage;
    outage.start();
    ASSERT_TRUE(waitUntil([&] { return state() == ComError; }, SlowMs)) << failure("no \"ERRORE COM\"");
    ASSERT_TRUE(waitUntil([&] { return !testRunning(); }, SlowMs)) << failure("the test was not abandoned");
    EXPECT_EQ(instruction(), NamedText(g, u"LINEAProvaInterrotta"));
    e2e::pumpFor(int(std::max<qint64>(0, OutageMs - outage.elapsed())));
    EXPECT_EQ(state(), ComError);
    EXPECT_FALSE(portOpen());

    // It comes back on the same path, and the window talks to it again by itself.
    ASSERT_NO_FATAL_FAILURE(startInstrument());
    QElapsedTimer back;
    back.start();
    // "ERRORE COM" gives way only to a state the instrument reported.
    const bool ready = waitUntil([&] { return state() == text(GetParam().readyText); }, BackWithinMs);
    ASSERT_TRUE(ready) << failure("not back within three seconds");
    std::printf("[ %s back %lld ms after the line returned ]\n", GetParam().name,
                static_cast<long long>(back.elapsed()));
    EXPECT_TRUE(portOpen());
    // The gap never reached a verdict, and nobody was asked anything.
    if (gas)
        EXPECT_EQ(gas->Label28.caption(), text(UiGasResult));
    else
        EXPECT_EQ(smoke->Label33.caption(), text(smoke_text::Esito));
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front().text.toStdString();
    EXPECT_TRUE(messagesAcknowledged.isEmpty()) << messagesAcknowledged.join(", ").toStdString();
    // What the gap cut short may be archived, but only as interrupted.
    for (const archive::ListedRecord& listed : archivedRecords())
        EXPECT_EQ(listed.record.test.outcome, ConcludedTest::Outcome::Interrupted);
}

INSTANTIATE_TEST_SUITE_P(WindowsAndProtocols, LineOutageLiveTest,
                         ::testing::Values(Case{"GasMctc", true, 3, ANGAS::MctcNet, UiGasMeasuring, "mctc"},
                                           Case{"GasMaker", true, 0, ANGAS::MakerFrames, UiGasWaiting, "maker"},
                                           Case{"SmokeMctc", false, 5, 2, smoke_text::Misura, "mctc"},
                                           Case{"SmokeMaker", false, 0, 1, smoke_text::Attivo, "maker"}),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// The gas analyser's set-up window asks the analyser who it is; the analyser
// goes away before it answers and comes back some seconds later.
class SetupLineOutageLiveTest : public e2e::LiveStationTest {
  protected:
    void TearDown() override {
        view.reset();
        form.reset();
        analyser.stop();
        LiveStationTest::TearDown();
    }

    void startAnalyser(const char* replyDelayMs) {
        ASSERT_TRUE(analyser.start(QStringLiteral("gas"), link("gas"),
                                   {"--model", "3", "--serial", "GAS00042", "--delay", replyDelayMs}))
            << analyser.error().toStdString();
    }

    e2e::SimulatorProcess analyser;
    std::unique_ptr<ANSU> form;
    std::unique_ptr<ANSUView> view;
};

TEST_F(SetupLineOutageLiveTest, IdentificationCarriesOnWhenTheLineComesBack) {
    // Slow to answer, so the line goes while the identification waits.
    ASSERT_NO_FATAL_FAILURE(startAnalyser("2000"));
    ASSERT_NO_FATAL_FAILURE(
        writeConf(QStringLiteral("[COMKAPRO]\r\nTModCom=2\r\nTCOM=%1\r\nTBRate=2\r\n[MODKAPRO]\r\nModello=3\r\n"
                                 "[COMOPA]\r\nTModCom=2\r\nTCOM=%2\r\nTBRate=2\r\n")
                      .arg(e2e::AnalyserCom)
                      .arg(e2e::OpacimeterCom)));
    form = std::make_unique<ANSU>(g, dialogs, std::make_unique<QtSerialPort>());
    view = std::make_unique<ANSUView>(*form);
    form->Form_Load();
    const QString caption = form->Me.caption();
    form->Command2_Click();
    ASSERT_TRUE(form->MSComm6.PortOpen());

    analyser.stop();
    ASSERT_TRUE(waitUntil([&] { return form->Me.caption().endsWith(ComError); }, SlowMs))
        << "caption: " << form->Me.caption().toStdString();
    e2e::pumpFor(OutageMs - 1000);
    EXPECT_FALSE(form->MSComm6.PortOpen());
    EXPECT_EQ(form->Text4.text(), " ");

    ASSERT_NO_FATAL_FAILURE(startAnalyser("5"));
    ASSERT_TRUE(waitUntil([&] { return form->Text4.text() == "GAS00042"; }, BackWithinMs))
        << "serial box: " << form->Text4.text().toStdString() << "\n"
        << analyser.trace().right(300).toStdString();
    // The identification goes on to the checksum parameter, and the caption is the window's own again.
    ASSERT_TRUE(waitUntil([&] { return !form->Text8.text().isEmpty(); }, BackWithinMs));
    EXPECT_EQ(form->Me.caption(), caption);
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front().text.toStdString();
}

} // namespace
