#include "PseudoTerminal.h"
#include "SetupFormFixture.h"

#include "lang/LanguageTexts.h"
#include "link/ANSU.h"
#include "link/OPASU.h"
#include "link/OPASUView.h"
#include "link/PortOpening.h"
#include "link/QtSerialPort.h"
#include "link/RPMSU.h"
#include "support/ViewHelpers.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QListWidget>

namespace {

class FixedDevices : public SerialDeviceList {
  public:
    QList<SerialDevice> devices() const override { return list; }
    QList<SerialDevice> list;
};

// Opens COM n as a measuring window does, writes, and returns what the
// instrument's end of the line received.
QByteArray sentThroughComPort(int number, PseudoTerminal& instrument, const Globals& g, RecordingDialogs& dialogs) {
    QtSerialPort port;
    if (!OpenInstrumentPort(port, number, QStringLiteral("9600,n,8,1"), g, dialogs))
        return {};
    port.Output("ID");
    QByteArray received;
    for (QDeadlineTimer deadline(5000); received.size() < 2 && !deadline.hasExpired();) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        received += instrument.readAvailable();
    }
    return received;
}

} // namespace

template <typename Form> class ComDeviceChooserTest : public SetupFormTest<Form> {};

using SetupForms = ::testing::Types<ANSU, OPASU, RPMSU>;
TYPED_TEST_SUITE(ComDeviceChooserTest, SetupForms);

TYPED_TEST(ComDeviceChooserTest, ChoosingADeviceMakesTheComNumberOpenIt) {
    PseudoTerminal adapter;
    PseudoTerminal other;
    ASSERT_TRUE(adapter.isValid() && other.isValid());
    this->installLanguageFile();
    // The adapter's stable name: a by-id style link to its pseudo-terminal.
    const QString stable = this->workFile("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    ASSERT_TRUE(QFile::link(adapter.slavePath(), stable));
    FixedDevices devices;
    devices.list = {{"/dev/ttyS0", {}, {}, {}, {}},
                    {adapter.slavePath(), stable, "FTDI", "FT232R USB UART", "A50285BI"}};

    this->open();
    LoadLanguageTexts(this->g, 2);
    ComDeviceChooser& chooser = this->form->Devices;
    chooser.useDeviceList(devices);
    chooser.RefreshDevices_Click();
    this->form->VScroll1.setValue(5);
    this->form->VScroll1_Change();

    EXPECT_EQ(chooser.DeviceList.items(), QStringList({"/dev/ttyS0", stable + "\n    " + adapter.slavePath() +
                                                                         ", FTDI, FT232R USB UART, A50285BI"}));
    EXPECT_EQ(chooser.DeviceList.listIndex(), -1);

    // The by-id name is written, and the measuring windows' port map follows it.
    chooser.DeviceList.setListIndex(1);
    chooser.DeviceList_Click();
    EXPECT_EQ(this->confValue("PORTE", "COM5"), stable);
    EXPECT_EQ(chooser.DeviceMapping.caption(), "COM5 = " + stable);
    EXPECT_EQ(sentThroughComPort(5, adapter, this->g, this->dialogs), "ID");

    // Any other path, typed.
    chooser.DevicePath.setText(other.slavePath());
    chooser.UseDevicePath_Click();
    EXPECT_EQ(this->confValue("PORTE", "COM5"), other.slavePath());
    EXPECT_EQ(chooser.DeviceList.listIndex(), -1);
    EXPECT_EQ(sentThroughComPort(5, other, this->g, this->dialogs), "ID");
    EXPECT_TRUE(this->dialogs.shown.empty());

    // A configured by-id device that is not there: the adapter is unplugged.
    const QString gone = QStringLiteral("/dev/serial/by-id/usb-Quaveron_Gone_0000-if00-port0");
    chooser.DevicePath.setText(gone);
    chooser.UseDevicePath_Click();
    EXPECT_EQ(chooser.DeviceMapping.caption(), "COM5: " + gone + ": the device is not present (adapter unplugged?).");
    EXPECT_EQ(chooser.DeviceMapping.backColor(), ui::colour::Red);

    // The window's own COM number and settings are left alone.
    EXPECT_EQ(this->confValue("PORTE", "COM1"), "<absent>");
}

class DeviceListViewTest : public SetupFormTest<OPASU> {};

TEST_F(DeviceListViewTest, ScreenshotsOfTheDeviceListInItalianAndEnglish) {
    PseudoTerminal adapter;
    ASSERT_TRUE(adapter.isValid());
    installLanguageFile();
    const QString stable = workFile("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    ASSERT_TRUE(QFile::link(adapter.slavePath(), stable));
    FixedDevices devices;
    devices.list = {
        {"/dev/ttyS0", {}, {}, {}, {}},
        {adapter.slavePath(), stable, "FTDI", "FT232R USB UART", "A50285BI"},
        {"/dev/ttyACM0", "/dev/serial/by-id/usb-Korvellan_RPM-100_0042-if00", "Korvellan", "RPM-100", "0042"}};
    writeConf("[COMOPA]\r\nTCOM=3\r\nTBRate=2\r\n[PORTE]\r\nCOM3=" + stable + "\r\n");
    for (const auto& [language, file] : {std::pair{1, "opasu-device-list-it.png"}, {2, "opasu-device-list-en.png"}}) {
        LoadLanguageTexts(g, language);
        open();
        form->Devices.useDeviceList(devices);
        form->Devices.RefreshDevices_Click();
        EXPECT_EQ(form->Devices.DeviceList.listIndex(), 1);
        {
            OPASUView view(*form);
            auto* list = view.findChild<QListWidget*>(QStringLiteral("DeviceList"));
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(list->count(), 3);
            EXPECT_EQ(list->currentRow(), 1);
            EXPECT_TRUE(saveScreenshot(&view, QString::fromLatin1(file)));
            if (language == 2) {
                // The operator's click on an entry chooses it.
                list->setCurrentRow(2);
                emit list->itemClicked(list->item(2));
                EXPECT_EQ(confValue("PORTE", "COM3"), devices.list[2].stableName);
            }
        }
        form.reset();
    }
}
