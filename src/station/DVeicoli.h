#pragma once

#include "ui/Controls.h"

struct Globals;
namespace ui {
class Dialogs;
}

// The vehicle under test: maker and type, plate, chassis, year of first
// registration and model. Whatever way the window closes, the boxes are kept.
class DVeicoli {
  public:
    DVeicoli(Globals& g, ui::Dialogs& dialogs);

    ui::Window Me;
    ui::Label Label1, Label2, Label3, Label4, Label5;
    ui::TextBox Text1, Text2, Text3, Text4, Text5;
    ui::Button Command1;

    void Form_Load();
    // Confirm; also what the gas window's vehicle button does on its second press.
    void Command1_Click();
    // The close box saves too: an operator closing the window expects the data kept.
    bool Form_QueryUnload();

  private:
    void KeepVehicleData();

    Globals& g_;
};
