#pragma once

#include "ui/Controls.h"

struct Globals;

// What the smoke window's three message windows share: an icon, the text and
// one OK button. Each one, when it closes, lets the instrument dialogue resume.
class MessageWindow {
  public:
    virtual ~MessageWindow() = default;

    ui::Window Me;
    ui::Picture Picture1;
    ui::Label Label1;
    ui::Button Command1{QStringLiteral("&OK")};

    virtual void Form_Load() = 0;
    virtual void Command1_Click();
    // Runs however the window closes: OK, close box or Escape.
    virtual void Form_Unload() = 0;

  protected:
    MessageWindow(Globals& g, const QString& caption);

    Globals& g_;
};
