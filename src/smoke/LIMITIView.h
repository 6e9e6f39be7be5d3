#pragma once

#include "smoke/LIMITI.h"
#include "ui/FormDialog.h"

#include <functional>

struct Globals;
class QWidget;
namespace ui {
class Dialogs;
}

// The opacity limits window: four captioned boxes and the apply button.
class LIMITIView : public ui::FormDialog {
  public:
    LIMITIView(LIMITI& form, QWidget* parent = nullptr);

    // Opens the window modal over the smoke window and returns when it has closed.
    static void showModal(Globals& g, ui::Dialogs& dialogs, std::function<void()> enableStart, QWidget* parent);
};
