#include "OpacimeterFixture.h"
#include "PosixLine.h"

#include "link/MctcParsers.h"
#include "shared/Globals.h"
#include "sim/PtyTransport.h"
#include "sim/RealTimeDriver.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

namespace {

namespace Command = sim::OpacimeterMakerCommand;

// A maker reply may hold ETX among its data: read on until its length byte is satisfied.
QByteArray readMakerReply(PosixLine& line, int address, int command) {
    QByteArray reply;
    while (CheckMakerReply(reply, address, command) == MakerReply::Incomplete) {
        const QByteArray piece = line.readFrame(5000);
        if (piece.isEmpty())
            break;
        reply += piece;
    }
    return reply;
}

// Instrument procedures of no length: ready as soon as it is switched on.
sim::OpacimeterScenario InstantScenario() {
    sim::OpacimeterScenario scenario;
    scenario.timing = {0, 0, 0};
    return scenario;
}

class OpacimeterOnPty : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        opacimeter = std::make_unique<sim::OpacimeterSim>(clock, GetParam(), InstantScenario());
        QString error;
        line = sim::PtyTransport::open(opacimeter->engine(), dir.filePath("lines/opa"), &error);
        ASSERT_TRUE(line) << error.toStdString();
        driver.start();
    }
    void TearDown() override { line.reset(); }

    QTemporaryDir dir;
    sim::ScenarioClock clock;
    std::unique_ptr<sim::OpacimeterSim> opacimeter;
    std::unique_ptr<sim::PtyTransport> line;
    sim::RealTimeDriver driver{clock};
};

TEST_P(OpacimeterOnPty, IdentifiesAndMeasuresOverARealLine) {
    PosixLine program(dir.filePath("lines/opa"));
    ASSERT_TRUE(program.isOpen()) << program.error().toStdString();

    // Identification over MCTC-NET, as the set-up window asks, whatever the model.
    ASSERT_TRUE(program.write(BuildMctcFrame("OPA", "ID", "1", {})));
    LinkState link;
    ParseIdentityReply(link, program.readFrame(), 2, 1);
    EXPECT_EQ(link.InstrumentIdentity.Model.trimmed(), sim::OpacimeterModelInfoOf(GetParam()).name);

    if (opacimeter->protocol() == sim::OpacimeterProtocol::Mctc) {
        ASSERT_TRUE(program.write(BuildMctcFrame("OPA", "@ST", "1", {})));
        EXPECT_EQ(program.readFrame(), BuildMctcFrame("OPA", "@ST", "1", "H")); // 0x40 + 8: measuring
        ASSERT_TRUE(program.write(BuildMctcFrame("OPA", "@VA", "1", {})));
        const std::optional<MctcFields> fields = SplitMctcData(program.readFrame(), 3, 1);
        ASSERT_TRUE(fields);
        EXPECT_EQ(fields->field(3), "800");
        EXPECT_EQ(fields->field(8), "001");
        return;
    }
    const int address = opacimeter->makerAddress();
    ASSERT_TRUE(program.write(BuildMakerFrame(address, Command::ChannelList, QByteArray("\x02\x08\x07", 3))));
    EXPECT_EQ(CheckMakerReply(readMakerReply(program, address, Command::ChannelList), address, Command::ChannelList),
              MakerReply::Complete);
    ASSERT_TRUE(program.write(BuildMakerFrame(address, Command::Values, {})));
    const QByteArray reply = readMakerReply(program, address, Command::Values);
    ASSERT_EQ(CheckMakerReply(reply, address, Command::Values), MakerReply::Complete);
    // Engine speed 800 (0x0320), then k 0.08 (8): two records.
    EXPECT_EQ(reply.mid(6, 10), QByteArray("\x08\x00\x00\x03\x20\x07\x02\x00\x00\x08", 10));
}

INSTANTIATE_TEST_SUITE_P(Models, OpacimeterOnPty, ::testing::Values(5, 0, 4));

QString simulatorProgram() {
    const QByteArray root = qgetenv("QUAVERON_BINARY_DIR");
    const QString build =
        root.isEmpty() ? QCoreApplication::applicationDirPath() + "/.." : QString::fromLocal8Bit(root);
    return QDir(build).filePath("sim/quaveron-sim");
}

TEST(OpacimeterProgram, ServesAMakerModelWithAScenarioUntilSignalled) {
    if (!QFileInfo(simulatorProgram()).isExecutable())
        GTEST_SKIP() << "quaveron-sim not built at " << simulatorProgram().toStdString();
    QTemporaryDir dir;
    const QString scenario = dir.filePath("opa.scn");
    QFile file(scenario);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("set warmup=0 check=0 zeroing=0\n0 alarm=optics\n");
    file.close();

    const QString path = dir.filePath("lines/opa");
    QProcess process;
    process.start(simulatorProgram(),
                  {"opa", "--protocol", "maker", "--model", "1", "--link", path, "--scenario", scenario});
    ASSERT_TRUE(process.waitForStarted(10000));
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo(path).isSymLink() && waited.elapsed() < 20000)
        TurnEventLoop(10);
    ASSERT_TRUE(QFileInfo(path).isSymLink()) << "no link appeared";
    {
        PosixLine program(path);
        ASSERT_TRUE(program.isOpen()) << program.error().toStdString();
        ASSERT_TRUE(program.write(BuildMakerFrame(0x41, Command::Status, {})));
        const QByteArray reply = readMakerReply(program, 0x41, Command::Status);
        ASSERT_EQ(CheckMakerReply(reply, 0x41, Command::Status), MakerReply::Complete);
        EXPECT_EQ(static_cast<unsigned char>(reply[6 + 4]), 255); // optics dirty from the scenario
    }
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_TRUE(QString::fromLocal8Bit(process.readAllStandardOutput()).contains("OPX-520"));

    QProcess help;
    help.start(simulatorProgram(), {"--help"});
    ASSERT_TRUE(help.waitForFinished(20000));
    EXPECT_TRUE(QString::fromLocal8Bit(help.readAllStandardOutput()).contains("quaveron-sim opa --protocol"));
}

} // namespace
