#pragma once

#include "station/SYS_SET_UP.h"
#include "ui/FormDialog.h"

// The system set-up window, opened modal from the main window once the service password is accepted.
class SYS_SET_UPView : public ui::FormDialog {
  public:
    SYS_SET_UPView(SYS_SET_UP& form, QWidget* parent = nullptr);

    static void showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
};
