#pragma once

#include "app/frmAbout.h"
#include "ui/FormDialog.h"

class frmAboutView : public ui::FormDialog {
  public:
    frmAboutView(frmAbout& form, QWidget* parent = nullptr);

    // Opened from the main window's logo; a second click brings the open box forward.
    static frmAboutView* showModeless(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
};
