#pragma once

#include "link/InstrumentSetUpView.h"
#include "link/OPASU.h"

// The opacimeter's set-up window, opened modal from the main window's set-up menu.
class OPASUView : public InstrumentSetUpView {
  public:
    OPASUView(OPASU& form, QWidget* parent = nullptr);

    static void showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
};
