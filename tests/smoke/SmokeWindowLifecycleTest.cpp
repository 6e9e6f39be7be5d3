// Opening and closing the smoke window, and its buttons that open other windows.

#include "SmokeWindowFixture.h"

#include "settings/RCLIni.h"
#include "smoke/SmokeTexts.h"
#include "ui/Clock.h"
#include "ui/Timer.h"

#include <QFile>

namespace {

using namespace smoke_text;

class SmokeWindowLifecycleTest : public SmokeWindowTest {
  protected:
    QString confValue(const QString& section, const QString& key) const {
        RCLIni ini;
        ini.File = workFile("Conf.ini");
        ini.Section = section;
        ini.key = key;
        return ini.GetValue() ? ini.Value : QString();
    }
};

TEST_F(SmokeWindowLifecycleTest, LoadSetsCaptionsSettingsAndOpensThePort) {
    openWindow(2);
    EXPECT_EQ(form->Me.caption(), text(Cap));
    EXPECT_EQ(form->Label39.caption(), text(Fase));
    EXPECT_EQ(form->Label33.caption(), text(Esito));
    EXPECT_EQ(form->Command2.caption(), text(Start));
    EXPECT_EQ(form->Label17.caption(), "OPA-2");
    EXPECT_EQ(form->Label44.caption(), "SN2");
    EXPECT_EQ(form->Label4.caption(), "%");
    EXPECT_EQ(form->Combo1.items(), (QStringList{text(Mis1), "RPM", text(Mis2), text(Mis3), text(Mis4), text(Mis15)}));
    EXPECT_EQ(form->Combo1.listIndex(), 0);
    EXPECT_FALSE(form->Command1.enabled());
    EXPECT_FALSE(form->Command6.enabled());
    EXPECT_FALSE(form->Label29.visible());
    EXPECT_FALSE(form->Label32.visible());
    EXPECT_EQ(form->Label27.caption(), "- - -");
    EXPECT_EQ(form->Command7.caption(), "LOG OFF");

    EXPECT_EQ(g.settings.OpacimeterLinkMode, 1);
    EXPECT_EQ(g.link.OpacimeterBinaryAddress, 65);
    EXPECT_EQ(g.settings.LimitRpmMax, 3000);
    EXPECT_TRUE(port->PortOpen());
    EXPECT_EQ(port->CommPort(), 3);
    EXPECT_EQ(port->Settings(), "9600,n,8,1");
    EXPECT_EQ(g.link.SmokePort, port);
    EXPECT_EQ(g.app.SmokeScheduler, &form->Timer1);
    EXPECT_TRUE(form->Timer1.enabled());
    EXPECT_EQ(form->Timer1.interval(), 25);
    EXPECT_EQ(form->InstrumentState, "INIZIO");
}

TEST_F(SmokeWindowLifecycleTest, MctcModelAddsTheChartSelectionAndStandBy) {
    openWindow(MctcModel, 1);
    EXPECT_EQ(form->Combo1.listCount(), 7);
    EXPECT_EQ(form->Combo1.item(6), text(Mis5));
    EXPECT_TRUE(form->Command6.enabled());
    EXPECT_TRUE(form->Label29.visible());
    EXPECT_EQ(form->Label32.caption(), text(Blocco));
    EXPECT_EQ(form->Label56.caption(), "HSU");
    EXPECT_EQ(g.settings.OpacimeterLinkMode, 2);
    EXPECT_EQ(g.smoke.ErrorCheckArmed, -1);
}

TEST_F(SmokeWindowLifecycleTest, UnitAboveOneIsTakenAsPerCent) {
    openWindow(1, 7);
    EXPECT_EQ(g.settings.SmokeUnit, 0);
    EXPECT_EQ(form->Label4.caption(), "%");
}

TEST_F(SmokeWindowLifecycleTest, PortThatCannotOpenIsReportedAndTheWindowCarriesOn) {
    writeConf(1);
    g.app.SmokeWindowActive = 1;
    auto fake = std::make_unique<FakeSerialPort>();
    fake->failNextOpen("No such file or directory");
    port = fake.get();
    auto recording = std::make_unique<RecordingSmokeLinks>(g, dialogs);
    links = recording.get();
    form = std::make_unique<ANFUMO>(g, dialogs, std::move(recording), std::move(fake));
    form->Form_Load();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("COM3 "));
    EXPECT_TRUE(dialogs.shown[0].text.endsWith("\r\nNo such file or directory"));
    EXPECT_TRUE(form->Timer1.enabled());
    tick(42);
    EXPECT_EQ(form->Label2.caption(), "ERRORE COM");
}

