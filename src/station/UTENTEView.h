#pragma once

#include "station/StationDataView.h"
#include "station/UTENTE.h"

// The operator window, opened modal from the main window's menu.
class UTENTEView : public StationDataView {
  public:
    UTENTEView(UTENTE& form, QWidget* parent = nullptr);

    static void showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
};
