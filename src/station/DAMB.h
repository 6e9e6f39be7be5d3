#pragma once

#include "station/StationFieldsForm.h"

namespace ui {
class Dialogs;
}

// Ambient conditions of the test: temperature, pressure and relative humidity,
// kept as typed; the units beside the boxes are fixed.
class DAMB : public StationFieldsForm {
  public:
    DAMB(Globals& g, ui::Dialogs& dialogs);

    ui::Label Label4{QStringLiteral("°C")};
    ui::Label Label5{QStringLiteral("kPa")};
    ui::Label Label6{QStringLiteral("%")};
};
