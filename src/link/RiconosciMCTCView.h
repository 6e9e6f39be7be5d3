#pragma once

#include "link/RiconosciMCTC.h"
#include "ui/FormDialog.h"

// The COM port scan window, opened modal from the main window's utility menu.
class RiconosciMCTCView : public ui::FormDialog {
  public:
    RiconosciMCTCView(RiconosciMCTC& form, QWidget* parent = nullptr);

    static void showModal(Globals& g, QWidget* parent);
};
