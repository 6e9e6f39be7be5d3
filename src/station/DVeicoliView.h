#pragma once

#include "station/DVeicoli.h"
#include "station/StationDataView.h"

// The vehicle window. The smoke window opens it modal; the gas window keeps it
// open beside itself and closes it with form().Command1_Click() on its second press.
class DVeicoliView : public StationDataView {
  public:
    DVeicoliView(DVeicoli& form, QWidget* parent = nullptr);

    DVeicoli& form() { return form_; }

    static void showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
    // Loads and shows the window; it deletes itself and its form when closed.
    static DVeicoliView* showModeless(Globals& g, ui::Dialogs& dialogs, QWidget* parent);

  private:
    DVeicoli& form_;
};
