#pragma once

#include "app/MessageWindow.h"

#include <functional>

namespace ui {
class Dialogs;
}

// A warning from the opacimeter (ExclamText). Once acknowledged, an opacimeter
// that is idle, or whose slide reports the print position, is followed by the
// print notice window.
class Exclam : public MessageWindow {
  public:
    // openPrintNotice shows ExclamStampa modal.
    Exclam(Globals& g, ui::Dialogs& dialogs, std::function<void()> openPrintNotice);

    void Form_Load() override;
    void Command1_Click() override;
    void Form_Unload() override;

  private:
    std::function<void()> openPrintNotice_;
};