TEST_F(SmokeWindowLifecycleTest, UnloadSavesLimitsClosesThePortAndHandsBackTheMainTimer) {
    ui::Timer blink(1000, false);
    g.app.MainBlinkTimer = &blink;
    openWindow(1);
    g.settings.LimitRpmMin = 1049.6f;
    g.settings.OpacityLimitK = 1.25;
    g.smoke.AccelerationIndex = 3;
    form->Form_Unload();
    EXPECT_EQ(confValue("LO", "RN"), "1050");
    EXPECT_EQ(confValue("LO", "VK"), "1.25");
    EXPECT_FALSE(port->PortOpen());
    EXPECT_EQ(g.link.SmokePort, nullptr);
    EXPECT_EQ(g.app.SmokeWindowActive, 0);
    EXPECT_EQ(g.app.SmokeScheduler, nullptr);
    EXPECT_FALSE(form->Timer1.enabled());
    EXPECT_TRUE(blink.enabled());
    EXPECT_EQ(g.smoke.AccelerationIndex, 0);
    // No rev counter was supplying values.
    EXPECT_TRUE(links->shown.empty());

    // Closing steps run once, however often the window is torn down.
    blink.setEnabled(false);
    closeWindow();
    EXPECT_FALSE(blink.enabled());
    g.app.MainBlinkTimer = nullptr;
}

TEST_F(SmokeWindowLifecycleTest, UnloadClosesTheRevCounterThatSuppliesValues) {
    for (const auto& [rpm, oil] : {std::pair{1, 0}, std::pair{0, 1}}) {
        g.settings.ExternalRpm = rpm;
        g.settings.ExternalOilTemp = oil;
        openWindow(1);
        RecordingSmokeLinks* opened = links;
        form->Form_Unload();
        ASSERT_EQ(opened->shown.size(), 1u);
        EXPECT_EQ(opened->shown[0].window, "close RPM");
    }
}

TEST_F(SmokeWindowLifecycleTest, ButtonsOpenTheirWindows) {
    ui::Clock::set(QDateTime(QDate(2024, 3, 5), QTime(10, 15, 0)));
    openWindow(1);
    form->Command3_Click();
    form->Command5_Click();
    form->Command4_Click();
    ASSERT_EQ(links->shown.size(), 3u);
    EXPECT_EQ(links->shown[0].window, "LIMITI");
    EXPECT_EQ(links->shown[1].window, "DVeicoli");
    EXPECT_EQ(links->shown[2].window, "StampaOpaB");
    EXPECT_EQ(g.smoke.TestEndTime, QDateTime(QDate(2024, 3, 5), QTime(10, 15, 0)));
    form->CmdOut_Click();
    EXPECT_TRUE(form->Me.closeRequested());
}

TEST_F(SmokeWindowLifecycleTest, StartClearsTheTableAndTheResult) {
    openWindow(MctcModel);
    form->Label36[2].setCaption("1.5");
    form->Label35.setCaption("1.2");
    form->Label33.setCaption("x");
    form->Label33.setBackColor(ui::colour::Green);
    g.smoke.SmokeTestResult.ResultCode = 2;
    g.smoke.RowUsedK[1] = 3;
    form->Command2_Click();
    EXPECT_EQ(form->Label36[2].caption(), "0");
    EXPECT_EQ(form->Label35.caption(), "0");
    EXPECT_EQ(form->Label33.caption(), text(Esito));
    EXPECT_EQ(form->Label33.backColor(), ui::colour::White);
    EXPECT_EQ(g.smoke.SmokeTestResult.ResultCode, 4);
    EXPECT_EQ(g.smoke.RowUsedK[1], 4);
    EXPECT_EQ(g.smoke.TestStartTime, ui::Clock::now());
    EXPECT_EQ(form->PendingRequest, "STARTMIS");
    EXPECT_EQ(form->InstrumentState, "STARTMIS");
    EXPECT_EQ(form->TestPhase, "CONTINUA");
}

TEST_F(SmokeWindowLifecycleTest, MctcLogLinesWhileMeasuring) {
    openWindow(MctcModel);
    reachMeasuring();
    form->Command7_Click();
    tick(2);
    EXPECT_EQ(readBytes(programFile("smoke.log")), "0.3\t12\t800\t80\t85\t60\t05/03/2024\t004217 \r\n");
}

} // namespace
