#pragma once

#include "ui/Controls.h"

struct Globals;
namespace ui {
class Dialogs;
}

// Ambient conditions of the test: temperature, pressure and relative humidity,
// kept as typed; the units beside the boxes are fixed.
class DAMB {
  public:
    DAMB(Globals& g, ui::Dialogs& dialogs);

    ui::Window Me;
    ui::Label Label1, Label2, Label3;
    ui::TextBox Text1, Text2, Text3;
    ui::Label Label4{QStringLiteral("°C")};
    ui::Label Label5{QStringLiteral("kPa")};
    ui::Label Label6{QStringLiteral("%")};
    ui::Button Command1;

    // Shows the data in memory; the file is read only at start-up.
    void Form_Load();
    void Command1_Click();
    // The close box discards the edits.
    bool Form_QueryUnload();

  private:
    Globals& g_;
};
