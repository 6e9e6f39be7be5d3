#pragma once

#include "smoke/ANFUMO.h"
#include "ui/FormDialog.h"

#include <memory>

struct Globals;
class SerialPort;
class SmokeWindowLinks;
namespace ui {
class Dialogs;
}

// The smoke analysis window: the opacimeter's live readings on the left, the
// table of accelerations on the right, the operator prompt and the verdict
// below, and the buttons along the bottom.
class ANFUMOView : public ui::FormDialog {
  public:
    ANFUMOView(ANFUMO& form, QWidget* parent = nullptr);

    ANFUMO& form() { return form_; }

    // Loads and shows the window modeless; it deletes itself and its form when closed.
    static ANFUMOView* showModeless(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SmokeWindowLinks> links,
                                    QWidget* parent);
    // The same on a given port (tests).
    static ANFUMOView* showModeless(Globals& g, ui::Dialogs& dialogs, std::unique_ptr<SmokeWindowLinks> links,
                                    std::unique_ptr<SerialPort> port, QWidget* parent);

  private:
    QWidget* buildReadings();
    QWidget* buildAccelerations();
    QLayout* buildButtons();

    ANFUMO& form_;
};
