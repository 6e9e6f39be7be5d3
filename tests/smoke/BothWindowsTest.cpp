// The gas and smoke windows open at once. Every request goes out on both
// lines, as at the station, and each instrument answers only its own; replies
// must be checked and read with the request of the window they reach, whatever
// the other window sent meanwhile.

#include "gas/ANGAS.h"
#include "gas/QtPrinters.h"
#include "lang/UiTextKeys.h"
#include "link/FakeSerialPort.h"
#include "link/FrameBytes.h"
#include "link/MakerFrame.h"
#include "link/MctcFrame.h"
#include "shared/Globals.h"
#include "sim/FakePortConnection.h"
#include "sim/GasAnalyserSim.h"
#include "sim/MctcRequest.h"
#include "sim/OpacimeterSim.h"
#include "sim/ScenarioClock.h"
#include "smoke/ANFUMO.h"
#include "smoke/NoSmokeWindowLinks.h"
#include "smoke/OpacimeterModels.h"
#include "smoke/SmokeTexts.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"
#include "ui/Clock.h"

#include <QList>

#include <memory>
#include <optional>

namespace {

constexpr int GasMctcModel = 3;
constexpr int GasMakerModel = 0; // address 0x31
constexpr int SmokeMctcModel = 5;
constexpr int SmokeMakerModel = 1; // address 0x41

QByteArray fields(const QList<QByteArray>& parts) {
    return parts.join(FrameByte::Etb);
}

QByteArray identity(const QByteArray& serial, const QByteArray& version) {
    return fields({"KORVELLAN", "MODEL", "OM-1", serial, "31122030", version, ""});
}

QByteArray makerReply(int address, int command, const QByteArray& data) {
    QByteArray frame = BuildMakerFrame(address, command, data);
    frame[2] = FrameByte::Ack;
    return frame;
}

} // namespace

class BothWindowsTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        ui::Clock::set(QDateTime(QDate(2024, 3, 5), QTime(9, 30, 0)));
        for (int i = 0; i < UiTextCount; ++i)
            g.lang.UiText[i] = UiTextKey(i);
        g.station.AmbientPressure = QStringLiteral("101.3");
    }

    void TearDown() override {
        smoke.reset();
        gas.reset();
        StationDirsTest::TearDown();
    }

    // Both windows loaded, the smoke window first as the soak program does.
    void open(int gasModel, int smokeModel) {
        const QString conf = QStringLiteral("[COMKAPRO]\r\nTModCom=%1\r\nTCOM=2\r\nTBRate=2\r\nModello=KAPRO\r\n"
                                            "[MODKAPRO]\r\nModello=%2\r\n"
                                            "[COMOPA]\r\nTModCom=%3\r\nTCOM=3\r\nTBRate=2\r\nModello=OPA\r\n"
                                            "[MODOPA]\r\nModello=%4\r\nUnitOpa=0\r\n")
                                 .arg(gasModel == GasMctcModel ? 2 : 1)
                                 .arg(gasModel)
                                 .arg(smokeModel == SmokeMctcModel ? 2 : 1)
                                 .arg(smokeModel);
        writeBytes(workFile("Conf.ini"), conf.toLatin1());
        g.app.SmokeWindowActive = 1;
        g.app.GasWindowActive = 1;
        auto smokeLine = std::make_unique<FakeSerialPort>();
        smokePort = smokeLine.get();
        smoke = std::make_unique<ANFUMO>(g, dialogs, std::make_unique<NoSmokeWindowLinks>(), std::move(smokeLine));
        smoke->Form_Load();
        auto gasLine = std::make_unique<FakeSerialPort>();
        gasPort = gasLine.get();
        gas = std::make_unique<ANGAS>(g, dialogs, std::move(gasLine));
        gas->Form_Load();
    }

    // The command of the newest MCTC-NET request for a device, with its data.
    QByteArray lastMctcRequest(const QByteArray& device) const {
        const QList<QByteArray>& written = gasPort->written();
        for (auto frame = written.rbegin(); frame != written.rend(); ++frame) {
            const auto request = sim::ParseMctcRequest(*frame);
            if (request && request->device == device)
                return request->hasData ? request->command + ' ' + request->data : request->command;
        }
        return {};
    }

    // Requests written for a device since the given count of frames on the line.
    qsizetype mctcRequestsSince(const QByteArray& device, qsizetype first) const {
        qsizetype count = 0;
        const QList<QByteArray>& written = gasPort->written();
        for (qsizetype i = first; i < written.size(); ++i) {
            const auto request = sim::ParseMctcRequest(written[i]);
            count += request && request->device == device ? 1 : 0;
        }
        return count;
    }

    // The command of the newest maker request to an address; -1 when none.
    int lastMakerCommand(int address) const {
        const QList<QByteArray>& written = gasPort->written();
        for (auto frame = written.rbegin(); frame != written.rend(); ++frame)
            if (frame->size() >= 8 && static_cast<unsigned char>((*frame)[1]) == address)
                return static_cast<unsigned char>((*frame)[3]);
        return -1;
    }

    void answerGas(const QByteArray& command, const QByteArray& data = {}) {
        gasPort->receive(BuildMctcFrame("GAS", command, "1", data));
    }
    void answerSmoke(const QByteArray& command, const QByteArray& data = {}) {
        smokePort->receive(BuildMctcFrame("OPA", command, "1", data));
    }

    // Identifies a window's instrument with nothing sent in between.
    void identifyGas(const QByteArray& version) {
        gas->Timer1.tick();
        ASSERT_EQ(lastMctcRequest("GAS"), "ID");
        answerGas("ID", identity("SN-GAS", version));
        ASSERT_EQ(gas->NextState, "IDE");
    }
    void identifySmoke(const QByteArray& version) {
        smoke->Timer1.tick();
        ASSERT_EQ(lastMctcRequest("OPA"), "ID");
        answerSmoke("ID", identity("SN-OPA", version));
        ASSERT_EQ(smoke->InstrumentState, "IDE");
    }

    Globals g;
    RecordingDialogs dialogs;
    FakeSerialPort* gasPort = nullptr;
    FakeSerialPort* smokePort = nullptr;
    std::unique_ptr<ANFUMO> smoke;
    std::unique_ptr<ANGAS> gas;
};

