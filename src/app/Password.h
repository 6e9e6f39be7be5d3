#pragma once

#include "ui/Controls.h"

struct Globals;

// The service password that guards the system set-up. It only reports the
// outcome in PasswordResult; the main window acts on it.
class Password {
  public:
    static constexpr int Accepted = 1;
    static constexpr int Rejected = 0;
    static constexpr int Cancelled = 2;

    explicit Password(Globals& g);

    ui::Window Me{QStringLiteral("Password")};
    ui::TextBox Text1;
    ui::Button OK{QStringLiteral("&OK")};
    ui::Button Annulla{QStringLiteral("&ANNULLA")};

    void OK_Click();
    void Annulla_Click();
    // The close box (or Escape): counts as ANNULLA, so an earlier showing's
    // result is never taken for this one. Always lets the window close.
    bool Form_QueryUnload();

  private:
    Globals& g_;
};
