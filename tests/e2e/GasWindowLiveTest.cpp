// The gas window with its real serial port against the quaveron-sim gas
// analyser process on a pseudo-terminal, in real time: the window's own 25 ms
// timer drives the conversation from start-up to measuring.

#include "SimulatorProcess.h"

#include "gas/ANGAS.h"
#include "gas/ANGASView.h"
#include "lang/LanguageTexts.h"
#include "link/QtSerialPort.h"
#include "shared/Globals.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <QDir>

#include <memory>

namespace {

using e2e::containsInOrder;
using e2e::waitUntil;

constexpr int UiWarmUp = 40;
constexpr int UiMeasuring = 45;
constexpr int UiZeroing = 62;

// Readings the simulated analyser reports from power-on, chosen to be told
// apart from its defaults.
const char* const Scenario = "0 co=0.35 co2=14.2 hc=123 o2=0.45 nox=55 lambda=1.02 rpm=870 oil=85\n";

class GasWindowLiveTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        installLanguageFile();
        LoadLanguageTexts(g, 1);
        link = QDir(work.path()).filePath(QStringLiteral("lines/gas"));
    }

    void TearDown() override {
        // The window closes its port before the line goes away.
        view.reset();
        form.reset();
        analyser.stop();
        StationDirsTest::TearDown();
    }

    void startAnalyser() {
        writeBytes(workFile("gas-scenario.txt"), Scenario);
        const bool started =
            analyser.start(QStringLiteral("gas"), link,
                           {"--model", "3", "--warmup", "1500", "--zeroing", "800", "--leak-test", "800", "--hc-test",
                            "800", "--delay", "5", "--serial", "GAS0001", "--scenario", workFile("gas-scenario.txt")});
        ASSERT_TRUE(started) << analyser.error().toStdString();
    }

    void openWindow() {
        const QString conf = QStringLiteral("[PORTE]\r\nCOM2=%1\r\n"
                                            "[COMKAPRO]\r\nTModCom=2\r\nTCOM=2\r\nTBRate=2\r\nMarca=Quaveron\r\n"
                                            "Modello=QV-GAS 200\r\nNserie=GAS0001\r\n[MODKAPRO]\r\nModello=3\r\n"
                                            "[IA]\r\nRN=1000\r\nCGLPP=2000\r\nGV=2500\r\nLI=0.97\r\nAS=1.03\r\n"
                                            "AM=1\r\nLN=0.5\r\nRC=0.3\r\nMCS=5800\r\n")
                                 .arg(link);
        writeBytes(workFile("Conf.ini"), conf.toLatin1());
        g.app.GasWindowActive = 1;
        form = std::make_unique<ANGAS>(g, dialogs, std::make_unique<QtSerialPort>());
        view = std::make_unique<ANGASView>(*form);
        form->Form_Load();
        view->show();
    }

    // Waits for the state line to read `text`, noting every state shown meanwhile.
    bool stateReaches(const QString& text, int timeoutMs) {
        return waitUntil(
            [&] {
                const QString now = form->Label5.caption();
                if (states.isEmpty() || states.last() != now)
                    states << now;
                return now == text;
            },
            timeoutMs);
    }

    std::string failure(const char* what) {
        return std::string(what) + "\nstates: " + states.join(" | ").toStdString() +
               "\nrequests: " + analyser.commands().join(' ').right(600).toStdString() +
               "\ndialogs: " + std::to_string(dialogs.shown.size());
    }

    QString text(int position) const { return g.lang.UiText[position]; }

    Globals g;
    RecordingDialogs dialogs;
    e2e::SimulatorProcess analyser;
    QString link;
    QStringList states;
    std::unique_ptr<ANGAS> form;
    std::unique_ptr<ANGASView> view;
};

TEST_F(GasWindowLiveTest, StartUpWarmUpStartZeroingHcTestAndLiveValues) {
    ASSERT_NO_FATAL_FAILURE(startAnalyser());
    ASSERT_NO_FATAL_FAILURE(openWindow());
    ASSERT_TRUE(form->MSComm2.PortOpen()) << "the window did not open " << link.toStdString();
    EXPECT_TRUE(dialogs.shown.empty());

    // Identification and version first, then the warm-up the analyser reports.
    ASSERT_TRUE(stateReaches(text(UiWarmUp), 5000)) << failure("no warm-up shown");
    EXPECT_EQ(analyser.commands().mid(0, 4), QStringList({"ID", "@SD", "@LU", "@ST"}));
    EXPECT_EQ(form->Label1.caption(), "QV-GAS 200");
    EXPECT_EQ(form->Label3.caption(), "GAS0001");
    EXPECT_EQ(form->Label7.caption(), "1234");

    // Warmed up, it waits for the operator, polled for status only.
    ASSERT_TRUE(stateReaches(text(UiMeasuring), 8000)) << failure("never ready after the warm-up");
    EXPECT_EQ(g.gas.AnalyserStatus, 8);

    const qsizetype beforeStart = analyser.commands().size();
    form->Command1_Click();
    ASSERT_TRUE(stateReaches(text(UiZeroing), 5000)) << failure("Start did not zero the analyser");
    ASSERT_TRUE(waitUntil([&] { return g.gas.HcResidueResult == "R"; }, 10000))
        << failure("the HC residue test never passed");
    ASSERT_TRUE(stateReaches(text(UiMeasuring), 5000)) << failure("not measuring after the HC residue test");

    // The measuring loop has run a few rounds: the live values are the scenario's.
    ASSERT_TRUE(waitUntil([&] { return analyser.commandsSince(beforeStart).count("@VA") >= 3; }, 5000))
        << failure("no measuring loop");
    const QStringList conversation = analyser.commandsSince(beforeStart);
    QString missing;
    EXPECT_TRUE(containsInOrder(
        conversation,
        {"ET", "@ST", "AZ", "@ST", "@ST", "@RS", "@ST", "HC", "EH", "@RS", "@VA", "@ST", "@RS", "@VA", "@ST"},
        &missing))
        << "missing " << missing.toStdString() << " in " << conversation.join(' ').toStdString();
    EXPECT_EQ(form->Label8.caption(), "0.35");
    EXPECT_EQ(form->Label10.caption(), "14.2");
    EXPECT_EQ(form->Label11.caption(), "123");
    EXPECT_EQ(form->Label12.caption(), "0.45");
    EXPECT_EQ(form->Label33.caption(), "55");
    EXPECT_EQ(form->Label26.caption(), "1.02");
    EXPECT_EQ(form->Label15.caption(), "870");
    EXPECT_EQ(form->Label13.caption(), "85");
    EXPECT_EQ(g.gas.LeakTestStatus, "R");
    EXPECT_NE(form->Label5.caption(), "ERRORE COM");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(view->grab().save(screenshotPath("e2e-gas-measuring.png")));
}

} // namespace