TEST_F(BothWindowsTest, MctcRepliesAreTakenAndReadWithTheRequestOfTheWindowTheyReach) {
    open(GasMctcModel, SmokeMctcModel);
    identifyGas("1.50");
    gas->Timer1.tick();
    ASSERT_EQ(lastMctcRequest("GAS"), "@SD 05032024\x17"
                                      "093000");
    answerGas("@SD");
    // The gas window asks for a parameter; before its answer the smoke window
    // sends its own, shorter, request.
    gas->Timer1.tick();
    ASSERT_EQ(lastMctcRequest("GAS"), "@LU 047");
    smoke->Timer1.tick();
    ASSERT_EQ(lastMctcRequest("OPA"), "ID");
    // The shared record still names the newest request of either window.
    EXPECT_EQ(g.link.MctcDevice, "OPA");
    EXPECT_EQ(g.link.MctcCommand, "ID");

    answerGas("@LU", fields({"1234", "047"}));
    EXPECT_EQ(gas->Label7.caption(), "1234");
    EXPECT_EQ(gas->NextState, "LI");

    answerSmoke("ID", identity("SN-OPA", "4.10"));
    EXPECT_EQ(smoke->InstrumentState, "IDE");
    EXPECT_EQ(g.link.InstrumentIdentity.SerialNumber, "SN-OPA");

    // The other way round: the smoke window's parameter reply arrives after the
    // gas window has asked for its status.
    smoke->Timer1.tick();
    ASSERT_EQ(lastMctcRequest("OPA"), "@LU 21");
    gas->Timer1.tick();
    ASSERT_EQ(lastMctcRequest("GAS"), "@ST");

    answerSmoke("@LU", fields({"00007", "021"}));
    EXPECT_EQ(g.smoke.OperatingStatus, "00007");
    EXPECT_EQ(smoke->InstrumentState, "LPAR");

    answerGas("@ST", QByteArray(1, 0x40 | 8));
    EXPECT_EQ(g.gas.AnalyserStatus, 8);
    EXPECT_EQ(gas->NextState, "RSTMIS");
}

