#pragma once

#include "gas/LIMITIAN.h"
#include "ui/FormDialog.h"

struct Globals;
class QWidget;
namespace ui {
class Dialogs;
}

// The gas limits window: five boxes, two editable lists of corrected-CO
// limits, the duration in seconds, the rpm check and the apply button.
class LIMITIANView : public ui::FormDialog {
  public:
    LIMITIANView(LIMITIAN& form, QWidget* parent = nullptr);

    // Opens the window modal over the gas window and returns when it has closed.
    static void showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
};
