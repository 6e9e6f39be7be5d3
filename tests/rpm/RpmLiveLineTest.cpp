// The rev counter window against the simulated rev counter on a real
// pseudo-terminal, in real time, with the window's own 250 ms timer.

#include "RpmWindowFixture.h"
#include "lang/LanguageTexts.h"
#include "rpm/RPM.h"
#include "rpm/RPMView.h"
#include "shared/Globals.h"
#include "sim/PtyTransport.h"
#include "sim/RealTimeDriver.h"
#include "sim/RevCounterSim.h"
#include "sim/ScenarioClock.h"
#include "support/RealLinePort.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QPixmap>
#include <QThread>

#include <functional>
#include <memory>

namespace {

// A real port that counts how often the window closes and opens it.
class CountingPort : public RealLinePort {
  public:
    bool setPortOpen(bool open, QString* error = nullptr) override {
        ++(open ? opens : closes);
        return RealLinePort::setPortOpen(open, error);
    }

    int opens = 0;
    int closes = 0;
};

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

void runFor(int ms) {
    waitFor([] { return false; }, ms);
}

} // namespace

class RpmLiveLineTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        linkPath = QDir(work.path()).filePath("line/rpm");
        installLanguageFile();
        installPictures(program.path());
        LoadLanguageTexts(g, 1);
    }

    void TearDown() override {
        view.reset();
        form.reset();
        // The line goes before the instrument it serves.
        transport.reset();
        instrument.reset();
        StationDirsTest::TearDown();
    }

    void startInstrument() {
        instrument = std::make_unique<sim::RevCounterSim>(clock);
        instrument->setEngineLayout(6, 2);
        instrument->setSpeedProfile(sim::Profile::constant(1250));
        instrument->setOilProfile(sim::Profile::constant(87.5));
        QString error;
        transport = sim::PtyTransport::open(instrument->engine(), linkPath, &error);
        EXPECT_TRUE(transport) << error.toStdString();
    }

    void openWindow(int choice) {
        const QString conf =
            QStringLiteral("[PORTE]\r\nCOM5=%1\r\n[RPM]\r\nTCOMrpm=5\r\nTBRaterpm=3\r\n"
                           "NCilindriRPM=6\r\nNTempiRPM=2\r\nExternRPM=0\r\nExternToil=0\r\nSelrpmT=%2\r\n")
                .arg(linkPath)
                .arg(choice);
        writeBytes(workFile("Conf.ini"), conf.toUtf8());
        auto counting = std::make_unique<CountingPort>();
        port = counting.get();
        form = std::make_unique<RPM>(g, dialogs, std::move(counting));
        view = std::make_unique<RPMView>(*form);
        form->Form_Load();
        view->show();
    }

    bool readsSpeed(const char* text, int timeoutMs = 4000) {
        return waitFor([&] { return form->Label1.caption() == text; }, timeoutMs);
    }

    Globals g;
    RecordingDialogs dialogs;
    sim::ScenarioClock clock;
    sim::RealTimeDriver driver{clock};
    QString linkPath;
    std::unique_ptr<sim::RevCounterSim> instrument;
    std::unique_ptr<sim::PtyTransport> transport;
    CountingPort* port = nullptr;
    std::unique_ptr<RPM> form;
    std::unique_ptr<RPMView> view;
};

TEST_F(RpmLiveLineTest, ReadingsStopWhileTheSimulatorIsGoneAndResumeWhenItIsBack) {
    startInstrument();
    driver.start();
    openWindow(0);
    ASSERT_TRUE(dialogs.shown.empty());
    ASSERT_TRUE(readsSpeed("1250"));
    EXPECT_EQ(instrument->programmedCylinders(), 6);
    EXPECT_EQ(instrument->programmedStrokes(), 2);
    EXPECT_EQ(port->Settings(), "19200,n,8,1");

    // Killed: its end of the line goes away.
    const int opensBefore = port->opens;
    transport.reset();
    instrument.reset();
    ASSERT_TRUE(readsSpeed("- - -"));
    ASSERT_TRUE(waitFor([&] { return g.link.RevCounterMissCount >= 5; }, 4000));
    // From the third miss every request is preceded by a reopening.
    EXPECT_GE(port->opens - opensBefore, g.link.RevCounterMissCount - 2);
    EXPECT_FALSE(port->PortOpen());
    EXPECT_EQ(dialogs.shown.size(), 0u);

    // Restarted on the same link, programmed as a new instrument.
    startInstrument();
    ASSERT_TRUE(readsSpeed("1250"));
    EXPECT_TRUE(port->PortOpen());
    EXPECT_EQ(instrument->programmedCylinders(), 6);
    EXPECT_EQ(instrument->programmedStrokes(), 2);
    EXPECT_EQ(g.rpm.RpmValue, 1250.0);
}

TEST_F(RpmLiveLineTest, SilencedInstrumentIsReopenedEveryRequestUntilItAnswersAgain) {
    startInstrument();
    driver.start();
    openWindow(1);
    ASSERT_TRUE(readsSpeed("1250"));
    ASSERT_TRUE(waitFor([&] { return form->Label3.caption() == "87.5"; }, 2000));

    instrument->engine().setAnswering(false);
    ASSERT_TRUE(waitFor([&] { return g.link.RevCounterMissCount >= 3; }, 3000));
    const int closes = port->closes;
    runFor(1000);
    EXPECT_EQ(form->Label1.caption(), "- - -");
    const int misses = g.link.RevCounterMissCount;
    EXPECT_GE(misses, 6);
    // The port is closed and opened again before each request, and stays usable.
    EXPECT_GE(port->closes - closes, 3);
    EXPECT_TRUE(port->PortOpen());

    instrument->engine().setAnswering(true);
    ASSERT_TRUE(readsSpeed("1250"));
    runFor(600);
    EXPECT_EQ(g.link.RevCounterMissCount, 0);
    EXPECT_EQ(form->Label3.caption(), "87.5");

    EXPECT_TRUE(view->grab().save(screenshotPath("rpm-live.png")));
}