TEST_F(BothWindowsTest, AReplyToTheOtherWindowsRequestIsNotTakenForOne) {
    open(GasMctcModel, SmokeMctcModel);
    identifyGas("1.50");
    identifySmoke("4.10");
    gas->Timer1.tick();
    ASSERT_EQ(lastMctcRequest("GAS"), "@SD 05032024\x17"
                                      "093000");
    smoke->Timer1.tick();
    ASSERT_EQ(lastMctcRequest("OPA"), "@LU 21");

    // Each line carries only its own instrument's answers, but an answer for
    // the wrong device or command must still change nothing.
    const QString parameterShown = gas->Label7.caption();
    const QString operatingStatus = g.smoke.OperatingStatus;
    gasPort->receive(BuildMctcFrame("OPA", "@LU", "1", fields({"00007", "021"})));
    answerGas("@LU", fields({"9999", "047"}));
    smokePort->receive(BuildMctcFrame("GAS", "@SD", "1", {}));
    EXPECT_EQ(gas->NextState, "IDE");
    EXPECT_EQ(gas->Label7.caption(), parameterShown);
    EXPECT_EQ(smoke->InstrumentState, "IDE");
    EXPECT_EQ(g.smoke.OperatingStatus, operatingStatus);

    answerGas("@SD");
    EXPECT_EQ(gas->NextState, "SDA");
}

struct VersionCase {
    const char* name;
    QByteArray gasVersion;
    QByteArray smokeVersion;
    bool gasIdentifiesFirst;
    QByteArray gasCommandAfterDate; // "@LA" before version 1.50, "@LU 047" from it
    QByteArray smokeStatusCommand;  // "ST" before version 4.005, "@ST" from it
};

class BothWindowsVersionTest : public BothWindowsTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(BothWindowsVersionTest, EachWindowChoosesItsCommandsByItsOwnInstrumentsVersion) {
    const VersionCase& c = GetParam();
    open(GasMctcModel, SmokeMctcModel);
    if (c.gasIdentifiesFirst) {
        identifyGas(c.gasVersion);
        identifySmoke(c.smokeVersion);
    } else {
        identifySmoke(c.smokeVersion);
        identifyGas(c.gasVersion);
    }
    gas->Timer1.tick();
    answerGas("@SD");
    gas->Timer1.tick();
    EXPECT_EQ(lastMctcRequest("GAS"), c.gasCommandAfterDate);

    smoke->Timer1.tick();
    answerSmoke("@LU", fields({"00002", "021"}));
    smoke->Timer1.tick();
    EXPECT_EQ(lastMctcRequest("OPA"), c.smokeStatusCommand);
}

