#include "GasWindowFixture.h"

#include "gas/GasLog.h"
#include "settings/ConfFile.h"
#include "ui/Timer.h"

#include <QFile>

namespace {

const QByteArray Values = Fields({"0.52", "0.61", "14.3", "123", "0.80", "1.012", "85.5", "780", "45"});

class GasWindowLifecycleTest : public GasWindowTest {
  protected:
    // MCTC-NET analyser measuring; the next tick asks the error register.
    void measuring() {
        openWindow();
        mctcStartUp();
        mctcStatus(8);
        exchangeMctc("@RS", "@RS", QByteArray("\0\x17\0", 3));
    }
};

TEST_F(GasWindowLifecycleTest, LoadSetsTextsListsAnalyserLabelsAndOpensThePort) {
    openWindow({.model = 3, .port = 7, .baud = 3, .modelName = "KAPRO 600", .serial = "SN-1"});
    EXPECT_EQ(form->Me.caption(), ui(46));
    EXPECT_EQ(form->Combo1.items(), QStringList({ui(48), ui(49), "MET", "MET CAT", ui(50), ui(51)}));
    EXPECT_EQ(form->Combo1.listIndex(), 1);
    EXPECT_EQ(form->Combo3.items(), QStringList({"RPM conv(4T)", "RPM dis(2T)"}));
    EXPECT_EQ(form->Combo3.listIndex(), 0);
    EXPECT_EQ(form->Combo4.items(), QStringList({ui(54), ui(55)}));
    EXPECT_EQ(form->TProve, 1);
    EXPECT_TRUE(form->Command2.enabled());
    EXPECT_EQ(form->Command1.caption(), ui(20));
    EXPECT_EQ(form->Command2.caption(), ui(22));
    EXPECT_EQ(form->Command3.caption(), ui(23));
    EXPECT_EQ(form->Command5.caption(), ui(21));
    EXPECT_EQ(form->Label21.caption(), ui(16));
    EXPECT_EQ(form->Label28.caption(), ui(11));
    EXPECT_EQ(form->Command7.caption(), "LOG OFF");
    EXPECT_EQ(form->Label1.caption(), "KAPRO 600");
    EXPECT_EQ(form->Label3.caption(), "SN-1");
    EXPECT_TRUE(form->Command4.enabled());
    EXPECT_TRUE(form->Command6.enabled());
    EXPECT_FALSE(form->Label38.visible());
    EXPECT_TRUE(port->PortOpen());
    EXPECT_EQ(port->CommPort(), 7);
    EXPECT_EQ(port->Settings(), "19200,n,8,1");
    EXPECT_TRUE(form->Timer1.enabled());
    EXPECT_EQ(form->Timer1.interval(), 25);
    // The settings record starts from the window's own choice.
    EXPECT_EQ(g.gas.FuelText(), "BENZINACAT");
    EXPECT_EQ(g.gas.EngineStrokes, "4");
}

TEST_F(GasWindowLifecycleTest, GasModelIsReadEvenWithoutTheOpacimeterSections) {
    // writeSettings leaves out MODOPA and COMOPA altogether.
    openWindow({.model = 2});
    EXPECT_EQ(form->LinkMode(), ANGAS::MakerFrames);
    EXPECT_EQ(g.link.GasBinaryAddress, 0x21);
    EXPECT_EQ(g.settings.GasPort, 3);
}

TEST_F(GasWindowLifecycleTest, PortThatCannotOpenIsToldAndTheWindowCarriesOn) {
    writeSettings({.port = 4});
    auto fake = std::make_unique<FakeSerialPort>();
    fake->failNextOpen("No such file or directory");
    port = fake.get();
    g.app.GasWindowActive = 1;
    form = std::make_unique<ANGAS>(g, dialogs, std::move(fake));
    form->Form_Load();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "COM4 " + ui(126) + "\r\nNo such file or directory");
    EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Critical);
    tick(42);
    EXPECT_EQ(form->Label5.caption(), "ERRORE COM");
}

TEST_F(GasWindowLifecycleTest, UnloadSavesLimitsClosesThePortAndRestartsTheMainTimerOnce) {
    g.settings.ExternalOilTemp = 1;
    ui::Timer blink(1000, false);
    g.app.MainBlinkTimer = &blink;
    openWindow();
    g.settings.RPMmin = 1234;
    form->Form_Unload();
    EXPECT_FALSE(port->PortOpen());
    EXPECT_FALSE(form->Timer1.enabled());
    EXPECT_EQ(g.app.GasWindowActive, 0);
    EXPECT_EQ(g.link.GasPort, nullptr);
    EXPECT_TRUE(blink.enabled());
    EXPECT_EQ(companions->revCounterClosed, 1);
    EXPECT_EQ(form->NextState, "INIZIO");
    Globals reread;
    ASSERT_TRUE(LoadGasLimits(reread));
    EXPECT_EQ(reread.settings.RPMmin, 1234);
    // Closing again, or destroying the window, repeats nothing.
    blink.setEnabled(false);
    form->Form_Unload();
    EXPECT_FALSE(blink.enabled());
    EXPECT_EQ(companions->revCounterClosed, 1);
    g.app.MainBlinkTimer = nullptr;
}

