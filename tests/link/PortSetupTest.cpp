#include "link/ComPortMap.h"
#include "link/FakeSerialPort.h"
#include "link/LineSettings.h"
#include "link/PortOpening.h"
#include "shared/Globals.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <gtest/gtest.h>

namespace {

TEST(LineSettings, BaudChoiceTable) {
    EXPECT_EQ(BaudSettings(1), "1200,n,8,1");
    EXPECT_EQ(BaudSettings(2), "9600,n,8,1");
    EXPECT_EQ(BaudSettings(3), "19200,n,8,1");
    EXPECT_EQ(BaudSettings(4), "38400,n,8,1");
    EXPECT_EQ(BaudSettings(0), "9600,n,8,1");
    EXPECT_EQ(IdentificationBaudSettings(1), "1200,n,8,1");
    for (int index : {2, 3, 4, 0})
        EXPECT_EQ(IdentificationBaudSettings(index), "9600,n,8,1") << index;
}

TEST(LineSettings, ParsesEveryStringOfTheTable) {
    for (int index = 1; index <= 4; ++index)
        ASSERT_TRUE(ParseLineSettings(BaudSettings(index)).has_value()) << index;
    const auto line = ParseLineSettings("19200,n,8,1");
    EXPECT_EQ(line->baud, 19200);
    EXPECT_EQ(line->parity, 'n');
    EXPECT_EQ(line->dataBits, 8);
    EXPECT_EQ(line->stopBits, 1);
    const auto other = ParseLineSettings(" 1200 , E , 7 , 2 ");
    ASSERT_TRUE(other.has_value());
    EXPECT_EQ(other->parity, 'e');
    EXPECT_EQ(other->stopBits, 2);
}

TEST(LineSettings, RejectsWhatNoLineCanUse) {
    for (const char* bad : {"", "9600", "9600,n,8", "9601,n,8,1", "9600,x,8,1", "9600,n,9,1", "9600,n,8,3", "abc,n,8,1",
                            "9600,n,8,1,1", "-9600,n,8,1"})
        EXPECT_FALSE(ParseLineSettings(bad).has_value()) << bad;
    FakeSerialPort port;
    EXPECT_FALSE(port.setSettings("fast"));
    EXPECT_EQ(port.Settings(), "9600,n,8,1");
}

class ComPortMapTest : public StationDirsTest {};

TEST_F(ComPortMapTest, PorteKeyNamesTheDeviceOtherwiseTtyS) {
    writeBytes(workFile("Conf.ini"), "[LINGUA]\r\nTLingua=1\r\n[PORTE]\r\nCOM3=/tmp/quaveron/gas\r\n"
                                     "COM16=/dev/ttyUSB0\r\n");
    EXPECT_EQ(ComPortDevice(3), "/tmp/quaveron/gas");
    EXPECT_EQ(ComPortDevice(16), "/dev/ttyUSB0");
    EXPECT_EQ(ComPortDevice(1), "/dev/ttyS0");
    EXPECT_EQ(ComPortDevice(7), "/dev/ttyS6");
}

TEST_F(ComPortMapTest, NoConfIniMeansTtyS) {
    EXPECT_EQ(ComPortDevice(2), "/dev/ttyS1");
}

TEST_F(ComPortMapTest, NumbersOutsideOneToSixteenHaveNoDevice) {
    for (int number : {0, -1, 17, 255})
        EXPECT_TRUE(ComPortDevice(number).isEmpty()) << number;
}

class PortOpeningTest : public ::testing::Test {
  protected:
    void SetUp() override { g.lang.UiText[126] = "impossibile aprire la porta"; }
    Globals g;
    FakeSerialPort port;
    RecordingDialogs dialogs;
};

TEST_F(PortOpeningTest, AppliesNumberSettingsAndThreshold) {
    EXPECT_TRUE(OpenInstrumentPort(port, 4, BaudSettings(3), g, dialogs));
    EXPECT_TRUE(port.PortOpen());
    EXPECT_EQ(port.CommPort(), 4);
    EXPECT_EQ(port.Settings(), "19200,n,8,1");
    EXPECT_EQ(port.RThreshold(), 1);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PortOpeningTest, OpenPortIsClosedFirst) {
    ASSERT_TRUE(port.setPortOpen(true));
    EXPECT_TRUE(OpenInstrumentPort(port, 2, BaudSettings(2), g, dialogs));
    EXPECT_EQ(port.closeCount(), 1);
    EXPECT_EQ(port.openCount(), 2);
}

TEST_F(PortOpeningTest, FailureIsToldOnceAndThePortStaysClosed) {
    port.failNextOpen("No such file or directory");
    EXPECT_FALSE(OpenInstrumentPort(port, 7, BaudSettings(1), g, dialogs));
    EXPECT_FALSE(port.PortOpen());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "COM7 impossibile aprire la porta\r\nNo such file or directory");
    EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Critical);
    EXPECT_EQ(dialogs.shown[0].buttons, ui::Buttons::Ok);
    // The window carries on: the next attempt works.
    EXPECT_TRUE(OpenInstrumentPort(port, 7, BaudSettings(1), g, dialogs));
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

} // namespace
