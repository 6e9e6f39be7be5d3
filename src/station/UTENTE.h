#pragma once

#include "ui/Controls.h"

struct Globals;
namespace ui {
class Dialogs;
}

// The people and agency named on every certificate: operator, technical manager, agency.
class UTENTE {
  public:
    UTENTE(Globals& g, ui::Dialogs& dialogs);

    ui::Window Me;
    ui::Label Label1, Label2, Label3;
    ui::TextBox Text1, Text2, Text3;
    ui::Button Command1;

    // Shows the data in memory; the file is read only at start-up.
    void Form_Load();
    void Command1_Click();
    // The close box discards the edits.
    bool Form_QueryUnload();

  private:
    Globals& g_;
};
