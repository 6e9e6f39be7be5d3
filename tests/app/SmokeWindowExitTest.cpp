#include "app/Menu.h"
#include "app/QtWindowFactory.h"
#include "settings/ConfFile.h"
#include "shared/Globals.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"
#include "ui/Timer.h"

#include <QApplication>

namespace {

class SmokeWindowExitTest : public StationDirsTest {};

TEST_F(SmokeWindowExitTest, EndingTheProgramRunsTheOpenSmokeWindowsClosingStepsFirst) {
    // The opacimeter's port leads nowhere: the window opens all the same.
    writeBytes(workFile("Conf.ini"), "[PORTE]\r\nCOM4=" + work.path().toLocal8Bit() +
                                         "/no-such-line\r\n[COMOPA]\r\nTModCom=2\r\nTCOM=4\r\nTBRate=2\r\n"
                                         "[MODOPA]\r\nModello=5\r\nUnitOpa=0\r\n"
                                         "[LO]\r\nRN=1000\r\nMX=3000\r\nON=0.5\r\nVK=1.5\r\n");
    Globals g;
    g.settings.SmokePort = 4;
    RecordingDialogs dialogs;
    QtWindowFactory windows(g, dialogs);
    int ends = 0;
    std::int16_t activeAtEnd = -1;
    float limitSavedAtEnd = 0;
    bool schedulerAtEnd = true;
    Menu menu(g, dialogs, windows, [&] {
        ++ends;
        activeAtEnd = g.app.SmokeWindowActive;
        schedulerAtEnd = g.app.SmokeScheduler != nullptr;
        Globals reread;
        LoadOpacityLimits(reread);
        limitSavedAtEnd = reread.settings.LimitRpmMax;
    });
    menu.CmdAnFumo_Click();
    ASSERT_EQ(g.app.SmokeWindowActive, 1);
    ASSERT_NE(g.link.SmokePort, nullptr);
    ASSERT_NE(g.app.SmokeScheduler, nullptr);
    g.settings.LimitRpmMax = 3500;

    menu.CmdOut_Click();

    EXPECT_EQ(ends, 1);
    EXPECT_EQ(activeAtEnd, 0);
    EXPECT_FALSE(schedulerAtEnd);
    EXPECT_EQ(limitSavedAtEnd, 3500);
    EXPECT_EQ(g.link.SmokePort, nullptr);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

} // namespace
