#pragma once

#include "station/StationFieldsForm.h"

namespace ui {
class Dialogs;
}

// The people and agency named on every certificate: operator, technical manager, agency.
class UTENTE : public StationFieldsForm {
  public:
    UTENTE(Globals& g, ui::Dialogs& dialogs);
};
