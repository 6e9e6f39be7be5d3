#pragma once

#include "gas/ANGAS.h"
#include "ui/FormDialog.h"

#include <memory>

struct Globals;
class SerialPort;
namespace ui {
class Dialogs;
}

// The gas analysis window: analyser data on top, the live values in large
// figures, the fuel, engine and test choices, the state and instruction lines
// and the row of buttons.
class ANGASView : public ui::FormDialog {
  public:
    ANGASView(ANGAS& form, QWidget* parent = nullptr);

    ANGAS& form() { return form_; }

    // Loads and shows the window on the analyser's serial port; it deletes
    // itself and its form when closed, after the form's closing steps.
    static ANGASView* showModeless(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
    // The same with a given port (tests).
    static ANGASView* showModeless(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port, QWidget* parent);

  private:
    void build();

    ANGAS& form_;
};
