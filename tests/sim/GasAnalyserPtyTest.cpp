#include "PosixLine.h"

#include "link/FrameBytes.h"
#include "link/MakerFrame.h"
#include "link/MctcFrame.h"
#include "link/MctcParsers.h"
#include "shared/Globals.h"
#include "sim/GasAnalyserSim.h"
#include "sim/PtyTransport.h"
#include "sim/RealTimeDriver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace {

QList<QByteArray> fieldsOf(const QByteArray& reply, int commandLength) {
    const std::optional<MctcFields> fields = SplitMctcData(reply, commandLength, 1);
    QList<QByteArray> out;
    for (int i = 1; fields && i < fields->count(); ++i)
        out << *fields->field(i);
    return out;
}

// A binary reply read whole: its length byte, not an ETX, ends it.
QByteArray readMakerReply(PosixLine& line, int address, int command) {
    QByteArray reply;
    const QDeadlineTimer deadline(5000);
    while (CheckMakerReply(reply, address, command) == MakerReply::Incomplete && !deadline.hasExpired())
        reply += line.readFrame(int(std::max<qint64>(1, deadline.remainingTime())));
    return reply;
}

// A gas analyser served in real time on a pseudo-terminal from this thread.
class GasAnalyserOnPty : public ::testing::Test {
  protected:
    void serve(int model) {
        sim::GasAnalyserSettings settings;
        settings.model = model;
        settings.timing.warmUp = 300;
        analyser = std::make_unique<sim::GasAnalyserSim>(clock, settings);
        sim::GasScenario scenario;
        scenario.addValue(sim::GasQuantity::EngineSpeed, 0, sim::GasValue::of(910));
        analyser->setScenario(scenario);
        QString error;
        line = sim::PtyTransport::open(analyser->engine(), dir.filePath("lines/gas"), &error);
        ASSERT_TRUE(line) << error.toStdString();
        driver.start();
    }
    void TearDown() override {
        driver.stop();
        line.reset();
    }

    QTemporaryDir dir;
    sim::ScenarioClock clock;
    std::unique_ptr<sim::GasAnalyserSim> analyser;
    std::unique_ptr<sim::PtyTransport> line;
    sim::RealTimeDriver driver{clock};
};

TEST_F(GasAnalyserOnPty, MctcNetStartUpOverARealLine) {
    serve(3);
    PosixLine program(dir.filePath("lines/gas"));
    ASSERT_TRUE(program.isOpen()) << program.error().toStdString();

    ASSERT_TRUE(program.write(BuildMctcFrame("GAS", "ID", "1", {})));
    LinkState link;
    ParseIdentityReply(link, program.readFrame(), 2, 1);
    EXPECT_EQ(link.VersionThousandths, 1500);

    ASSERT_TRUE(program.write(BuildMctcFrame("GAS", "@ST", "1", {})));
    EXPECT_EQ(fieldsOf(program.readFrame(), 3).value(0), "A") << "warming up";
    TurnEventLoop(400);
    ASSERT_TRUE(program.write(BuildMctcFrame("GAS", "@ST", "1", {})));
    EXPECT_EQ(fieldsOf(program.readFrame(), 3).value(0), "H") << "measuring";
    ASSERT_TRUE(program.write(BuildMctcFrame("GAS", "@VA", "1", {})));
    EXPECT_EQ(fieldsOf(program.readFrame(), 3).value(7), "910");
}

TEST_F(GasAnalyserOnPty, BinaryFramesAndTheSetupWindowsIdentificationShareTheLine) {
    serve(2);
    PosixLine program(dir.filePath("lines/gas"));
    ASSERT_TRUE(program.isOpen()) << program.error().toStdString();
    ASSERT_TRUE(program.write(BuildMctcFrame("GAS", "ID", "1", {})));
    EXPECT_EQ(fieldsOf(program.readFrame(), 2).value(1), "KAPROGAS-730");
    for (const int command : {0x31, 0x3F, 0x50}) {
        ASSERT_TRUE(program.write(BuildMakerFrame(0x21, command, {})));
        EXPECT_EQ(CheckMakerReply(readMakerReply(program, 0x21, command), 0x21, command), MakerReply::Complete)
            << command;
    }
}

QString simulatorProgram() {
    const QByteArray root = qgetenv("QUAVERON_BINARY_DIR");
    const QString build =
        root.isEmpty() ? QCoreApplication::applicationDirPath() + "/.." : QString::fromLocal8Bit(root);
    return QDir(build).filePath("sim/quaveron-sim");
}

class GasAnalyserProcess : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!QFileInfo(simulatorProgram()).isExecutable())
            GTEST_SKIP() << "quaveron-sim not built at " << simulatorProgram().toStdString();
    }
    // Runs a short command to its end: exit code and both outputs.
    std::tuple<int, QString, QString> run(const QStringList& args) {
        QProcess process;
        process.start(simulatorProgram(), args);
        if (!process.waitForFinished(30000))
            process.kill();
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }
};

TEST_F(GasAnalyserProcess, HelpAndBadCommandLines) {
    const auto [helpCode, helpOut, helpErr] = run({"gas", "--help"});
    EXPECT_EQ(helpCode, 0);
    EXPECT_TRUE(helpOut.contains("quaveron-sim gas --link PATH")) << helpOut.toStdString();
    EXPECT_TRUE(std::get<1>(run({"--help"})).contains("--scenario FILE"));
    const auto [badCode, badOut, badErr] = run({"gas", "--link", "/tmp/x", "--model", "9"});
    EXPECT_EQ(badCode, 2);
    EXPECT_TRUE(badErr.contains("quaveron-sim gas: --model")) << badErr.toStdString();
}

TEST_F(GasAnalyserProcess, ServesTheScenarioFileUntilSignalled) {
    QTemporaryDir dir;
    const QString scenario = dir.filePath("run.txt");
    {
        QFile file(scenario);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("0 rpm=777 error=35 channels=8\n");
    }
    const QString path = dir.filePath("lines/gas");
    QProcess process;
    process.start(simulatorProgram(),
                  {"gas", "--protocol", "mctc", "--link", path, "--scenario", scenario, "--warmup", "0"});
    ASSERT_TRUE(process.waitForStarted(10000));
    const QDeadlineTimer appeared(20000);
    while (!QFileInfo(path).isSymLink() && !appeared.hasExpired())
        TurnEventLoop(10);
    ASSERT_TRUE(QFileInfo(path).isSymLink());
    {
        PosixLine program(path);
        ASSERT_TRUE(program.isOpen()) << program.error().toStdString();
        ASSERT_TRUE(program.write(BuildMctcFrame("GAS", "@VA", "1", {})));
        EXPECT_EQ(fieldsOf(program.readFrame(10000), 3).value(7), "777");
        ASSERT_TRUE(program.write(BuildMctcFrame("GAS", "@RS", "1", {})));
        const QByteArray data = *MctcDataField(program.readFrame(10000), 3, 1);
        ASSERT_EQ(data.size(), 3);
        EXPECT_EQ(static_cast<unsigned char>(data[0]) & 127, 35);
        EXPECT_EQ(static_cast<unsigned char>(data[2]) & 15, 8);
    }
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(path).isSymLink());
}

} // namespace
