#pragma once

#include "rpm/RPM.h"
#include "ui/FormDialog.h"

#include <memory>

struct Globals;
class SerialPort;
namespace ui {
class Dialogs;
}

// The rev counter window: speed and oil temperature in large figures beside
// their pictures, the cylinder stepper and the stroke choice.
class RPMView : public ui::FormDialog {
  public:
    RPMView(RPM& form, QWidget* parent = nullptr);

    // Beside a measuring window: modeless and minimised. Only one rev counter
    // window talks to the instrument, so an open one is returned as it is.
    static RPMView* showMinimised(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
    // On its own from the main window: modal, returns when closed. A minimised
    // one still open is closed first, as both would use the same port.
    static void showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
    // Closes the window opened by showMinimised, if it is open (the measuring
    // windows close it with themselves).
    static void closeMinimised();

    // The same with a given port (tests).
    static RPMView* showMinimised(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port, QWidget* parent);
    static void showModal(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SerialPort> port, QWidget* parent);

  private:
    void build();

    RPM& form_;
};
