#include "PosixLine.h"

#include "link/MctcFrame.h"
#include "link/MctcParsers.h"
#include "sim/SimulatorSignals.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace {

QString simulatorProgram() {
    const QByteArray root = qgetenv("QUAVERON_BINARY_DIR");
    const QString build =
        root.isEmpty() ? QCoreApplication::applicationDirPath() + "/.." : QString::fromLocal8Bit(root);
    return QDir(build).filePath("sim/quaveron-sim");
}

// Runs quaveron-sim to completion with the given arguments (short commands).
struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};
Finished runToEnd(const QStringList& args) {
    QProcess process;
    process.start(simulatorProgram(), args);
    Finished result;
    if (!process.waitForFinished(30000))
        process.kill();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        TurnEventLoop(10);
    }
    return true;
}

class SimulatorProcess : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!QFileInfo(simulatorProgram()).isExecutable())
            GTEST_SKIP() << "quaveron-sim not built at " << simulatorProgram().toStdString();
    }
};

TEST_F(SimulatorProcess, HelpListsTheRevCounterAndItsOptions) {
    const Finished help = runToEnd({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("quaveron-sim rpm --link PATH"));
    EXPECT_TRUE(help.out.contains("--cylinders"));
    EXPECT_TRUE(help.out.contains("--profile"));
    EXPECT_EQ(runToEnd({"rpm", "--help"}).exitCode, 0);
}

TEST_F(SimulatorProcess, BadCommandLinesExitWithUsage) {
    const std::pair<QStringList, const char*> cases[] = {
        {{}, "quaveron-sim rpm"},
        {{"toaster"}, "unknown instrument"},
        {{"rpm"}, "--link PATH is required"},
        {{"rpm", "--link", "/tmp/x", "--strokes", "5"}, "2 or 4"},
    };
    for (const auto& [args, message] : cases) {
        const Finished run = runToEnd(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
    }
}

TEST_F(SimulatorProcess, RefusesToReplaceAFileThatIsNotALink) {
    QTemporaryDir dir;
    const QString path = dir.filePath("rpm");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const Finished run = runToEnd({"rpm", "--link", path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("not a symbolic link")) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo(path).isFile());
}

class SimulatorStops : public SimulatorProcess, public ::testing::WithParamInterface<int> {};

TEST_P(SimulatorStops, ServesUntilSignalledThenRemovesTheLink) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lines/rpm");
    QProcess process;
    process.start(simulatorProgram(), {"rpm", "--link", path, "--profile", "idle", "--cylinders", "6"});
    ASSERT_TRUE(process.waitForStarted(10000));
    ASSERT_TRUE(waitFor([&] { return QFileInfo(path).isSymLink(); }, 20000)) << "no link appeared";

    {
        PosixLine program(path);
        ASSERT_TRUE(program.isOpen()) << program.error().toStdString();
        // Programmed for the engine's six cylinders it reads the idle speed.
        ASSERT_TRUE(program.write(BuildMctcFrame("RPM", "CI", "1", "6")));
        EXPECT_EQ(program.readFrame(10000), BuildMctcFrame("RPM", "CI", "1", {}));
        ASSERT_TRUE(program.write(BuildMctcFrame("RPM", "VA", "1", {})));
        EXPECT_EQ(ParseRevCounterRpm(program.readFrame(10000), 2, 1), 850);
    }

    ::kill(static_cast<pid_t>(process.processId()), GetParam());
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_TRUE(QString::fromLocal8Bit(process.readAllStandardOutput()).contains(path));
}

INSTANTIATE_TEST_SUITE_P(Signals, SimulatorStops, ::testing::Values(SIGTERM, SIGINT));

TEST_F(SimulatorProcess, CuedRevCounterHoldsItsFirstPointUntilSIGUSR1) {
    QTemporaryDir dir;
    const QString path = dir.filePath("rpm");
    QProcess process;
    process.start(simulatorProgram(), {"rpm", "--link", path, "--delay", "0", "--cued", "--speed", "0:850,0.2:3000"});
    ASSERT_TRUE(process.waitForStarted(10000));
    ASSERT_TRUE(waitFor([&] { return QFileInfo(path).isSymLink(); }, 20000)) << "no link appeared";
    PosixLine program(path);
    ASSERT_TRUE(program.isOpen()) << program.error().toStdString();
    const auto speed = [&] {
        program.write(BuildMctcFrame("RPM", "VA", "1", {}));
        return ParseRevCounterRpm(program.readFrame(10000), 2, 1);
    };
    waitFor([] { return false; }, 400);
    EXPECT_EQ(speed(), 850) << "the profile ran before its cue";
    // The cue starts the profile and leaves the simulator serving.
    ::kill(static_cast<pid_t>(process.processId()), SIGUSR1);
    EXPECT_TRUE(waitFor([&] { return speed() == 3000; }, 10000));
    EXPECT_EQ(process.state(), QProcess::Running);
    process.terminate();
    EXPECT_TRUE(process.waitForFinished(20000));
}

TEST(SimulatorSignals, DeliversTheSignalOnTheEventLoopAndRestoresHandlers) {
    struct sigaction before {};
    ::sigaction(SIGTERM, nullptr, &before);
    {
        sim::SimulatorSignals termination;
        ASSERT_TRUE(termination.installed());
        // Only one catcher per process.
        sim::SimulatorSignals second;
        EXPECT_FALSE(second.installed());

        std::vector<int> received;
        QObject::connect(&termination, &sim::SimulatorSignals::received,
                         [&](int number) { received.push_back(number); });
        ::raise(SIGTERM);
        ::raise(SIGHUP);
        ::raise(SIGUSR1);
        EXPECT_TRUE(waitFor([&] { return received.size() == 3; }, 5000));
        EXPECT_EQ(received, (std::vector<int>{SIGTERM, SIGHUP, SIGUSR1}));
    }
    struct sigaction after {};
    ::sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
}

} // namespace