// In each case the version identified last, left in the shared record, is on
// the wrong side of the other window's threshold.
INSTANTIATE_TEST_SUITE_P(Versions, BothWindowsVersionTest,
                         ::testing::Values(VersionCase{"OldGasThenNewSmoke", "1.40", "4.10", true, "@LA", "@ST"},
                                           VersionCase{"NewSmokeThenOldGas", "1.40", "4.10", false, "@LA", "@ST"},
                                           VersionCase{"NewSmokeThenNewGas", "1.50", "4.10", false, "@LU 047", "@ST"},
                                           VersionCase{"OldGasThenOldSmoke", "1.40", "3.90", true, "@LA", "ST"}),
                         [](const ::testing::TestParamInfo<VersionCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(BothWindowsTest, AnIdentityReplyTooShortKeepsTheWindowsOwnVersion) {
    open(GasMctcModel, SmokeMctcModel);
    identifySmoke("4.10");
    // The gas analyser's answer has too few fields: the shared version stays
    // the opacimeter's, which must not choose the gas window's commands.
    gas->Timer1.tick();
    answerGas("ID", fields({"KORVELLAN", "MODEL"}));
    ASSERT_EQ(g.link.VersionThousandths, 4100);
    gas->Timer1.tick();
    answerGas("@SD");
    gas->Timer1.tick();
    EXPECT_EQ(lastMctcRequest("GAS"), "@LA");
}

TEST_F(BothWindowsTest, MakerRepliesAreCheckedWithTheCommandOfTheWindowTheyReach) {
    open(GasMakerModel, SmokeMakerModel);
    const int gasAddress = 0x31;
    const int smokeAddress = OpacimeterModelOf(SmokeMakerModel).address;
    QByteArray identification(18, '\0');
    identification.replace(1, 8, "KV123456");
    identification.replace(15, 3, "540");
    gas->Timer1.tick();
    ASSERT_EQ(lastMakerCommand(gasAddress), 0x31);
    gasPort->receive(makerReply(gasAddress, 0x31, identification));
    ASSERT_EQ(gas->NextState, "LDF");

    // The gas window asks for its calibration date, then the smoke window for
    // its identity, before the date arrives.
    gas->Timer1.tick();
    ASSERT_EQ(lastMakerCommand(gasAddress), 0x2E);
    smoke->Timer1.tick();
    ASSERT_EQ(lastMakerCommand(smokeAddress), maker_command::Identify);
    EXPECT_EQ(g.link.LastMakerCommand, maker_command::Identify);

    QByteArray calibration(12, '\0');
    const char date[] = {3, 1, 1, 2, 2, 4};
    calibration.replace(6, 6, QByteArray(date, 6));
    gasPort->receive(makerReply(gasAddress, 0x2E, calibration));
    EXPECT_EQ(gas->NextState, "LDCAL");
    EXPECT_EQ(g.gas.CalibrationDate, "31/12/24");

    smokePort->receive(makerReply(smokeAddress, maker_command::Identify, "X004217"));
    EXPECT_EQ(smoke->InstrumentState, "LDF");
    EXPECT_TRUE(g.link.InstrumentIdentity.SerialNumber.endsWith("004217"));

    // The other way round: the opacimeter's expiry date after the gas window's list.
    smoke->Timer1.tick();
    ASSERT_EQ(lastMakerCommand(smokeAddress), maker_command::ExpiryDate);
    gas->Timer1.tick();
    ASSERT_EQ(lastMakerCommand(gasAddress), 0x23);
    smokePort->receive(makerReply(smokeAddress, maker_command::ExpiryDate, "311230"));
    EXPECT_EQ(smoke->InstrumentState, "DS");
    EXPECT_EQ(g.link.InstrumentIdentity.ExpiryDate, "31/12/2030");
}

// Both windows against the simulated instruments, each tick of one window
// followed by a tick of the other before the line runs on: every reply arrives
// after the other window has sent. Neither may fall to a time-out.
TEST_F(BothWindowsTest, BothWindowsPollTheirSimulatorsWithoutATimeOut) {
    sim::ScenarioClock clock;
    sim::GasAnalyserSettings settings;
    settings.model = GasMctcModel;
    settings.timing = {.warmUp = 1000, .zeroing = 600, .leakTest = 1000, .hcResidueTest = 500};
    settings.calendar = ui::Clock::now();
    sim::GasAnalyserSim analyser(clock, settings);
    sim::OpacimeterSim opacimeter(clock, SmokeMctcModel);
    open(GasMctcModel, SmokeMctcModel);
    // Undone before the simulators go, at the end of this test.
    const sim::FakePortConnection gasLine(analyser.engine(), *gasPort);
    const sim::FakePortConnection smokeLine(opacimeter.engine(), *smokePort);

    const QString comError = QStringLiteral("ERRORE COM");
    int gasTimeOuts = 0;
    int smokeTimeOuts = 0;
    const qsizetype first = gasPort->written().size();
    constexpr int Ticks = 2400; // a minute of the station's time
    for (int i = 0; i < Ticks; ++i) {
        gas->Timer1.tick();
        smoke->Timer1.tick();
        clock.advanceBy(25);
        ui::Clock::advance(25);
        gasTimeOuts += gas->Label5.caption() == comError ? 1 : 0;
        smokeTimeOuts += smoke->Label2.caption() == comError ? 1 : 0;
    }
    EXPECT_EQ(gasTimeOuts, 0);
    EXPECT_EQ(smokeTimeOuts, 0);
    // Both got through warm-up and zeroing to measuring, each answered at once:
    // a request at nearly every tick.
    EXPECT_EQ(gas->Label5.caption(), g.lang.UiText[45]);
    EXPECT_EQ(smoke->Label2.caption(), g.lang.UiText[smoke_text::Misura]);
    EXPECT_GT(mctcRequestsSince("GAS", first), Ticks * 9 / 10);
    EXPECT_GT(mctcRequestsSince("OPA", first), Ticks * 9 / 10);
}
