// The smoke window with its real serial port against the quaveron-sim
// opacimeter process on a pseudo-terminal, in real time: a speed-triggered
// test from warm-up to the verdict on the simulated operator's accelerations.

#include "SimulatorProcess.h"

#include "lang/LanguageTexts.h"
#include "link/QtSerialPort.h"
#include "settings/ConfFile.h"
#include "shared/Globals.h"
#include "smoke/ANFUMO.h"
#include "smoke/ANFUMOView.h"
#include "smoke/SmokeAcceptance.h"
#include "smoke/SmokeTexts.h"
#include "smoke/SmokeWindowLinks.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <QDir>

#include <memory>

namespace {

using e2e::waitUntil;

// Notes the windows the smoke window asks for; none opens.
class NotedLinks : public SmokeWindowLinks {
  public:
    explicit NotedLinks(QStringList& noted) : noted_(noted) {}
    void showCritic(const QString& caption) override { noted_ << "Critic " + caption; }
    void showExclam() override { noted_ << QStringLiteral("Exclam"); }
    void showExclamStampa() override { noted_ << QStringLiteral("ExclamStampa"); }
    void showLimits() override { noted_ << QStringLiteral("LIMITI"); }
    void showVehicleData() override { noted_ << QStringLiteral("DVeicoli"); }
    void showSmokePrint() override { noted_ << QStringLiteral("StampaOpaB"); }
    void showChart() override { noted_ << QStringLiteral("Grafic"); }
    Grafic* chart() override { return nullptr; }
    void closeRevCounter() override { noted_ << QStringLiteral("close RPM"); }

  private:
    QStringList& noted_;
};

// Short procedures, a warm cell from the start, and accelerations spaced so
// that each one finds the window waiting for it: the window holds 3 s at full
// speed, then wants 5 s at idle before it asks for the next one.
const char* const Scenario = "set warmup=1 check=1 zeroing=1 ambient=60 cell=80\n"
                             "set lead=1 rise=0.5 hold=3.5 fall=0.5 period=10.5\n"
                             "set idle=820 governed=4400 peaks=1.0,1.1,1.2\n";

class SmokeWindowLiveTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        installLanguageFile();
        LoadLanguageTexts(g, 1);
        link = QDir(work.path()).filePath(QStringLiteral("lines/opa"));
    }

    void TearDown() override {
        view.reset();
        form.reset();
        opacimeter.stop();
        StationDirsTest::TearDown();
    }

    void startOpacimeter() {
        writeBytes(workFile("smoke-scenario.txt"), Scenario);
        const bool started = opacimeter.start(
            QStringLiteral("opa"), link,
            {"--protocol", "mctc", "--model", "5", "--delay", "5", "--scenario", workFile("smoke-scenario.txt")});
        ASSERT_TRUE(started) << opacimeter.error().toStdString();
    }

    void openWindow() {
        const QString conf = QStringLiteral("[PORTE]\r\nCOM1=%1\r\n"
                                            "[COMOPA]\r\nTModCom=2\r\nTCOM=1\r\nTBRate=2\r\nMarca=Quaveron\r\n"
                                            "NOmologa=OM 12345\r\nModello=QV-OPA 100\r\nNserie=OPA0001\r\n"
                                            "[COMKAPRO]\r\nTModCom=2\r\nTCOM=2\r\nTBRate=2\r\nMarca=Quaveron\r\n"
                                            "NOmologa=OM 67890\r\n"
                                            "[MODOPA]\r\nModello=5\r\nUnitOpa=0\r\n[MODKAPRO]\r\nModello=3\r\n"
                                            "[LO]\r\nRN=1000\r\nMX=3000\r\nON=0.5\r\nVK=1.5\r\n")
                                 .arg(link);
        writeBytes(workFile("Conf.ini"), conf.toLatin1());
        // The main window reads the ports at start-up.
        ASSERT_TRUE(LoadInstrumentPorts(g));
        g.app.SmokeWindowActive = 1;
        form =
            std::make_unique<ANFUMO>(g, dialogs, std::make_unique<NotedLinks>(noted), std::make_unique<QtSerialPort>());
        view = std::make_unique<ANFUMOView>(*form);
        form->Form_Load();
        view->show();
    }

    std::string failure(const char* what) {
        return std::string(what) + "\nphases: " + phases.join(' ').toStdString() +
               "\nstatus: " + form->Label2.caption().toStdString() +
               ", prompt: " + form->Label39.caption().toStdString() + "\nwindows: " + noted.join(", ").toStdString() +
               "\nrequests: " + opacimeter.commands().join(' ').right(400).toStdString();
    }

    QString text(int position) const { return g.lang.UiText[position]; }

    Globals g;
    RecordingDialogs dialogs;
    QStringList noted;
    QStringList phases;
    e2e::SimulatorProcess opacimeter;
    QString link;
    std::unique_ptr<ANFUMO> form;
    std::unique_ptr<ANFUMOView> view;
};

