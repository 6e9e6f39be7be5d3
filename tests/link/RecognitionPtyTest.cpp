// The COM port scan over real pseudo-terminals mapped to COM ports, with
// simulated instruments answering in real time. The form's timer is ticked by
// the test, which pumps the event loop briefly after each tick so replies can
// arrive: a tick's answer counts, as in the program, only until the next tick.

#include "PseudoTerminal.h"
#include "SetupFormFixture.h"

#include "link/RiconosciMCTC.h"
#include "shared/Globals.h"
#include "sim/GasAnalyserSim.h"
#include "sim/OpacimeterSim.h"
#include "sim/PtyLink.h"
#include "sim/PtyTransport.h"
#include "sim/RealTimeDriver.h"
#include "support/RealLinePort.h"
#include "support/StationDirs.h"

#include <QDir>

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace {

// A real line that notes which device each request was meant for, per COM port.
class RecordingLine : public RealLinePort {
  public:
    void Output(const QByteArray& bytes) override {
        asked[CommPort()].append(bytes.mid(1, 3));
        RealLinePort::Output(bytes);
    }

    std::map<int, QByteArrayList> asked;
};

// Silent ports are answered within the tick or not at all; a port with an
// instrument gets time for its reply.
constexpr int SilentListenMs = 15;
constexpr int AnswerListenMs = 1000;

} // namespace

class RecognitionPtyTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        sim::GasAnalyserSettings gas;
        gas.model = 3;
        analyser = std::make_unique<sim::GasAnalyserSim>(clock, gas);
        opacimeter = std::make_unique<sim::OpacimeterSim>(clock, 5);
        driver.start();
    }

    void TearDown() override {
        form.reset();
        transports.clear();
        silentLines.clear();
        StationDirsTest::TearDown();
    }

    QString linePath(int port) const { return QDir(work.path()).filePath(QStringLiteral("lines/com%1").arg(port)); }

    // COM ports with nothing on the line; every port not mapped here or to an
    // instrument does not exist.
    void silentPorts(std::initializer_list<int> ports) {
        for (int port : ports) {
            QString error;
            silentLines.push_back(sim::PtyLink::create(linePath(port), &error));
            ASSERT_TRUE(silentLines.back()) << error.toStdString();
            mapped[port] = linePath(port);
        }
    }
    void instrumentOn(int port, sim::InstrumentEngine& engine) {
        QString error;
        transports.push_back(sim::PtyTransport::open(engine, linePath(port), &error));
        ASSERT_TRUE(transports.back()) << error.toStdString();
        mapped[port] = linePath(port);
        live.insert(port);
    }

    void openWindow() {
        QByteArray conf = "[PORTE]\r\n";
        for (int port = 1; port <= RiconosciMCTC::HighestPort; ++port) {
            const auto found = mapped.find(port);
            const QString device = found != mapped.end() ? found->second : QDir(work.path()).filePath("no/such/port");
            conf += QStringLiteral("COM%1=%2\r\n").arg(port).arg(device).toLocal8Bit();
        }
        writeBytes(workFile("Conf.ini"), conf);
        auto recording = std::make_unique<RecordingLine>();
        line = recording.get();
        form = std::make_unique<RiconosciMCTC>(g, std::move(recording));
        form->Form_Load();
        form->Command1_Click();
    }

    void tick() {
        form->Timer1.tick();
        const int port = form->ScanPort();
        if (port == 0)
            return;
        const bool expectAnswer = live.count(port) && form->ScanResult(port) == RiconosciMCTC::NoAnswer;
        processEventsUntil([&] { return form->ScanResult(port) != RiconosciMCTC::NoAnswer; },
                           expectAnswer ? AnswerListenMs : SilentListenMs);
    }
    // Ticks until the scan reaches the given port (0: until it is over).
    void tickUntilPort(int port) {
        for (int guard = 0; guard < 60 && form->ScanPort() != port; ++guard)
            tick();
        ASSERT_EQ(form->ScanPort(), port);
    }

    QString gasIdentityLine() const {
        const sim::MctcIdentity& id = analyser->identity();
        return QString::fromLatin1(id.maker + "   " + id.model + "   " + id.serialNumber + "   " + id.version);
    }

    Globals g;
    sim::ScenarioClock clock;
    sim::RealTimeDriver driver{clock};
    std::unique_ptr<sim::GasAnalyserSim> analyser;
    std::unique_ptr<sim::OpacimeterSim> opacimeter;
    std::vector<std::unique_ptr<sim::PtyLink>> silentLines;
    std::vector<std::unique_ptr<sim::PtyTransport>> transports;
    std::map<int, QString> mapped;
    std::set<int> live;
    RecordingLine* line = nullptr;
    std::unique_ptr<RiconosciMCTC> form;
};

TEST_F(RecognitionPtyTest, GasAnalyserOnComThreeIsReportedAmongTheExistingPorts) {
    silentPorts({1, 2, 5});
    instrumentOn(3, analyser->engine());
    openWindow();
    tickUntilPort(0);

    EXPECT_EQ(form->Text3.text(),
              "Com1 no connect\r\nCom2 no connect\r\nCom3   " + gasIdentityLine() + "\r\nCom5 no connect\r\n");
    // The analyser answered the first question: nothing more was asked on its line.
    EXPECT_EQ(line->asked[3], QByteArrayList{"GAS"});
    EXPECT_EQ(line->asked[5], (QByteArrayList{"GAS", "OPA", "RPM"}));
    EXPECT_EQ(line->asked.count(4), 0u);
    EXPECT_EQ(line->Settings(), "9600,n,8,1");
    EXPECT_FALSE(line->PortOpen());
}

TEST_F(RecognitionPtyTest, OpacimeterAnsweringItsOwnQuestionEndsThePort) {
    silentPorts({1});
    instrumentOn(2, opacimeter->engine());
    openWindow();
    tickUntilPort(2); // the gas analyser asked: the opacimeter stays silent
    EXPECT_EQ(form->ScanResult(2), "1");
    // The scan shows the device behind the COM number it is trying.
    EXPECT_EQ(form->Text2.text(), "Com2 GAS  (" + linePath(2) + ")");
    tick(); // the opacimeter asked: it answers
    EXPECT_EQ(form->ScanStep(), 3);
    tick();
    EXPECT_EQ(form->ScanPort(), 3);
    EXPECT_EQ(line->asked[2], (QByteArrayList{"GAS", "OPA"}));
    const sim::MctcIdentity& id = opacimeter->identity();
    EXPECT_EQ(form->ScanResult(2),
              QString::fromLatin1(id.maker + "   " + id.model + "   " + id.serialNumber + "   " + id.version));
}

TEST_F(RecognitionPtyTest, StoppingAfterComFiveReportsTheRestAsNotConnected) {
    silentPorts({1, 2, 5});
    instrumentOn(3, analyser->engine());
    openWindow();
    tickUntilPort(5);
    tick();
    tick();
    EXPECT_EQ(form->ScanStep(), 3);
    EXPECT_EQ(line->asked[5], (QByteArrayList{"GAS", "OPA", "RPM"}));
    form->Command2_Click();
    QString rest;
    for (int port = 6; port <= 16; ++port)
        rest += QStringLiteral("Com%1 no connect\r\n").arg(port);
    EXPECT_EQ(form->Text3.text(),
              "Com1 no connect\r\nCom2 no connect\r\nCom3   " + gasIdentityLine() + "\r\nCom5 no connect\r\n" + rest);
    EXPECT_EQ(line->asked.count(6), 0u);
    EXPECT_FALSE(form->Me.closeRequested());
}
