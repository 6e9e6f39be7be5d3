#pragma once

#include "app/MessageWindow.h"

namespace ui {
class Dialogs;
}

// A critical alarm of the opacimeter. The caller stops the smoke scheduler and
// sets the caption (e.g. "ERROR 10") and CriticText; closing restarts the scheduler.
class Critic : public MessageWindow {
  public:
    Critic(Globals& g, ui::Dialogs& dialogs);

    void Form_Load() override;
    void Form_Unload() override;
};