TEST_F(SmokeWindowLiveTest, SpeedTriggeredTestPassesAfterThreeAccelerations) {
    ASSERT_NO_FATAL_FAILURE(startOpacimeter());
    ASSERT_NO_FATAL_FAILURE(openWindow());
    ASSERT_TRUE(form->MSComm1.PortOpen()) << "the window did not open " << link.toStdString();

    // Warm-up, self-check and zeroing, then the measuring loop.
    ASSERT_TRUE(waitUntil([&] { return form->Label2.caption() == text(smoke_text::Misura); }, 10000))
        << failure("never measuring");
    ASSERT_TRUE(waitUntil([&] { return form->Label31.caption() == "820"; }, 3000)) << failure("no idle speed shown");
    EXPECT_EQ(form->Label17.caption(), "QV-OPA 100");
    EXPECT_EQ(form->Label44.caption(), "OPA0001");
    EXPECT_EQ(opacimeter.commands().first(), "ID");

    form->Combo1.setListIndex(ANFUMO::SpeedTriggered);
    form->Combo1_Click();
    form->Command2_Click();
    const qsizetype beforeStart = opacimeter.commands().size();

    const bool concluded = waitUntil(
        [&] {
            if (phases.isEmpty() || phases.last() != form->TestPhase)
                phases << form->TestPhase;
            return form->Label33.caption() != text(smoke_text::Esito);
        },
        45000);
    ASSERT_TRUE(concluded) << failure("no verdict");
    EXPECT_EQ(form->Label33.caption(), text(acceptance_text::Pass)) << failure("not passed");
    EXPECT_EQ(form->Label33.backColor(), ui::colour::Green);
    EXPECT_EQ(form->Label39.caption(), text(smoke_text::Concl));
    EXPECT_EQ(g.smoke.SmokeTestResult.AcceptedSet, "1,2,3");
    // The peaks of the scenario, each measured in its row; no fourth acceleration.
    EXPECT_EQ(form->Label36[0].caption(), "1");
    EXPECT_EQ(form->Label36[1].caption(), "1.1");
    EXPECT_EQ(form->Label36[2].caption(), "1.2");
    EXPECT_EQ(form->Label36[3].caption(), "0");
    EXPECT_EQ(form->Label35.caption(), "1.1");
    // Speeds as the simulated engine ran: governed peak, idle between.
    EXPECT_EQ(form->Label18[2].caption(), "4400");
    EXPECT_EQ(form->Label37[2].caption(), "820");
    EXPECT_GE(phases.count("DUE"), 3) << failure("accelerations missed");
    // Started as the protocol wants: zeroed, then measured.
    const QStringList afterStart = opacimeter.commandsSince(beforeStart);
    EXPECT_TRUE(e2e::containsInOrder(afterStart, {"AZ", "@VA"})) << afterStart.join(' ').toStdString();
    EXPECT_FALSE(noted.contains(QStringLiteral("Critic")));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(view->grab().save(screenshotPath("e2e-smoke-passed.png")));
}

} // namespace