TEST_F(GasWindowLifecycleTest, ButtonsForTestTypeLogAndVehicleData) {
    openWindow();
    form->Combo4.setListIndex(0);
    form->Combo4_Click();
    EXPECT_EQ(form->TProve, 0);
    EXPECT_FALSE(form->Command2.enabled());

    form->Command7_Click();
    EXPECT_TRUE(form->LogOn);
    EXPECT_EQ(form->Command7.caption(), "LOG ON");
    form->Command7_Click();
    EXPECT_EQ(form->Command7.caption(), "LOG OFF");

    form->Command3_Click();
    form->Command3_Click();
    EXPECT_EQ(companions->vehicleShown, 1);
    EXPECT_EQ(companions->vehicleClosed, 1);
    // Closed by the operator meanwhile: the button shows it again.
    form->Command3_Click();
    companions->open = false;
    form->Command3_Click();
    EXPECT_EQ(companions->vehicleShown, 3);
    EXPECT_EQ(form->VehicleWindowOpen, 1);
}

TEST_F(GasWindowLifecycleTest, GasLogHoldsTheShownValuesWhileMeasuringWithTheLogOn) {
    measuring();
    exchangeMctc("@VA", "@VA", Values);
    EXPECT_FALSE(QFile::exists(gas::GasLogPath()));
    form->Command7_Click();
    mctcStatus(8);
    exchangeMctc("@RS", "@RS", QByteArray("\0\x17\0", 3));
    exchangeMctc("@VA", "@VA", Values);
    EXPECT_EQ(readBytes(gas::GasLogPath()),
              "0.52\t14.3\t123\t0.8\t45\t0.61\t1.012\t780\t85.5\t05/03/2024\tSN7788 \r\n");
    // Not measuring: nothing more.
    mctcStatus(1);
    exchangeMctc("@RS", "@RS", QByteArray("\0\x17\0", 3));
    exchangeMctc("@VA", "@VA", Values);
    EXPECT_EQ(readBytes(gas::GasLogPath()).count('\n'), 1);
}

TEST_F(GasWindowLifecycleTest, MeasurementWithMissingFieldsKeepsTheRestAndHintsAtThePortOnce) {
    struct Case {
        int language;
        const char* start;
    };
    for (const Case c : {Case{2, "CHOOSE THE CORRECT COMUNICATION PORT"}, Case{1, "SCEGLIERE LA PORTA"}}) {
        SCOPED_TRACE(c.language);
        dialogs.shown.clear();
        g.settings.LanguageCode = static_cast<std::int16_t>(c.language);
        measuring();
        exchangeMctc("@VA", "@VA", Values);
        g.smoke.ErrorCheckArmed = -1;
        mctcStatus(8);
        exchangeMctc("@RS", "@RS", QByteArray("\0\x17\0", 3));
        exchangeMctc("@VA", "@VA", Fields({"2.5", "2.6", "13"}));
        EXPECT_EQ(form->Label8.caption(), "2.5");
        EXPECT_EQ(form->Label10.caption(), "13");
        // The empty field that follows the last one reads 0; the rest keep their readings.
        EXPECT_EQ(form->Label11.caption(), "0");
        EXPECT_EQ(form->Label12.caption(), "0.8");
        EXPECT_EQ(form->Label33.caption(), "45");
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_TRUE(dialogs.shown[0].text.startsWith(c.start));
        EXPECT_EQ(g.smoke.ErrorCheckArmed, 0);
        mctcStatus(8);
        exchangeMctc("@RS", "@RS", QByteArray("\0\x17\0", 3));
        exchangeMctc("@VA", "@VA", Fields({"2.5"}));
        EXPECT_EQ(dialogs.shown.size(), 1u);
    }
}

TEST_F(GasWindowLifecycleTest, McTcOilOutOfRangeAndRevCounterValues) {
    measuring();
    exchangeMctc("@VA", "@VA", Fields({"0.5", "0.5", "14", "100", "1", "1", "888", "800", "10"}));
    EXPECT_EQ(form->Label13.caption(), "Out");
    g.settings.ExternalRpm = 1;
    g.rpm.RpmValue = 2600;
    mctcStatus(8);
    exchangeMctc("@RS", "@RS", QByteArray("\0\x17\0", 3));
    exchangeMctc("@VA", "@VA", Fields({"0.5", "0.5", "14", "100", "1", "1", "90", "800", "10"}));
    EXPECT_EQ(form->Label13.caption(), "90");
    EXPECT_EQ(form->Label15.caption(), "2600");
    EXPECT_EQ(g.gas.GasEngineSpeed, 2600);
}

TEST_F(GasWindowLifecycleTest, PortEventsBeepOnlyForErrorsAndStrayBytesAreDropped) {
    openWindow();
    port->raiseEvent(CommEventKind::ParityError);
    EXPECT_EQ(dialogs.beeps, 0);
    port->raiseEvent(CommEventKind::ReceiveOverflow);
    EXPECT_EQ(dialogs.beeps, 1);
    tick();
    port->receive("\n");
    replyMctc("ID", Fields({"K", "M", "H", "S", "01022030", "1.50", ""}));
    EXPECT_EQ(form->NextState, "IDE");
}

} // namespace
