#pragma once

#include "app/Password.h"
#include "ui/FormDialog.h"

class QWidget;

// The password window: a masked box and two buttons.
class PasswordView : public ui::FormDialog {
  public:
    PasswordView(Password& form, QWidget* parent = nullptr);

    // Shows a fresh password window and returns when it has closed.
    static void showModal(Globals& g, QWidget* parent);
};
