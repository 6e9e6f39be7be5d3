#pragma once

#include "station/DAMB.h"
#include "station/StationDataView.h"

// The ambient window, opened modal from the main window's menu.
class DAMBView : public StationDataView {
  public:
    DAMBView(DAMB& form, QWidget* parent = nullptr);

    static void showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
};
