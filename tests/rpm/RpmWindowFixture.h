#pragma once

#include "link/FakeSerialPort.h"
#include "rpm/RPM.h"
#include "shared/Globals.h"
#include "sim/FakePortConnection.h"
#include "sim/MctcRequest.h"
#include "sim/RevCounterSim.h"
#include "sim/ScenarioClock.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <QByteArray>
#include <QStringList>

#include <memory>

// Copies the shipped pictures into the program's Immagini folder, where an
// installed station keeps them.
void installPictures(const QString& programDirectory);

// What the RPM section of Conf.ini holds for one test.
struct RevCounterSetup {
    int cylinders = 4;
    int strokes = 4;
    int choice = 0;
    int port = 5;
    int baud = 2;
    int externalRpm = 0;
};

// The rev counter window on an in-memory port wired to the simulated rev
// counter. Each tick() is one 250 ms beat: the window's timer fires, then the
// simulator's clock runs on to the next beat, delivering replies on its way.
class RpmWindowTest : public StationDirsTest {
  protected:
    static constexpr int Beat = 250;

    void SetUp() override;
    void TearDown() override;

    void writeSettings(const RevCounterSetup& setup);
    // Makes the window (not loaded yet) and connects the simulator to its port.
    void makeWindow();
    void openWindow(const RevCounterSetup& setup = {});
    // Unwires the simulator and destroys the window.
    void closeWindow();
    void tick(int count = 1);

    // The requests written on the port so far, as the instrument reads them.
    QList<sim::MctcRequest> requests() const;
    // "CI 4", "TE 4", "VA", ...: command and data of each request.
    QStringList conversation() const;
    QStringList conversationSince(qsizetype first) const;

    Globals g;
    RecordingDialogs dialogs;
    sim::ScenarioClock clock;
    sim::RevCounterSim instrument{clock};
    FakeSerialPort* port = nullptr;
    std::unique_ptr<RPM> form;
    std::unique_ptr<sim::FakePortConnection> connection;
};
