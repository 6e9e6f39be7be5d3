#pragma once

#include "link/RPMSU.h"
#include "ui/FormDialog.h"

// The rev counter's set-up window, opened modal from the main window's set-up menu.
class RPMSUView : public ui::FormDialog {
  public:
    RPMSUView(RPMSU& form, QWidget* parent = nullptr);

    static void showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
};
