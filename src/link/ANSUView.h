#pragma once

#include "link/ANSU.h"
#include "link/InstrumentSetUpView.h"

// The gas analyser's set-up window, opened modal from the main window's set-up menu.
class ANSUView : public InstrumentSetUpView {
  public:
    ANSUView(ANSU& form, QWidget* parent = nullptr);

    static void showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
};
