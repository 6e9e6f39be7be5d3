#pragma once

// The measuring windows as the fuzz targets and the seed recorder drive them:
// each on a fake serial port, with its own globals and silent message boxes,
// loaded by the constructor from the Conf.ini installed before.

#include "FuzzSupport.h"

#include "gas/ANGAS.h"
#include "link/FakeSerialPort.h"
#include "rpm/RPM.h"
#include "shared/Globals.h"
#include "smoke/ANFUMO.h"
#include "smoke/NoSmokeWindowLinks.h"

#include <memory>

namespace fuzz {

struct FakeLine {
    Globals g;
    SilentDialogs dialogs;
    std::unique_ptr<FakeSerialPort> ownedPort = std::make_unique<FakeSerialPort>();
    FakeSerialPort& port = *ownedPort;
};

struct RevCounterWindow : FakeLine {
    RPM form{g, dialogs, std::move(ownedPort)};
    RevCounterWindow() { form.Form_Load(); }
};

struct GasWindow : FakeLine {
    ANGAS form{g, dialogs, std::move(ownedPort)};
    GasWindow() {
        g.app.GasWindowActive = 1;
        form.Form_Load();
    }
};

struct SmokeWindow : FakeLine {
    ANFUMO form{g, dialogs, std::make_unique<NoSmokeWindowLinks>(), std::move(ownedPort)};
    SmokeWindow() {
        g.settings.SmokePort = 1;
        g.settings.SmokeBaudIndex = 2;
        g.app.SmokeWindowActive = 1;
        form.Form_Load();
    }
};

} // namespace fuzz
