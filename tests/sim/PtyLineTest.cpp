#include "PosixLine.h"

#include "link/MctcFrame.h"
#include "link/MctcParsers.h"
#include "sim/PtyTransport.h"
#include "sim/RealTimeDriver.h"
#include "sim/RevCounterSim.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <termios.h>

namespace {

const QByteArray VaRequest = BuildMctcFrame("RPM", "VA", "1", {});

// A rev counter served in real time on a pseudo-terminal from this thread.
class RevCounterOnPty : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        counter.setSpeedProfile(sim::Profile::constant(850));
        QString error;
        line = sim::PtyTransport::open(counter.engine(), linkPath(), &error);
        ASSERT_TRUE(line) << error.toStdString();
        driver.start();
    }

    QString linkPath() const { return dir.filePath("lines/rpm"); }

    // One exchange over a freshly opened line: the speed read, if any.
    std::optional<double> readSpeedOnce() {
        PosixLine program(linkPath());
        if (!program.isOpen() || !program.write(VaRequest))
            return std::nullopt;
        return ParseRevCounterRpm(program.readFrame(), 2, 1);
    }

    QTemporaryDir dir;
    sim::ScenarioClock clock;
    sim::RevCounterSim counter{clock};
    std::unique_ptr<sim::PtyTransport> line;
    sim::RealTimeDriver driver{clock};
};

TEST_F(RevCounterOnPty, AnswersAtTheLinkPath) {
    EXPECT_EQ(QFileInfo(linkPath()).symLinkTarget(), line->link().slavePath());
    EXPECT_EQ(readSpeedOnce(), 850);
}

TEST_F(RevCounterOnPty, SurvivesTheProgramClosingAndReopeningTheLine) {
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(readSpeedOnce(), 850) << "round " << round;
        TurnEventLoop(20); // nobody has the line open for a moment
    }
}

TEST_F(RevCounterOnPty, ARequestWrittenInPiecesIsAnsweredOnce) {
    PosixLine program(linkPath());
    ASSERT_TRUE(program.isOpen()) << program.error().toStdString();
    for (const char byte : VaRequest) {
        ASSERT_TRUE(program.write(QByteArray(1, byte)));
        TurnEventLoop(2);
    }
    EXPECT_EQ(ParseRevCounterRpm(program.readFrame(), 2, 1), 850);
    EXPECT_TRUE(program.readFrame(300).isEmpty());
    EXPECT_EQ(counter.engine().requestsSeen(), 1);
}

TEST_F(RevCounterOnPty, TheLineIsRawAsTheProgramFindsIt) {
    // A program that sets nothing still gets an 8-bit clean line: no echo, no
    // line editing, no CR/LF translation, no flow control by ^S.
    PosixLine program(linkPath(), PosixLine::Settings::AsFound);
    ASSERT_TRUE(program.isOpen());
    termios settings{};
    ASSERT_EQ(::tcgetattr(program.fd(), &settings), 0);
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(settings.c_oflag & OPOST, 0u);
    EXPECT_EQ(settings.c_iflag & (ICRNL | INLCR | IGNCR | IXON | ISTRIP), 0u);

    counter.engine().setRewriter([](const QByteArray& request, const QByteArray& reply) {
        return request.contains("VA") ? reply + "\r\n\x7f\x13\x03" : reply;
    });
    const QByteArray awkward("a\r\nb\x7f\x13\x11\x00z", 9);
    ASSERT_TRUE(program.write(BuildMctcFrame("RPM", "ZZ", "1", awkward)));
    ASSERT_TRUE(program.write(VaRequest));
    EXPECT_EQ(ParseRevCounterRpm(program.readFrame(), 2, 1), 850);
    EXPECT_EQ(program.readFrame(), "\r\n\x7f\x13\x03");
    ASSERT_GE(counter.history().size(), 2u);
    EXPECT_EQ(counter.history()[counter.history().size() - 2].data, awkward);
}

TEST_F(RevCounterOnPty, SilentCounterLeavesTheLineQuietUntilItResumes) {
    counter.engine().setAnswering(false);
    PosixLine program(linkPath());
    ASSERT_TRUE(program.write(VaRequest));
    EXPECT_TRUE(program.readFrame(300).isEmpty());
    counter.engine().setAnswering(true);
    ASSERT_TRUE(program.write(VaRequest));
    EXPECT_EQ(ParseRevCounterRpm(program.readFrame(), 2, 1), 850);
}

TEST_F(RevCounterOnPty, QSerialPortTalksThroughTheLinkAndReopens) {
    for (int round = 0; round < 2; ++round) {
        QSerialPort port(linkPath());
        ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
        port.setBaudRate(9600);
        port.write(VaRequest);
        QByteArray reply;
        const QDeadlineTimer deadline(3000);
        while (!reply.endsWith('\x03') && !deadline.hasExpired()) {
            port.waitForReadyRead(10);
            reply += port.readAll();
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(ParseRevCounterRpm(reply, 2, 1), 850) << "round " << round;
        port.close();
    }
}

TEST_F(RevCounterOnPty, ARestartedSimulatorTakesTheLinkOver) {
    line.reset();
    EXPECT_FALSE(QFileInfo::exists(linkPath()));
    EXPECT_FALSE(readSpeedOnce());

    counter.setSpeedProfile(sim::Profile::constant(1500));
    line = sim::PtyTransport::open(counter.engine(), linkPath());
    ASSERT_TRUE(line);
    EXPECT_EQ(readSpeedOnce(), 1500);
}

TEST(PtyLink, ReplacesAStaleLinkButNothingElse) {
    QTemporaryDir dir;
    const QString stale = dir.filePath("stale");
    ASSERT_TRUE(QFile::link(dir.filePath("gone"), stale));
    const std::unique_ptr<sim::PtyLink> line = sim::PtyLink::create(stale);
    ASSERT_TRUE(line);
    EXPECT_EQ(QFileInfo(stale).symLinkTarget(), line->slavePath());

    const QString plain = dir.filePath("plain");
    QFile file(plain);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    QString error;
    EXPECT_FALSE(sim::PtyLink::create(plain, &error));
    EXPECT_TRUE(error.contains("not a symbolic link")) << error.toStdString();
    EXPECT_FALSE(QFileInfo(plain).isSymLink());

    EXPECT_FALSE(sim::PtyLink::create(QString(), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(PtyLink, LeavesALinkAnotherSimulatorTookOver) {
    QTemporaryDir dir;
    const QString path = dir.filePath("rpm");
    auto first = sim::PtyLink::create(path);
    auto second = sim::PtyLink::create(path);
    ASSERT_TRUE(first && second);
    first.reset();
    EXPECT_EQ(QFileInfo(path).symLinkTarget(), second->slavePath());
    second.reset();
    EXPECT_FALSE(QFileInfo(path).isSymLink());
}

TEST(PtyLink, OutputTheProgramDoesNotReadIsBounded) {
    QTemporaryDir dir;
    auto line = sim::PtyLink::create(dir.filePath("rpm"));
    ASSERT_TRUE(line);
    const QByteArray block(16 * 1024, 'x');
    for (int i = 0; i < 20; ++i)
        line->write(block);
    EXPECT_TRUE(line->hasPending());
    EXPECT_GT(line->droppedBytes(), 0);
}

} // namespace
