#include "app/Menu.h"
#include "app/QtWindowFactory.h"
#include "settings/ConfFile.h"
#include "shared/Globals.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <QApplication>

namespace {

class GasWindowExitTest : public StationDirsTest {};

TEST_F(GasWindowExitTest, EndingTheProgramRunsTheOpenGasWindowsClosingStepsFirst) {
    // The analyser's port leads nowhere: the window opens all the same.
    writeBytes(workFile("Conf.ini"), "[PORTE]\r\nCOM3=" + work.path().toLocal8Bit() +
                                         "/no-such-line\r\n[COMKAPRO]\r\nTModCom=2\r\nTCOM=3\r\nTBRate=2\r\n"
                                         "[MODKAPRO]\r\nModello=3\r\n");
    Globals g;
    RecordingDialogs dialogs;
    QtWindowFactory windows(g, dialogs);
    int ends = 0;
    std::int16_t activeAtEnd = -1;
    double limitSavedAtEnd = 0;
    Menu menu(g, dialogs, windows, [&] {
        ++ends;
        activeAtEnd = g.app.GasWindowActive;
        Globals reread;
        LoadGasLimits(reread);
        limitSavedAtEnd = reread.settings.RPMmin;
    });
    menu.CmdAnGas_Click();
    ASSERT_EQ(g.app.GasWindowActive, 1);
    ASSERT_NE(g.link.GasPort, nullptr);
    g.settings.RPMmin = 777;

    menu.CmdOut_Click();

    EXPECT_EQ(ends, 1);
    EXPECT_EQ(activeAtEnd, 0);
    EXPECT_EQ(limitSavedAtEnd, 777);
    EXPECT_EQ(g.link.GasPort, nullptr);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

} // namespace
