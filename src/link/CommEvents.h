#pragma once

#include "link/SerialPort.h"

#include <QString>

namespace ui {
class Dialogs;
}

// The Italian text of a port event other than receive and send, and whether it
// is an error (the computer beeps) or only a status change (nothing is shown).
struct CommEventText {
    QString text;
    bool isError = true;
};
CommEventText DescribeCommEvent(CommEventKind kind);

// The first step of a measuring window's OnComm: true for a receive event, which
// the caller goes on to handle; a send event does nothing; any other event
// beeps once when it is an error. Nothing else changes.
bool TriageCommEvent(CommEventKind kind, ui::Dialogs& dialogs);
