#pragma once

#include "app/MessageWindow.h"

namespace ui {
class Dialogs;
}

// A notice about printing the smoke test (ExclamPrintText). Closing restarts the
// smoke scheduler if it is stopped.
class ExclamStampa : public MessageWindow {
  public:
    ExclamStampa(Globals& g, ui::Dialogs& dialogs);

    void Form_Load() override;
    void Form_Unload() override;
};
